#pragma once

#include "card/AddWordState.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeChatServer.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo::testing {

// A word book in a fresh data folder and a chat-completion service on this machine, with a key
// for it; the add-word state or window is made over them by the test.
class AddWordFixture : public ::testing::Test {
protected:
    AddWordFixture()
    {
        config.apiKey = QStringLiteral("sk-test-add-word");
        config.baseURL = server.baseURL();
        store = std::make_unique<WordStore>(folder.paths(), clock, [this] { return config; });
    }

    AddWordState::ConfigSource configSource()
    {
        return [this] { return config; };
    }

    // The service's next answer, written as the AI writes it (snake_case keys).
    void answer(const QJsonObject& reply)
    {
        server.enqueue(FakeReply::chatContent(
            QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact))));
    }

    static QJsonObject word(const QString& headword,
                            const QString& meaningZh = QStringLiteral("收到"))
    {
        return {{"headword", headword},
                {"meaning_zh", meaningZh},
                {"pos", "v."},
                {"phonetic", "/rɪˈsiːv/"},
                {"sentence", "Did you " + headword + " my letter?"},
                {"sentence_zh", QStringLiteral("你收到我的信了吗？")}};
    }

    // The system and the user message of the request of that number.
    QString systemMessage(qsizetype request) const { return message(request, 0); }
    QString userMessage(qsizetype request) const { return message(request, 1); }

    QJsonArray wordsOnDisk() const
    {
        return QJsonDocument::fromJson(folder.read(QStringLiteral("words.json"))).array();
    }

    // A folder where words.json belongs: the word book cannot write it until allowWrites().
    void blockWrites() const
    {
        // The word book holds everything in memory and writes it whole again later.
        QFile::remove(folder.path(QStringLiteral("words.json")));
        ASSERT_TRUE(QDir(folder.path({})).mkdir(QStringLiteral("words.json")));
    }
    void allowWrites() const
    {
        ASSERT_TRUE(QDir(folder.path(QStringLiteral("words.json"))).removeRecursively());
    }

    DataFolder folder;
    FakeClock clock;
    FakeChatServer server;
    AppConfig config;
    std::unique_ptr<WordStore> store;

private:
    QString message(qsizetype request, qsizetype index) const
    {
        if (request >= server.requests().size()) return QStringLiteral("(no request)");
        const QJsonArray messages = server.requests().at(request).json()["messages"].toArray();
        return messages.at(index)["content"].toString();
    }
};

} // namespace glossivo::testing
