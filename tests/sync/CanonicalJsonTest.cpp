#include "sync/CanonicalJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>

using namespace glossivo;

namespace {

QByteArray written(const QJsonValue& value)
{
    return CanonicalJson::write(value).value_or("<failed>");
}

} // namespace

TEST(CanonicalJson, EscapesLikeThePeersAndSortsKeysByCodePoint)
{
    const QString text = QStringLiteral("a/b \"q\" \\ \b\f\n\r\t\x1f\x7f 中 ") +
                         QString::fromUcs4(U"\U0001F600") + QChar(0xD800);
    EXPECT_EQ(written(text), "\"a\\/b \\\"q\\\" \\\\ \\b\\f\\n\\r\\t\\u001f\x7f \xe4\xb8\xad "
                             "\xf0\x9f\x98\x80\xef\xbf\xbd\"");

    // U+FF01 sorts before an astral character in code-point order, after it in UTF-16 order.
    const QJsonObject object{{QString::fromUcs4(U"\U0001F600"), 1},
                             {QStringLiteral("\uFF01"), 2},
                             {QStringLiteral("b"), QJsonObject{{"z", 1}, {"a", QJsonArray{}}}},
                             {QStringLiteral("B"), true}};
    EXPECT_EQ(written(object),
              "{\"B\":true,\"b\":{\"a\":[],\"z\":1},\"\xef\xbc\x81\":2,\"\xf0\x9f\x98\x80\":1}");
}

TEST(CanonicalJson, SpellsEachNumberOneWayThatReadsBackAndRefusesTheRest)
{
    EXPECT_EQ(written(QJsonArray{3, 3.0, -0.0, 0.1, -2.5, 1e21, 2.5e-7, 123456789012.0}),
              "[3,3,0,0.1,-2.5,1e+21,2.5e-07,123456789012]");
    for (int i = 0; i < 2000; ++i) {
        const double value =
            (QRandomGenerator::global()->generateDouble() - 0.5) * std::pow(10, i % 24 - 12);
        const QByteArray text = written(QJsonArray{value});
        EXPECT_EQ(QJsonDocument::fromJson(text).array().at(0).toDouble(), value) << text.data();
    }
    for (double bad : {qQNaN(), qInf(), -qInf()})
        EXPECT_FALSE(CanonicalJson::write(QJsonObject{{"deep", QJsonArray{1, bad}}}));
}
