#include "card/views/WordCard.h"

#include "card/CardController.h"
#include "card/SaveProgress.h"
#include "card/views/UnlockBanner.h"
#include "card/views/WordCardDetails.h"
#include "model/WordStore.h"
#include "ui/DesignSize.h"
#include "ui/HighlightedLabel.h"
#include "ui/IconLabel.h"
#include "ui/LayoutClear.h"
#include "ui/PlainLabel.h"
#include "ui/RegisterBadge.h"
#include "ui/SpeakButton.h"
#include "ui/SystemColors.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

// An optional text from the AI counts only when it says something.
bool present(const std::optional<QString>& text)
{
    return text && !text->isEmpty();
}

QPushButton* smallButton(const QString& title, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(DesignSize::font(button->font(), 11));
    return button;
}

constexpr int kHeaderSpacing = 6;
// Narrower than this, a cut-short phonetic says nothing.
constexpr int kShortestPhonetic = 40;

} // namespace

WordCard::WordCard(const WordCardData& data, CardController& controller, QWidget* parent)
    : QWidget(parent), m_data(data), m_controller(controller), m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("wordCard"));
    setFixedWidth(kWidth);
    m_column->setContentsMargins(12, 12, 12, 12);
    m_column->setSpacing(8);
    // The want-to-learn star and the save control follow the word book, whoever changes it; the
    // card is fitted again, since the change can come after the card was fitted to its state.
    connect(&controller.wordBook(), &WordStore::willChange, this, [this] {
        QTimer::singleShot(0, this, [this] {
            rebuild();
            m_controller.refreshLayout();
        });
    });
    rebuild();
}

void WordCard::setData(const WordCardData& data)
{
    m_data = data;
    rebuild();
}

void WordCard::rebuild()
{
    clearLayout(m_column);
    m_column->addWidget(header());
    if (!m_data.saveFailure.isEmpty()) {
        auto* failure = new PlainLabel(m_data.saveFailure, this);
        failure->setObjectName(QStringLiteral("saveFailedLabel"));
        failure->sized(11).wrapping().colour(systemColor(SystemColor::red, palette()));
        m_column->addWidget(failure);
    }
    if (m_data.saveWaiting) {
        auto* waiting = new PlainLabel(waitingForAnotherProcess(), this);
        waiting->setObjectName(QStringLiteral("saveWaitingLabel"));
        waiting->setAccessibleName(waiting->text());
        waiting->sized(11).wrapping().secondary();
        m_column->addWidget(waiting);
    }
    if (m_data.recall.step == RecallState::Step::hidden) {
        m_column->addWidget(recallPrompt());
    } else {
        m_column->addWidget(meaningRow());
        if (QWidget* result = recallResult()) m_column->addWidget(result);
    }
    if (present(m_data.explanation.sentence)) m_column->addWidget(sentenceBlock());
    if (m_data.unlock && !m_data.unlock->isEmpty())
        m_column->addWidget(new UnlockBanner(*m_data.unlock, this));
    if (m_expanded) m_column->addWidget(new WordCardDetails(m_data, m_controller, this));
    m_column->addWidget(detailsToggle(), 0, Qt::AlignLeft);
    // Pieces added to a shown card would appear only from the event loop, and until then count
    // as empty: the window would first be fitted to the card's margins alone, an empty strip,
    // and grow again only later. Shown now, they are fitted at once.
    if (isVisible()) {
        for (int i = 0; i < m_column->count(); ++i)
            if (QWidget* piece = m_column->itemAt(i)->widget()) piece->show();
    }
}

QWidget* WordCard::detailsToggle()
{
    auto* toggle = new QToolButton(this);
    toggle->setObjectName(QStringLiteral("detailsToggle"));
    toggle->setText(m_expanded ? QStringLiteral("收起") : QStringLiteral("更多"));
    toggle->setAutoRaise(true);
    toggle->setFocusPolicy(Qt::NoFocus);
    toggle->setCursor(Qt::PointingHandCursor);
    toggle->setFont(DesignSize::font(toggle->font(), 11));
    QPalette p = toggle->palette();
    p.setColor(QPalette::ButtonText, p.color(QPalette::Link));
    toggle->setPalette(p);
    connect(toggle, &QToolButton::clicked, this, [this] {
        m_expanded = !m_expanded;
        rebuild();
        m_controller.refreshLayout();
    });
    return toggle;
}

