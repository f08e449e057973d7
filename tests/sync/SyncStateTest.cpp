#include "sync/SyncState.h"
#include "support/DataFolder.h"

#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

TEST(SyncStateFile, WritesSortedKeysAndReadsItBack)
{
    DataFolder folder;
    const SyncLink link{"https://h.example", "token-0123456789", QString(64, u'a')};
    SyncState state = SyncState::fresh(link);
    state.version = 12;
    state.hash = "abc";
    state.lastSyncAt = QDateTime(QDate(2026, 10, 7), QTime(8, 0, 0, 750), QTimeZone::utc());
    ASSERT_TRUE(state.write(folder.path("sync-state.json")));

    const QByteArray text = folder.read("sync-state.json");
    EXPECT_TRUE(text.contains("\"lastSyncAt\": \"2026-10-07T08:00:00Z\"")) << text.toStdString();
    EXPECT_LT(text.indexOf("\"hash\""), text.indexOf("\"server\""));
    EXPECT_FALSE(text.contains(link.token.toUtf8()));
    // Nothing in the file, which others may come to read, lets them test guesses of the code.
    EXPECT_FALSE(text.contains(SyncState::codeOf(link).toUtf8()));
    for (const char* name : {"sync-state.json", "sync-state.key"})
        EXPECT_EQ(QFile::permissions(folder.path(name)),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser)
            << name;
    const SyncState read = SyncState::readFor(folder.path("sync-state.json"), link);
    EXPECT_EQ(read.version, 12);
    EXPECT_EQ(read.hash, "abc");
    EXPECT_EQ(read.lastSyncAt, QDateTime(QDate(2026, 10, 7), QTime(8, 0), QTimeZone::utc()));
}

TEST(SyncStateFile, AnythingUnusableGivesTheFreshState)
{
    DataFolder folder;
    const SyncLink link{"https://h.example", "token-0123456789", QString(64, u'a')};
    const QString code = SyncState::codeOf(link);
    const struct {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"not JSON", "{"},
        {"not an object", "[]"},
        {"version missing", R"({"server":"https://h.example","hash":""})"},
        {"version not whole", R"({"server":"https://h.example","hash":"","version":1.5})"},
        {"version as text", R"({"server":"https://h.example","hash":"","version":"3"})"},
        {"written before codes were told apart",
         R"({"server":"https://h.example","hash":"x","version":3})"},
        {"written with the code unkeyed",
         R"({"server":"https://h.example","hash":"x","version":3,"codeHash":")" + code.toUtf8() +
             R"("})"},
    };
    // A key of this device exists, so only the way the code was written can fail.
    SyncState::fresh(link).write(folder.path("sync-state.json"));
    for (const auto& c : cases) {
        folder.write("sync-state.json", c.text);
        const SyncState state = SyncState::readFor(folder.path("sync-state.json"), link);
        EXPECT_EQ(state.version, 0) << c.name;
        EXPECT_EQ(state.hash, "") << c.name;
        EXPECT_EQ(state.server, link.server) << c.name;
        EXPECT_EQ(state.code, code) << c.name;
    }
    EXPECT_EQ(SyncState::read(folder.path("missing.json")), std::nullopt);
}
