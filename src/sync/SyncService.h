#pragma once

#include "model/Clock.h"
#include "sync/KnownLocalHash.h"
#include "sync/ScheduleTimer.h"
#include "sync/SyncBundle.h"
#include "sync/SyncLink.h"

#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <exception>
#include <optional>

namespace glossivo {

class ConfigStore;
class WordStore;

// Decides when the word book is synced with the server of the configured sync code: at start,
// every ten minutes, five seconds after the word book or the study settings stop changing, and
// on demand. One pass at a time; a trigger that finds a pass running is dropped. A failure
// never escapes: it becomes lastError (the sentence for the user) and lastErrorDetail.
class SyncService : public QObject {
    Q_OBJECT

public:
    // The word book, the configuration and the clock must outlive the service.
    SyncService(WordStore& store, ConfigStore& config, QString statePath, const Clock& clock,
                ScheduleTimer::Factory timers = &ScheduleTimer::qt, QObject* parent = nullptr);
    ~SyncService() override;

    // The process's service over the shared word book and configuration.
    static SyncService& shared();

    bool busy() const { return m_busy; }
    const std::optional<QString>& lastError() const { return m_lastError; }
    // The end of the last good pass; before the first one, the time sync-state.json remembers.
    const std::optional<QDateTime>& lastSyncAt() const { return m_lastSyncAt; }
    const std::optional<QString>& lastErrorDetail() const { return m_lastErrorDetail; }
    // True only while a pass hands merged data to the word book.
    bool applying() const { return m_applying; }

    // Called once at launch: passes after changes and every ten minutes from now on, and one
    // pass at once.
    void start();
    // One pass with the configured sync code. True without contacting anyone when no complete
    // code is configured or a pass is running; otherwise whether the pass succeeded.
    QCoro::Task<bool> syncNow();
    // A pass this many seconds after the last of a burst of calls.
    void syncSoon(double seconds);
    // Lets go of what passes keep for the next one; called after five minutes without a pass.
    void releaseKept();

    // Whether the server of a link that is not stored yet answers with its token and pin: none
    // when it does, else the sentence for the user.
    static QCoro::Task<std::optional<QString>> test(SyncLink link);
    // The one-line sentence for the user for any failure of a pass or a test.
    static QString describe(const std::exception& error);

Q_SIGNALS:
    // busy, lastError or lastSyncAt changed.
    void changed();

private:
    void applyMerged(const SyncBundle& merged);
    void finishPass(std::optional<QString> error, std::optional<QString> detail);

    WordStore& m_store;
    ConfigStore& m_config;
    QString m_statePath;
    const Clock& m_clock;
    ScheduleTimer::Factory m_timers;

    bool m_busy = false;
    std::optional<QString> m_lastError;
    std::optional<QDateTime> m_lastSyncAt;
    std::optional<QString> m_lastErrorDetail;
    std::unique_ptr<ScheduleTimer> m_soon;
    std::unique_ptr<ScheduleTimer> m_timer;
    bool m_watching = false;
    bool m_applying = false;
    KnownLocalHash m_known;
    QTimer m_release;
};

} // namespace glossivo