QWidget* WordCard::header()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout;
    row->setSpacing(kHeaderSpacing);
    const Explanation& explanation = m_data.explanation;
    auto* headword = new PlainLabel(explanation.headword, box);
    headword->setObjectName(QStringLiteral("headwordLabel"));
    headword->sized(20, QFont::DemiBold);
    headword->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* speak = new SpeakButton(
        explanation.headword, [this](const QString& text) { m_controller.speak(text); }, box);
    auto* badge = RegisterBadge::make(RegisterBadge::parse(explanation.register_), box);
    QWidget* save = saveControl();

    // The headword keeps its whole width and the phonetic gives way: cut short, or left out
    // when hardly anything of it would show. A headword too long to share the line with the
    // buttons gets a line of its own above them.
    const int line = kWidth - 24;
    int room = line - speak->sizeHint().width() - save->sizeHint().width() -
               (badge ? badge->sizeHint().width() + kHeaderSpacing : 0) - 2 * kHeaderSpacing - 4;
    const int headwordWidth = headword->sizeHint().width();
    const bool ownLine = headwordWidth > room;
    if (ownLine) {
        headword->setWordWrap(true);
    } else {
        headword->setMinimumWidth(headwordWidth);
        row->addWidget(headword, 0, Qt::AlignBaseline);
        room -= headwordWidth + kHeaderSpacing;
    }
    if (present(explanation.phonetic) && room >= kShortestPhonetic) {
        auto* phonetic = new PlainLabel(QString(), box);
        phonetic->setObjectName(QStringLiteral("phoneticLabel"));
        phonetic->sized(12).secondary();
        phonetic->setText(
            QFontMetrics(phonetic->font()).elidedText(*explanation.phonetic, Qt::ElideRight, room));
        row->addWidget(phonetic, 0, Qt::AlignBaseline);
    }
    row->addWidget(speak);
    row->addStretch(1);
    if (badge) row->addWidget(badge);
    row->addWidget(save);

    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    if (ownLine) column->addWidget(headword);
    column->addLayout(row);
    return box;
}

QWidget* WordCard::saveControl()
{
    const QPalette& p = palette();
    // In the save button's place, so that a save that waits is not made twice.
    if (m_data.saveWaiting) {
        auto* waiting = new IconLabel(Glyph::arrowClockwise, QStringLiteral("等待保存"),
                                      p.color(QPalette::PlaceholderText), 11, QFont::Normal, this);
        waiting->setObjectName(QStringLiteral("waitingLabel"));
        waiting->setAccessibleName(waiting->text());
        return waiting;
    }
    if (m_data.justSaved) {
        auto* saved = new IconLabel(Glyph::checkmarkCircleFilled, QStringLiteral("已保存"),
                                    systemColor(SystemColor::green, p), 11, QFont::Medium, this);
        saved->setObjectName(QStringLiteral("savedLabel"));
        return saved;
    }
    if (m_data.savedLookupCount) {
        const QString n = QString::number(*m_data.savedLookupCount);
        auto* count =
            new IconLabel(Glyph::starFilled, QStringLiteral("第 ") + n + QStringLiteral(" 次"),
                          systemColor(SystemColor::orange, p), 11, QFont::Normal, this);
        count->setObjectName(QStringLiteral("lookupCountLabel"));
        count->setToolTip(QStringLiteral("已在生词本里，这是第 ") + n + QStringLiteral(" 次查到"));
        return count;
    }
    auto* button = smallButton(QStringLiteral("保存"), this);
    button->setObjectName(QStringLiteral("saveButton"));
    button->setIcon(glyphIcon(Glyph::star, p.color(QPalette::ButtonText), 12));
    connect(button, &QPushButton::clicked, this, [this] { m_controller.save(); });
    return button;
}

