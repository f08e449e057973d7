#include "model/IsoDate.h"
#include "model/JsonDocumentReader.h"
#include "model/JsonFields.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>

using namespace glossivo;

namespace {

const qint64 kEarliest =
    QDateTime(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch();
const qint64 kLatest =
    QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), QTimeZone::utc()).toSecsSinceEpoch();

QDateTime utc(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

// The instant written with the given offset from UTC, as another program may write it.
QString withOffset(qint64 seconds, int offsetMinutes)
{
    const QDateTime local = utc(seconds + offsetMinutes * 60);
    const int size = std::abs(offsetMinutes);
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           (offsetMinutes < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(size / 60, 2, 10, QLatin1Char('0'))
               .arg(size % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

// Another program may write the last or first hours with an offset; one such date must not make
// the whole word book unreadable.
TEST(IsoDateTest, instantsOutsideFourDigitYearsInUTCReadAsTheNearestEnd)
{
    EXPECT_EQ(IsoDate::parse(QStringLiteral("9999-12-31T23:30:00-01:00")), utc(kLatest));
    EXPECT_EQ(IsoDate::parse(QStringLiteral("9999-12-31T23:59:59-23:59")), utc(kLatest));
    EXPECT_EQ(IsoDate::parse(QStringLiteral("0001-01-01T00:30:00+01:00")), utc(kEarliest));
    EXPECT_EQ(IsoDate::parse(QStringLiteral("0001-01-01T00:00:00+23:59")), utc(kEarliest));
    EXPECT_EQ(IsoDate::parse(QStringLiteral("0000-12-31T23:59:59Z")), std::nullopt);
    EXPECT_EQ(IsoDate::parse(QStringLiteral("9999-12-31T23:59:59Z")), utc(kLatest));
    EXPECT_EQ(IsoDate::parse(QStringLiteral("0001-01-01T00:00:00Z")), utc(kEarliest));
    EXPECT_EQ(IsoDate::parse(QStringLiteral("0001-01-01T00:30:00-01:00")), utc(kEarliest + 5400));
}

TEST(IsoDateTest, theWriterNeverProducesTextItsReaderRefuses)
{
    EXPECT_EQ(IsoDate::format(utc(kLatest + 1800)), QStringLiteral("9999-12-31T23:59:59Z"));
    EXPECT_EQ(IsoDate::format(utc(kEarliest - 1800)), QStringLiteral("0001-01-01T00:00:00Z"));

    // Instants over the whole readable range, and as many within two days of either end of it,
    // on both sides, written with any offset.
    QRandomGenerator random(20261209);
    const qint64 margin = 2 * 86400;
    for (int i = 0; i < 60000; ++i) {
        const qint64 seconds = i % 3 == 0   ? random.bounded(kEarliest, kLatest + 1)
                               : i % 3 == 1 ? random.bounded(kEarliest - margin, kEarliest + margin)
                                            : random.bounded(kLatest - margin, kLatest + margin);
        const int offset = static_cast<int>(random.bounded(-(23 * 60 + 59), 23 * 60 + 60));
        const bool inRange = kEarliest <= seconds && seconds <= kLatest;

        const std::optional<QDateTime> written = IsoDate::parse(IsoDate::format(utc(seconds)));
        ASSERT_TRUE(written.has_value()) << seconds;
        if (inRange) {
            ASSERT_EQ(*written, utc(seconds));
            // What QDateTime itself writes for it, whatever the fraction of its second.
            const QString expected =
                utc(seconds).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + u'Z';
            ASSERT_EQ(IsoDate::format(utc(seconds).addMSecs(random.bounded(1000))), expected);
            ASSERT_EQ(IsoDate::format(utc(seconds).toOffsetFromUtc(offset * 60)), expected);
        }

        const QString text = withOffset(seconds, offset);
        if (text.indexOf(u'-') != 4) continue; // no four-digit year: never a candidate
        const std::optional<QDateTime> read = IsoDate::parse(text);
        ASSERT_TRUE(read.has_value()) << text.toStdString();
        ASSERT_EQ(*read, utc(std::clamp(seconds, kEarliest, kLatest))) << text.toStdString();
        ASSERT_EQ(IsoDate::parse(IsoDate::format(*read)), read) << text.toStdString();
    }
}

// Text after a NUL is still part of the date: every reader refuses it, so that a document does
// not read one way here and another way elsewhere.
TEST(IsoDateTest, aNulAnywhereInTheTextIsRefusedByEveryReader)
{
    for (const QString& text :
         {QStringLiteral("2026-01-01T00:00:00Z"), QStringLiteral("2026-01-01T00:00:00+08:00")}) {
        for (const QString& withNul : {text + QChar(0) + QStringLiteral("junk"), text + QChar(0),
                                       QString(text).insert(10, QChar(0))}) {
            EXPECT_EQ(IsoDate::parse(withNul), std::nullopt);
            const QJsonObject object{{QStringLiteral("at"), withNul}};
            EXPECT_THROW(Json::date(object, "at"), JsonError);
            const QByteArray document = QJsonDocument(object).toJson();
            EXPECT_THROW(JsonDocumentReader(document).object().date("at"), JsonError);
        }
        EXPECT_TRUE(IsoDate::parse(text).has_value());
    }
}
