#pragma once

#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "support/AwaitTask.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"
#include "sync/SyncLink.h"
#include "sync/SyncService.h"

#include <QJsonDocument>

#include <memory>
#include <vector>

namespace glossivo::testing {

// Timers that fire only when the test says so; they remember what they were started with.
class FakeTimers {
public:
    struct Timer final : ScheduleTimer {
        Timer(bool repeating, Timeout timeout) : repeating(repeating), timeout(std::move(timeout))
        {}
        void start(std::chrono::milliseconds value) override
        {
            interval = value;
            active = true;
            ++starts;
        }
        void stop() override { active = false; }
        void fire()
        {
            active = repeating;
            timeout();
        }

        bool repeating;
        Timeout timeout;
        std::chrono::milliseconds interval{0};
        bool active = false;
        int starts = 0;
    };

    ScheduleTimer::Factory factory()
    {
        return [this](bool repeating, ScheduleTimer::Timeout timeout) {
            auto timer = std::make_unique<Timer>(repeating, std::move(timeout));
            made.push_back(timer.get());
            return timer;
        };
    }
    // The most recent timer of each kind that is still running; null when none.
    Timer* active(bool repeating) const
    {
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            if ((*it)->repeating == repeating && (*it)->active) return *it;
        return nullptr;
    }

    std::vector<Timer*> made; // owned by the service; valid while it is
};

// One device: a data folder with its configuration, word book and sync service.
class SyncDevice {
public:
    SyncDevice()
        : config(folder.paths().config(), clock),
          store(folder.paths(), clock, [this] { return config.config(); }),
          service(store, config, folder.paths().syncState(), clock, timers.factory())
    {
        store.setStudySettingsSink(
            [this](const StudySettings& settings) { config.applySync(settings); });
    }

    void connect(const SyncLink& link)
    {
        AppConfig changed = config.config();
        changed.syncServer = link.server;
        changed.syncToken = link.token;
        changed.syncPin = link.pin;
        config.setConfig(changed);
    }

    bool sync() { return awaitTask(service.syncNow()); }

    WordEntry save(const QString& headword, const QString& sentence = QStringLiteral("I run."))
    {
        Explanation explanation;
        explanation.headword = headword;
        explanation.meaningZh = headword + QStringLiteral("的意思");
        explanation.sentence = sentence;
        return store.save(explanation, PageSource{}).entry;
    }

    QStringList headwords() const
    {
        QStringList words;
        for (const WordEntry& entry : store.entries())
            words.append(entry.headword);
        words.sort();
        return words;
    }

    QJsonObject state() const
    {
        return QJsonDocument::fromJson(folder.read(QStringLiteral("sync-state.json"))).object();
    }

    DataFolder folder;
    FakeClock clock;
    FakeTimers timers;
    ConfigStore config;
    WordStore store;
    SyncService service;
};

} // namespace glossivo::testing
