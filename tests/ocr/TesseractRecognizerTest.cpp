#include "TextPicture.h"

#include "platform/tesseract/TesseractRecognizer.h"

#include <gtest/gtest.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

TesseractRecognizer& engine()
{
    static TesseractRecognizer recognizer;
    return recognizer;
}

QStringList textsOf(const QList<ScreenOCR::Word>& words)
{
    QStringList texts;
    for (const ScreenOCR::Word& word : words)
        texts.append(word.text);
    return texts;
}

struct Sample {
    const char* name;
    QString family;
    int pixelSize;
    Ink ink;
};

class RecognizesRenderedText : public ::testing::TestWithParam<Sample> {};

TEST_P(RecognizesRenderedText, FindsEveryWordWithItsBox)
{
    const Sample& sample = GetParam();
    const QStringList text{QStringLiteral("We were reluctant to post this, but here we go."),
                           QStringLiteral("The quarterly report arrives tomorrow morning.")};
    const TextPicture picture = drawText(text, fontOf(sample.family, sample.pixelSize), sample.ink);
    const QList<ScreenOCR::Line> lines = engine().recognizeLines(picture.gray());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(textsOf(lines[0].words).join(' ').toStdString(),
              "We were reluctant to post this but here we go");
    EXPECT_EQ(textsOf(lines[1].words).join(' ').toStdString(),
              "The quarterly report arrives tomorrow morning");
    // Ink starts and ends a little inside the glyphs' advance.
    const double bearing = 0.4 * sample.pixelSize / picture.image.width();
    for (const ScreenOCR::Line& line : lines) {
        EXPECT_GT(line.box.center().y(), 0.3); // both lines sit in the upper part of the picture
        for (const ScreenOCR::Word& word : line.words) {
            const QRectF drawn = picture.boxOf(word.text);
            ASSERT_FALSE(drawn.isNull()) << word.text.toStdString();
            // The recogniser boxes the ink; the drawn box spans the font's whole line height.
            EXPECT_NEAR(word.box.left(), drawn.left(), bearing) << word.text.toStdString();
            EXPECT_NEAR(word.box.right(), drawn.right(), bearing) << word.text.toStdString();
            EXPECT_TRUE(drawn.contains(word.box.center())) << word.text.toStdString();
            EXPECT_TRUE(line.box.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(word.box))
                << word.text.toStdString();
        }
    }
    EXPECT_GT(lines[0].box.center().y(), lines[1].box.center().y());
}

INSTANTIATE_TEST_SUITE_P(
    FontsSizesAndInks, RecognizesRenderedText,
    ::testing::Values(Sample{"SansDark16", QStringLiteral("DejaVu Sans"), 16, kDarkOnLight},
                      Sample{"SansLight16", QStringLiteral("DejaVu Sans"), 16, kLightOnDark},
                      Sample{"SerifDark22", QStringLiteral("DejaVu Serif"), 22, kDarkOnLight},
                      Sample{"SerifLight16", QStringLiteral("Nimbus Roman"), 16, kLightOnDark},
                      Sample{"HelveticaLike28", QStringLiteral("Nimbus Sans"), 28, kDarkOnLight},
                      Sample{"MonoDark14", QStringLiteral("DejaVu Sans Mono"), 14, kDarkOnLight},
                      Sample{"MonoLight20", QStringLiteral("Nimbus Mono PS"), 20, kLightOnDark}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TesseractRecognizer, APictureWithoutTextHasNoLines)
{
    QImage blank(760, 200, QImage::Format_RGB32);
    blank.fill(QColor(0xf4, 0xf4, 0xf4));
    EXPECT_TRUE(engine().recognizeLines(QtScreens::toGray(blank)).isEmpty());
}

TEST(TesseractRecognizer, RefusesAMalformedPicture)
{
    EXPECT_THROW(engine().recognizeLines(GrayImage{10, 10, QByteArray(5, '\0')}), RecognitionError);
    EXPECT_THROW(engine().recognizeLines(GrayImage{}), RecognitionError);
}

} // namespace
