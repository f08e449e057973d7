#include "model/CachedArrayEncoder.h"
#include "model/AtomicFile.h"
#include "model/JsonFields.h"
#include "model/WordEntry.h"

#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {
WordEntry word(const QString& headword)
{
    WordEntry entry;
    entry.id = QUuid::createUuid();
    entry.headword = headword;
    entry.createdAt = QDateTime(QDate(2026, 10, 7), QTime(8, 0), QTimeZone::utc());
    entry.examples = {Example{QUuid::createUuid(), QStringLiteral("A line.\nAnother."), QString(),
                              QString(), false, std::nullopt, std::nullopt, std::nullopt,
                              entry.createdAt}};
    return entry;
}

QByteArray plain(const QList<WordEntry>& words)
{
    return QJsonDocument(Json::toArray(words)).toJson(QJsonDocument::Indented);
}
} // namespace

TEST(CachedArrayEncoderTest, writesWhatAPlainEncodingWritesAsRecordsChange)
{
    CachedArrayEncoder<WordEntry> encoder;
    QList<WordEntry> words;
    EXPECT_EQ(encoder.encode(words), plain(words));

    words = {word(QStringLiteral("one")), word(QStringLiteral("two")),
             word(QStringLiteral("three"))};
    EXPECT_EQ(encoder.encode(words), plain(words));

    words[1].lookupCount = 7; // a changed record is encoded again
    words.prepend(word(QStringLiteral("new")));
    words.removeAt(3);
    EXPECT_EQ(encoder.encode(words), plain(words));
    EXPECT_EQ(QJsonDocument::fromJson(encoder.encode(words)).array().size(), 3);

    words.append(words.front()); // a repeated id is still written twice, each as it stands
    words.back().headword = QStringLiteral("copy");
    EXPECT_EQ(encoder.encode(words), plain(words));
}

// After a load the text of the file stands in for encoding the records again; what was laid out
// differently or holds other text is found and written as the records encode.
TEST(CachedArrayEncoderTest, aSeededCacheWritesTheRecordsExactlyAsTheyEncode)
{
    const QList<WordEntry> words{word(QStringLiteral("one")), word(QStringLiteral("two")),
                                 word(QStringLiteral("three"))};
    const QByteArray canonical = plain(words);
    const QByteArray offsetDate =
        QByteArray(canonical).replace("\"2026-10-07T08:00:00Z\"", "\"2026-10-07T16:00:00+08:00\"");
    const QByteArray extraKey = QByteArray(canonical).replace(
        "\"headword\": \"two\",", "\"headword\": \"two\",\n        \"unknown\": 1,");
    const QByteArray compact = QJsonDocument(Json::toArray(words)).toJson(QJsonDocument::Compact);
    const struct {
        QByteArray document;
        bool seeds;
    } cases[] = {{canonical, true},
                 {offsetDate, true},
                 {extraKey, true},
                 {compact, false},
                 {canonical.left(canonical.size() - 1), false},
                 {QByteArray(canonical).replace("\n        \"id\"", "\n    \"id\""), false}};
    for (const auto& [document, seeds] : cases) {
        CachedArrayEncoder<WordEntry> encoder;
        EXPECT_EQ(encoder.seed(words, document), seeds) << document.constData();
        if (document == canonical) {
            EXPECT_EQ(encoder.encode(words), canonical);
        }
        encoder.finishChecking();
        EXPECT_EQ(encoder.encode(words), canonical) << document.constData();
        QList<WordEntry> changed = words;
        changed[1].lookupCount = 9;
        changed.removeAt(0);
        EXPECT_EQ(encoder.encode(changed), plain(changed)) << document.constData();
    }
    CachedArrayEncoder<WordEntry> encoder;
    EXPECT_FALSE(encoder.seed(words.mid(1), canonical)); // not as many elements as records
}

// Another writer's file may take the name in the instant after this write's rename: the texts
// are read from then on from the file this write made, never from the one now named so.
TEST(CachedArrayEncoderTest, textsAreReadFromTheFileWrittenNotFromTheName)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("words.json"));
    const QList<WordEntry> words{word(QStringLiteral("one")), word(QStringLiteral("two"))};
    CachedArrayEncoder<WordEntry> encoder;
    FileDescriptor written;
    ASSERT_TRUE(AtomicFile::write(path, encoder.pieces(words), {}, &written));
    // The same size, as a write of this program, with other words.
    QByteArray other = plain(words);
    other.replace("one", "ONE");
    ASSERT_TRUE(AtomicFile::write(path, other));
    encoder.finishWrite(std::move(written));
    EXPECT_EQ(AtomicFile::join(encoder.pieces(words)), plain(words));
}
