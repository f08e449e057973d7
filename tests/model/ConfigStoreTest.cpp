#include "model/ConfigStore.h"
#include "model/AppPaths.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimeZone>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace glossivo;
using glossivo::testing::DataFolder;
using glossivo::testing::FakeClock;

namespace {

class ConfigStoreTest : public ::testing::Test {
protected:
    std::unique_ptr<ConfigStore> open()
    {
        return std::make_unique<ConfigStore>(folder.path("config.json"), clock);
    }
    void writeConfig(const char* json)
    {
        folder.write(QStringLiteral("config.json"), QByteArray(json));
    }
    QJsonObject stored() const
    {
        return QJsonDocument::fromJson(folder.read(QStringLiteral("config.json"))).object();
    }

    DataFolder folder;
    FakeClock clock{QDateTime(QDate(2026, 10, 7), QTime(8, 0, 0, 400), QTimeZone::utc())};
};

} // namespace

TEST_F(ConfigStoreTest, missingFileGivesDefaultsAndWritesNothing)
{
    const auto store = open();
    EXPECT_EQ(store->config(), AppConfig());
    EXPECT_EQ(store->config().baseURL, QStringLiteral("https://api.deepseek.com"));
    EXPECT_EQ(store->config().model, QStringLiteral("deepseek-chat"));
    EXPECT_EQ(store->config().excludedBundleIDs.size(), 9);
    EXPECT_TRUE(folder.files().isEmpty());
}

TEST_F(ConfigStoreTest, olderFilesReadKeyByKey)
{
    writeConfig(R"({"apiKey": "sk-1", "hoverKey": "Shift", "regionKey": 7, "futureKey": [1]})");
    const auto store = open();
    AppConfig expected;
    expected.apiKey = QStringLiteral("sk-1");
    EXPECT_EQ(store->config(), expected);

    writeConfig(
        R"({"hoverKey": "control", "regionKey": null, "excludedBundleIDs": [], "dwellSeconds": 2})");
    const auto second = open();
    EXPECT_EQ(second->config().hoverKey, ModifierKey::control);
    EXPECT_EQ(second->config().regionKey, ModifierKey::control);
    EXPECT_TRUE(second->config().excludedBundleIDs.isEmpty());
    EXPECT_EQ(second->config().dwellSeconds, 2.0);
}

TEST_F(ConfigStoreTest, aValueOfTheWrongTypeFallsBackToAllDefaults)
{
    for (const char* json :
         {R"({"apiKey": "sk-1", "learningSlots": "30"})", R"({"apiKey": "sk-1", "menuBarWord": 1})",
          R"({"apiKey": "sk-1", "learningSlots": 2.5})",
          R"({"apiKey": "sk-1", "excludedBundleIDs": ["a", 3]})", R"(["apiKey"])", "{not json"}) {
        writeConfig(json);
        EXPECT_EQ(open()->config(), AppConfig()) << json;
        EXPECT_EQ(folder.read(QStringLiteral("config.json")), QByteArray(json));
    }
}

