#include "input/SourceInfo.h"

#include "support/FakeScreenInput.h"

#include <gtest/gtest.h>

namespace glossivo {
namespace {

constexpr quint64 ownWindow = 3;

TEST(SourceInfoTest, DescribesTheActiveWindow)
{
    const std::optional<QString> none;
    const struct {
        const char* name;
        std::optional<WindowInfo> active;
        std::optional<QString> address;
        PageSource expected;
    } cases[] = {
        {"bare desktop", std::nullopt, QStringLiteral("https://a.org/"), {}},
        {"own window",
         WindowInfo{ownWindow, QStringLiteral("Glossivo"), QStringLiteral("设置"), 1},
         QStringLiteral("https://a.org/"),
         {}},
        {"browser page",
         WindowInfo{9, QStringLiteral("firefox-esr"), QStringLiteral("News"), 40},
         QStringLiteral("https://www.bbc.co.uk/news"),
         {QStringLiteral("Firefox ESR"), QStringLiteral("https://www.bbc.co.uk/news"),
          QStringLiteral("News")}},
        {"file document",
         WindowInfo{9, QStringLiteral("Evince"), QStringLiteral("report"), 40},
         QStringLiteral("file:///home/u/report.pdf"),
         {QStringLiteral("Evince"), QStringLiteral("file:///home/u/report.pdf"),
          QStringLiteral("report")}},
        {"other scheme and empty title",
         WindowInfo{9, QStringLiteral("Mail"), QString(), 40},
         QStringLiteral("imap://host/inbox"),
         {QStringLiteral("Mail"), none, none}},
        {"no process id asks nothing",
         WindowInfo{9, QStringLiteral("Viewer"), QStringLiteral("t"), 0},
         QStringLiteral("https://a.org/"),
         {QStringLiteral("Viewer"), none, QStringLiteral("t")}},
    };
    for (const auto& c : cases) {
        testing::FakeWindows windows;
        testing::FakeAccessibility accessibility;
        windows.active = c.active;
        accessibility.address = c.address;
        // The name of the desktop entry where there is one, else the window class.
        SourceInfo info(
            windows, accessibility, [](quint64 id) { return id == ownWindow; },
            [](const QString& id) {
                return id == u"firefox-esr" ? QStringLiteral("Firefox ESR") : QString();
            });
        EXPECT_EQ(info.current(), c.expected) << c.name;
    }
}

} // namespace
} // namespace glossivo
