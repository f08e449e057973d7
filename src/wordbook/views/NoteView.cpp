#include "wordbook/views/NoteView.h"

#include "ui/Glyphs.h"
#include "ui/MarkdownText.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"
#include "wordbook/WordDetailData.h"
#include "wordbook/views/DetailParts.h"
#include "wordbook/views/WordBookStyle.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

using namespace WordBookStyle;

NoteView::NoteView(const AINote& note, bool showOriginal, std::function<void()> onDelete,
                   const PaneViews& views, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("noteView"));
    setAccessibleName(note.question);
    const QPalette& palette = this->palette();
    const QColor text = palette.color(QPalette::WindowText);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);

    if (showOriginal) {
        PlainLabel* original = DetailParts::text(note.original, 15, QFont::Normal, text, this);
        original->wrapping();
        original->setTextInteractionFlags(Qt::TextSelectableByMouse);
        stack->addWidget(original);
        if (note.translation && !note.translation->isEmpty()) {
            PlainLabel* translation = DetailParts::text(*note.translation, kBody, QFont::Normal,
                                                        secondary(palette), this);
            translation->wrapping();
            translation->setTextInteractionFlags(Qt::TextSelectableByMouse);
            stack->addWidget(translation);
        }
        stack->addWidget(DetailParts::divider(this));
    }

    auto* questionRow = new QHBoxLayout;
    questionRow->setSpacing(6);
    auto* sparkles = new QLabel(this);
    sparkles->setPixmap(glyphIcon(Glyph::sparkles, text, 13).pixmap(13, 13));
    questionRow->addWidget(sparkles, 0, Qt::AlignTop);
    PlainLabel* question = DetailParts::text(note.question, 13, QFont::DemiBold, text, this);
    question->wrapping();
    questionRow->addWidget(question, 1);
    auto* remove = new QToolButton(this);
    remove->setObjectName(QStringLiteral("deleteNoteButton"));
    remove->setAutoRaise(true);
    remove->setIcon(glyphIcon(Glyph::trash, systemColor(SystemColor::red, palette), 14));
    remove->setToolTip(QStringLiteral("删除这条解释"));
    remove->setAccessibleName(QStringLiteral("删除这条解释"));
    // At once, without asking, as every delete of the word book.
    connect(remove, &QToolButton::clicked, this, [onDelete = std::move(onDelete)] {
        if (onDelete) onDelete();
    });
    questionRow->addWidget(remove, 0, Qt::AlignTop);
    stack->addLayout(questionRow);

    auto* answer = new MarkdownText(kBody, 3, views.openLink, this);
    answer->setObjectName(QStringLiteral("noteAnswer"));
    answer->setMarkdown(note.answer);
    stack->addWidget(answer);

    auto* footer = new QHBoxLayout;
    footer->setSpacing(8);
    footer->addWidget(DetailParts::text(shortDate(note.addedAt), kCaption, QFont::Normal,
                                        tertiary(palette), this));
    if (views.source)
        if (QWidget* source = views.source(
                PageSource{note.sourceApp, note.sourceURL, note.sourceTitle}, false, this))
            footer->addWidget(source);
    footer->addStretch();
    stack->addLayout(footer);
}

} // namespace glossivo
