#include "model/InlineMarkdown.h"

#include <QList>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

// The markup inside the wrapping that keeps spaces and line breaks.
QString body(const QString& text, qsizetype end = -1, QStringView mark = u"\u2026")
{
    const QString html = end < 0 ? inlineMarkdown(text) : inlineMarkdownPrefix(text, end, mark);
    const QString open = QStringLiteral("<span style=\"white-space:pre-wrap\">");
    const QString close = QStringLiteral("</span>");
    if (html.isEmpty()) return html;
    EXPECT_TRUE(html.startsWith(open) && html.endsWith(close)) << html.toStdString();
    return html.mid(open.size(), html.size() - open.size() - close.size());
}

struct Case {
    const char* text;
    const char* markup;
};

void expectAll(const QList<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(body(QString::fromUtf8(c.text)), QString::fromUtf8(c.markup)) << c.text;
}

TEST(InlineMarkdown, InlineMarkersBecomeStylesAndLoseTheirMarkers)
{
    expectAll({
        {"用 **run** 表示 `ran`", "用 <b>run</b> 表示 <code>ran</code>"},
        {"*斜体* 和 _斜体_", "<i>斜体</i> 和 <i>斜体</i>"},
        {"~~删掉~~了", "<s>删掉</s>了"},
        {"**加粗**，然后", "<b>加粗</b>，然后"},
        {"***都有***", "<i><b>都有</b></i>"},
        {"**a *b* c**", "<b>a <i>b</i> c</b>"},
        {"*a **b** c*", "<i>a <b>b</b> c</i>"},
        {"`` a ` b ``", "<code>a ` b</code>"},
        {"[文档](https://example.com/a?b=1&c=2)",
         "<a href=\"https://example.com/a?b=1&amp;c=2\">文档</a>"},
        {"[**粗**的链接](http://a.example \"标题\")",
         "<a href=\"http://a.example\"><b>粗</b>的链接</a>"},
        {"[维基](https://en.wikipedia.org/wiki/Set_(mathematics))",
         "<a href=\"https://en.wikipedia.org/wiki/Set_(mathematics)\">维基</a>"},
        {"", ""},
    });
}

TEST(InlineMarkdown, BlockSyntaxSpacesAndLineBreaksStayAsWritten)
{
    expectAll({
        {"- **一**\n- 二", "- <b>一</b>\n- 二"},
        {"# 标题\n> 引用\n1. 第一", "# 标题\n&gt; 引用\n1. 第一"},
        {"| a | b |\n|---|---|", "| a | b |\n|---|---|"},
        {"```\nlet x = 1\n```", "```\nlet x = 1\n```"},
        {"  两个空格  \n\n\t缩进", "  两个空格  \n\n\t缩进"},
        // A blank line ends a paragraph, and every style with it.
        {"**一\n \n二** `三\n\n四` [五\n\n](https://a.example)",
         "**一\n \n二** `三\n\n四` [五\n\n](https://a.example)"},
    });
}

TEST(InlineMarkdown, MarkersThatPairWithNothingStayLiteral)
{
    expectAll({
        {"**没收尾", "**没收尾"},
        {"收尾**", "收尾**"},
        {"2 * 3 * 4", "2 * 3 * 4"},
        {"snake_case_name 和 __init__", "snake_case_name 和 <b>init</b>"},
        {"大约 3~5 天", "大约 3~5 天"},
        {"~~~", "~~~"},
        {"`没有收尾", "`没有收尾"},
        {"[a](b", "[a](b"},
        {"[只有方括号]", "[只有方括号]"},
        {"[a](b c)", "[a](b c)"},
        {"]多的[", "]多的["},
        {"\\*不是斜体\\*", "*不是斜体*"},
        {"**a*", "*<i>a</i>"},
        // A code span binds before the emphasis and the link around it.
        {"*a `*` b*", "<i>a <code>*</code> b</i>"},
        {"[a `](x)` b", "[a <code>](x)</code> b"},
    });
}

// An escaped backslash is itself and escapes nothing after it, as CommonMark reads it.
TEST(InlineMarkdown, EscapedBackslashesStayAndEscapeNothingMore)
{
    expectAll({
        {"a\\\\.b", "a\\.b"},
        {"C:\\\\\\\\Users", "C:\\\\Users"},
        {"\\\\\\*", "\\*"},
        {"\\\\*a*", "\\<i>a</i>"},
        {"**a\\\\**", "<b>a\\</b>"},
        {"\\\\`x` `a\\\\b`", "\\<code>x</code> <code>a\\\\b</code>"},
        {"[a\\\\](https://a.example)", "<a href=\"https://a.example\">a\\</a>"},
        {"\\\\[a](https://a.example)", "\\<a href=\"https://a.example\">a</a>"},
        {"\\\\< \\<", "\\&lt; &lt;"},
    });
}

