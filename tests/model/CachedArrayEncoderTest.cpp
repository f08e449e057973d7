#include "model/CachedArrayEncoder.h"
#include "model/JsonFields.h"
#include "model/WordEntry.h"

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
