#pragma once

#include "card/CardAI.h"
#include "card/CardController.h"
#include "card/CardSurface.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QCoro/QCoroFuture>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPromise>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo::testing {

// An AI service that answers when the test says so, in any order.
class FakeCardAI final : public CardAI {
public:
    struct Request {
        QString text; // the selection, or the passage to translate
        std::optional<QString> context;
    };

    QList<Request> explains;
    QList<Request> translations;

    // Requests left unanswered fail, so that no coroutine waits on a result that never comes.
    ~FakeCardAI() override
    {
        abandon(m_explanations);
        abandon(m_translations);
    }

    QCoro::Task<Explanation> explain(const QString& selection,
                                     const std::optional<QString>& context) override
    {
        explains.append({selection, context});
        auto promise = std::make_shared<QPromise<Explanation>>();
        promise->start();
        m_explanations.append(promise);
        return wait(promise->future());
    }

    QCoro::Task<Translation> translate(const QString& passage) override
    {
        translations.append({passage, std::nullopt});
        auto promise = std::make_shared<QPromise<Translation>>();
        promise->start();
        m_translations.append(promise);
        return wait(promise->future());
    }

    // Answers the request of that number (in the order they were made).
    void answer(qsizetype request, const Explanation& explanation)
    {
        settle(*m_explanations.at(request), explanation);
    }
    void answer(qsizetype request, const Translation& translation)
    {
        settle(*m_translations.at(request), translation);
    }
    template <class Error> void failExplain(qsizetype request, const Error& error)
    {
        fail(*m_explanations.at(request), error);
    }
    template <class Error> void failTranslation(qsizetype request, const Error& error)
    {
        fail(*m_translations.at(request), error);
    }

    // Lets the answers reach their awaiting coroutines.
    static void deliver() { QTest::qWait(20); }

private:
    template <class T> static QCoro::Task<T> wait(QFuture<T> future) { co_return co_await future; }
    template <class T> static void settle(QPromise<T>& promise, const T& value)
    {
        promise.addResult(value);
        promise.finish();
        deliver();
    }
    template <class T, class Error> static void fail(QPromise<T>& promise, const Error& error)
    {
        promise.setException(std::make_exception_ptr(error));
        promise.finish();
        deliver();
    }

    template <class T> static void abandon(QList<std::shared_ptr<QPromise<T>>>& promises)
    {
        for (const auto& promise : promises) {
            if (promise->future().isFinished()) continue;
            promise->setException(std::make_exception_ptr(std::runtime_error("abandoned")));
            promise->finish();
        }
    }

    QList<std::shared_ptr<QPromise<Explanation>>> m_explanations;
    QList<std::shared_ptr<QPromise<Translation>>> m_translations;
};

// A card window that records what the controller does with it.
class FakeSurface final : public CardSurface {
public:
    QSize size{340, 120};
    QList<CardPlacement::Screen> screenList{{QRect(0, 0, 1920, 1080), QRect(0, 32, 1920, 1048)}};
    QList<QRect> frames;
    int fronts = 0;
    int outs = 0;
    bool visible = false;

    QSize fittingSize() override { return size; }
    QList<CardPlacement::Screen> screens() const override { return screenList; }
    void setFrame(const QRect& frame) override { frames.append(frame); }
    void orderFront() override
    {
        ++fronts;
        visible = true;
    }
    void orderOut() override
    {
        ++outs;
        visible = false;
    }
};

// A card controller over a word book in a fresh data folder, a standing clock, an AI service
// the test answers and a card window the test watches.
class CardFixture : public ::testing::Test {
protected:
    CardFixture()
    {
        openBook({});
        controller = std::make_unique<CardController>(
            CardController::Services{ai, *store, [this] { return config; }, clock});
        controller->setSurface(&surface);
        controller->setHooks({[this] { return source; }, {}, {}, {}});
    }

    void openBook(const QList<WordEntry>& words)
    {
        folder.write(QStringLiteral("words.json"), QJsonDocument(Json::toArray(words)).toJson());
        store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
    }

    // Puts a word into the word book, the way an earlier save would have.
    WordEntry saveWord(const Explanation& explanation)
    {
        return store->save(explanation, PageSource()).entry;
    }

    const WordEntry* stored(const QString& headword) const
    {
        const auto found = store->index(headword);
        return found ? &store->entries().at(*found) : nullptr;
    }

    // Nothing can be written to the data folder until allowWrites().
    void blockWrites()
    {
        ASSERT_TRUE(QDir(folder.path(QString())).removeRecursively());
        QFile blocker(folder.path(QString()));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    void allowWrites()
    {
        ASSERT_TRUE(QFile::remove(folder.path(QString())));
        ASSERT_TRUE(QDir().mkpath(folder.path(QString())));
    }

    static Explanation explanation(const QString& headword,
                                   const QString& sentence = QStringLiteral("We ran home."))
    {
        Explanation made;
        made.headword = headword;
        made.meaningZh = QStringLiteral("跑");
        made.sentence = sentence;
        made.sentenceZh = QStringLiteral("我们跑回家。");
        return made;
    }

    const CardState& state() const { return controller->state(); }
    const WordCardData* word() const
    {
        const auto* card = state().as<CardState::Word>();
        return card ? &card->data : nullptr;
    }

    DataFolder folder;
    FakeClock clock;
    AppConfig config;
    PageSource source{QStringLiteral("Firefox"), QStringLiteral("https://example.com/a"),
                      QStringLiteral("A page")};
    std::unique_ptr<WordStore> store;
    FakeCardAI ai;
    FakeSurface surface;
    std::unique_ptr<CardController> controller;
};

} // namespace glossivo::testing
