#include "selftest/SelfTest.h"

#include "model/AppPaths.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "selftest/FailureText.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <functional>
#include <optional>

namespace glossivo::SelfTest {

namespace {

std::optional<QDateTime> stamp(const ConfigStore& store)
{
    const auto settings = store.config().studySettings();
    if (!settings) return std::nullopt;
    return settings->changedAt;
}

// One whole-configuration change, then the stamp it left.
std::optional<QDateTime> change(ConfigStore& store, const std::function<void(AppConfig&)>& edit)
{
    AppConfig config = store.config();
    edit(config);
    store.setConfig(config);
    return stamp(store);
}

// The stamp as the configuration file holds it; none when the file does not decode.
std::optional<QString> storedStamp(const QString& configPath)
{
    QFile file(configPath);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject()) return std::nullopt;
    try {
        return AppConfig::fromJson(document.object()).studySettingsAt;
    } catch (const JsonError&) {
        return std::nullopt;
    }
}

QString choose(bool condition, const char* yes, const char* no)
{
    return QString::fromUtf8(condition ? yes : no);
}

} // namespace

bool runStudyStamp(QTextStream& out)
{
    // Checked before anything opens the data folder: the real configuration must stay untouched.
    if (qEnvironmentVariable("GLOSSIVO_DATA_DIR").isEmpty()) {
        out << QStringLiteral("要先设置 GLOSSIVO_DATA_DIR 指向一个临时文件夹（不碰真实设置）")
            << '\n';
        return false;
    }
    return checkStudyStamp(ConfigStore::shared(), AppPaths::shared().config(), out);
}

bool checkStudyStamp(ConfigStore& store, const QString& configPath, QTextStream& out)
{
    const auto t1 = change(store, [](AppConfig& c) { c.learningSlots += 10; });
    const auto t2 = change(store, [](AppConfig& c) { c.dwellSeconds += 0.5; });
    const auto t3 = change(store, [](AppConfig& c) { c.sessionSize += 5; });
    const auto written = storedStamp(configPath);

    const bool stamped = t1.has_value();
    const bool kept = t2 == t1;
    const bool later = t1 && t3 && *t3 > *t1;
    const bool saved = written && *written == store.config().studySettingsAt;

    out << QStringLiteral("改名额：") << choose(stamped, "记下了时间", "没记时间")
        << QStringLiteral("；改停住秒数：") << choose(kept, "时间不变", "时间变了")
        << QStringLiteral("；马上再改每轮题数：") << choose(later, "时间更晚", "时间没变晚")
        << QStringLiteral("；写进文件：") << choose(saved, "是", "否") << '\n';

    if (const auto& error = store.writeError())
        out << writeFailureText(QFileInfo(configPath).fileName(), *error) << '\n';

    const bool passed = stamped && kept && later && saved && !store.writeError();
    out << (passed ? QStringLiteral("OK 复习设置会记下修改时间")
                   : QStringLiteral("FAIL 复习设置的修改时间不对"))
        << '\n';
    return passed;
}

} // namespace glossivo::SelfTest