TEST(InlineMarkdown, OnlyWebLinksBecomeAnchorsAndLinksDoNotNest)
{
    expectAll({
        {"[点我](javascript:alert(1))", "点我"},
        {"[密码](file:///etc/passwd)", "密码"},
        {"[邮件](mailto:a@b.example)", "邮件"},
        {"[相对](/path)", "相对"},
        {"[空]()", "空"},
        {"[外 [内](https://b.example) 外](https://a.example)",
         "[外 <a href=\"https://b.example\">内</a> 外](https://a.example)"},
        {"[引号](https://a.example/\"onclick=\"x)",
         "<a href=\"https://a.example/&quot;onclick=&quot;x\">引号</a>"},
    });
}

// No control character reaches an address, in either form of it.
TEST(InlineMarkdown, ControlCharactersInAnAddressArePercentEncoded)
{
    expectAll({
        {"[制表](<https://a.example/x\ty>)", "<a href=\"https://a.example/x%09y\">制表</a>"},
        {"[一](<https://a.example/\x01>)", "<a href=\"https://a.example/%01\">一</a>"},
        {"[删](<https://a.example/\x7f>)", "<a href=\"https://a.example/%7F\">删</a>"},
        {"[C1](https://a.example/\xc2\x80)", "<a href=\"https://a.example/%C2%80\">C1</a>"},
    });
}

TEST(InlineMarkdown, EverythingFromTheTextIsEscaped)
{
    expectAll({
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"<b>粗</b> & &lt;i&gt;", "&lt;b&gt;粗&lt;/b&gt; &amp; &lt;i&gt;"},
        {"`<img src=x onerror=alert(1)>`", "<code>&lt;img src=x onerror=alert(1)&gt;</code>"},
        {"**<i>**", "<b>&lt;i&gt;</b>"},
        {"[<b>x</b>](https://a.example)", "<a href=\"https://a.example\">&lt;b&gt;x&lt;/b&gt;</a>"},
    });
}

TEST(InlineMarkdown, CharacterReferencesStandForTheirCharacterAsText)
{
    expectAll({
        {"AT&amp;T &copy; &ngE; &#20320;&#x597D;&#X597D;", "AT&amp;T © ≧̸ 你好好"},
        {"&#0; &#xD800; &#x110000; &#9999999;", "\uFFFD \uFFFD \uFFFD \uFFFD"},
        // Unknown, without their ';' (HTML knows "&copy" alone, CommonMark does not), too long.
        {"&nosuch; &copy &#; &#x; &#12345678; &#x1234567;",
         "&amp;nosuch; &amp;copy &amp;#; &amp;#x; &amp;#12345678; &amp;#x1234567;"},
        {"`&amp;` \\&amp; \\\\&amp;", "<code>&amp;amp;</code> &amp;amp; \\&amp;"},
        {"&#42;a&#42; &#91;b&#93;(https://a.example)", "*a* [b](https://a.example)"},
        {"&lt;b&gt;x&lt;/b&gt; &quot;", "&lt;b&gt;x&lt;/b&gt; &quot;"},
        {"rtl&#x202E;evil&#8297;", "rtlevil"},
        {"[a](https://a.example/?x=1&amp;y=&#x22;)",
         "<a href=\"https://a.example/?x=1&amp;y=&quot;\">a</a>"},
    });
}

// An AI answer or a note cannot turn the text around it: "rtl\u202Eevil" would read "rtllive".
TEST(InlineMarkdown, BidirectionalControlsAreLeftOut)
{
    for (const char16_t control :
         {0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069}) {
        const QString text = QStringLiteral("**rtl") + QChar(control) + QStringLiteral("evil**");
        EXPECT_EQ(body(text), QStringLiteral("<b>rtlevil</b>")) << int(control);
        EXPECT_EQ(plainMarkup(text), plainMarkup(QStringLiteral("**rtlevil**")));
    }
}

TEST(InlineMarkdown, TextThatIsNotValidUtf16ComesBackPlain)
{
    QString broken = QStringLiteral("**粗** ");
    broken += QChar(0xd800);
    EXPECT_EQ(inlineMarkdown(broken), plainMarkup(broken));
    EXPECT_TRUE(plainMarkup(broken).contains(QStringLiteral("**粗**")));
}

