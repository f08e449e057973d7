#include "review/views/RecognitionView.h"

#include "review/ReviewViewState.h"
#include "review/views/AnswerBlock.h"
#include "review/views/OutcomeBanner.h"
#include "review/views/ReviewWidgets.h"
#include "ui/BreakableText.h"
#include "ui/FlowLayout.h"
#include "ui/HighlightedLabel.h"
#include "ui/SpeakButton.h"
#include "ui/SystemColors.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

using namespace ReviewWidgets;

struct RateKey {
    const char* label;
    Qt::Key key;
    Rating rating;
    SystemColor tint;
};

constexpr RateKey kRateKeys[] = {
    {"没想起来", Qt::Key_1, Rating::again, SystemColor::red},
    {"有点费劲", Qt::Key_2, Rating::hard, SystemColor::orange},
    {"想起来了", Qt::Key_3, Rating::good, SystemColor::green},
    {"太简单了", Qt::Key_4, Rating::easy, SystemColor::blue},
};

// A large button: keys, not the focus, drive the window, so no button takes the focus.
QPushButton* largeButton(const QString& label, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(label, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(label);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(120, 32);
    return button;
}

bool sameBelow(const ReviewScreen& a, const ReviewScreen& b)
{
    return a.step == b.step && a.answer == b.answer && a.banner == b.banner;
}

} // namespace

RecognitionView::RecognitionView(ReviewViewState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_column(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("recognitionView"));
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(16);
}

void RecognitionView::show(const ReviewScreen& screen)
{
    if (!m_shown) {
        auto* question = new QVBoxLayout;
        question->setSpacing(10);
        // A headword too long for one line takes two, and the phonetic and the speaker move
        // below it rather than out of the window.
        auto* header = new FlowLayout(8);
        PlainLabel* headword = text(cappedText(screen.headword), 30, this, QFont::DemiBold);
        headword->setObjectName(QStringLiteral("headwordLabel"));
        header->addWidget(&headword->wrapping());
        header->addWidget(&coloured(screen.phonetic, 13, secondary(palette()), this)->wrapping());
        auto* speak = new SpeakButton(
            screen.headword, [this](const QString&) { m_state.speakHeadword(); }, this);
        speak->setAccessibleName(QStringLiteral("朗读"));
        header->addWidget(speak);
        question->addLayout(header);
        if (screen.sentence) {
            auto* sentence =
                new HighlightedLabel(*screen.sentence, screen.sentenceTerms, 15, this, 15, 3);
            sentence->setObjectName(QStringLiteral("sentenceLabel"));
            sentence->setAccessibleName(*screen.sentence);
            question->addWidget(sentence);
        }
        m_column->addLayout(question);
    }
    if (m_shown && sameBelow(*m_shown, screen)) return;
    m_shown = screen;
    // Later: the button that led here may still be on the stack.
    if (m_below) {
        m_below->hide();
        m_below->deleteLater();
    }
    m_below = new QWidget(this);
    auto* below = new QVBoxLayout(m_below);
    below->setContentsMargins(0, 0, 0, 0);
    below->setSpacing(16);
    if (screen.step == ReviewScreen::Step::asking) {
        below->addWidget(revealRow());
    } else {
        below->addWidget(new AnswerBlock(screen.answer, m_below));
        if (QWidget* banner = OutcomeBanner::make(screen.banner, m_state, m_below))
            below->addWidget(banner);
        below->addWidget(screen.step == ReviewScreen::Step::revealed ? rateRow() : nextRow());
    }
    m_column->addWidget(m_below);
    // At once, not when the event loop comes round: a key pressed right after the last one
    // must find the buttons it belongs to.
    m_below->show();
}

QWidget* RecognitionView::revealRow()
{
    auto* box = new QWidget(m_below);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    QPushButton* reveal = largeButton(QStringLiteral("看答案"), "revealButton", box);
    pressWith(reveal, Qt::Key_Space);
    connect(reveal, &QPushButton::clicked, &m_state, &ReviewViewState::reveal);
    column->addWidget(reveal, 0, Qt::AlignLeft);
    column->addWidget(
        &coloured(QStringLiteral("按空格看答案"), 11, tertiary(palette()), box)->wrapping());
    return box;
}

QWidget* RecognitionView::rateRow()
{
    auto* box = new QWidget(m_below);
    box->setObjectName(QStringLiteral("rateRow"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    for (const RateKey& key : kRateKeys) {
        const QString label = QString::fromUtf8(key.label);
        const QString digit = QKeySequence(key.key).toString();
        auto* button = new QPushButton(box);
        button->setObjectName(QStringLiteral("rate") + digit);
        button->setAccessibleName(label + QLatin1Char(' ') + digit);
        button->setFocusPolicy(Qt::NoFocus);
        pressWith(button, key.key);
        button->setMinimumSize(84, 52);
        const QColor tint = systemColor(key.tint, palette());
        QPalette colours = button->palette();
        QColor face = colours.color(QPalette::Button);
        face = QColor::fromRgbF(face.redF() * 0.82 + tint.redF() * 0.18,
                                face.greenF() * 0.82 + tint.greenF() * 0.18,
                                face.blueF() * 0.82 + tint.blueF() * 0.18);
        colours.setColor(QPalette::Button, face);
        button->setPalette(colours);
        auto* inside = new QVBoxLayout(button);
        inside->setContentsMargins(6, 6, 6, 6);
        inside->setSpacing(2);
        PlainLabel* name = coloured(label, 13, tint, button, QFont::Medium);
        PlainLabel* keyLabel = coloured(digit, 11, secondary(palette()), button);
        for (PlainLabel* part : {name, keyLabel}) {
            // Inside a button a label takes the button's text colour unless told otherwise,
            // which would hide both the tint and the grey of the digit.
            part->setForegroundRole(QPalette::WindowText);
            part->setAlignment(Qt::AlignCenter);
            part->setAttribute(Qt::WA_TransparentForMouseEvents);
            inside->addWidget(part);
        }
        const Rating rating = key.rating;
        connect(button, &QPushButton::clicked, &m_state, [this, rating] { m_state.rate(rating); });
        row->addWidget(button);
    }
    row->addStretch();
    return box;
}

QWidget* RecognitionView::nextRow()
{
    QPushButton* next = largeButton(QStringLiteral("下一题"), "nextButton", m_below);
    pressWith(next, Qt::Key_Return);
    connect(next, &QPushButton::clicked, &m_state, &ReviewViewState::next);
    auto* box = new QWidget(m_below);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    next->setParent(box);
    row->addWidget(next);
    row->addStretch();
    return box;
}

} // namespace glossivo
