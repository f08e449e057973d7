#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace glossivo::testing {

// These tests drive a real X desktop; without one (scripts/test provides it) they skip.
#define SKIP_WITHOUT_DESKTOP()                                                                     \
    if (!std::getenv("GLOSSIVO_DESKTOP_TESTS") || !std::getenv("DISPLAY"))                         \
    GTEST_SKIP() << "needs the test desktop (scripts/desktop-session)"

// Runs xdotool with the arguments and waits for it.
inline void xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(process.waitForFinished(10000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

// Another program's window showing `text` at (x, y); closed when this object goes.
class TextWindow {
public:
    TextWindow(QPoint at, int pixelSize, const QString& text)
    {
        m_process.start(
            QStringLiteral(GLOSSIVO_LABEL_WINDOW),
            {QString::number(at.x()), QString::number(at.y()), QString::number(pixelSize), text});
        m_process.waitForStarted();
        xdotool({"search", "--sync", "--onlyvisible", "--name",
                 QStringLiteral("glossivo-label-window-%1").arg(m_process.processId())});
        // Mapped is not yet drawn: on a busy machine the text may come a while later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return drawn(at, pixelSize); }, 10000));
    }
    ~TextWindow()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    // The label's white margin over the black root window, and its first letters in black.
    static bool drawn(QPoint at, int pixelSize)
    {
        const QImage shown = QGuiApplication::primaryScreen()
                                 ->grabWindow(0, at.x(), at.y(), 24 + 2 * pixelSize, 24 + pixelSize)
                                 .toImage();
        if (shown.isNull() || qGray(shown.pixel(4, 4)) < 200) return false;
        for (int y = 24; y < shown.height(); ++y)
            for (int x = 24; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 96) return true;
        return false;
    }

    QProcess m_process;
};

// The line of text the helper window shows in these tests, and where it stands.
inline const QString kText = QStringLiteral("Quarterly results exceeded expectations");
inline constexpr int kPixelSize = 24;
inline const QPoint kWindowAt(200, 300);

// Where a word of the helper window's text lies on the screen (the label has a 24 margin).
inline QPoint middleOf(const QString& word)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kPixelSize);
    const QFontMetrics metrics(font);
    const int before = metrics.horizontalAdvance(kText.left(kText.indexOf(word)));
    return kWindowAt +
           QPoint(24 + before + metrics.horizontalAdvance(word) / 2, 24 + metrics.height() / 2);
}

} // namespace glossivo::testing
