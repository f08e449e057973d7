#pragma once

#include "input/ScreenArea.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <Qt>

#include <functional>
#include <optional>

namespace glossivo {

class ScreenGrabber;
class RecognitionWorker;
struct GrayImage;
namespace CaptureGeometry {
struct Capture;
}

// Reads the text on the screen: the strip around the pointer for a word and its sentence, or a
// dragged rectangle for translation.
//
// Three coordinate spaces meet here. Global coordinates are Qt's virtual-desktop coordinates
// (logical pixels, origin top left, y down), as the pointer and the windows use them. Screen-
// local coordinates count from one screen's top-left corner. Recognised boxes are normalized
// image coordinates: 0 to 1 across the captured image with the origin at its bottom left and y
// growing upwards, so a larger midY is higher on the screen.
class ScreenOCR {
public:
    struct Word {
        QString text;
        QRectF box;
        bool operator==(const Word&) const = default;
    };

    // One recognised line; `words` in reading order, each with its own box.
    struct Line {
        QString text;
        QRectF box;
        QList<Word> words;
        bool operator==(const Line&) const = default;
    };

    // The word under the pointer (exactly as recognised) and the lines around it. `wordRect`
    // is present exactly when `word` is.
    struct Result {
        std::optional<QString> word;
        QString context;
        std::optional<QRectF> wordRect;
        bool operator==(const Result&) const = default;
    };

    // What the user selected on the screen, and where the button went down and up (global).
    struct Selection {
        QString text;
        QPoint from;
        QPoint to;
    };

    using Screens = std::function<QList<ScreenArea>()>;

    // The capture and the recognition engine are borrowed and must outlive this object, which
    // must outlive the calls it is running.
    ScreenOCR(Screens screens, ScreenGrabber& grabber, RecognitionWorker& recognition);

    // The strip of 760 x 200 around `point` (global), clipped to its screen. Soft failures (no
    // screen, too small a strip, nothing under the pointer) give nothing; capture and
    // recognition errors are thrown unchanged. The word rectangle comes back global.
    // The strip is moved into the window under the pointer as far as the window allows and
    // clipped to it, and only whole words are kept.
    QCoro::Task<std::optional<Result>> recognize(QPoint point, bool findWord);
    // The context of a selection: the strip around where the button went up, with the
    // selected text put where it stands (its highlight may hide it from recognition).
    QCoro::Task<std::optional<Result>> recognizeSelection(Selection selection);

    // The text inside `rect` (global) in reading order: rows from the top, left to right within
    // a row. A rectangle without text gives the empty text; soft failures give nothing.
    QCoro::Task<std::optional<QString>> recognizeText(QRect rect);

    // Line analysis: pure functions over recognised lines.

    // The word nearest the cursor on the line under it (with findWord), or just the line nearest
    // it, and the band of lines around that line as context. Nothing when no line qualifies.
    static std::optional<Result> analyze(const QList<Line>& lines, QPointF cursor, bool findWord);
    // Columns of a picture beyond the part that was read, at its left and right.
    struct Margins {
        int left;
        int right;
    };
    // The lines without the pieces of words that the picture's `cuts` cut through: a word whose
    // ink runs on to such an edge without a space goes, with the punctuation stuck to it, and a
    // line left without words goes. `image` is the picture the lines were read from, with
    // `beyond` columns more at its sides, where ink right beyond a side shows a cut word.
    static QList<Line> wholeWords(const QList<Line>& lines, const GrayImage& image, Qt::Edges cuts,
                                  Margins beyond = {});
    // The lines with `selected` in place on the line under `to`, over the words that lie
    // between `from` and `to` (when both are on that line) or under `to`, or in the gap there
    // when the highlight hid every word.
    static QList<Line> withSelection(QList<Line> lines, QPointF from, QPointF to,
                                     const QString& selected);
    // The columns of a picture grabbed of `grabbed` (global) that lie beyond the capture's own
    // sides; none when the picture is not as wide as the grab (a grabber may give less).
    static Margins marginsOf(const CaptureGeometry::Capture& capture, const QRect& grabbed,
                             const GrayImage& image);
    // Narrows a strip's capture and picture to the rows of the lines the context around
    // `point` (global) can take, found from the picture's ink before any recognition.
    static void keepContextRows(CaptureGeometry::Capture& capture, GrayImage& image, QPoint point);
    // Rows of a picture: `height` rows from `top`.
    struct Slice {
        int top = 0;
        int height = 0;
        bool operator==(const Slice&) const = default;
    };
    // The picture cut into up to `parts` slices of whole lines, with about as many lines each,
    // cut in the blank rows between lines; the whole picture when it holds fewer than 2 lines.
    static QList<Slice> slices(const GrayImage& image, int parts);
    // Lines read from `slice` of a picture `height` rows high, with their boxes in the
    // picture's normalized space.
    static QList<Line> placed(QList<Line> lines, Slice slice, int height);
    // Lines read from a picture `width` columns wide, with their boxes in the normalized space
    // of its part within the margins `beyond`.
    static QList<Line> inside(QList<Line> lines, Margins beyond, int width);
    // Lines joined by single spaces; a line ending in "-" continues with the next line directly.
    static QString join(const QList<Line>& lines);
    // Stable sort into rows from the top, left to right where two lines' middles lie within
    // the tolerance, which is half the smaller line height (at least 0.0025).
    static void sortInRegionOrder(QList<Line>& lines);

private:
    struct Read;
    QCoro::Task<std::optional<Read>> readStrip(QPoint point);

    Screens m_screens;
    ScreenGrabber& m_grabber;
    RecognitionWorker& m_recognition;
};

} // namespace glossivo
