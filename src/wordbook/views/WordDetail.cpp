#include "wordbook/views/WordDetail.h"

#include "model/WordStore.h"
#include "ui/BreakableText.h"
#include "ui/CapsuleLabel.h"
#include "ui/DesignSize.h"
#include "ui/FlowLayout.h"
#include "ui/HighlightedLabel.h"
#include "ui/PlainLabel.h"
#include "ui/RoundedPanel.h"
#include "ui/SystemColors.h"
#include "wordbook/StageActions.h"
#include "wordbook/WordDetailData.h"
#include "wordbook/views/DetailParts.h"
#include "wordbook/views/NoteView.h"
#include "wordbook/views/WordBookStyle.h"
#include "wordbook/views/WordRowDelegate.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

namespace glossivo {

using namespace WordBookStyle;

namespace {

constexpr int kTileWidth = 120;
constexpr int kTileSpacing = 8;
// Examples below the word's header: a dozen fill the first screen of the tallest window.
constexpr qsizetype kCardBatch = 12;

QColor withAlpha(QColor colour, qreal alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

// A row of widgets on a capsule of one colour: the chips of the word family.
class CapsuleBox : public QWidget {
public:
    CapsuleBox(const QColor& fill, QWidget* parent) : QWidget(parent), m_fill(fill) {}

protected:
    void paintEvent(QPaintEvent*) override { paintRoundedPanel(*this, height() / 2.0, m_fill, 0); }

private:
    QColor m_fill;
};

// Tiles at least 120 wide, as many to a row as fit, each stretched to its column. Its height
// is set from its width each time the width changes, so the pane gives it no more than its rows.
class TileGrid : public QWidget {
public:
    explicit TileGrid(QWidget* parent) : QWidget(parent), m_grid(new QGridLayout(this))
    {
        m_grid->setContentsMargins(0, 0, 0, 0);
        m_grid->setSpacing(kTileSpacing);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    void add(QWidget* tile)
    {
        m_tiles.append(tile);
        arrange(columns(width()));
    }
    int heightFor(int width) const
    {
        const int perRow = columns(width);
        int height = 0;
        for (qsizetype start = 0; start < m_tiles.size(); start += perRow) {
            int row = 0;
            for (qsizetype i = start; i < qMin(m_tiles.size(), start + perRow); ++i)
                row = qMax(row, m_tiles[i]->sizeHint().height());
            height += row + (start > 0 ? kTileSpacing : 0);
        }
        return height;
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        arrange(columns(width()));
    }

private:
    static int columns(int width)
    {
        return qMax(1, (width + kTileSpacing) / (kTileWidth + kTileSpacing));
    }

    void arrange(int columns)
    {
        if (columns == m_columns && m_grid->count() == m_tiles.size()) return;
        m_columns = columns;
        for (QWidget* tile : std::as_const(m_tiles))
            m_grid->removeWidget(tile);
        for (int column = 0; column < m_grid->columnCount(); ++column)
            m_grid->setColumnStretch(column, 0);
        for (qsizetype i = 0; i < m_tiles.size(); ++i)
            m_grid->addWidget(m_tiles[i], int(i / columns), int(i % columns));
        for (int column = 0; column < columns; ++column)
            m_grid->setColumnStretch(column, 1);
        setFixedHeight(heightFor(width()));
    }

    QGridLayout* m_grid;
    QList<QWidget*> m_tiles;
    int m_columns = 0;
};

PlainLabel* selectable(PlainLabel* label)
{
    label->wrapping();
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QToolButton* deleteButton(const QString& help, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(glyphIcon(Glyph::trash, systemColor(SystemColor::red, parent->palette()), 14));
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

QLayout* header(const WordDetailData& data, Register value, const PaneViews& views,
                QWidget* content)
{
    const QPalette& palette = content->palette();
    // A headword longer than the pane wraps, and what stands beside it moves below it rather
    // than past the pane's edge.
    auto* row = new FlowLayout(10);
    PlainLabel* headword =
        selectable(DetailParts::text(cappedText(data.headword), 28, QFont::DemiBold,
                                     palette.color(QPalette::WindowText), content));
    headword->setObjectName(QStringLiteral("headwordLabel"));
    row->addWidget(headword);
    row->addWidget(
        &DetailParts::text(data.phonetic, kBody, QFont::Normal, secondary(palette), content)
             ->wrapping());
    if (views.speakButton) row->addWidget(views.speakButton(data.headword, content));
    if (views.registerBadge)
        if (QWidget* badge = views.registerBadge(value, content)) row->addWidget(badge);
    return row;
}

QLayout* meaning(const WordDetailData& data, QWidget* content)
{
    const QPalette& palette = content->palette();
    auto* stack = new QVBoxLayout;
    stack->setSpacing(4);
    stack->addWidget(selectable(DetailParts::text(data.meaning, kTitle3, QFont::Normal,
                                                  palette.color(QPalette::WindowText), content)));
    for (const QString& note : data.meaningNotes)
        stack->addWidget(
            selectable(DetailParts::text(note, kBody, QFont::Normal, secondary(palette), content)));
    return stack;
}

QLayout* stageBar(const WordEntry& entry, const StageBarData& bar, WordStore& store,
                  int learningSlots, QWidget* content)
{
    const QPalette& palette = content->palette();
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    QWidget* stage =
        DetailParts::iconText(stageGlyph(bar.stage), bar.title,
                              bar.inLearning ? systemColor(SystemColor::orange, palette)
                                             : palette.color(QPalette::WindowText),
                              kCallout, content);
    stage->setObjectName(QStringLiteral("stageLabel"));
    row->addWidget(stage);
    if (!bar.due.isEmpty())
        row->addWidget(
            &DetailParts::text(bar.due, kCaption, QFont::Normal, secondary(palette), content)
                 ->wrapping());
    if (bar.leech) {
        auto* leech =
            new CapsuleLabel(QStringLiteral("难啃"), systemColor(SystemColor::purple, palette),
                             0.15, QMargins(5, 1, 5, 1), kCaption2, content);
        leech->setObjectName(QStringLiteral("leechMark"));
        leech->setFont(DesignSize::font(leech->font(), kCaption2, QFont::DemiBold));
        leech->setAccessibleName(leech->text());
        row->addWidget(leech);
    }
    row->addStretch();
    auto* adjust = new QToolButton(content);
    adjust->setObjectName(QStringLiteral("adjustStageButton"));
    adjust->setText(QStringLiteral("调整"));
    adjust->setAccessibleName(QStringLiteral("调整"));
    adjust->setAutoRaise(true);
    adjust->setPopupMode(QToolButton::InstantPopup);
    adjust->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* menu = new QMenu(adjust);
    menu->setObjectName(QStringLiteral("adjustStageMenu"));
    for (const StageAction& item : stageActions(entry, store, learningSlots)) {
        QAction* action = menu->addAction(item.title);
        action->setEnabled(item.enabled);
        QObject::connect(action, &QAction::triggered, adjust, item.run);
    }
    adjust->setMenu(menu);
    row->addWidget(adjust);
    return row;
}

QWidget* memoryTip(const QString& tip, QWidget* content)
{
    const QPalette& palette = content->palette();
    const QColor text = palette.color(QPalette::WindowText);
    QVBoxLayout* stack = nullptr;
    QWidget* card =
        DetailParts::card(systemColor(SystemColor::purple, palette), 0.08, 10, 2, content, stack);
    card->setObjectName(QStringLiteral("memoryTip"));
    auto* title = new QHBoxLayout;
    title->setSpacing(4);
    auto* icon = new QLabel(card);
    icon->setPixmap(glyphIcon(Glyph::puzzle, text, 11).pixmap(11, 11));
    title->addWidget(icon);
    title->addWidget(
        DetailParts::text(QStringLiteral("换个记法"), kCaption, QFont::DemiBold, text, card));
    title->addStretch();
    stack->addLayout(title);
    stack->addWidget(selectable(DetailParts::text(tip, kBody, QFont::Normal, text, card)));
    return card;
}

QWidget* formGallery(const WordDetailData& data, QWidget* content)
{
    const QPalette& palette = content->palette();
    const QColor orange = systemColor(SystemColor::orange, palette);
    const QColor text = palette.color(QPalette::WindowText);
    auto* gallery = new QWidget(content);
    gallery->setObjectName(QStringLiteral("formGallery"));
    auto* stack = new QVBoxLayout(gallery);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(
        DetailParts::text(QStringLiteral("形式图鉴"), kHeadline, QFont::DemiBold, text, gallery), 0,
        Qt::AlignBaseline);
    header->addWidget(DetailParts::text(data.formCount, kCallout, QFont::DemiBold, orange, gallery),
                      0, Qt::AlignBaseline);
    header->addStretch();
    stack->addLayout(header);
    auto* grid = new TileGrid(gallery);
    for (const FormTileData& form : data.forms) {
        QVBoxLayout* tileStack = nullptr;
        QWidget* tile = form.met ? DetailParts::card(orange, 0.12, 8, 2, grid, tileStack)
                                 : DetailParts::card(text, 0.04, 8, 2, grid, tileStack);
        tile->setToolTip(form.help);
        tileStack->addWidget(
            DetailParts::text(form.name, kCaption, QFont::Normal, secondary(palette), tile));
        if (form.met) {
            tileStack->addWidget(DetailParts::text(form.form, 15, QFont::DemiBold, text, tile));
            tileStack->addWidget(
                DetailParts::text(form.count, kCaption2, QFont::Normal, tertiary(palette), tile));
            tile->setAccessibleName(form.name + u' ' + form.form + u' ' + form.count);
        } else {
            tileStack->addWidget(DetailParts::iconText(Glyph::lockFilled, QStringLiteral("???"),
                                                       tertiary(palette), 14, tile));
            tileStack->addWidget(DetailParts::text(QStringLiteral("还没遇到"), kCaption2,
                                                   QFont::Normal, tertiary(palette), tile));
            tile->setAccessibleName(form.name + QStringLiteral(" 还没遇到"));
        }
        tileStack->addStretch();
        grid->add(tile);
    }
    stack->addWidget(grid);
    return gallery;
}

QWidget* memberChip(const FamilyMemberData& member, const QColor& indigo, QWidget* parent)
{
    const QPalette& palette = parent->palette();
    const QColor text = palette.color(QPalette::WindowText);
    auto* chip = new CapsuleBox(withAlpha(indigo, 0.1), parent);
    chip->setAccessibleName(member.headword + u' ' + member.meaning);
    auto* row = new QHBoxLayout(chip);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(4);
    auto* check = new QLabel(chip);
    check->setPixmap(glyphIcon(Glyph::checkmark, text, 10).pixmap(10, 10));
    row->addWidget(check, 0, Qt::AlignVCenter);
    row->addWidget(DetailParts::text(member.headword, 13, QFont::DemiBold, text, chip), 0,
                   Qt::AlignVCenter);
    row->addWidget(
        DetailParts::text(member.meaning, kCaption, QFont::Normal, secondary(palette), chip), 0,
        Qt::AlignVCenter);
    return chip;
}

QWidget* familySection(const FamilyData& family, QWidget* content)
{
    const QPalette& palette = content->palette();
    const QColor text = palette.color(QPalette::WindowText);
    const QColor indigo = systemColor(SystemColor::indigo, palette);
    auto* section = new QWidget(content);
    section->setObjectName(QStringLiteral("familySection"));
    auto* stack = new QVBoxLayout(section);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    stack->addWidget(
        DetailParts::text(QStringLiteral("词族"), kHeadline, QFont::DemiBold, text, section));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    if (!family.root.isEmpty())
        row->addWidget(DetailParts::text(family.root, kCallout, QFont::Medium, text, section), 0,
                       Qt::AlignBaseline);
    for (const QString& affix : family.affixes) {
        auto* chip = new CapsuleLabel(affix, text, 0, QMargins(6, 2, 6, 2), kCaption, section);
        // The capsule is indigo while the text keeps the text colour.
        auto* back = new CapsuleBox(withAlpha(indigo, 0.12), section);
        auto* inner = new QHBoxLayout(back);
        inner->setContentsMargins(0, 0, 0, 0);
        chip->setFont(DesignSize::font(chip->font(), kCaption));
        chip->setAccessibleName(affix);
        inner->addWidget(chip);
        row->addWidget(back, 0, Qt::AlignBaseline);
    }
    row->addStretch();
    stack->addLayout(row);
    if (family.members.isEmpty()) {
        stack->addWidget(&DetailParts::text(family.emptyText, kCaption, QFont::Normal,
                                            secondary(palette), section)
                              ->wrapping());
    } else {
        auto* members = new QWidget(section);
        auto* flow = new FlowLayout(6, members);
        flow->setContentsMargins(0, 0, 0, 0);
        for (const FamilyMemberData& member : family.members)
            flow->addWidget(memberChip(member, indigo, members));
        stack->addWidget(members);
    }
    return section;
}

QWidget* exampleCard(const ExampleData& example, const QString& headword, const QUuid& wordId,
                     WordStore& store, const PaneViews& views, QWidget* parent)
{
    const QPalette& palette = parent->palette();
    QVBoxLayout* stack = nullptr;
    QWidget* card =
        DetailParts::card(palette.color(QPalette::WindowText), 0.04, 10, 4, parent, stack);
    card->setObjectName(QStringLiteral("exampleCard"));
    card->setAccessibleName(example.sentence);
    auto* top = new QHBoxLayout;
    auto* sentence = new HighlightedLabel(example.sentence, {headword}, kBody, card);
    sentence->setWordWrap(true);
    sentence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sentence->setAccessibleName(example.sentence);
    top->addWidget(sentence, 1, Qt::AlignTop);
    if (views.speakButton)
        top->addWidget(views.speakButton(example.sentence, card), 0, Qt::AlignTop);
    QToolButton* remove = deleteButton(QStringLiteral("删掉这条例句（比如它其实不是一个句子）"),
                                       "deleteExampleButton", card);
    const QUuid id = example.id;
    // At once, without asking: an example is one of many.
    QObject::connect(remove, &QToolButton::clicked, card,
                     [&store, id, wordId] { store.deleteExample(id, wordId); });
    top->addWidget(remove, 0, Qt::AlignTop);
    stack->addLayout(top);
    stack->addWidget(selectable(
        DetailParts::text(example.sentenceZh, kBody, QFont::Normal, secondary(palette), card)));
    stack->addWidget(
        DetailParts::text(example.caption, kCaption, QFont::Normal, tertiary(palette), card));
    if (views.source)
        if (QWidget* source = views.source(example.source, true, card)) stack->addWidget(source);
    return card;
}

QWidget* noteCard(const AINote& note, const QUuid& wordId, WordStore& store, const PaneViews& views,
                  QWidget* parent)
{
    QVBoxLayout* stack = nullptr;
    QWidget* card = DetailParts::card(parent->palette().color(QPalette::WindowText), 0.04, 10, 0,
                                      parent, stack);
    const QUuid id = note.id;
    stack->addWidget(new NoteView(
        note, false, [&store, id, wordId] { store.deleteNote(id, wordId); }, views, card));
    return card;
}

} // namespace

WordDetail::WordDetail(const WordEntry& entry, WordStore& store, const AppConfig& config,
                       const QDateTime& now, const PaneViews& views, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("wordDetail"));
    setAccessibleName(entry.headword);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* stack = nullptr;
    m_pane = DetailParts::scrollingPane(this, stack);
    outer->addWidget(m_pane);
    QWidget* content = stack->parentWidget();
    const QPalette& palette = this->palette();
    const QColor text = palette.color(QPalette::WindowText);
    const WordDetailData data = wordDetailData(entry, store.family(entry), config, now);

    stack->addLayout(header(data, entry.register_, views, content));
    stack->addLayout(meaning(data, content));
    stack->addWidget(
        DetailParts::text(data.counts, kCaption, QFont::Normal, tertiary(palette), content));
    stack->addLayout(stageBar(entry, data.stageBar, store, config.learningSlots, content));
    if (data.mnemonic) stack->addWidget(memoryTip(*data.mnemonic, content));
    if (!data.forms.isEmpty()) stack->addWidget(formGallery(data, content));
    if (data.family.shown) stack->addWidget(familySection(data.family, content));
    stack->addWidget(DetailParts::divider(content));
    stack->addWidget(
        DetailParts::text(QStringLiteral("例句"), kHeadline, QFont::DemiBold, text, content));

    // The examples, then the explanations under their own heading, a batch at a time: a word
    // met in hundreds of sentences opens as fast as one met once.
    const QList<AINote> notes = entry.notes.value_or(QList<AINote>());
    const qsizetype examples = data.examples.size();
    const qsizetype count = examples + (notes.isEmpty() ? 0 : 2 + notes.size());
    const QUuid wordId = entry.id;
    const QString headword = entry.headword;
    DetailParts::addCards(
        m_pane, stack, count,
        [=, &store, examplesData = data.examples](qsizetype index, QWidget* parent) -> QWidget* {
            if (index < examples)
                return exampleCard(examplesData[index], headword, wordId, store, views, parent);
            if (index == examples) return DetailParts::divider(parent);
            if (index == examples + 1)
                return DetailParts::text(QStringLiteral("AI 解释"), kHeadline, QFont::DemiBold,
                                         text, parent);
            return noteCard(notes[index - examples - 2], wordId, store, views, parent);
        },
        kCardBatch);
}

} // namespace glossivo
