#include "model/AtomicFile.h"
#include "model/CachedArrayEncoder.h"
#include "model/DocumentFile.h"
#include "model/ElementDecoder.h"
#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"
#include "model/WordEntry.h"
#include "support/DataFolder.h"
#include "support/WordBookGenerator.h"

#include <QFile>
#include <QJsonArray>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

using namespace glossivo;

namespace {

QList<WordEntry> decodeWords(const QByteArray& text)
{
    return JsonDocumentReader(text).objectList<WordEntry>("words");
}

// The same words read as the word book reads a document it wrote: each element from its own text.
// None when the document is not laid out so, or a word is refused.
std::optional<QList<WordEntry>> decodeEachWord(const QByteArray& text)
{
    const std::optional<QByteArrayList> texts = CachedArrayEncoder<WordEntry>::elementTexts(text);
    if (!texts) return std::nullopt;
    return decodeElements<WordEntry>(*texts);
}

// The document as QJsonDocument lays it out, as the word book writes it.
QByteArray laidOut(const QByteArray& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text);
    if (document.isNull()) throw std::runtime_error("not JSON");
    return document.toJson(QJsonDocument::Indented);
}

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/model/fixtures/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing fixture");
    return file.readAll();
}

// The golden word with every field filled, as the only element of a document: `field` with
// `value` (raw JSON text) in place of its own.
QByteArray wordWith(const QByteArray& field, const QByteArray& value)
{
    QJsonObject word = QJsonDocument::fromJson(fixture("words.json")).array().first().toObject();
    word.remove(QString::fromUtf8(field));
    const QByteArray rest = QJsonDocument(word).toJson(QJsonDocument::Compact);
    return "[{\"" + field + "\": " + value + "," + rest.mid(1) + "]";
}

} // namespace

// The documents on disk are what QJsonDocument wrote before: the reader must give the records
// they were made from, and the cached writer the same bytes again.
TEST(DocumentReaderTest, generatedBooksReadBackEqualAndWriteBackByteForByte)
{
    for (const auto& [count, seed] : {std::pair{1, 1U}, {300, 7U}, {1200, 2026U}}) {
        const QList<WordEntry> words = bench::generateWords(count, seed);
        const QByteArray text = bench::encodeWords(words);
        const QList<WordEntry> read = decodeWords(text);
        EXPECT_EQ(read, words) << count;
        EXPECT_EQ(decodeEachWord(text), words) << count;
        CachedArrayEncoder<WordEntry> encoder;
        EXPECT_EQ(AtomicFile::join(encoder.pieces(read)), text) << count;
        EXPECT_EQ(encoder.encode(read), text) << count; // again, from the cache
    }
}

TEST(DocumentReaderTest, goldenWordsReadAsQJsonDocumentReadsThem)
{
    const QByteArray text = fixture("words.json");
    const QList<WordEntry> read = decodeWords(text);
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read, Json::objectList<WordEntry>(QJsonDocument::fromJson(text).array(), "words"));
    EXPECT_EQ(decodeEachWord(text), read);
    EXPECT_EQ(CachedArrayEncoder<WordEntry>().encode(read), text);
}

