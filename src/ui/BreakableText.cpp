#include "ui/BreakableText.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QTextBoundaryFinder>

namespace glossivo {

namespace {

// "internationalization" and its kind stay whole.
constexpr qsizetype kLongestWord = 24;

constexpr QChar kBreak(0x200B);

} // namespace

QString breakableText(const QString& text)
{
    QString result;
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    qsizetype from = 0;
    for (qsizetype to = lines.toNextBoundary(); to > 0; to = lines.toNextBoundary()) {
        const QStringView run = QStringView(text).mid(from, to - from);
        from = to;
        if (run.size() <= kLongestWord) {
            result += run;
            continue;
        }
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, run.toString());
        qsizetype start = 0;
        for (qsizetype end = graphemes.toNextBoundary(); end > 0;
             end = graphemes.toNextBoundary()) {
            result += run.mid(start, end - start);
            result += kBreak;
            start = end;
        }
    }
    return result;
}

void keepBreaksOutOfCopies()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    QObject::connect(clipboard, &QClipboard::changed, clipboard,
                     [clipboard](QClipboard::Mode mode) {
                         // Only a copy from one of our labels: what our selection reading puts back
                         // on the clipboard, and text copied from a field, stay as they were.
                         if (!qobject_cast<const QLabel*>(QApplication::focusWidget())) return;
                         const QMimeData* data = clipboard->mimeData(mode);
                         if (!data || !data->text().contains(kBreak)) return;
                         auto* copy = new QMimeData;
                         copy->setText(QString(data->text()).remove(kBreak));
                         if (data->hasHtml()) copy->setHtml(QString(data->html()).remove(kBreak));
                         clipboard->setMimeData(copy, mode);
                     });
}

QString cappedText(const QString& text, qsizetype limit)
{
    if (text.size() <= limit) return text;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(limit);
    // Never through the middle of a character.
    const qsizetype cut = graphemes.isAtBoundary() ? limit : graphemes.toPreviousBoundary();
    return text.left(cut) + QChar(0x2026);
}

} // namespace glossivo
