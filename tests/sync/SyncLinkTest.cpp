#include "sync/SyncLink.h"
#include "sync/SyncProtocol.h"

#include <gtest/gtest.h>

using namespace glossivo;

namespace {

const QString pin = QString(64, u'a');
const QString token = QStringLiteral("0123456789abcdef");

QString code(const QString& server, const QString& tokenText = token, const QString& pinText = pin)
{
    return QStringLiteral("glossivo://sync?server=%1&token=%2&pin=%3")
        .arg(server, tokenText, pinText);
}

} // namespace

TEST(SyncLinkParse, FindsTheCodeInPastedTextAndCleansItsValues)
{
    struct Case {
        const char* name;
        QString text;
        SyncLink expected;
    };
    const QString upperPin = QStringLiteral("AB").repeated(32);
    const Case cases[] = {
        {"plain", code("https://sync.example.org"), {"https://sync.example.org", token, pin}},
        {"capital prefix, encoded server with one trailing slash",
         "GLOSSIVO://SYNC?server=https%3A%2F%2Fsync.example.org%3A8443%2F%2F&token=" + token +
             "&pin=" + pin,
         {"https://sync.example.org:8443/", token, pin}},
        {"words before, a line after",
         "我的同步码： " + code("https://h.example") + "\n下一行 glossivo://sync?x",
         {"https://h.example", token, pin}},
        {"cut at a blank",
         code("https://h.example") + " &token=ignored-because-after-blank",
         {"https://h.example", token, pin}},
        {"upper-case pin is lowered",
         code("https://h.example", token, upperPin),
         {"https://h.example", token, upperPin.toLower()}},
        {"first token wins, unknown keys and empty pieces ignored",
         code("https://h.example") + "&token=second-token-0123456&x=1&&=",
         {"https://h.example", token, pin}},
        {"value keeps further '=' and a bad escape stays as typed",
         code("https://h.example", "abc=def%zz%ghijklmnop"),
         {"https://h.example", "abc=def%zz%ghijklmnop", pin}},
        {"leading '=' skipped, plus stays plus",
         "glossivo://sync?==server=https://h.example&token=a+b" + token + "&pin=" + pin,
         {"https://h.example", "a+b" + token, pin}},
    };
    for (const Case& c : cases) {
        const auto link = SyncLink::parse(c.text);
        ASSERT_TRUE(link) << c.name;
        EXPECT_EQ(*link, c.expected) << c.name;
    }
}

TEST(SyncLinkParse, RefusesWhatIsNotACompleteValidCode)
{
    const struct {
        const char* name;
        std::optional<QString> text;
    } cases[] = {
        {"absent", std::nullopt},
        {"no prefix", "server=https://h.example&token=" + token + "&pin=" + pin},
        {"http server", code("http://h.example")},
        {"scheme in capitals", code("HTTPS://h.example")},
        {"not a URL", code("https://exa%20mple")},
        {"broken host", code("https://[bad")},
        {"token of 15", code("https://h.example", token.left(15))},
        {"pin of 63", code("https://h.example", token, pin.left(63))},
        {"pin of 65", code("https://h.example", token, pin + "a")},
        {"pin of 64 letters beyond f", code("https://h.example", token, QString(64, u'g'))},
        {"pin of 64 Chinese characters", code("https://h.example", token, QString(64, u'密'))},
        // U+0661, ARABIC-INDIC DIGIT ONE, a digit whose low byte is the letter a.
        {"pin of 64 other digits", code("https://h.example", token, QString(64, QChar(0x0661)))},
        {"pin with a blank escaped", code("https://h.example", token, pin.left(63) + "%20")},
        {"server without a host", code("https:///")},
        {"server of the scheme alone", code("https://")},
        {"no pin", "glossivo://sync?server=https://h.example&token=" + token},
        {"empty value", code("https://h.example", token, "")},
        {"code cut at a line break",
         "glossivo://sync?server=https://h.example\n&token=" + token + "&pin=" + pin},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(SyncLink::parse(c.text)) << c.name;
}

TEST(SyncLinkParse, CountsCharactersNotBytes)
{
    // Sixteen Chinese characters are 48 bytes but sixteen characters.
    const QString chinese = QStringLiteral("同步密码同步密码同步密码同步密码");
    EXPECT_TRUE(SyncLink::parse(code("https://h.example", chinese)));
    EXPECT_FALSE(SyncLink::parse(code("https://h.example", chinese.left(15))));
}

TEST(SyncLinkText, RoundTripsThroughParsing)
{
    const SyncLink links[] = {
        {"https://h.example:8443/sync", token, pin},
        {"https://h.example/a?b=c&d", "tok&en=with spaces/和中文", pin},
        {"https://h.example/", token, pin},
        {"https://h.example/a//", token, pin},
    };
    for (const SyncLink& link : links) {
        EXPECT_EQ(SyncLink::parse(link.text()), link) << link.text().toStdString();
        EXPECT_FALSE(link.text().contains(u' '));
    }
    // A code passed on from device to device stays the same code.
    const QString pasted = code("https://h.example//");
    const SyncLink first = *SyncLink::parse(pasted);
    EXPECT_EQ(first.text(), pasted);
    EXPECT_EQ(SyncLink::parse(first.text()), first);
    EXPECT_EQ(SyncLink({"https://h.example/a", "t=&?", pin}).text(),
              "glossivo://sync?server=https://h.example/a&token=t%3D%26%3F&pin=" + pin);
}

TEST(SyncLinkConfig, TakesTheThreeValuesAsTheyAreOrNothing)
{
    AppConfig config;
    config.syncServer = "http://not-checked";
    config.syncToken = "short";
    config.syncPin = "XY";
    EXPECT_EQ(SyncLink::fromConfig(config), (SyncLink{"http://not-checked", "short", "XY"}));
    for (QString AppConfig::*field :
         {&AppConfig::syncServer, &AppConfig::syncToken, &AppConfig::syncPin}) {
        AppConfig missing = config;
        missing.*field = "";
        EXPECT_FALSE(SyncLink::fromConfig(missing));
    }
}

TEST(SyncLinkHost, IsTheBareHostOrTheWholeText)
{
    EXPECT_EQ(SyncLink({"https://sync.example.org:8443/path", token, pin}).hostName(),
              "sync.example.org");
    EXPECT_EQ(SyncLink({"not a url", token, pin}).hostName(), "not a url");
    EXPECT_EQ(SyncLink({"https:nohost", token, pin}).hostName(), "https:nohost");
}

TEST(SyncProtocolVersion, ReadsStrongWeakAndBareTags)
{
    const struct {
        QByteArray etag;
        qint64 version;
    } cases[] = {
        {"\"12\"", 12}, {"W/\"7\"", 7}, {"12", 12},
        {"", 0},        {"\"abc\"", 0}, {"\"+5\"", 5},
        {"\"-3\"", -3}, {"\"1 2\"", 0}, {"\"99999999999999999999\"", 0},
        {"\"\"", 0},    {"\"-\"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SyncProtocol::version(c.etag), c.version) << c.etag.toStdString();
    EXPECT_EQ(SyncProtocol::quoted(-1), "\"-1\"");
}
