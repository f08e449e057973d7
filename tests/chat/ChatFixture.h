#pragma once

#include "card/AskSession.h"
#include "card/CardFixture.h"
#include "card/views/AskView.h"
#include "support/DarkPalette.h"
#include "support/FakeChatServer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>

#include <memory>

namespace glossivo::testing {

// A sentence chat over a word book in a fresh data folder and the fake chat service, drawn by
// the chat view at the window's size, in a light or dark host.
class ChatFixture : public CardFixture {
protected:
    ChatFixture()
    {
        config.apiKey = QStringLiteral("sk-chat-view-5e1a");
        config.baseURL = server.baseURL();
        session = std::make_unique<AskSession>(
            *store, [this] { return config; }, clock);
    }
    void makeView(bool dark = false)
    {
        host = std::make_unique<QWidget>();
        if (dark) host->setPalette(darkPalette());
        view = new AskView(
            *session, [this](const QUrl& url) { opened.append(url); }, host.get());
        view->resize(460, 600);
        host->resize(460, 600);
    }

    static FakeReply answer(const QStringList& pieces,
                            FakeReply::Ending ending = FakeReply::Ending::complete)
    {
        return FakeReply::streamed(pieces, ending);
    }

    static AskContext wordContext(
        const QString& passage = QStringLiteral("After the rain stopped, we ran all the way home."))
    {
        return {passage, QStringLiteral("雨停之后，我们一路跑回了家。"), QStringLiteral("ran"),
                explanation(QStringLiteral("ran")), std::nullopt};
    }

    bool waitUntilIdle() const
    {
        return FakeChatServer::waitFor([this] { return !session->isAnswering(); });
    }

    // The named child of the view that is shown; pieces replaced by a redraw are hidden.
    template <class T = QWidget> T* find(const char* name) const
    {
        for (T* child : view->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(view)) return child;
        return nullptr;
    }
    template <class T = QWidget> QList<T*> all(const char* name) const
    {
        QList<T*> shown;
        for (T* child : view->findChildren<T*>(QString::fromLatin1(name)))
            if (child->isVisibleTo(view)) shown.append(child);
        return shown;
    }

    QScrollBar* conversationBar() const
    {
        return view->findChild<QScrollArea*>(QStringLiteral("conversation"))->verticalScrollBar();
    }

    FakeChatServer server;
    std::unique_ptr<AskSession> session;
    std::unique_ptr<QWidget> host;
    AskView* view = nullptr;
    QList<QUrl> opened;
};

} // namespace glossivo::testing