// Every refusal of the reader: the whole document is then set aside, never half read.
TEST(DocumentReaderTest, everyMalformedValueIsRefused)
{
    const struct {
        const char* field;
        const char* value;
    } broken[] = {
        {"id", "\"{8F4C1B9E-2B63-4E0C-9A57-3D2E1F0A4B6C}\""},
        {"id", "\"not-a-uuid\""},
        {"id", "42"},
        {"headword", "null"},
        {"headword", "7"},
        {"headword", "[\"reluctant\"]"},
        {"register", "\"poetic\""},
        {"createdAt", "\"2026-10-01T12:00:00.500Z\""},
        {"createdAt", "\"2026-10-01T12:00:00\""},
        {"createdAt", "\"2026-10-01 12:00:00Z\""},
        {"createdAt", "\"2026-02-29T12:00:00Z\""},
        {"createdAt", "\"2026-10-01T24:00:00Z\""},
        {"createdAt", "\"2026-10-01T12:60:00Z\""},
        {"createdAt", "\"2026-10-01T12:00:60Z\""},
        {"createdAt", "\"2026-10-01T12:00:00+24:00\""},
        {"createdAt", "\"2026-10-01T12:00:00z\""},
        {"createdAt", "\"２026-10-01T12:00:00Z\""},
        {"createdAt", "\"0000-10-01T12:00:00Z\""},
        {"createdAt", "1759320000"},
        {"lookupCount", "\"4\""},
        {"lookupCount", "1.5"},
        {"lookupCount", "3000000000"},
        {"lookupCount", "true"},
        {"wantToLearn", "1"},
        {"wantToLearn", "\"true\""},
        {"spellLevel", "\"2\""},
        {"stage", "\"sleeping\""},
        {"examples", "{}"},
        {"examples", "[1]"},
        {"examples", "[{}]"},
        {"notes", "\"none\""},
        {"forms", "[{\"kind\": \"base\"}]"},
        {"inflections", "{\"comparative\": 3}"},
        {"inflections", "[]"},
        {"affixes", "[\"zz\"]"},
        {"affixes", "[\"re\", 1]"},
        {"review", "{\"stability\": 1}"},
        {"review", "[]"},
        {"encounterDays", "[\"2026-10-01\", null]"},
        {"sourceKeys", "\"github.com\""},
        {"mnemonic", "false"},
    };
    ASSERT_NO_THROW(decodeWords(wordWith("lookupCount", "4")));
    ASSERT_TRUE(decodeEachWord(laidOut(wordWith("lookupCount", "4"))));
    for (const auto& [field, value] : broken) {
        EXPECT_THROW(decodeWords(wordWith(field, value)), JsonError) << field << " " << value;
        EXPECT_EQ(decodeEachWord(laidOut(wordWith(field, value))), std::nullopt)
            << field << " " << value;
    }

    for (const char* document : {"", "{}", "[1]", "[[]]", "[{}] x", "[{},]", "{\"words\": []}",
                                 "[\"\xff\"]", "[01]", "[{\"headword\": \"a\x01\"}]"})
        EXPECT_THROW(decodeWords(document), JsonError) << document;
}

// A word book's records are decoded in parts at once; a bad record far into it still refuses
// the whole, with the error of the first bad record, as read one by one.
TEST(DocumentReaderTest, theFirstBadRecordOfALongListIsTheOneRefused)
{
    QJsonArray words = Json::toArray(bench::generateWords(1500, 3));
    const auto spoil = [&](qsizetype at, const char* field, const QJsonValue& value) {
        QJsonObject word = words[at].toObject();
        word.insert(QLatin1String(field), value);
        words[at] = word;
    };
    const auto error = [&] {
        try {
            decodeWords(QJsonDocument(words).toJson());
        } catch (const JsonError& refused) {
            return std::string(refused.what());
        }
        return std::string("read");
    };
    spoil(1400, "headword", 7);
    EXPECT_EQ(error(), "headword: expected text");
    spoil(900, "lookupCount", "4");
    EXPECT_EQ(error(), "lookupCount: expected an integer");
    words[20] = 1;
    EXPECT_EQ(error(), "words: expected an object");
}