QWidget* WordCard::meaningRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    if (present(m_data.explanation.pos)) {
        auto* pos = new PlainLabel(*m_data.explanation.pos, box);
        pos->setObjectName(QStringLiteral("posLabel"));
        pos->sized(12, QFont::Medium).secondary();
        row->addWidget(pos, 0, Qt::AlignBaseline);
    }
    auto* meaning = new PlainLabel(m_data.explanation.meaningZh, box);
    meaning->setObjectName(QStringLiteral("meaningLabel"));
    meaning->sized(15, QFont::Medium).wrapping();
    row->addWidget(meaning, 1, Qt::AlignBaseline);
    return box;
}

QWidget* WordCard::recallPrompt()
{
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("recallPrompt"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    const QString n = QString::number(m_data.savedLookupCount.value_or(1));
    auto* prompt = new PlainLabel(
        QStringLiteral("你查过 ") + n + QStringLiteral(" 次了，先想一想它在这里的意思？"), box);
    prompt->sized(12).secondary().wrapping();
    row->addWidget(prompt, 1);
    auto* reveal = smallButton(QStringLiteral("看答案"), box);
    reveal->setObjectName(QStringLiteral("revealButton"));
    connect(reveal, &QPushButton::clicked, this, [this] { m_controller.revealRecall(); });
    row->addWidget(reveal);
    return box;
}

QWidget* WordCard::recallResult()
{
    const QPalette& p = palette();
    switch (m_data.recall.step) {
    case RecallState::Step::off:
    case RecallState::Step::hidden:
        return nullptr;
    case RecallState::Step::revealed: {
        auto* box = new QWidget(this);
        box->setObjectName(QStringLiteral("recallQuestion"));
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(8);
        auto* question = new PlainLabel(QStringLiteral("刚才想起来了吗？"), box);
        question->sized(12).secondary();
        row->addWidget(question);
        auto* forgot = smallButton(QStringLiteral("没想起来"), box);
        forgot->setObjectName(QStringLiteral("forgotButton"));
        connect(forgot, &QPushButton::clicked, this, [this] { m_controller.rateRecall(false); });
        row->addWidget(forgot);
        auto* remembered = smallButton(QStringLiteral("想起来了"), box);
        remembered->setObjectName(QStringLiteral("rememberedButton"));
        connect(remembered, &QPushButton::clicked, this, [this] { m_controller.rateRecall(true); });
        row->addWidget(remembered);
        row->addStretch(1);
        return box;
    }
    case RecallState::Step::done:
        if (m_data.recall.remembered)
            return new IconLabel(Glyph::checkmarkCircle, QStringLiteral("记住了，算一次复习"),
                                 systemColor(SystemColor::green, p), 11, QFont::Normal, this);
        return new IconLabel(Glyph::arrowClockwise, QStringLiteral("没关系，过一会儿会再考你一次"),
                             systemColor(SystemColor::orange, p), 11, QFont::Normal, this);
    }
    return nullptr;
}

QWidget* WordCard::sentenceBlock()
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    const Explanation& explanation = m_data.explanation;
    auto* sentence = new HighlightedLabel(
        *explanation.sentence,
        {explanation.surfaceForm.value_or(QString()), m_data.selection, explanation.headword}, 13,
        box);
    sentence->setObjectName(QStringLiteral("sentenceLabel"));
    column->addWidget(sentence);
    if (present(m_data.explanation.sentenceZh) && m_data.recall.step != RecallState::Step::hidden) {
        auto* translation = new PlainLabel(*m_data.explanation.sentenceZh, box);
        translation->setObjectName(QStringLiteral("sentenceZhLabel"));
        translation->sized(12).secondary().wrapping();
        column->addWidget(translation);
    }
    return box;
}

} // namespace glossivo
