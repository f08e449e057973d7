#include "app/IconArt.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace glossivo;

namespace {

const QStringList kIconNames{"16x16",      "16x16@2x", "32x32",      "32x32@2x", "128x128",
                             "128x128@2x", "256x256",  "256x256@2x", "512x512",  "512x512@2x"};
const QList<int> kIconPixels{16, 32, 32, 64, 128, 256, 256, 512, 512, 1024};

// A point of the motif's unit square (origin lower left, y up) on the tile of an icon.
QPoint onTile(int size, double x, double y)
{
    const double margin = size * 100.0 / 1024.0;
    const double side = size - 2.0 * margin;
    return QPoint(static_cast<int>(margin + x * side), static_cast<int>(size - margin - y * side));
}

// The centre line of the brush circle at the given angle in degrees.
QPoint onStroke(int size, double degrees)
{
    const double angle = degrees * std::numbers::pi / 180.0;
    return onTile(size, 0.475 + 0.265 * std::cos(angle), 0.485 + 0.265 * std::sin(angle));
}

bool near(QColor actual, QColor expected, int tolerance = 16)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance &&
           std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

// Ink at 0.94 over the paper.
const QColor kInkOnPaper = QColor::fromRgbF(0.217f, 0.196f, 0.173f);
const QColor kLeaf = QColor::fromRgbF(0.87f, 0.55f, 0.22f);

class Iconset : public ::testing::Test {
protected:
    QString folder() const { return dir.filePath("deep/er/icons"); }
    QImage icon(const QString& name) const { return QImage(folder() + "/icon_" + name + ".png"); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Iconset, WritesTenSizesWithTransparentCornersAndThePreviewBesideTheFolder)
{
    IconArt::renderIconset(folder());
    QFile stale(folder() + "/icon_16x16.png");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
    stale.close();
    IconArt::renderIconset(folder()); // a second run replaces every file
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 10);
    for (qsizetype i = 0; i < kIconNames.size(); ++i) {
        const QImage image = icon(kIconNames[i]);
        ASSERT_FALSE(image.isNull()) << kIconNames[i].toStdString();
        EXPECT_EQ(image.size(), QSize(kIconPixels[i], kIconPixels[i]));
        const int last = kIconPixels[i] - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last)})
            EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << kIconNames[i].toStdString();
    }

    const QImage preview(dir.filePath("deep/er/menubar-preview.png"));
    ASSERT_EQ(preview.size(), QSize(152, 152));
    EXPECT_EQ(preview.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(preview.pixelColor(151, 151), QColor(Qt::white));
    // The round start of the stroke: the glyph is 2 % larger and shifted 2 % to the left.
    const QPoint start(static_cast<int>(152 * (-0.02 + 1.02 * 0.5298677)),
                       static_cast<int>(152 - 152 * 1.02 * 0.7431322));
    EXPECT_EQ(preview.pixelColor(start), QColor(Qt::black));
}

TEST_F(Iconset, LargestIconHasItsTileMotifAndLeafInPlace)
{
    IconArt::renderIconset(folder());
    const QImage image = icon("512x512@2x");
    // The tile spans pixels 100 to 924; the shadow falls below it, not to the sides.
    EXPECT_EQ(image.pixelColor(60, 512).alpha(), 0);
    EXPECT_EQ(image.pixelColor(964, 512).alpha(), 0);
    EXPECT_EQ(image.pixelColor(512, 60).alpha(), 0);
    EXPECT_EQ(image.pixelColor(102, 512).alpha(), 255);
    EXPECT_EQ(image.pixelColor(921, 512).alpha(), 255);
    EXPECT_TRUE(near(image.pixelColor(512, 110), QColor::fromRgbF(0.97f, 0.94f, 0.89f)));
    EXPECT_TRUE(near(image.pixelColor(512, 914), QColor::fromRgbF(0.93f, 0.88f, 0.80f)));
    // The rounded corner: the tile's square corner itself lies outside the outline.
    EXPECT_LT(image.pixelColor(104, 104).alpha(), 128);

    // Ink round the left and bottom, the opening at the upper right.
    EXPECT_TRUE(near(image.pixelColor(onStroke(1024, 180)), kInkOnPaper));
    EXPECT_TRUE(near(image.pixelColor(onStroke(1024, 270)), kInkOnPaper));
    EXPECT_TRUE(near(image.pixelColor(onStroke(1024, 100)), kInkOnPaper));
    EXPECT_FALSE(near(image.pixelColor(onStroke(1024, 48)), kInkOnPaper, 60));
    // The round cap at the start overlaps the stroke and fills it, leaving no hole.
    EXPECT_TRUE(near(image.pixelColor(onTile(1024, 0.5298677, 0.7431322)), kInkOnPaper));
    // The leaf grows out of the opening.
    const double length = 0.158;
    const QPoint leaf = onTile(1024, 0.67278 + length * (0.5 * 0.52992 - 0.1 * 0.84805),
                               0.69709 + length * (0.5 * 0.84805 + 0.1 * 0.52992));
    EXPECT_TRUE(near(image.pixelColor(leaf), kLeaf));
}