TEST_F(ConfigStoreTest, aDamagedFileIsKeptAsideBeforeTheFirstChangeReplacesIt)
{
    writeConfig(R"({"apiKey": "sk-1", "learningSlots": "30"})");
    ASSERT_TRUE(QFile::setPermissions(folder.path(QStringLiteral("config.json")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const auto store = open();
    AppConfig changed = store->config();
    changed.apiKey = QStringLiteral("sk-2");
    store->setConfig(changed);

    const QStringList files = folder.files();
    ASSERT_EQ(files.size(), 2) << files.join(u' ').toStdString();
    EXPECT_TRUE(files[1].startsWith(QStringLiteral("config.json.unreadable-")));
    EXPECT_EQ(folder.read(files[1]), QByteArray(R"({"apiKey": "sk-1", "learningSlots": "30"})"));
    EXPECT_EQ(stored().value(QStringLiteral("apiKey")).toString(), QStringLiteral("sk-2"));
    // The key inside is no more readable to others in the copy than in the original.
    struct stat info {};
    ASSERT_EQ(::stat(folder.path(files[1]).toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    changed.apiKey = QStringLiteral("sk-3");
    store->setConfig(changed);
    EXPECT_EQ(folder.files().size(), 2); // the copy is made once
}

TEST_F(ConfigStoreTest, writesAllKeysSortedAndOwnerOnly)
{
    const mode_t oldMask = ::umask(0);
    const auto store = open();
    AppConfig changed = store->config();
    changed.apiKey = QStringLiteral("sk-1");
    store->setConfig(changed);
    ::umask(oldMask);

    struct stat info {};
    ASSERT_EQ(::stat(folder.path(QStringLiteral("config.json")).toLocal8Bit().constData(), &info),
              0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.files(), QStringList{QStringLiteral("config.json")}); // no temporary left

    const QByteArray text = folder.read(QStringLiteral("config.json"));
    EXPECT_EQ(stored().keys().size(), 23);
    QStringList keysInFileOrder;
    static const QRegularExpression keyLine(QStringLiteral("^\\s*\"(\\w+)\"\\s*:"),
                                            QRegularExpression::MultilineOption);
    for (auto it = keyLine.globalMatch(QString::fromUtf8(text)); it.hasNext();)
        keysInFileOrder.append(it.next().captured(1));
    QStringList sorted = keysInFileOrder;
    sorted.sort();
    EXPECT_EQ(keysInFileOrder, sorted);
    EXPECT_EQ(open()->config(), changed); // reads back what it wrote
}

TEST_F(ConfigStoreTest, equalConfigurationWritesNothing)
{
    const auto store = open();
    QSignalSpy changed(store.get(), &ConfigStore::configChanged);
    store->setConfig(AppConfig());
    EXPECT_TRUE(folder.files().isEmpty());
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(ConfigStoreTest, nonStudyChangeIsNeitherStampedNorSynced)
{
    const auto store = open();
    QSignalSpy sync(store.get(), &ConfigStore::syncRequested);
    AppConfig changed = store->config();
    changed.apiKey = QStringLiteral("sk-1");
    changed.hoverKey = ModifierKey::shift;
    store->setConfig(changed);
    EXPECT_EQ(store->config().studySettingsAt, QString());
    EXPECT_EQ(sync.count(), 0);
    EXPECT_TRUE(folder.exists(QStringLiteral("config.json")));
}

TEST_F(ConfigStoreTest, studyChangesAreStampedAtLeastOneSecondApart)
{
    const auto store = open();
    EXPECT_EQ(store->config().studySettings(), std::nullopt);
    QSignalSpy sync(store.get(), &ConfigStore::syncRequested);

    AppConfig changed = store->config();
    changed.learningSlots = 20;
    store->setConfig(changed);
    EXPECT_EQ(store->config().studySettingsAt, QStringLiteral("2026-10-07T08:00:00Z"));

    changed = store->config();
    changed.learningSlots = 25;
    store->setConfig(changed);
    EXPECT_EQ(store->config().studySettingsAt,
              QStringLiteral("2026-10-07T08:00:01Z")); // ahead of the clock
    EXPECT_EQ(stored().value(QStringLiteral("studySettingsAt")).toString(),
              QStringLiteral("2026-10-07T08:00:01Z"));

    ASSERT_EQ(sync.count(), 2);
    EXPECT_EQ(sync[0][0].toDouble(), 5.0);
    EXPECT_EQ(sync[1][0].toDouble(), 5.0);
}

TEST_F(ConfigStoreTest, aStoredStampAheadOfTheClockIsStillExceeded)
{
    writeConfig(R"({"studySettingsAt": "2030-01-01T00:00:00Z"})");
    const auto store = open();
    AppConfig changed = store->config();
    changed.recallOnLookup = false;
    store->setConfig(changed);
    EXPECT_EQ(store->config().studySettingsAt, QStringLiteral("2030-01-01T00:00:01Z"));
}

TEST_F(ConfigStoreTest, stampTextsThatDoNotParseHaveNoStudySettings)
{
    AppConfig config;
    for (const char* text : {"", "yesterday", "2026-10-07T08:00:00.5Z", "2026-10-07T08:00:00",
                             "2026-02-30T08:00:00Z"}) {
        config.studySettingsAt = QString::fromLatin1(text);
        EXPECT_EQ(config.studySettings(), std::nullopt) << text;
    }
    config.studySettingsAt = QStringLiteral("2026-10-07T10:00:00+02:00");
    ASSERT_TRUE(config.studySettings());
    EXPECT_EQ(config.studySettings()->changedAt,
              QDateTime(QDate(2026, 10, 7), QTime(8, 0), QTimeZone::utc()));
    EXPECT_EQ(config.studySettings()->order(), (QList<int>{30, 8, 15, 30, 4, 30, 1}));
}

TEST_F(ConfigStoreTest, syncedSettingsAreWrittenWithoutStampOrSyncRequest)
{
    const auto store = open();
    QSignalSpy sync(store.get(), &ConfigStore::syncRequested);
    StudySettings incoming;
    incoming.sessionSize = 20;
    incoming.changedAt = QDateTime(QDate(2026, 9, 1), QTime(12, 0), QTimeZone::utc());
    store->applySync(incoming);
    EXPECT_EQ(store->config().sessionSize, 20);
    EXPECT_EQ(store->config().studySettingsAt, QStringLiteral("2026-09-01T12:00:00Z"));
    EXPECT_EQ(stored().value(QStringLiteral("sessionSize")).toInt(), 20);
    EXPECT_EQ(sync.count(), 0);

    // The same settings again change nothing, so nothing is written.
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("config.json"))));
    store->applySync(incoming);
    EXPECT_FALSE(folder.exists(QStringLiteral("config.json")));

    // A local edit afterwards is stamped and announced again.
    AppConfig changed = store->config();
    changed.dormantDays = 10;
    store->setConfig(changed);
    EXPECT_EQ(sync.count(), 1);
}

TEST(AppPathsTest, dataFolderComesFromTheEnvironmentWhenNotEmpty)
{
    EXPECT_EQ(AppPaths::supportDirFor(QStringLiteral("/tmp/glossivo-data")),
              QStringLiteral("/tmp/glossivo-data"));
    EXPECT_TRUE(AppPaths::supportDirFor(QString()).endsWith(QStringLiteral("/Glossivo")));
    EXPECT_EQ(AppPaths(QStringLiteral("/d")).log(), QStringLiteral("/d/learning-log.jsonl"));
    EXPECT_EQ(AppPaths(QStringLiteral("/d")).reviewStats(), QStringLiteral("/d/review-stats.json"));
}

// The data folder holds the learner's reading; other users of the machine have no business in
// it. The per-user one is ours; a folder the learner named is theirs to open up.
TEST(AppPathsTest, theDataFolderIsForItsOwnerAlone)
{
    DataFolder home;
    qputenv("XDG_DATA_HOME", home.path(QStringLiteral("share")).toUtf8());
    const auto modeOf = [](const QString& path) {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
    };
    const QString ours = home.path(QStringLiteral("share/Glossivo"));
    const QString named = home.path(QStringLiteral("named"));
    const struct {
        QString environment, folder;
        bool existsAt0755;
        mode_t expected;
    } cases[] = {
        {QString(), ours, false, 0700},
        {QString(), ours, true, 0700},
        {named, named, false, 0700},
        {named, named, true, 0755},
    };
    for (const auto& c : cases) {
        QDir(c.folder).removeRecursively();
        if (c.existsAt0755) {
            ASSERT_TRUE(QDir().mkpath(c.folder));
            ::chmod(QFile::encodeName(c.folder).constData(), 0755);
        }
        EXPECT_EQ(AppPaths::prepare(c.environment).supportDir(), c.folder);
        EXPECT_EQ(modeOf(c.folder), c.expected) << c.folder.toStdString() << c.existsAt0755;
    }
    qunsetenv("XDG_DATA_HOME");
}
