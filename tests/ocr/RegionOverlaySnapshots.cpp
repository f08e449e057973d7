#include "TextPicture.h"

#include "input/views/RegionOverlay.h"
#include "support/Snapshots.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// A page of text standing for the desktop under the overlay.
QPixmap desktop(QSize size)
{
    const TextPicture page =
        drawText({QStringLiteral("The committee postponed its decision until further notice."),
                  QStringLiteral("Critics argued that the delay was unprecedented and costly."),
                  QStringLiteral("Meanwhile, residents were left to fend for themselves.")},
                 fontOf(QStringLiteral("DejaVu Serif"), 18), kDarkOnLight, size, 80, 160);
    return QPixmap::fromImage(page.image);
}

void save(const QImage& image, const QString& state)
{
    const QString folder = test::snapshotFolder(QStringLiteral("overlay"));
    ASSERT_TRUE(image.save(folder + "/" + state + ".png"));
}

bool isBlank(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (image.pixel(x, y) != first) return false;
        }
    }
    return true;
}

void drag(QWidget& overlay, QPoint from, QPoint to)
{
    QTest::mousePress(&overlay, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, overlay.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(&overlay, &move);
}

// The translucent overlay composed over the desktop, as a compositor would show it.
QImage composed(QWidget& overlay, const QPixmap& under)
{
    QImage picture = under.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, overlay.grab());
    return picture;
}

TEST(RegionOverlaySnapshots, EveryState)
{
    const QSize size(960, 480);
    const QPixmap under = desktop(size);
    const QList<QRect> screens{QRect(QPoint(0, 0), size)};

    RegionOverlay frozen(screens, under, [](std::optional<QRect>) {});
    frozen.resize(size);
    QImage idle = frozen.grab().toImage();
    save(idle, "idle");
    drag(frozen, {70, 150}, {640, 250});
    const QImage dragging = frozen.grab().toImage();
    save(dragging, "dragging");

    RegionOverlay translucent(screens, QPixmap(), [](std::optional<QRect>) {});
    translucent.resize(size);
    drag(translucent, {70, 150}, {640, 250});
    const QImage composite = composed(translucent, under);
    save(composite, "dragging-translucent");

    EXPECT_FALSE(isBlank(idle));
    EXPECT_NE(idle, dragging);
    // Inside the selection the page is shown as it is; outside it is dimmed.
    const QImage page = under.toImage();
    EXPECT_EQ(dragging.pixel(600, 240), page.pixel(600, 240));
    EXPECT_LT(qGray(dragging.pixel(900, 400)), qGray(page.pixel(900, 400)));
    EXPECT_EQ(composite.pixel(600, 240) & 0xffffff, page.pixel(600, 240) & 0xffffff);
}

TEST(RegionOverlay, EscapeCancelsOtherKeysDoNothing)
{
    std::vector<std::optional<QRect>> finished;
    RegionOverlay overlay({QRect(0, 0, 400, 300)}, QPixmap(),
                          [&finished](std::optional<QRect> rect) { finished.push_back(rect); });
    QTest::keyClick(&overlay, Qt::Key_A);
    EXPECT_TRUE(finished.empty());
    QTest::keyClick(&overlay, Qt::Key_Escape);
    QTest::keyClick(&overlay, Qt::Key_Escape);
    ASSERT_EQ(finished.size(), 1u); // ends once
    EXPECT_EQ(finished[0], std::nullopt);
}

TEST(RegionOverlay, ADragEndsWithItsRectangleInOverlayCoordinates)
{
    std::optional<QRect> selected;
    RegionOverlay overlay({QRect(-200, 0, 200, 300), QRect(0, 0, 400, 300)}, QPixmap(),
                          [&selected](std::optional<QRect> rect) { selected = rect; });
    EXPECT_EQ(overlay.geometry(), QRect(-200, 0, 600, 300));
    drag(overlay, {150, 20}, {250, 120});
    QTest::mouseRelease(&overlay, Qt::LeftButton, {}, {250, 120});
    EXPECT_EQ(selected, QRect(150, 20, 100, 100));
}

} // namespace