TEST(DocumentReaderTest, nullsRepeatedKeysOffsetsAndBrokenSurrogatesReadAsBefore)
{
    const WordEntry plain = decodeWords(wordWith("lookupCount", "4")).first();
    // An optional key that is null counts as missing.
    EXPECT_EQ(decodeWords(wordWith("mnemonic", "null")).first().mnemonic, std::nullopt);
    // A key given twice counts with its last value.
    EXPECT_EQ(decodeWords(wordWith("lookupCount", "4, \"lookupCount\": 9")).first().lookupCount, 9);
    // 1.0 is an integer, an offset is turned to UTC.
    EXPECT_EQ(decodeWords(wordWith("lookupCount", "4.0")).first().lookupCount, 4);
    EXPECT_EQ(decodeWords(wordWith("createdAt", "\"2026-10-01T20:00:00+08:00\"")).first().createdAt,
              QDateTime(QDate(2026, 10, 1), QTime(12, 0), QTimeZone::utc()));
    EXPECT_EQ(decodeWords(wordWith("createdAt", "\"2024-02-29T12:00:00Z\"")).first().createdAt,
              QDateTime(QDate(2024, 2, 29), QTime(12, 0), QTimeZone::utc()));
    // QString holds lone surrogates and QJsonDocument writes them as escapes; such a word book
    // still loads, each lone half a replacement character, a proper pair untouched.
    const WordEntry odd =
        decodeWords(wordWith("mnemonic", "\"a\\ud800b\\udc00\\\\ud800\\ud83d\\ude00\"")).first();
    EXPECT_EQ(odd.mnemonic, QStringLiteral("a\uFFFDb\uFFFD\\ud800😀"));
    EXPECT_EQ(odd.headword, plain.headword);

    // QJsonDocument writes a whole double of 2^64 or more in integer digits; it reads back.
    const double huge = 1e20;
    const QByteArray written = QJsonDocument(QJsonArray{huge}).toJson(QJsonDocument::Compact);
    const QByteArray review = "{\"difficulty\": 5.123456789012345678901, \"due\": "
                              "\"2026-10-01T12:00:00Z\", \"lastReview\": \"2026-10-01T12:00:00Z\", "
                              "\"lapses\": 0, \"level\": 1, \"reps\": 2, \"stability\": " +
                              written.mid(1, written.size() - 2) + "}";
    const QByteArray digits = "\"12345678901234567890 \\\" 12345678901234567890\"";
    const QByteArray both =
        wordWith("review", review).chopped(1) + "," + wordWith("mnemonic", digits).mid(1);
    const QList<WordEntry> large = decodeWords(both);
    ASSERT_TRUE(large.size() == 2 && large[0].review);
    EXPECT_EQ(large[0].review->stability, huge);
    EXPECT_EQ(large[0].review->difficulty, 5.123456789012345678901);
    EXPECT_EQ(large[1].mnemonic, QStringLiteral("12345678901234567890 \" 12345678901234567890"));
}

// Runs of another file are copied by the kernel, or through a buffer where it cannot copy, also
// after it copied a part.
TEST(DocumentReaderTest, textInPiecesIsWrittenWhole)
{
    glossivo::testing::DataFolder folder;
    const QString path = folder.paths().words();
    QByteArray source;
    for (int i = 0; source.size() < 10 << 20; ++i)
        source += QByteArray::number(i) + ' ';
    folder.write(QStringLiteral("source"), source);
    QFile sourceFile(folder.path(QStringLiteral("source")));
    ASSERT_TRUE(sourceFile.open(QIODevice::ReadOnly));
    QList<AtomicFile::Piece> pieces;
    QByteArray whole;
    // More pieces than one writev call takes, empty ones among them, and some of megabytes.
    for (int i = 0; i < 3000; ++i) {
        if (i % 600 == 2) // runs of the source, of megabytes, beginning anywhere
            pieces.append({sourceFile.handle(), i * 997, (1 + i % 7) << 20});
        else if (i % 7 == 0)
            pieces.append(QByteArray());
        else if (i % 1000 == 1)
            pieces.append(QByteArray(3 << 20, char('a' + i % 26)));
        else
            pieces.append(QByteArray::number(i) + ',');
        const AtomicFile::Piece& piece = pieces.back();
        whole += piece.source < 0 ? piece.bytes : source.mid(piece.offset, piece.length);
    }
    static int calls = 0;
    using Copy = ssize_t (*)(int, off_t*, int, off_t*, size_t, unsigned);
    const Copy copies[] = {
        nullptr,
        [](int, off_t*, int, off_t*, size_t, unsigned) -> ssize_t { return errno = EXDEV, -1; },
        [](int in, off_t* from, int out, off_t* to, size_t size, unsigned flags) -> ssize_t {
            if (++calls > 1) return errno = ENOSYS, -1;
            return ::copy_file_range(in, from, out, to, std::min<size_t>(size, 1000), flags);
        }};
    for (const Copy copy : copies) {
        calls = 0;
        AtomicFile::setCopyCall(copy);
        EXPECT_TRUE(DocumentFile(path).write(pieces));
        AtomicFile::setCopyCall(nullptr);
        EXPECT_EQ(folder.read(QStringLiteral("words.json")), whole);
    }
}
