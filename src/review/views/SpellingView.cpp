#include "review/views/SpellingView.h"

#include "review/ReviewViewState.h"
#include "review/views/AnswerBlock.h"
#include "review/views/FocusTries.h"
#include "review/views/LetterSlots.h"
#include "review/views/OutcomeBanner.h"
#include "review/views/ReviewWidgets.h"
#include "ui/FlowLayout.h"
#include "ui/GlassPanel.h"
#include "ui/HighlightedLabel.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace glossivo {

namespace {

using namespace ReviewWidgets;
using Screen = ReviewScreen;

// A borderless text field on a glass panel; the panel is what the learner sees.
QLineEdit* glassField(const QString& placeholder, qreal pixels, int padding, const char* name,
                      QWidget* parent, QWidget*& panel)
{
    auto* glass = new GlassPanel(10, parent);
    auto* inside = new QHBoxLayout(glass);
    inside->setContentsMargins(padding, padding, padding, padding);
    auto* field = new QLineEdit(glass);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(placeholder);
    field->setPlaceholderText(placeholder);
    field->setFrame(false);
    field->setFont(DesignSize::font(field->font(), pixels));
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    field->setPalette(colours);
    inside->addWidget(field);
    panel = glass;
    return field;
}

// The parts of the verdict that decide how it is drawn; the type-along text is not one.
bool sameVerdict(const Screen& a, const Screen& b)
{
    return a.graded == b.graded && a.answer == b.answer && a.banner == b.banner &&
           a.input == b.input;
}

} // namespace

SpellingView::SpellingView(ReviewViewState& state, const ReviewScreen& screen, QWidget* parent)
    : QWidget(parent), m_state(state), m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("spellingView"));
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(12);
    if (screen.clue.mode == SpellMode::copy) {
        // Tied to this view: a question answered or closed sooner leaves nothing behind.
        QTimer::singleShot(kCopyWordMilliseconds, this,
                           [this, id = screen.questionId] { m_state.hideWord(id); });
    }
    show(screen);
}

void SpellingView::show(const ReviewScreen& screen)
{
    if (!m_shown || m_shown->clue != screen.clue) replace(m_clue, clue(screen), 0);
    if (!screen.graded) {
        if (!m_field) replace(m_part, asking(screen), 1);
        m_slots->setTyped(screen.input);
        if (m_field->text() != screen.input) m_field->setText(screen.input);
    } else if (!m_shown || !m_shown->graded || !sameVerdict(*m_shown, screen)) {
        m_field = nullptr;
        m_slots = nullptr;
        m_copyField = nullptr;
        m_copySlots = nullptr;
        replace(m_part, graded(screen), 1);
    } else if (m_copySlots) {
        m_copySlots->setTyped(screen.copyInput);
        if (m_copyField->text() != screen.copyInput) m_copyField->setText(screen.copyInput);
    }
    m_shown = screen;
}

void SpellingView::replace(QWidget*& slot, QWidget* by, int position)
{
    // Later: the control that led here may still be on the stack.
    if (slot) {
        slot->hide();
        slot->deleteLater();
        m_column->removeWidget(slot);
    }
    slot = by;
    m_column->insertWidget(position, by);
    // At once, not when the event loop comes round: a key pressed right after the last one
    // must find the field and buttons it belongs to.
    by->show();
}

QWidget* SpellingView::clue(const ReviewScreen& screen)
{
    const Screen::Clue& clue = screen.clue;
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("clue"));
    const QColor grey = secondary(palette());
    switch (clue.mode) {
    case SpellMode::copy: {
        // A long word or meaning wraps, and the meaning goes below a word that fills the line.
        auto* row = new FlowLayout(10, box);
        PlainLabel* word = text(clue.word, 30, box, QFont::DemiBold);
        word->setObjectName(QStringLiteral("copyWord"));
        if (clue.dots) {
            word->colour(tertiary(palette()));
            word->setAccessibleName(QStringLiteral("单词已隐藏"));
        }
        row->addWidget(&word->wrapping());
        row->addWidget(&coloured(clue.meaning, 13, grey, box)->wrapping());
        break;
    }
    case SpellMode::fill:
    case SpellMode::chunks: {
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(4);
        auto* scaffold = text(clue.word, 26, box);
        scaffold->setFont(DesignSize::monospace(scaffold->font(), 26, QFont::Medium));
        scaffold->setObjectName(QStringLiteral("scaffold"));
        column->addWidget(&scaffold->wrapping());
        column->addWidget(&coloured(clue.meaning, 13, grey, box)->wrapping());
        break;
    }
    case SpellMode::full: {
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(6);
        if (clue.cloze) {
            // Escaped, with no word emphasised: a label gives plain text no room between lines.
            auto* cloze = new HighlightedLabel(*clue.cloze, {}, 16, box, 16, 4);
            cloze->setObjectName(QStringLiteral("cloze"));
            cloze->setAccessibleName(*clue.cloze);
            column->addWidget(cloze);
        }
        auto* row = new FlowLayout(8);
        row->addWidget(&text(clue.meaning, 14, box, QFont::Medium)->wrapping());
        if (clue.formHint)
            row->addWidget(
                coloured(*clue.formHint, 12, systemColor(SystemColor::orange, palette()), box));
        column->addLayout(row);
        column->addWidget(&coloured(clue.letters, 12, grey, box)->wrapping());
        break;
    }
    case SpellMode::dictation: {
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        auto* replay =
            new QPushButton(glyphIcon(Glyph::speaker, palette().color(QPalette::ButtonText), 16),
                            QStringLiteral("再听一遍"), box);
        replay->setObjectName(QStringLiteral("replayButton"));
        replay->setAccessibleName(QStringLiteral("再听一遍"));
        replay->setFocusPolicy(Qt::NoFocus);
        replay->setFont(DesignSize::font(replay->font(), 15));
        replay->setMinimumSize(replay->sizeHint().width() + 16, 32);
        pressWith(replay, QKeySequence(Qt::CTRL | Qt::Key_R));
        connect(replay, &QPushButton::clicked, &m_state, &ReviewViewState::replay);
        row->addWidget(replay);
        row->addWidget(coloured(QStringLiteral("Ctrl+R"), 11, tertiary(palette()), box));
        row->addStretch();
        break;
    }
    }
    return box;
}

