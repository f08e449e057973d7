#include "wordbook/views/GrammarDetail.h"

#include "model/WordStore.h"
#include "ui/DesignSize.h"
#include "ui/HighlightedLabel.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"
#include "wordbook/WordDetailData.h"
#include "wordbook/WordSearch.h"
#include "wordbook/views/DetailParts.h"
#include "wordbook/views/WordBookStyle.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QToolButton>

namespace glossivo {

using namespace WordBookStyle;

GrammarDetail::GrammarDetail(GrammarPoint point, const QString& query, WordStore& store,
                             const SourceView& sourceView, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("grammarDetail"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* stack = nullptr;
    QScrollArea* pane = DetailParts::scrollingPane(this, stack);
    outer->addWidget(pane);
    QWidget* content = stack->parentWidget();
    const QPalette& palette = this->palette();
    const QColor teal = systemColor(SystemColor::teal, palette);
    const QList<qsizetype> shown =
        WordSearch::grammarRecords(store.grammarEncounters(), point, query);

    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    header->addWidget(DetailParts::text(grammarLabel(point), 26, QFont::DemiBold,
                                        palette.color(QPalette::WindowText), content),
                      0, Qt::AlignBaseline);
    header->addWidget(shown.isEmpty()
                          ? DetailParts::iconText(Glyph::lockFilled, QStringLiteral("还没解锁"),
                                                  secondary(palette), kCallout, content)
                          : DetailParts::iconText(Glyph::checkmarkSealFilled,
                                                  QStringLiteral("遇到 %1 次").arg(shown.size()),
                                                  teal, kCallout, content),
                      0, Qt::AlignBaseline);
    header->addStretch();
    stack->addLayout(header);

    QVBoxLayout* explanationStack = nullptr;
    QWidget* explanation = DetailParts::card(teal, 0.08, 12, 0, content, explanationStack);
    explanationStack->addWidget(&DetailParts::text(grammarExplanation(point), kBody, QFont::Normal,
                                                   palette.color(QPalette::WindowText), explanation)
                                     ->wrapping());
    stack->addWidget(explanation);

    if (shown.isEmpty()) {
        stack->addWidget(
            &DetailParts::text(QStringLiteral("在真实句子里遇到它的时候（查已保存的词，"
                                              "或者保存新词时），就会自动解锁并收集到这里。"),
                               kBody, QFont::Normal, secondary(palette), content)
                 ->wrapping());
        return;
    }
    stack->addWidget(DetailParts::text(QStringLiteral("你遇到过的句子"), kHeadline, QFont::DemiBold,
                                       palette.color(QPalette::WindowText), content));
    DetailParts::addCards(pane, stack, shown.size(),
                          [this, shown, &store, sourceView](qsizetype index, QWidget* parent) {
                              QWidget* card = recordCard(
                                  store.grammarEncounters().at(shown.at(index)), store, sourceView);
                              card->setParent(parent);
                              return card;
                          });
}

QWidget* GrammarDetail::recordCard(const GrammarEncounter& record, WordStore& store,
                                   const SourceView& sourceView)
{
    const QPalette& palette = this->palette();
    QVBoxLayout* stack = nullptr;
    QWidget* card =
        DetailParts::card(palette.color(QPalette::WindowText), 0.04, 10, 4, nullptr, stack);
    auto* sentence = new HighlightedLabel(record.sentence, {record.surface}, kBody, card);
    sentence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sentence->setAccessibleName(record.sentence);
    stack->addWidget(sentence);
    if (record.sentenceZh && !record.sentenceZh->isEmpty())
        stack->addWidget(
            &DetailParts::text(*record.sentenceZh, kBody, QFont::Normal, secondary(palette), card)
                 ->wrapping());
    if (record.noteZh && !record.noteZh->isEmpty())
        stack->addWidget(&DetailParts::text(*record.noteZh, kCallout, QFont::Normal,
                                            palette.color(QPalette::WindowText), card)
                              ->wrapping());

    auto* footer = new QHBoxLayout;
    footer->setSpacing(8);
    const QString date = shortDate(record.addedAt);
    footer->addWidget(DetailParts::text(record.headword + QStringLiteral(" · ") + date, kCaption,
                                        QFont::Normal, tertiary(palette), card));
    if (sourceView)
        if (QWidget* source = sourceView(
                PageSource{record.sourceApp, record.sourceURL, record.sourceTitle}, false, card))
            footer->addWidget(source);
    footer->addStretch();
    auto* remove = new QToolButton(card);
    remove->setObjectName(QStringLiteral("deleteRecordButton"));
    remove->setAutoRaise(true);
    remove->setIcon(glyphIcon(Glyph::trash, systemColor(SystemColor::red, palette), 14));
    remove->setToolTip(QStringLiteral("删除这条记录"));
    remove->setAccessibleName(QStringLiteral("删除这条记录"));
    const QUuid id = record.id;
    // Acts at once, without asking: the record is one of many and the word book keeps going.
    connect(remove, &QToolButton::clicked, this,
            [&store, id] { store.deleteGrammarEncounter(id); });
    footer->addWidget(remove);
    stack->addLayout(footer);
    return card;
}

} // namespace glossivo
