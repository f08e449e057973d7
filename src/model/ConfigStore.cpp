#include "model/ConfigStore.h"

#include "model/AppPaths.h"
#include "model/IsoDate.h"
#include "model/JsonFields.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace glossivo {

namespace {
constexpr double kSyncDelaySeconds = 5.0;
} // namespace

ConfigStore::ConfigStore(const QString& configPath, const Clock& clock, QObject* parent)
    : QObject(parent), m_file(configPath), m_clock(clock)
{
    const auto bytes = m_file.read();
    if (!bytes) return;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes);
    try {
        if (!document.isObject()) throw JsonError("config.json: not an object");
        m_config = AppConfig::fromJson(document.object());
    } catch (const JsonError&) {
        m_file.markDamaged();
    }
}

ConfigStore& ConfigStore::shared()
{
    static ConfigStore* store = new ConfigStore(AppPaths::shared().config(), Clock::system());
    return *store;
}

void ConfigStore::setConfig(const AppConfig& config)
{
    const AppConfig previous = m_config;
    m_config = config;
    if (m_config == previous) return;
    Q_EMIT configChanged();
    handleChange(previous);
}

void ConfigStore::handleChange(const AppConfig& previous)
{
    if (m_applyingSync || m_config.sameStudyValues(previous)) {
        save();
        return;
    }
    m_config.studySettingsAt = stampAfter(previous);
    Q_EMIT configChanged();
    save();
    Q_EMIT syncRequested(kSyncDelaySeconds);
}

// Every stamp lies at least one second after the previous one, even when several edits fall
// within a second or the stored stamp is ahead of this clock, so the latest edit wins a merge.
QString ConfigStore::stampAfter(const AppConfig& previous) const
{
    QDateTime stamp = IsoDate::wholeSeconds(m_clock.now());
    if (const auto settings = previous.studySettings()) {
        const QDateTime floor = settings->changedAt.addSecs(1);
        if (floor > stamp) stamp = floor;
    }
    return IsoDate::format(stamp);
}

void ConfigStore::applySync(const StudySettings& settings)
{
    AppConfig synced = m_config.withStudyValues(settings);
    synced.studySettingsAt = IsoDate::format(settings.changedAt);
    m_applyingSync = true;
    setConfig(synced);
    m_applyingSync = false;
}

void ConfigStore::save()
{
    const bool written =
        m_file.write(QJsonDocument(m_config.toJson()).toJson(QJsonDocument::Indented));
    const QString name = QFileInfo(m_file.path()).fileName();
    if (written && m_writeError) {
        m_writeError.reset();
        Q_EMIT writeRecovered(name);
    } else if (!written && !m_writeError) {
        m_writeError = m_file.lastError();
        Q_EMIT writeFailed(name, *m_writeError);
    }
}

} // namespace glossivo
