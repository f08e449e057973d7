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
