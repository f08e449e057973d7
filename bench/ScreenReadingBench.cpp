#include "input/CaptureGeometry.h"
#include "input/DevicePixels.h"
#include "input/EdgeSlivers.h"
#include "input/GrayImage.h"
#include "input/HighlightBlocks.h"
#include "input/InkPolarity.h"
#include "input/ScreenOCR.h"
#include "input/SolidBlocks.h"
#include "platform/qt/QtScreens.h"
#include "platform/tesseract/TesseractRecognizer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

using namespace glossivo;

// How well the strip around the pointer is read, as a user sees the screen: text drawn in three
// families from 9 to 32 points, dark on light, light on dark and on a sepia page, with and
// without a selection highlight on the pointed word, the strip's edges cutting through the
// lines around it, and a window's title bar inside the strip. The same steps as the running
// program: strip (with a little beyond its cutting sides), clip to the window, recognise, keep
// whole words, put the selection in place, analyse. Per case it reports whether the pointed word is
// right ("word": 1 or 0), the share of the band's whole words that the context holds ("share", the
// band being the lines within three and a half line heights of the pointer's line) and the
// context's words that are no word of the text ("fragments"). Context words count without regard to
// case: a capital the recogniser misread is a whole word still. Further pages: light text on a dark
// page under Tk's light grey highlight, pages tinted light and dark under either highlight (9 to 32
// points), and sentences of two lines alone in a window at 24 to 32 points, the pointer on
// either line, in a window narrower than the strip and in one whose lines the strip cuts, and
// sentences of three lines with a selection left on one while the pointer rests on another.

