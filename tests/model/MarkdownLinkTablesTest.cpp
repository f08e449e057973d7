#include "model/MarkdownLinkTables.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>

using namespace glossivo;

namespace {

bool escapedAt(const QString& s, qsizetype i)
{
    qsizetype slashes = 0;
    while (i - slashes - 1 >= 0 && s[i - slashes - 1] == u'\\')
        ++slashes;
    return slashes % 2 == 1 && QStringView(u"()\"'\\<>").contains(s[i]);
}

qsizetype firstFrom(const QString& s, qsizetype i, const std::function<bool(qsizetype)>& wanted)
{
    for (; i < s.size(); ++i)
        if (wanted(i)) return i;
    return -1;
}

} // namespace

// The tables answer what reading on from each place would find, over texts long enough to need
// every level of them, with the characters a link's tail cares about now sparse, now dense.
TEST(MarkdownLinkTables, AnswerAsReadingOnWould)
{
    QRandomGenerator random(35);
    for (const QString& alphabet :
         {QStringLiteral("ab() \"'<>\n\\"),
          QStringLiteral("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa()\\ ")}) {
        QString s;
        for (int i = 0; i < 9000; ++i)
            s += alphabet[random.bounded(int(alphabet.size()))];
        const MarkdownLinkTables tables(s);
        const auto depth = [&s](qsizetype at) {
            qsizetype d = 0;
            for (qsizetype k = 0; k < at; ++k)
                d += escapedAt(s, k) ? 0 : s[k] == u'(' ? 1 : s[k] == u')' ? -1 : 0;
            return d;
        };
        for (qsizetype i = 0; i <= s.size(); i += 1 + random.bounded(40)) {
            const auto end = [&s](qsizetype found) { return found < 0 ? s.size() : found; };
            EXPECT_EQ(tables.spaceFrom(i), end(firstFrom(s, i, [&s](qsizetype k) {
                          return s[k] == u' ' || s[k] == u'\n';
                      })));
            EXPECT_EQ(tables.nonSpaceFrom(i), end(firstFrom(s, i, [&s](qsizetype k) {
                          return s[k] != u' ' && s[k] != u'\n';
                      })));
            for (const QChar quote : {QChar(u'"'), QChar(u'\'')})
                EXPECT_EQ(tables.quote(quote, i), firstFrom(s, i, [&](qsizetype k) {
                              return s[k] == quote && !escapedAt(s, k);
                          }));
            EXPECT_EQ(tables.angleStop(i), firstFrom(s, i, [&s](qsizetype k) {
                          return QStringView(u"<>\n").contains(s[k]);
                      }));
            const qsizetype here = depth(i);
            qsizetype closing = -1;
            for (qsizetype k = i, d = here; k < s.size() && closing < 0; ++k) {
                d += escapedAt(s, k) ? 0 : s[k] == u'(' ? 1 : s[k] == u')' ? -1 : 0;
                if (d < here) closing = k;
            }
            EXPECT_EQ(tables.closingParen(i), closing) << i;
            const qsizetype to = std::min(s.size(), i + qsizetype(random.bounded(300)));
            EXPECT_EQ(tables.balanced(i, to), here == depth(to)) << i << ' ' << to;
        }
    }
}
