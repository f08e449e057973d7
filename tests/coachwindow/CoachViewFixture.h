#pragma once

#include "coach/CoachFacts.h"
#include "coach/CoachSession.h"
#include "coach/views/CoachView.h"
#include "model/ConfigStore.h"
#include "model/LearningLog.h"
#include "model/WordStore.h"
#include "support/DarkPalette.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakeClock.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo::testing {

// A fresh data folder whose configuration points at the fake chat service, and a coach window
// over it at the window's size in a light or dark host. The clock stands on Sunday 11 October
// 2026, 09:30 in Shanghai.
class CoachViewFixture : public ::testing::Test {
protected:
    CoachViewFixture()
        : clock(QDateTime(QDate(2026, 10, 11), QTime(9, 30), QTimeZone("Asia/Shanghai")))
    {
        setService(server.baseURL());
        store = std::make_unique<WordStore>(folder.paths(), clock, settings());
        facts = std::make_unique<CoachFacts>(*store, log, settings(), clock);
        session = makeSession();
    }

    std::function<AppConfig()> settings()
    {
        return [this] { return config.config(); };
    }
    void setService(const QString& baseURL)
    {
        AppConfig changed = config.config();
        changed.apiKey = QStringLiteral("sk-coach-view-71c2");
        changed.syncToken = QStringLiteral("sync-token-8f3a");
        changed.baseURL = baseURL;
        config.setConfig(changed);
    }
    // A session over what coach.json holds now.
    std::unique_ptr<CoachSession> makeSession()
    {
        return std::make_unique<CoachSession>(folder.paths().coach(), *facts, settings(), clock);
    }
    void makeView(bool dark = false)
    {
        host = std::make_unique<QWidget>();
        if (dark) host->setPalette(darkPalette());
        view = new CoachView(*session, *facts, clock, {}, {}, host.get());
        view->resize(500, 680);
        host->resize(500, 680);
    }

    bool waitUntilIdle() const
    {
        return FakeChatServer::waitFor([this] { return !session->isAnswering(); });
    }
    // The named child of the view that is shown (pieces replaced by a redraw are hidden), with
    // this text when one is given.
    template <class T = QWidget> T* find(const char* name, const QString& text = {}) const
    {
        for (T* child : view->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(view) && (text.isEmpty() || child->property("text") == text))
                return child;
        return nullptr;
    }
    // What the shown rows say to a screen reader, in order.
    QStringList rows() const
    {
        QStringList names;
        for (const QWidget* row : view->findChildren<QWidget*>(QStringLiteral("coachRow")))
            if (row->isVisibleTo(view)) names.append(row->accessibleName());
        return names;
    }

    FakeChatServer server;
    DataFolder folder;
    FakeClock clock;
    ConfigStore config{folder.paths().config(), clock};
    LearningLog log{folder.paths().log(), clock};
    std::unique_ptr<WordStore> store;
    std::unique_ptr<CoachFacts> facts;
    std::unique_ptr<CoachSession> session;
    std::unique_ptr<QWidget> host;
    CoachView* view = nullptr;
};

} // namespace glossivo::testing