namespace {

const QString kText = QStringLiteral(
    "The committee postponed its decision until further notice citing the need for additional "
    "consultation with residents and local businesses Critics argued that the delay was "
    "unprecedented and would prove costly while supporters insisted the extra time would lead "
    "to a better outcome Meanwhile several neighbourhood groups began organising meetings of "
    "their own hoping to influence the final proposal Officials declined to say when a new "
    "vote might take place but a spokesperson said the council remained committed to openness "
    "throughout the entire process Observers expect the debate to continue well into the next "
    "financial year For now the old regulations stay in force and no new permits will be "
    "issued I was reluctant to post this but the neighbours asked me to share what happened");

struct Scheme {
    const char* name;
    QColor page;
    QColor ink;
};

const Scheme kSchemes[] = {{"light", QColor(0xff, 0xff, 0xff), QColor(0x20, 0x20, 0x20)},
                           {"dark", QColor(0x1e, 0x1e, 0x1e), QColor(0xe0, 0xe0, 0xe0)},
                           {"sepia", QColor(0xf4, 0xec, 0xd8), QColor(0x5b, 0x46, 0x36)}};

// Pages tinted as reading modes and editor themes tint them, light and dark.
const Scheme kTints[] = {{"solarized", QColor(0xfd, 0xf6, 0xe3), QColor(0x58, 0x6e, 0x75)},
                         {"green", QColor(0xc7, 0xed, 0xcc), QColor(0x33, 0x33, 0x33)},
                         {"night blue", QColor(0x00, 0x2b, 0x36), QColor(0x93, 0xa1, 0xa1)}};

// A selection's highlight: a dark block holding light text (GTK's and the browsers' accent), or
// a light grey block holding dark text, as Tk draws it whatever the page, with its text caret
// at the block's start in the page's ink, two pixels wide and as tall as the line.
struct Highlight {
    const char* name;
    QColor block;
    QColor ink;
    bool caret = false;
};

const Highlight kHighlights[] = {
    {"selected", QColor(0x35, 0x84, 0xe4), QColor(Qt::white)},
    {"grey selected", QColor(0xc3, 0xc3, 0xc3), QColor(Qt::black), true}};

struct Case {
    QString family;
    int points = 12;
    const Scheme* scheme = nullptr;
    bool highlighted = false;
    bool titleBar = false;
    // The recogniser's lines analysed as they come, without the window's frame, the whole-word
    // filter and the selection put in place: how the strip was read before those steps.
    bool raw = false;
    const Highlight* highlight = &kHighlights[0];
    // A sentence of this many lines alone in the window (0: text fills it), the pointer on a
    // word of line `pointerLine`.
    int sentenceLines = 0;
    int pointerLine = 0;
    // The line of the highlighted word when it is not the pointer's: a selection left on the
    // page while the pointer rests on a word of another line.
    int highlightLine = -1;
    int windowWidth = 740; // of the sentence's window: wider than the strip, its sides cut lines
};

// A highlight block over the word at `x` on the line of `baseline`, with its caret.
void drawHighlight(QPainter& painter, const Case& c, const QFontMetricsF& metrics, double x,
                   double baseline, double width)
{
    const QRectF block(x, baseline - metrics.ascent(), width, metrics.height());
    painter.fillRect(block, c.highlight->block);
    // Tk draws its caret on whole pixels, just left of the character it stands before.
    if (c.highlight->caret)
        painter.fillRect(QRect(qRound(x) - 1, qRound(block.top()), 2, qRound(block.height())),
                         c.scheme->ink);
}

// The screen of a case: a window filling it (below a title bar when asked), its text running
// past the strip on every side, and the word to point at centred on the pointer.
struct Scene {
    QImage screen;
    QRect windowArea;
    QPoint pointer;
    QString target;
    QList<QStringList> lines; // the words of every line, top to bottom
    QList<QRectF> lineBoxes;  // their ink, in screen pixels
    int targetLine = 0;
};

constexpr int kScreenWidth = 1160;
constexpr int kScreenHeight = 400;
const QPoint kPointer(580, 200);

Scene draw(const Case& c, qreal ratio)
{
    Scene scene;
    // Drawn in logical pixels, `ratio` device pixels each, as a scaled desktop shows it.
    scene.screen = QImage(QSize(kScreenWidth, kScreenHeight) * ratio, QImage::Format_RGB32);
    scene.screen.setDevicePixelRatio(ratio);
    scene.screen.fill(c.scheme->page);
    scene.pointer = kPointer;
    // Openbox's bar, 28 pixels, ends 30 pixels above the pointer's line.
    const QRect bar(0, 0, kScreenWidth, 129);
    scene.windowArea = c.titleBar ? QRect(0, bar.bottom() + 1, kScreenWidth, kScreenHeight)
                                  : QRect(0, 0, kScreenWidth, kScreenHeight);
    QPainter painter(&scene.screen);
    QFont font(c.family);
    font.setPixelSize(qRound(c.points * 96.0 / 72.0));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double step = metrics.lineSpacing() * 1.2;
    // The pointer's line has its ink centred on the pointer.
    const double pointerBaseline = kPointer.y() + (metrics.ascent() - metrics.descent()) / 2;
    const int rowsAbove = int((pointerBaseline - scene.windowArea.top()) / step);
    const QStringList words = kText.split(u' ');
    qsizetype next = 0;
    for (int row = -rowsAbove;; ++row) {
        const double baseline = pointerBaseline + row * step;
        if (baseline - metrics.ascent() > kScreenHeight) break;
        QStringList line;
        for (double width = 0; width < kScreenWidth + 200;) {
            line.append(words[next++ % words.size()]);
            width += metrics.horizontalAdvance(line.back() + u' ');
        }
        const int target = row == 0 ? int(line.size() / 2) : -1;
        double left = -100;
        if (row == 0) {
            scene.target = line[target];
            scene.targetLine = int(scene.lines.size());
            const QString before = line.mid(0, target).join(u' ') + u' ';
            left = kPointer.x() - metrics.horizontalAdvance(before) -
                   metrics.horizontalAdvance(scene.target) / 2;
        }
        double x = left;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const double width = metrics.horizontalAdvance(line[i]);
            const bool marked = c.highlighted && i == target;
            if (marked) drawHighlight(painter, c, metrics, x, baseline, width);
            painter.setPen(marked ? c.highlight->ink : c.scheme->ink);
            painter.drawText(QPointF(x, baseline), line[i]);
            x += metrics.horizontalAdvance(line[i] + u' ');
        }
        scene.lines.append(line);
        scene.lineBoxes.append(QRectF(left, baseline - metrics.ascent(), x - left,
                                      metrics.ascent() + metrics.descent()));
    }
    if (c.titleBar) {
        painter.fillRect(bar, QColor(0x30, 0x30, 0x30));
        QFont title(QStringLiteral("DejaVu Sans"));
        title.setPixelSize(13);
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(Qt::white);
        painter.drawText(QRect(300, 101, 600, 28), Qt::AlignVCenter,
                         QStringLiteral("Minutes of the meeting - Document Reader"));
    }
    return scene;
}