QWidget* SpellingView::asking(const ReviewScreen& screen)
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    m_slots = new LetterSlots(box);
    m_slots->setAnswer(screen.expected);
    m_slots->setAccessibleName(QStringLiteral("字母格"));
    column->addWidget(m_slots);

    auto* row = new QHBoxLayout;
    QWidget* panel = nullptr;
    m_field = glassField(QStringLiteral("在这里输入"), 20, 10, "answerField", box, panel);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textEdited, &m_state, &ReviewViewState::setInput);
    connect(m_field, &QLineEdit::returnPressed, &m_state, &ReviewViewState::submit);
    row->addWidget(panel, 1);
    auto* giveUp = new QPushButton(QStringLiteral("不会"), box);
    giveUp->setObjectName(QStringLiteral("giveUpButton"));
    giveUp->setAccessibleName(QStringLiteral("不会"));
    giveUp->setToolTip(QStringLiteral("直接看答案"));
    giveUp->setFocusPolicy(Qt::NoFocus);
    connect(giveUp, &QPushButton::clicked, &m_state, &ReviewViewState::giveUp);
    row->addWidget(giveUp);
    column->addLayout(row);
    column->addWidget(&coloured(QStringLiteral("回车提交 · Tab 送一个字母 · 空着提交 = 不会"), 11,
                                tertiary(palette()), box)
                           ->wrapping());
    FocusTries::start(m_field);
    return box;
}

QWidget* SpellingView::graded(const ReviewScreen& screen)
{
    const Screen::Graded& graded = *screen.graded;
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("verdict"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    const bool again = graded.verdict == Screen::Verdict::again;
    const SystemColor tint = again                                     ? SystemColor::orange
                             : graded.verdict == Screen::Verdict::hard ? SystemColor::yellow
                                                                       : SystemColor::green;
    row->addWidget(symbol(again ? Glyph::arrowClockwise : Glyph::checkmarkCircleFilled,
                          systemColor(tint, palette()), 20,
                          again ? QStringLiteral("没拼对") : QStringLiteral("拼对了"), box),
                   0, Qt::AlignVCenter);
    auto* detail = new QVBoxLayout;
    detail->setSpacing(2);
    if (graded.showTyped) {
        auto* typed = new LetterSlots(box);
        typed->setAnswer(screen.expected);
        typed->setTyped(screen.input);
        typed->setAccessibleName(QStringLiteral("你打的：") + screen.input);
        detail->addWidget(typed);
    }
    if (graded.message) {
        PlainLabel* message = coloured(*graded.message, 13, secondary(palette()), box);
        message->setObjectName(QStringLiteral("gradeMessage"));
        detail->addWidget(&message->wrapping());
    }
    row->addLayout(detail, 1);
    column->addLayout(row);

    column->addWidget(new AnswerBlock(screen.answer, box));
    if (QWidget* banner = OutcomeBanner::make(screen.banner, m_state, box))
        column->addWidget(banner);
    if (graded.typeAlong) column->addWidget(typeAlong(screen, box));

    auto* next = new QPushButton(QStringLiteral("下一题"), box);
    next->setObjectName(QStringLiteral("nextButton"));
    next->setAccessibleName(QStringLiteral("下一题"));
    next->setFocusPolicy(Qt::NoFocus);
    next->setMinimumSize(120, 32);
    pressWith(next, Qt::Key_Return);
    connect(next, &QPushButton::clicked, &m_state, &ReviewViewState::next);
    column->addWidget(next, 0, Qt::AlignLeft);
    column->addWidget(coloured(QStringLiteral("按回车继续"), 11, tertiary(palette()), box));
    return box;
}

QWidget* SpellingView::typeAlong(const ReviewScreen& screen, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    m_copySlots = new LetterSlots(box);
    m_copySlots->setAnswer(screen.expected);
    m_copySlots->setTyped(screen.copyInput);
    m_copySlots->setAccessibleName(QStringLiteral("照着打的字母格"));
    column->addWidget(m_copySlots);
    QWidget* panel = nullptr;
    m_copyField =
        glassField(screen.graded->typeAlongPlaceholder, 18, 8, "typeAlongField", box, panel);
    m_copyField->setText(screen.copyInput);
    connect(m_copyField, &QLineEdit::textEdited, &m_state, &ReviewViewState::setCopyInput);
    connect(m_copyField, &QLineEdit::returnPressed, &m_state, &ReviewViewState::next);
    column->addWidget(panel);
    FocusTries::start(m_copyField);
    return box;
}

bool SpellingView::eventFilter(QObject* watched, QEvent* event)
{
    // Tab gives a letter and keeps the focus in the answer field.
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            m_state.giveLetter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace glossivo
