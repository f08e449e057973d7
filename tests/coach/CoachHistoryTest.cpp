#include "CoachFixture.h"

#include "coach/CoachHistory.h"

#include <QDir>
#include <QJsonArray>

using namespace glossivo;
using glossivo::testing::DataFolder;

namespace {

const QString kFile = QStringLiteral("coach.json");

QString dayKey(int n)
{
    return QDate(2026, 9, 1).addDays(n).toString("yyyy-MM-dd");
}

class CoachHistoryTest : public ::testing::Test {
protected:
    CoachHistory open() const { return CoachHistory(folder.path(kFile)); }

    QJsonArray stored() const { return QJsonDocument::fromJson(folder.read(kFile)).array(); }

    QStringList storedDays() const
    {
        QStringList days;
        for (const QJsonValue& day : stored())
            days.append(day.toObject()["day"].toString());
        return days;
    }

    DataFolder folder;
};

} // namespace

TEST_F(CoachHistoryTest, onlyMessagesWithTextAreFiledAndKeysAreSorted)
{
    CoachHistory history = open();
    history.record("2026-10-07", {CoachMessage::placeholder()});
    EXPECT_FALSE(folder.exists(kFile)); // nothing to keep: nothing written

    const CoachMessage brief = CoachMessage::make(true, "简报 a/b");
    const CoachMessage chip = CoachMessage::make(false, "长请求", QStringLiteral("标题"));
    history.record("2026-10-07", {brief, chip, CoachMessage::placeholder()});
    const QByteArray text = folder.read(kFile);
    const auto at = [&text](const char* key) { return text.indexOf(key); };
    EXPECT_LT(at("\"day\""), at("\"messages\""));
    EXPECT_LT(at("\"fromCoach\""), at("\"id\""));
    EXPECT_LT(at("\"id\""), at("\"text\""));
    EXPECT_TRUE(text.contains("\n    ")); // pretty-printed
    const QJsonArray messages = stored()[0].toObject()["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_FALSE(messages[0].toObject().contains("shown"));
    EXPECT_EQ(messages[1]["shown"].toString(), "标题");
    EXPECT_EQ(messages[0]["id"].toString(), Json::uuidText(brief.id));

    EXPECT_EQ(open().days(), (QList<CoachDay>{{"2026-10-07", {brief, chip}}}));
    // A later failure that leaves nothing with text keeps the stored day.
    history.record("2026-10-07", {});
    EXPECT_EQ(open().days().size(), 1);
}

TEST_F(CoachHistoryTest, thirtyDaysAreKeptOneDayPerKeyNewestLast)
{
    CoachHistory history = open();
    for (int n = 0; n < 30; ++n)
        history.record(dayKey(n), {CoachMessage::make(true, QString::number(n))});
    EXPECT_EQ(storedDays().size(), 30);

    history.record(dayKey(30), {CoachMessage::make(true, "new")});
    QStringList expected;
    for (int n = 1; n <= 30; ++n)
        expected.append(dayKey(n));
    EXPECT_EQ(storedDays(), expected);

    // Saving a day already there replaces it and moves it to the end.
    history.record(dayKey(5), {CoachMessage::make(true, "again")});
    expected.removeAll(dayKey(5));
    expected.append(dayKey(5));
    EXPECT_EQ(storedDays(), expected);
    EXPECT_EQ(open().days().last().messages.first().text, "again");
}

TEST_F(CoachHistoryTest, oneDamagedRecordEmptiesTheHistoryAndTheFileIsKeptAside)
{
    const QByteArray good =
        R"([{"day": "2026-10-06", "messages": [{"fromCoach": true, "id": "5B0C2D4E-1F2A-4B3C-8D9E-0A1B2C3D4E5F", "text": "昨天"}]}])";
    ASSERT_EQ(CoachHistory(folder.path(kFile)).days().size(), 0);
    folder.write(kFile, good);
    ASSERT_EQ(open().days().size(), 1);

    const QList<QByteArray> damaged{
        QByteArray(good).replace(R"("id": "5B0C2D4E-1F2A-4B3C-8D9E-0A1B2C3D4E5F", )", ""),
        QByteArray(good).replace(R"("text": "昨天")", R"("text": 3)"),
        QByteArray(good).replace(R"("day": "2026-10-06", )", ""),
        QByteArray(good).replace(R"("fromCoach": true, )", ""),
        R"({"day": "2026-10-06"})",
        good.left(good.size() - 3),
    };
    for (const QByteArray& bytes : damaged) {
        const DataFolder own;
        own.write(kFile, bytes);
        CoachHistory history(own.path(kFile));
        EXPECT_TRUE(history.days().isEmpty()) << bytes.toStdString();

        history.record("2026-10-07", {CoachMessage::make(true, "今天")});
        const QStringList files = own.files();
        ASSERT_EQ(files.size(), 2) << files.join(' ').toStdString();
        EXPECT_TRUE(files[1].startsWith("coach.json.unreadable-"));
        EXPECT_EQ(own.read(files[1]), bytes);
        EXPECT_EQ(CoachHistory(own.path(kFile)).days().size(), 1);
    }
}

TEST_F(CoachHistoryTest, thePreviousBriefIsTheNewestEarlierDaysFirstCoachMessage)
{
    CoachHistory history = open();
    EXPECT_FALSE(history.previousBriefing("2026-10-07"));
    history.record("2026-10-04", {CoachMessage::make(true, "older brief")});
    history.record("2026-10-05",
                   {CoachMessage::make(false, "question"), CoachMessage::make(true, "first answer"),
                    CoachMessage::make(true, "second answer")});
    history.record("2026-10-07", {CoachMessage::make(true, "today's brief")});

    const auto previous = history.previousBriefing("2026-10-07");
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous->day, "2026-10-05");
    EXPECT_EQ(previous->text, "first answer");

    // A newest earlier day without a coach message gives none, whatever older days hold.
    history.record("2026-10-06", {CoachMessage::make(false, "only a question")});
    EXPECT_FALSE(history.previousBriefing("2026-10-07"));
    EXPECT_EQ(history.previousBriefing("2026-10-06")->text, "today's brief");
}