// A sentence of a few lines alone in a window, as a text widget shows it: the lines a line
// spacing apart and a highlight as tall as the line, so that a highlight on one line touches the
// line above.
Scene drawSentence(const Case& c)
{
    Scene scene;
    scene.screen = QImage(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    scene.screen.fill(c.scheme->page);
    QFont font(c.family);
    font.setPixelSize(qRound(c.points * 96.0 / 72.0));
    const QFontMetricsF metrics(font);
    // Tall enough for its lines and margins.
    const int height = std::max(200, int(std::ceil(56 + c.sentenceLines * metrics.height())));
    scene.windowArea = QRect((kScreenWidth - c.windowWidth) / 2, 100, c.windowWidth, height);
    QPainter painter(&scene.screen);
    painter.setFont(font);
    // In a window wider than the strip, the lines run past the strip's sides.
    const bool narrow = c.windowWidth < kScreenWidth;
    const double left = narrow ? scene.windowArea.left() + 16 : 200;
    const double top = scene.windowArea.top() + 40;
    const double lineWidth = narrow ? scene.windowArea.width() - 32 : 700;
    const QStringList words = kText.split(u' ');
    qsizetype next = 0;
    for (int row = 0; row < c.sentenceLines; ++row) {
        const double baseline = top + metrics.ascent() + row * metrics.height();
        QStringList line;
        while (metrics.horizontalAdvance((line + QStringList{words[next]}).join(u' ')) < lineWidth)
            line.append(words[next++]);
        const qsizetype target = row == c.pointerLine ? line.size() / 2 : -1;
        const qsizetype marked = !c.highlighted ? -1
                                 : row == (c.highlightLine < 0 ? c.pointerLine : c.highlightLine)
                                     ? line.size() / 2
                                     : -1;
        double x = left;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const double width = metrics.horizontalAdvance(line[i]);
            if (i == target) {
                scene.target = line[i];
                scene.targetLine = row;
                scene.pointer =
                    QPoint(qRound(x + width / 2),
                           qRound(baseline - (metrics.ascent() - metrics.descent()) / 2));
            }
            if (i == marked) drawHighlight(painter, c, metrics, x, baseline, width);
            painter.setPen(i == marked ? c.highlight->ink : c.scheme->ink);
            painter.drawText(QPointF(x, baseline), line[i]);
            x += metrics.horizontalAdvance(line[i] + u' ');
        }
        scene.lines.append(line);
        scene.lineBoxes.append(QRectF(left, baseline - metrics.ascent(), x - left,
                                      metrics.ascent() + metrics.descent()));
    }
    return scene;
}

// The words of the band's lines that lie wholly inside the capture, and every word of the text.
struct Truth {
    QStringList band;
    QSet<QString> all;
};

Truth truthOf(const Scene& scene, const CaptureGeometry::Capture& capture, const Case& c)
{
    Truth truth;
    for (const QString& word : kText.split(u' '))
        truth.all.insert(word.toLower());
    QFont font(c.family);
    font.setPixelSize(qRound(c.points * 96.0 / 72.0));
    const QFontMetricsF metrics(font);
    const QRectF area(capture.global());
    const QRectF chosen = scene.lineBoxes[scene.targetLine];
    const double reach = 3.5 * std::max(chosen.height(), 0.02 * area.height());
    for (qsizetype i = 0; i < scene.lines.size(); ++i) {
        const QRectF box = scene.lineBoxes[i];
        if (std::abs(box.center().y() - chosen.center().y()) > reach) continue;
        if (box.top() < area.top() || box.bottom() > area.bottom()) continue;
        double x = box.left();
        for (const QString& word : scene.lines[i]) {
            const double width = metrics.horizontalAdvance(word);
            if (x >= area.left() && x + width <= area.right()) truth.band.append(word.toLower());
            x += metrics.horizontalAdvance(word + u' ');
        }
    }
    return truth;
}

QStringList wordsOf(const QString& text)
{
    static const QRegularExpression notLetters(QStringLiteral("[^A-Za-z']+"));
    QStringList words = text.toLower().split(notLetters, Qt::SkipEmptyParts);
    for (QString& word : words)
        word.remove(u'\'');
    words.removeAll(QString());
    return words;
}

constexpr int kEngines = 3; // as the program has them

