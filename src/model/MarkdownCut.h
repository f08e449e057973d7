#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace glossivo {

// A cut of a text's start that the inline Markdown renderer draws as the whole text draws it
// (inlineMarkdownPrefix): how much of the text is read for it, where it falls in what is read,
// how much of a piece across it is kept, and the closing tags of what is open there.
class MarkdownCut {
public:
    // What is read of a text cut at `end` (in UTF-16 units of the text as given), bidirectional
    // controls left out, and where the cut falls in it.
    struct Reading {
        QString text;
        qsizetype stop = 0;
    };

    // The cut moved into the text and off the second half of a surrogate pair.
    static qsizetype end(const QString& text, qsizetype end);

    // Of the paragraph that holds the cut, no more than some 20,000 units past it is read: a
    // paragraph may run on for megabytes, and a span not seen closed there stays open.
    static Reading reading(const QString& text, qsizetype end);

    // A cut of a paragraph at `stop`, in units of the paragraph.
    explicit MarkdownCut(qsizetype stop) : m_stop(stop) {}

    // Whether a piece that ends at `to` reaches past the cut, which ends the markup.
    bool reaches(qsizetype to) const { return to > m_stop; }

    // How much of such a piece, a stretch of text or what a code span holds, is kept before the
    // cut. Text is never cut inside an escape or a character reference, which would show what the
    // whole text does not.
    qsizetype keptOfText(QStringView stretch, qsizetype from) const;
    qsizetype keptOfCode(qsizetype from) const;

    // The markup nests: a tag opened before the cut is closed innermost first.
    void opened(QString closer) { m_closers.append(std::move(closer)); }
    void closed() { m_closers.removeLast(); }
    void close(QString& html) const;

private:
    // The units of a piece that starts at `from` before the cut.
    qsizetype before(qsizetype from) const;

    qsizetype m_stop;
    QList<QString> m_closers;
};

} // namespace glossivo
