#include "sync/SyncService.h"

#include "model/AppPaths.h"
#include "model/ConfigStore.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "sync/CanonicalWordTexts.h"
#include "sync/PinnedSession.h"
#include "sync/SyncError.h"
#include "sync/SyncPass.h"
#include "sync/SyncProtocol.h"
#include "sync/SyncState.h"

#include <QPointer>

namespace glossivo {

namespace {

constexpr std::chrono::seconds period{600};
constexpr double afterChangeSeconds = 5.0;
// Passes come in bursts, five seconds after each change while the user studies, and keep the
// words' texts for each other; a pass every ten minutes at rest needs none of them.
constexpr std::chrono::minutes releaseAfter{5};

// GCC 12 cannot compile QStringLiteral inside a coroutine, so these are built outside.
QString pingPath()
{
    return QStringLiteral("/v1/ping");
}

QByteArray getMethod()
{
    return QByteArrayLiteral("GET");
}

QList<int> pingStatuses()
{
    return {200};
}

// A failure without a sentence of its own (an unreadable document from the server, a file that
// could not be written): the technical reason follows on a second line.
QString failedText(const std::exception& error)
{
    return QStringLiteral("同步出错了：这次同步没有完成。\n") + QString::fromUtf8(error.what());
}

QString errorText(const SyncError& error)
{
    switch (error.kind()) {
    case SyncError::Kind::http:
        if (error.status() == 401) return QStringLiteral("同步码里的密码不对");
        return QStringLiteral("服务器出错了（%1）").arg(error.status());
    case SyncError::Kind::busy:
        return QStringLiteral("服务器上的单词本一直在变，过一会儿再试");
    case SyncError::Kind::certificate:
        return QStringLiteral("服务器的证书对不上，可能连到了别的地方");
    case SyncError::Kind::connection:
        return QStringLiteral("连不上同步服务器（没网，或者服务器停了）");
    case SyncError::Kind::address:
        return QStringLiteral("同步码里的服务器地址不对，只能用 https:// 开头的地址");
    case SyncError::Kind::tooLarge:
        return QStringLiteral("服务器发来的内容太大（超过 256 MB），不像是单词本，这次没有同步");
    case SyncError::Kind::encoding:
        return QStringLiteral("同步出错了：合并后的单词本写不出来，这次什么也没有上传。\n") +
               QString::fromUtf8(error.what());
    }
    return failedText(error);
}

// Holds the flag for exactly as long as the word book takes over merged data.
class ApplyingScope {
public:
    explicit ApplyingScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ApplyingScope() { m_flag = false; }
    ApplyingScope(const ApplyingScope&) = delete;
    ApplyingScope& operator=(const ApplyingScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

SyncService::SyncService(WordStore& store, ConfigStore& config, QString statePath,
                         const Clock& clock, ScheduleTimer::Factory timers, QObject* parent)
    : QObject(parent), m_store(store), m_config(config), m_statePath(std::move(statePath)),
      m_clock(clock), m_timers(std::move(timers))
{
    if (const auto state = SyncState::read(m_statePath)) m_lastSyncAt = state->lastSyncAt;
    connect(&m_config, &ConfigStore::syncRequested, this, &SyncService::syncSoon);
    m_release.setSingleShot(true);
    m_release.setInterval(releaseAfter);
    connect(&m_release, &QTimer::timeout, this, &SyncService::releaseKept);
}

SyncService::~SyncService() = default;

SyncService& SyncService::shared()
{
    static SyncService* service = new SyncService(WordStore::shared(), ConfigStore::shared(),
                                                  AppPaths::shared().syncState(), Clock::system());
    return *service;
}

void SyncService::start()
{
    if (!m_watching) {
        m_watching = true;
        connect(&m_store, &WordStore::willChange, this, [this] {
            if (!m_applying) syncSoon(afterChangeSeconds);
        });
    }
    if (!m_timer) m_timer = m_timers(true, [this] { syncNow(); });
    m_timer->start(period);
    syncNow();
}

void SyncService::syncSoon(double seconds)
{
    // Starting the one timer again puts off the pass it was waiting for.
    if (!m_soon) m_soon = m_timers(false, [this] { syncNow(); });
    m_soon->start(std::chrono::milliseconds(qRound64(qMax(0.0, seconds) * 1000.0)));
}

QCoro::Task<bool> SyncService::syncNow()
{
    const std::optional<SyncLink> link = SyncLink::fromConfig(m_config.config());
    if (!link || m_busy) co_return true;
    m_busy = true;
    Q_EMIT changed();

    QPointer<SyncService> self(this);
    SyncPass pass(
        m_store, m_statePath, m_clock, [this](const SyncBundle& merged) { applyMerged(merged); },
        &m_known);
    std::optional<QString> error;
    std::optional<QString> detail;
    try {
        co_await pass.run(*link);
    } catch (const std::exception& failure) {
        error = describe(failure);
        detail = QString::fromUtf8(failure.what());
    }
    if (!self) co_return !error;
    finishPass(error, detail);
    co_return !error;
}

void SyncService::finishPass(std::optional<QString> error, std::optional<QString> detail)
{
    if (error) {
        m_lastError = std::move(error);
        m_lastErrorDetail = std::move(detail);
    } else {
        m_lastError.reset();
        m_lastSyncAt = m_clock.now();
    }
    m_busy = false;
    m_release.start();
    Q_EMIT changed();
}

void SyncService::releaseKept()
{
    if (m_busy) return;
    CanonicalWordTexts::shared().release();
}

void SyncService::applyMerged(const SyncBundle& merged)
{
    ApplyingScope scope(m_applying);
    m_store.applySync(merged);
}

QCoro::Task<std::optional<QString>> SyncService::test(SyncLink link)
{
    try {
        const QNetworkRequest ping = SyncProtocol::request(link, pingPath());
        PinnedSession session(link);
        co_await session.send(ping, getMethod(), QByteArray(), pingStatuses());
    } catch (const std::exception& failure) {
        co_return describe(failure);
    }
    co_return std::nullopt;
}

QString SyncService::describe(const std::exception& error)
{
    if (const auto* sync = dynamic_cast<const SyncError*>(&error)) return errorText(*sync);
    return failedText(error);
}

} // namespace glossivo