TesseractRecognizer& engine()
{
    static TesseractRecognizer recognizer;
    return recognizer;
}

void readStrip(benchmark::State& state, const Case c, qreal ratio)
{
    const Scene scene = c.sentenceLines > 0 ? drawSentence(c) : draw(c, ratio);
    const QList<ScreenArea> screens{{QRect(0, 0, kScreenWidth, kScreenHeight), ratio}};
    auto capture = CaptureGeometry::stripAround(screens, scene.pointer);
    if (!c.raw) capture = CaptureGeometry::stripWithin(*capture, scene.pointer, scene.windowArea);
    // A little beyond the strip's cutting sides, which tells the words they cut.
    const QRect grabbed = c.raw ? capture->global() : CaptureGeometry::beyondSides(*capture);
    GrayImage wide =
        QtScreens::toGray(scene.screen.copy(DevicePixels::toDevice(capture->screen, grabbed)));
    const ScreenOCR::Margins beyond = ScreenOCR::marginsOf(*capture, grabbed, wide);
    if (!c.raw) {
        ScreenOCR::keepContextRows(*capture, wide, scene.pointer);
        SolidBlocks::paintOver(wide);
        HighlightBlocks::blendIn(wide);
        InkPolarity::darkOnLight(wide);
    }
    const GrayImage reading =
        c.raw ? wide : EdgeSlivers::paintedOver(wide, capture->cuts, beyond.left, beyond.right);
    const QPointF cursor = CaptureGeometry::normalized(*capture, scene.pointer);
    // A highlight on another line is a selection left there: the pointer's word is read.
    const bool selecting = c.highlighted && c.highlightLine < 0;
    std::optional<ScreenOCR::Result> result;
    for (auto _ : state) {
        // Slice by slice, as the program's engines read them side by side.
        QList<ScreenOCR::Line> lines;
        for (const ScreenOCR::Slice& slice : ScreenOCR::slices(reading, c.raw ? 1 : kEngines))
            lines +=
                ScreenOCR::placed(engine().recognizeLines(reading.rows(slice.top, slice.height)),
                                  slice, reading.height);
        if (!c.raw) {
            lines = ScreenOCR::wholeWords(ScreenOCR::inside(lines, beyond, wide.width), wide,
                                          capture->cuts, beyond);
            if (selecting) lines = ScreenOCR::withSelection(lines, cursor, cursor, scene.target);
        }
        result = ScreenOCR::analyze(lines, cursor, !selecting);
    }
    const Truth truth = truthOf(scene, *capture, c);
    const QStringList context = wordsOf(result ? result->context : QString());
    QStringList missing = truth.band;
    for (const QString& word : context)
        missing.removeOne(word);
    QStringList fragments;
    for (const QString& word : context)
        if (!truth.all.contains(word)) fragments.append(word);
    const bool wordRight = selecting ? result && result->context.contains(scene.target)
                                     : result && result->word == scene.target;
    state.counters["word"] = wordRight ? 1 : 0;
    state.counters["share"] =
        truth.band.isEmpty() ? 1.0 : 1.0 - double(missing.size()) / truth.band.size();
    state.counters["fragments"] = double(fragments.size());
    // The pointed word, the fragments, the band's words missing, and the context.
    state.SetLabel((scene.target + QStringLiteral(" | ") + fragments.join(u' ') +
                    QStringLiteral(" | ") + missing.join(u' ') + QStringLiteral(" | ") +
                    (result ? result->context : QString()))
                       .toStdString());
}

void add(const Case& c, const QString& name)
{
    const QString prefix = c.raw ? QStringLiteral("raw/") : QStringLiteral("read/");
    benchmark::RegisterBenchmark((prefix + name).toStdString().c_str(), readStrip, c, 1.0)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
}

void registerCases()
{
    for (const bool raw : {false, true}) {
        for (const QString& family :
             {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
              QStringLiteral("DejaVu Sans Mono")})
            for (const int points : {9, 12, 15, 20, 32})
                for (const Scheme& scheme : kSchemes)
                    for (const bool highlighted : {false, true})
                        add({family, points, &scheme, highlighted, false, raw},
                            QStringLiteral("%1/%2pt/%3/%4")
                                .arg(family, QString::number(points),
                                     QString::fromLatin1(scheme.name),
                                     highlighted ? "selected" : "plain"));
        for (const bool highlighted : {false, true})
            add({QStringLiteral("DejaVu Sans"), 15, &kSchemes[0], highlighted, true, raw},
                highlighted ? QStringLiteral("title bar/selected")
                            : QStringLiteral("title bar/plain"));
    }
}