TEST(InlineMarkdown, AStartIsStyledAsInTheWholeWithWhatTheCutLeavesOpenClosed)
{
    const struct {
        const char* text;
        qsizetype end;
        const char* markup;
    } cases[] = {
        {"**粗体\n继续**", 5, "<b>粗体\n</b>…"},
        {"**粗体\n继续", 5, "**粗体\n…"},
        {"*斜 `code\nmore` 完*", 9, "<i>斜 <code>code\n</code></i>…"},
        {"[链接\n文字](https://example.com)", 4, "<a href=\"https://example.com\">链接\n</a>…"},
        {"**a *b `c d` e* f**", 9, "<b>a <i>b <code>c</code></i></b>…"},
        {"`` a ` b ``", 3, "…"},
        {"a **b**", 3, "a …"},
        {"a *b", 3, "a *…"},
        {"**b** c", 4, "<b>b</b>…"},
        {"a \\*b* &amp; c", 3, "a …"},
        {"a \\*b* &amp; c", 9, "a *b* …"},
        {"一\n\n**二**", 3, "一\n\n…"},
        // Positions count in the text as given, bidirectional controls and all.
        {"\u202E**ab** \u202Ecd", 4, "<b>a</b>…"},
        {"\u202E**ab** \u202Ecd", 10, "<b>ab</b> c…"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(body(QString::fromUtf8(c.text), c.end), QString::fromUtf8(c.markup))
            << c.text << " cut at " << c.end;
}

// Random texts of markers, links, code and words, cut anywhere: the markup of the start is the
// whole's markup up to some point with the tags still open there closed, and shows every word
// character written wholly before the cut and none after it. Some words lie past the BMP, so that
// cuts fall inside surrogate pairs too.
TEST(InlineMarkdown, AStartOfAnyTextIsTheWholeUpToTheCut)
{
    const QStringList bits{"*",   "**", "_",  "~~",   "`", "[", "](https://a.example)",
                           "](x", " ",  "\n", "\n\n", "",  "",  ""};
    const QRegularExpression tag(QStringLiteral("<(/?)(\\w+)[^>]*>"));
    const QRegularExpression closers(QStringLiteral("(</\\w+>)*\\z"));
    QRandomGenerator random(7);
    for (int round = 0; round < 200; ++round) {
        QString text;
        QStringList words; // each a character of its own, from U+4E00 or U+1F600 on
        QList<qsizetype> at;
        for (int i = 0; i < 24; ++i) {
            text += bits.at(random.bounded(int(bits.size())));
            at.append(text.size());
            const auto word = char32_t((random.bounded(3) == 0 ? 0x1F600 : 0x4E00) + i);
            words.append(QString::fromUcs4(&word, 1));
            text += words.last();
        }
        const QString whole = body(text);
        for (qsizetype end = 0; end <= text.size(); ++end) {
            const QString start = body(text, end, u"");
            const qsizetype closing = start.indexOf(closers);
            QStringList open;
            for (const auto& m : tag.globalMatch(start.left(closing)))
                m.captured(1).isEmpty() ? open.append(m.captured(2)) : open.removeLast();
            QString closed;
            for (const QString& name : open)
                closed.prepend("</" + name + ">");
            ASSERT_TRUE(start.isValidUtf16() && whole.startsWith(start.left(closing)) &&
                        start.mid(closing) == closed)
                << text.toStdString() << " cut at " << end;
            for (qsizetype k = 0; k < at.size(); ++k)
                ASSERT_EQ(start.contains(words.at(k)), at.at(k) + words.at(k).size() <= end)
                    << text.toStdString() << " cut at " << end;
        }
    }
}

TEST(InlineMarkdown, HostileLongTextsFinishAndKeepEveryCharacter)
{
    // Shapes that make a naive parser search the rest of the text again at every marker.
    constexpr int size = 200000;
    QString growingTicks;
    for (int run = 1; growingTicks.size() < size; ++run)
        growingTicks += QString(run, QLatin1Char('`')) + QLatin1Char('a');
    const QList<QString> texts{
        QStringLiteral("[a](").repeated(size / 4),
        QStringLiteral("[a](b(").repeated(size / 6),
        QStringLiteral("[a](b \"").repeated(size / 7),
        QString(size, QLatin1Char('[')) + QStringLiteral("](https://a.example)"),
        QStringLiteral("*a _b ").repeated(size / 6),
        QStringLiteral("**a*").repeated(size / 4),
        QString(size, QLatin1Char('*')),
        QStringLiteral("a <").repeated(size / 3),
        growingTicks,
    };
    for (const QString& text : texts) {
        const QString html = inlineMarkdown(text);
        // Markers are only ever taken out, and everything else is escaped, never dropped.
        EXPECT_GE(html.size(), text.size() / 2) << text.left(12).toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("<script")));
    }
    EXPECT_EQ(body(QString(size, QLatin1Char('[')) + QStringLiteral("](https://a.example)")),
              QString(size - 1, QLatin1Char('[')) +
                  QStringLiteral("<a href=\"https://a.example\"></a>"));
}

} // namespace
