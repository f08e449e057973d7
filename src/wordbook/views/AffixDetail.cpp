#include "wordbook/views/AffixDetail.h"

#include "model/WordStore.h"
#include "ui/DesignSize.h"
#include "ui/HighlightedLabel.h"
#include "ui/PlainLabel.h"
#include "ui/SystemColors.h"
#include "wordbook/WordSearch.h"
#include "wordbook/views/DetailParts.h"
#include "wordbook/views/WordBookStyle.h"

#include <QHBoxLayout>
#include <QScrollArea>

namespace glossivo {

using namespace WordBookStyle;

AffixDetail::AffixDetail(Affix affix, const WordStore& store, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("affixDetail"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* stack = nullptr;
    QScrollArea* pane = DetailParts::scrollingPane(this, stack);
    outer->addWidget(pane);
    QWidget* content = stack->parentWidget();
    const QPalette& palette = this->palette();
    const QColor text = palette.color(QPalette::WindowText);
    const QColor indigo = systemColor(SystemColor::indigo, palette);
    const QList<qsizetype> records = WordSearch::affixRecords(store.affixEncounters(), affix);

    auto* header = new QHBoxLayout;
    header->setSpacing(10);
    auto* form = DetailParts::text(affixPromptForm(affix), 28, QFont::DemiBold, text, content);
    form->setFont(DesignSize::monospace(form->font(), 28, QFont::DemiBold));
    header->addWidget(form, 0, Qt::AlignBaseline);
    header->addWidget(
        DetailParts::text(isPrefix(affix) ? QStringLiteral("前缀") : QStringLiteral("后缀"), kBody,
                          QFont::Normal, secondary(palette), content),
        0, Qt::AlignBaseline);
    header->addWidget(
        records.isEmpty()
            ? DetailParts::iconText(Glyph::lockFilled, QStringLiteral("还没解锁"),
                                    secondary(palette), kCallout, content)
            : DetailParts::iconText(Glyph::checkmarkSealFilled,
                                    QStringLiteral("在 %1 个词里遇到").arg(records.size()), indigo,
                                    kCallout, content),
        0, Qt::AlignBaseline);
    header->addStretch();
    stack->addLayout(header);

    QVBoxLayout* infoStack = nullptr;
    QWidget* info = DetailParts::card(indigo, 0.08, 12, 6, content, infoStack);
    infoStack->addWidget(
        &DetailParts::text(affixMeaning(affix), kTitle3, QFont::Normal, text, info)->wrapping());
    if (const auto variants = affixVariants(affix))
        infoStack->addWidget(
            &DetailParts::text(*variants, kBody, QFont::Normal, secondary(palette), info)
                 ->wrapping());
    infoStack->addWidget(
        &DetailParts::text(QStringLiteral("常见的词：%1").arg(affixExamples(affix)), kBody,
                           QFont::Normal, secondary(palette), info)
             ->wrapping());
    stack->addWidget(info);

    if (records.isEmpty()) {
        stack->addWidget(
            &DetailParts::text(QStringLiteral("保存或再次查到一个带这个词缀的词时，就会自动解锁。"),
                               kBody, QFont::Normal, secondary(palette), content)
                 ->wrapping());
        return;
    }
    stack->addWidget(DetailParts::text(QStringLiteral("你遇到过的词"), kHeadline, QFont::DemiBold,
                                       text, content));
    DetailParts::addCards(
        pane, stack, records.size(), [this, records, &store](qsizetype index, QWidget* parent) {
            return recordCard(store.affixEncounters().at(records.at(index)), store, parent);
        });
}

QWidget* AffixDetail::recordCard(const AffixEncounter& record, const WordStore& store,
                                 QWidget* parent)
{
    const QPalette& palette = this->palette();
    QVBoxLayout* stack = nullptr;
    QWidget* card =
        DetailParts::card(palette.color(QPalette::WindowText), 0.04, 10, 3, parent, stack);
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    line->addWidget(DetailParts::text(record.headword, 15, QFont::DemiBold,
                                      palette.color(QPalette::WindowText), card),
                    0, Qt::AlignBaseline);
    if (record.root && record.root->toLower() != record.headword.toLower())
        line->addWidget(DetailParts::text(QStringLiteral("← %1").arg(*record.root), kBody,
                                          QFont::Normal, secondary(palette), card),
                        0, Qt::AlignBaseline);
    // The word's meaning while it is still in the word book; a deleted word keeps its card.
    if (const auto position = store.index(record.headword))
        line->addWidget(&DetailParts::text(store.entries().at(*position).meaningZh, kBody,
                                           QFont::Normal, secondary(palette), card)
                             ->wrapping(),
                        1, Qt::AlignBaseline);
    line->addStretch();
    stack->addLayout(line);
    if (record.sentence && !record.sentence->isEmpty()) {
        auto* sentence = new HighlightedLabel(*record.sentence, {record.headword}, kCallout, card);
        sentence->setAccessibleName(*record.sentence);
        QPalette p = sentence->palette();
        p.setColor(QPalette::WindowText, secondary(palette));
        sentence->setPalette(p);
        stack->addWidget(sentence);
    }
    return card;
}

} // namespace glossivo