// A desktop scaled to 200 %: the same scenes with twice the pixels, which the program reads at
// their device resolution.
void addScaled(const Case& c, const QString& name)
{
    benchmark::RegisterBenchmark(("read/x2/" + name).toStdString().c_str(), readStrip, c, 2.0)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
}

void registerScaledCases()
{
    for (const QString& family : {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                                  QStringLiteral("DejaVu Sans Mono")})
        for (const int points : {9, 12, 20})
            for (const Scheme* scheme : {&kSchemes[0], &kSchemes[1]})
                for (const bool highlighted : {false, true})
                    addScaled({family, points, scheme, highlighted, false, false},
                              QStringLiteral("%1/%2pt/%3/%4")
                                  .arg(family, QString::number(points),
                                       QString::fromLatin1(scheme->name),
                                       highlighted ? "selected" : "plain"));
    addScaled({QStringLiteral("DejaVu Sans"), 15, &kSchemes[0], false, true, false},
              QStringLiteral("title bar/plain"));
}

QString pointsName(int points)
{
    return QString::number(points) + QStringLiteral("pt");
}

// Light text on a dark page under a light highlight, and tinted pages under either highlight.
void registerPageCases()
{
    const QString families[] = {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("DejaVu Sans Mono")};
    for (const QString& family : families)
        for (const int points : {9, 12, 15, 20, 24, 28, 32}) {
            Case c{family, points, &kSchemes[1], true};
            c.highlight = &kHighlights[1];
            add(c, QStringLiteral("%1/%2/dark/grey selected").arg(family, pointsName(points)));
            for (const Scheme& tint : kTints) {
                const QString name =
                    QStringLiteral("%1/%2/%3/")
                        .arg(family, pointsName(points), QString::fromLatin1(tint.name));
                add({family, points, &tint}, name + QStringLiteral("plain"));
                for (const Highlight& highlight : kHighlights) {
                    Case marked{family, points, &tint, true};
                    marked.highlight = &highlight;
                    add(marked, name + QString::fromLatin1(highlight.name));
                }
            }
        }
}

// A sentence of two lines at large sizes, the pointer on a word of either line.
void registerSentenceCases()
{
    for (const QString& family :
         {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")})
        for (const int points : {24, 28, 32})
            for (const Scheme& scheme : kSchemes)
                for (const int line : {0, 1})
                    for (const int width : {740, kScreenWidth}) {
                        const QString name =
                            QStringLiteral("two lines/%1/%2/%3/line %4/%5/")
                                .arg(family, pointsName(points), QString::fromLatin1(scheme.name))
                                .arg(line + 1)
                                .arg(width < kScreenWidth ? "narrow" : "wide");
                        Case plain{family, points, &scheme};
                        plain.sentenceLines = 2;
                        plain.pointerLine = line;
                        plain.windowWidth = width;
                        add(plain, name + QStringLiteral("plain"));
                        for (const Highlight& highlight : kHighlights) {
                            Case marked = plain;
                            marked.highlighted = true;
                            marked.highlight = &highlight;
                            add(marked, name + QString::fromLatin1(highlight.name));
                        }
                    }
}

// Light text on a dark page, a word of one line under Tk's grey highlight and its caret, the
// pointer resting on a word of the line above or below: a sentence of three lines in a window
// narrower than the strip.
void registerLeftSelectionCases()
{
    for (const QString& family :
         {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")})
        for (const int points : {24, 28, 32})
            for (const auto& [marked, pointed] :
                 {std::pair(1, 0), std::pair(1, 2), std::pair(0, 1)}) {
                Case c{family, points, &kSchemes[1], true};
                c.highlight = &kHighlights[1];
                c.sentenceLines = 3;
                c.pointerLine = pointed;
                c.highlightLine = marked;
                add(c,
                    QStringLiteral("selection left/%1/%2/dark/grey on line %3/pointer on line %4")
                        .arg(family, pointsName(points))
                        .arg(marked + 1)
                        .arg(pointed + 1));
            }
}

const bool registered = (registerCases(), registerPageCases(), registerSentenceCases(),
                         registerLeftSelectionCases(), registerScaledCases(), true);

} // namespace
