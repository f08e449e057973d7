#include "app/OCRSelfTestMode.h"

#include "input/RecognitionWorker.h"
#include "platform/qt/QtScreens.h"
#include "platform/tesseract/TesseractRecognizer.h"
#include "ui/DesignSize.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <cstdlib>
#include <memory>

namespace glossivo::OCRSelfTestMode {

namespace {

constexpr double kWidth = 760;
constexpr double kHeight = 200;
constexpr int kScale = 2;
// 72 dots per inch: a pixel of the font is a point of the picture.
constexpr int kDotsPerMeter = 2835;

std::optional<QList<ScreenOCR::Line>> recognize(const QImage& image)
{
    if (image.isNull()) return std::nullopt;
    RecognitionWorker worker([] { return std::make_unique<TesseractRecognizer>(); });
    QFuture<QList<ScreenOCR::Line>> lines = worker.recognize(QtScreens::toGray(image));
    try {
        lines.waitForFinished();
        if (lines.resultCount() == 0) return std::nullopt;
        return lines.result();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

Sample draw()
{
    Sample sample{QImage(int(kWidth) * kScale, int(kHeight) * kScale, QImage::Format_RGB32), {}};
    sample.image.setDevicePixelRatio(kScale);
    sample.image.setDotsPerMeterX(kDotsPerMeter);
    sample.image.setDotsPerMeterY(kDotsPerMeter);
    sample.image.fill(Qt::white);

    QFont sans(QStringLiteral("Sans Serif"));
    sans.setStyleHint(QFont::SansSerif);
    const QFont font = DesignSize::font(sans, 22);
    QPainter painter(&sample.image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, &sample.image);

    const QStringList lines = SelfTest::ocrSampleLines();
    for (int i = 0; i < lines.size(); ++i) {
        // The line's lower-left corner (below the descenders) stands this high above the
        // bottom edge.
        const double lineBottom = 150 - 50 * i;
        painter.drawText(QPointF(20, kHeight - lineBottom - metrics.descent()), lines[i]);
        for (const QString& word : SelfTest::ocrTargetWords()) {
            const qsizetype at = lines[i].indexOf(word);
            if (at < 0) continue;
            const double x = 20 + metrics.horizontalAdvance(lines[i].left(at)) +
                             metrics.horizontalAdvance(word) * 0.5;
            sample.targets.append({word, QPointF(x / kWidth, (lineBottom + 12) / kHeight)});
        }
    }
    return sample;
}

int run(QTextStream& out)
{
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "glossivo";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const Sample sample = draw();
    if (sample.targets.isEmpty()) return 0;
    return SelfTest::reportOCR(recognize(sample.image), sample.targets, out) ? 0 : 1;
}

} // namespace glossivo::OCRSelfTestMode
