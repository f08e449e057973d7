#include "WordBookFixture.h"

#include <QFile>

using namespace glossivo;
using glossivo::testing::WordBookFixture;

namespace {

// Written by hand from the field tables of the records, every optional field filled in one
// record and left out in another, so that a misspelt key cannot pass through a round trip of
// the same code.
const QStringList kDocuments{"words.json",        "notes.json",   "grammar.json",
                             "affixes.json",      "deleted.json", "review-stats.json",
                             "learning-log.jsonl"};

QByteArray golden(const QString& name)
{
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/model/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing fixture");
    return file.readAll();
}

class GoldenDocumentsTest : public WordBookFixture {
protected:
    void SetUp() override
    {
        for (const QString& name : kDocuments)
            folder.write(name, golden(name));
        open();
    }
};

} // namespace

TEST_F(GoldenDocumentsTest, everyRecordIsReadWithAllItsFields)
{
    ASSERT_EQ(store->entries().size(), 2);
    const WordEntry& full = store->entries()[0];
    EXPECT_EQ(full.headword, "reluctant");
    EXPECT_EQ(full.register_, Register::formal);
    ASSERT_EQ(full.examples.size(), 1);
    EXPECT_EQ(full.examples[0].sourceURL, "https://example.com/story");
    ASSERT_TRUE(full.notes && full.notes->size() == 1);
    EXPECT_EQ(full.notes->at(0).translation, "她不情愿离开。");
    ASSERT_TRUE(full.forms && full.forms->size() == 1);
    EXPECT_EQ(full.forms->at(0).count, 2);
    ASSERT_TRUE(full.review);
    EXPECT_EQ(full.review->stability, 12.5);
    EXPECT_EQ(full.review->level, 3);
    EXPECT_EQ(full.stage, Stage::resting);
    EXPECT_EQ(full.spellLevel, 2);
    EXPECT_EQ(full.wantToLearn, true);
    EXPECT_EQ(store->sentenceNotes().size(), 2);
    ASSERT_EQ(store->grammarEncounters().size(), 2);
    EXPECT_EQ(store->grammarEncounters()[0].noteZh, "went 是 go 的过去式。");
    ASSERT_EQ(store->affixEncounters().size(), 2);
    EXPECT_EQ(store->affixEncounters()[0].root, "lock");
    ASSERT_EQ(store->deleted().size(), 1);
    EXPECT_EQ(store->stats().reviewed, 7);
    EXPECT_EQ(store->stats().newLearned, 2);
    EXPECT_EQ(logged(), (QStringList{"spell 抄写 good", "graduate"}));
}

TEST_F(GoldenDocumentsTest, everyDocumentIsWrittenBackByteForByte)
{
    store->applySync(store->snapshot());
    for (const QString& name : kDocuments)
        EXPECT_EQ(folder.read(name), golden(name)) << name.toStdString();

    const QString line = QString::fromUtf8(golden("learning-log.jsonl").split('\n').first());
    EXPECT_EQ(LearningLog::Event::fromLine(line)->toLine(), line);
}