// The geometry of the largest icon, measured in its pixels with a tolerance of a few: the tile's
// corner radius, the brush's width, the leaf's length and the side the shadow falls on.
TEST_F(Iconset, LargestIconKeepsItsGeometry)
{
    IconArt::renderIconset(folder());
    const QImage image = icon("512x512@2x");
    const auto opaque = [&](QPointF at) { return image.pixelColor(at.toPoint()).alpha() >= 128; };

    // Along the diagonal from the tile's square corner, the rounded outline begins where the
    // arc's middle lies: r (1 - 1/sqrt 2) in from both edges. The tile's side is 824 pixels.
    int inset = 0;
    while (inset < 200 && !opaque(QPointF(100 + inset, 100 + inset)))
        ++inset;
    const double radius = inset / (1.0 - 1.0 / std::numbers::sqrt2);
    EXPECT_NEAR(radius, 0.225 * 824, 9) << inset;

    // The brush across its centre line, at 180 degrees (a third of the way along the stroke:
    // 0.0857 of the motif's side) and at 270 degrees, where it has thinned to 0.0656.
    const auto inkAcross = [&](double degrees) {
        const double angle = degrees * std::numbers::pi / 180.0;
        const QPointF centre =
            onTile(1024, 0.475 + 0.265 * std::cos(angle), 0.485 + 0.265 * std::sin(angle));
        const QPointF outward(std::cos(angle), -std::sin(angle));
        int width = 0;
        for (int step = -80; step <= 80; ++step)
            if (near(image.pixelColor((centre + step * outward).toPoint()), kInkOnPaper, 40))
                ++width;
        return width;
    };
    EXPECT_NEAR(inkAcross(180), 0.0857 * 824, 3);
    EXPECT_NEAR(inkAcross(270), 0.0656 * 824, 3);

    // The leaf, from its base along its axis to its tip.
    const QPointF base = onTile(1024, 0.67278, 0.69709);
    const QPointF axis(0.52992, -0.84805);
    int last = 0;
    for (int step = 0; step < 300; ++step)
        if (near(image.pixelColor((base + step * axis).toPoint()), kLeaf, 40)) last = step;
    EXPECT_NEAR(last, 0.158 * 824, 4);

    // The shadow drops straight down: below the tile it shows, above it hardly, and the two
    // sides match.
    const int below = image.pixelColor(512, 930).alpha();
    const int above = image.pixelColor(512, 94).alpha();
    EXPECT_GE(below, 30);
    EXPECT_LE(above, 15);
    EXPECT_NEAR(image.pixelColor(94, 512).alpha(), image.pixelColor(929, 512).alpha(), 2);
}

TEST_F(Iconset, FailsOnAFolderThatCannotBeMadeOrAPreviewThatCannotBeWritten)
{
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(IconArt::renderIconset(dir.filePath("file/icons")), IconArt::WriteError);
    EXPECT_FALSE(QFile::exists(dir.filePath("menubar-preview.png")));

    ASSERT_TRUE(QDir().mkpath(dir.filePath("deep/er/menubar-preview.png")));
    EXPECT_THROW(IconArt::renderIconset(folder()), IconArt::WriteError);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 10);
}
