#include "wordbook/StageActions.h"
#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "support/DataFolder.h"
#include "support/FakeClock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace glossivo {
namespace {

using testing::DataFolder;
using testing::FakeClock;

class StageActionsTest : public ::testing::Test {
protected:
    WordEntry add(const QString& headword, std::optional<Stage> stage,
                  std::optional<bool> wanted = {}, std::optional<bool> spelling = {})
    {
        WordEntry entry;
        entry.id = QUuid::createUuid();
        entry.headword = headword;
        entry.createdAt = clock.now();
        entry.stage = stage;
        entry.wantToLearn = wanted;
        entry.spellPractice = spelling;
        words.append(entry);
        return entry;
    }
    WordStore& open()
    {
        folder.write("words.json", QJsonDocument(Json::toArray(words)).toJson());
        store = std::make_unique<WordStore>(folder.paths(), clock);
        return *store;
    }
    QJsonObject stored(const QString& headword) const
    {
        for (const QJsonValue& value : QJsonDocument::fromJson(folder.read("words.json")).array())
            if (value["headword"] == headword) return value.toObject();
        return {};
    }

    DataFolder folder;
    FakeClock clock;
    QList<WordEntry> words;
    std::unique_ptr<WordStore> store;
};

QStringList titles(const QList<StageAction>& actions)
{
    QStringList shown;
    for (const StageAction& action : actions)
        shown.append(action.enabled ? action.title : action.title + "（不可用）");
    return shown;
}

TEST_F(StageActionsTest, TheItemsFollowTheStoredStageAndTheFlags)
{
    const WordEntry fresh = add("fresh", std::nullopt);
    const WordEntry wanted = add("wanted", Stage::resting, true, true);
    const WordEntry learning = add("learning", Stage::learning);
    const WordEntry mastered = add("mastered", Stage::mastered);
    WordStore& book = open();
    EXPECT_EQ(titles(stageActions(fresh, book, 30)),
              (QStringList{"想学（排到最前）", "现在就开始学", "加入常拼（多练拼写）"}));
    EXPECT_EQ(titles(stageActions(wanted, book, 30)),
              (QStringList{"取消「想学」", "现在就开始学", "移出常拼"}));
    EXPECT_EQ(titles(stageActions(learning, book, 30)),
              (QStringList{"先休息一周（让出名额）", "加入常拼（多练拼写）"}));
    EXPECT_EQ(titles(stageActions(mastered, book, 30)), (QStringList{"加入常拼（多练拼写）"}));
    // Every slot taken: shown, but not to be chosen.
    EXPECT_EQ(titles(stageActions(fresh, book, 1)),
              (QStringList{"想学（排到最前）", "现在就开始学（不可用）", "加入常拼（多练拼写）"}));
}

TEST_F(StageActionsTest, EachItemRunsItsOperation)
{
    const WordEntry wanted = add("wanted", Stage::resting, true, true);
    const WordEntry learning = add("learning", Stage::learning);
    WordStore& book = open();
    for (const StageAction& action : stageActions(wanted, book, 30))
        if (action.title != "现在就开始学") action.run();
    EXPECT_EQ(stored("wanted")["wantToLearn"], false);
    EXPECT_FALSE(stored("wanted").contains("spellPractice"));

    stageActions(wanted, book, 30).at(1).run();
    EXPECT_EQ(stored("wanted")["stage"], "learning");

    stageActions(learning, book, 30).first().run();
    EXPECT_EQ(stored("learning")["stage"], "resting");
    EXPECT_EQ(stored("learning")["restUntil"], "2026-10-14T08:00:00Z");
}

} // namespace
} // namespace glossivo
