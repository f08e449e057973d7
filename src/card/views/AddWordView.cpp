#include "card/views/AddWordView.h"

#include "card/AddWordState.h"
#include "card/SaveProgress.h"
#include "card/views/AlternativeButton.h"
#include "ui/BusyIndicator.h"
#include "ui/DesignSize.h"
#include "ui/GrowingTextField.h"
#include "ui/HighlightedLabel.h"
#include "ui/IconLabel.h"
#include "ui/LayoutClear.h"
#include "ui/PlainLabel.h"
#include "ui/RegisterBadge.h"
#include "ui/SpeakButton.h"
#include "ui/SystemColors.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace glossivo {

namespace {

// An optional text from the AI counts only when it says something.
bool present(const std::optional<QString>& text)
{
    return text && !text->isEmpty();
}

constexpr int kCallout = 12;
constexpr int kCaption = 11;

void setSize(QWidget* widget, int size, QFont::Weight weight = QFont::Normal)
{
    widget->setFont(DesignSize::font(widget->font(), size, weight));
}

QToolButton* linkButton(const QString& title, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(title);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

AddWordView::AddWordView(AddWordState& state, std::function<void(const QString&)> speak,
                         QWidget* parent)
    : QWidget(parent), m_state(state), m_speak(std::move(speak))
{
    setObjectName(QStringLiteral("addWordView"));
    setFixedWidth(kWidth);
    buildForm();
    connect(&m_state, &AddWordState::changed, this, &AddWordView::refresh);
    connect(&m_state, &AddWordState::resultChanged, this, &AddWordView::rebuildResult);
    connect(&m_state, &AddWordState::wordFocusRequested, this,
            [this] { m_wordField->setFocus(Qt::OtherFocusReason); });
    refresh();
    rebuildResult();
}

void AddWordView::buildForm()
{
    m_column = new QVBoxLayout(this);
    m_column->setContentsMargins(18, 18, 18, 18);
    m_column->setSpacing(12);

    m_wordField = new QLineEdit(this);
    m_wordField->setObjectName(QStringLiteral("wordField"));
    m_wordField->setAccessibleName(QStringLiteral("要查的词"));
    m_wordField->setPlaceholderText(
        QStringLiteral("输入英文或中文，比如 reluctant、放弃、Bohemian Rhapsody"));
    setSize(m_wordField, 15);
    connect(m_wordField, &QLineEdit::textEdited, &m_state, &AddWordState::setWord);
    connect(m_wordField, &QLineEdit::returnPressed, &m_state, &AddWordState::lookupWord);
    m_column->addWidget(m_wordField);

    m_sentenceField = new GrowingTextField(2, 4, this);
    m_sentenceField->setObjectName(QStringLiteral("sentenceField"));
    m_sentenceField->setPlaceholderText(
        QStringLiteral("在哪句话里遇到的？AI 会按这句话里的意思解释"));
    connect(m_sentenceField, &QPlainTextEdit::textChanged, this,
            [this] { m_state.setSentence(m_sentenceField->toPlainText()); });
    connect(m_sentenceField, &GrowingTextField::submitted, &m_state, &AddWordState::lookupWord);
    m_column->addWidget(m_sentenceField);

    auto* row = new QHBoxLayout;
    m_queryButton = new QPushButton(this);
    m_queryButton->setObjectName(QStringLiteral("queryButton"));
    // The look of the window's default action; Return reaches it through the fields.
    m_queryButton->setDefault(true);
    connect(m_queryButton, &QPushButton::clicked, &m_state, &AddWordState::lookupWord);
    row->addWidget(m_queryButton);
    m_busy = new BusyIndicator(16, this);
    m_busy->setObjectName(QStringLiteral("busyIndicator"));
    row->addWidget(m_busy);
    m_addSentence = linkButton(QStringLiteral("加一个例句"), this);
    m_addSentence->setObjectName(QStringLiteral("addSentenceButton"));
    setSize(m_addSentence, kCallout);
    connect(m_addSentence, &QToolButton::clicked, this, [this] {
        m_state.revealSentence();
        m_sentenceField->setFocus(Qt::OtherFocusReason);
    });
    row->addWidget(m_addSentence);
    row->addStretch(1);
    m_savedSlot = new QWidget(this);
    auto* savedRow = new QHBoxLayout(m_savedSlot);
    savedRow->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_savedSlot, 0, Qt::AlignVCenter);
    m_column->addLayout(row);

    m_error = new PlainLabel(QString(), this);
    m_error->setObjectName(QStringLiteral("errorLabel"));
    m_error->wrapping();
    setSize(m_error, kCallout);
    m_column->addWidget(m_error);

    // A save that waits for another process's turn says so below the buttons, in full.
    m_waitingNote = new PlainLabel(waitingForAnotherProcess(), this);
    m_waitingNote->setObjectName(QStringLiteral("waitingLabel"));
    m_waitingNote->setAccessibleName(m_waitingNote->text());
    m_waitingNote->wrapping();
    setSize(m_waitingNote, kCallout);
    m_column->addWidget(m_waitingNote);

    m_resultBlock = new QWidget(this);
    m_resultBlock->setObjectName(QStringLiteral("resultBlock"));
    auto* block = new QVBoxLayout(m_resultBlock);
    block->setContentsMargins(0, 0, 0, 0);
    block->setSpacing(12);
    m_column->addWidget(m_resultBlock);
    m_column->addStretch(1);
}

void AddWordView::refresh()
{
    if (m_wordField->text() != m_state.word()) m_wordField->setText(m_state.word());
    if (m_sentenceField->toPlainText() != m_state.sentence())
        m_sentenceField->setPlainText(m_state.sentence());
    m_sentenceField->setVisible(m_state.showSentence());
    m_addSentence->setVisible(!m_state.showSentence());
    m_queryButton->setText(m_state.loading() ? QStringLiteral("查询中…") : QStringLiteral("查询"));
    m_queryButton->setEnabled(m_state.canLookUp());
    m_busy->setVisible(m_state.loading());

    // The link colour and the message colours follow the palette of the moment.
    QPalette link = m_addSentence->palette();
    link.setColor(QPalette::ButtonText, palette().color(QPalette::Link));
    m_addSentence->setPalette(link);
    m_error->colour(systemColor(SystemColor::red, palette()));
    m_error->setText(m_state.error());
    m_error->setVisible(!m_state.error().isEmpty());

    m_waitingNote->secondary();
    m_waitingNote->setVisible(m_state.waiting());

    if (m_savedShown != m_state.lastSaved()) {
        clearLayout(m_savedSlot->layout());
        m_savedShown = m_state.lastSaved();
        if (!m_savedShown.isEmpty()) {
            auto* saved = notice(Glyph::checkmarkCircleFilled, m_savedShown,
                                 systemColor(SystemColor::green, palette()), "savedLabel");
            m_savedSlot->layout()->addWidget(saved);
            if (isVisible()) saved->show();
        }
    }
    m_savedSlot->setVisible(!m_savedShown.isEmpty());
    fitHeight();
}

void AddWordView::rebuildResult()
{
    QLayout* block = m_resultBlock->layout();
    clearLayout(block);
    const std::optional<LookupResult>& result = m_state.result();
    m_resultBlock->setVisible(result.has_value());
    if (result) {
        auto* divider = new QFrame(m_resultBlock);
        divider->setFrameShape(QFrame::HLine);
        divider->setFrameShadow(QFrame::Plain);
        divider->setForegroundRole(QPalette::Mid);
        for (QWidget* piece : {static_cast<QWidget*>(divider), preview(*result), actions()}) {
            block->addWidget(piece);
            // At once rather than from the event loop, so that the height fits them now.
            if (isVisible()) piece->show();
        }
    }
    fitHeight();
}

QWidget* AddWordView::header(const Explanation& e)
{
    auto* box = new QWidget(m_resultBlock);
    auto* headword = new PlainLabel(e.headword, box);
    headword->setObjectName(QStringLiteral("headwordLabel"));
    setSize(headword, 20, QFont::DemiBold);
    headword->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PlainLabel* phonetic = nullptr;
    if (present(e.phonetic)) {
        phonetic = new PlainLabel(*e.phonetic, box);
        phonetic->setObjectName(QStringLiteral("phoneticLabel"));
        phonetic->secondary();
    }
    auto* speak = new SpeakButton(e.headword, m_speak, box);
    auto* badge = RegisterBadge::make(RegisterBadge::parse(e.register_), box);

    // One line when everything fits on it; else the headword gets lines of its own above the
    // rest, and both wrap rather than being cut.
    const int spacing = 8;
    const int line =
        kWidth - m_column->contentsMargins().left() - m_column->contentsMargins().right();
    int width = headword->sizeHint().width() + spacing + speak->sizeHint().width();
    if (phonetic) width += phonetic->sizeHint().width() + spacing;
    if (badge) width += badge->sizeHint().width() + spacing;
    const bool oneLine = width <= line;

    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(spacing);
    if (oneLine) {
        row->addWidget(headword, 0, Qt::AlignBaseline);
    } else {
        headword->wrapping();
        column->addWidget(headword);
    }
    if (phonetic) {
        if (!oneLine) phonetic->wrapping();
        row->addWidget(phonetic, oneLine ? 0 : 1, oneLine ? Qt::AlignBaseline : Qt::Alignment());
    }
    row->addWidget(speak);
    if (badge) row->addWidget(badge);
    if (oneLine || !phonetic) row->addStretch(1);
    column->addLayout(row);
    return box;
}

QWidget* AddWordView::preview(const LookupResult& result)
{
    const Explanation& e = result.explanation;
    auto* box = new QWidget(m_resultBlock);
    box->setObjectName(QStringLiteral("preview"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    const QPalette& p = palette();

    if (result.corrected.value_or(false)) {
        column->addWidget(notice(Glyph::pencil,
                                 QStringLiteral("你输入的是「") + m_state.asked() +
                                     QStringLiteral("」，正确写法是 ") + e.headword,
                                 systemColor(SystemColor::orange, p), "correctedLabel"));
    }

    column->addWidget(header(e));

    auto* meaning =
        new PlainLabel((present(e.pos) ? *e.pos : QString()) + QLatin1Char(' ') + e.meaningZh, box);
    meaning->setObjectName(QStringLiteral("meaningLabel"));
    meaning->wrapping();
    setSize(meaning, 15, QFont::Medium);
    column->addWidget(meaning);

    if (present(result.aboutZh)) {
        auto* about = new PlainLabel(*result.aboutZh, box);
        about->setObjectName(QStringLiteral("aboutLabel"));
        about->wrapping();
        column->addWidget(about);
    }
    if (present(e.definitionEn)) {
        auto* definition = new PlainLabel(*e.definitionEn, box);
        definition->setObjectName(QStringLiteral("definitionLabel"));
        definition->secondary().wrapping();
        column->addWidget(definition);
    }
    if (present(e.sentence)) {
        // The emphasis keeps the sentence's size here.
        const qreal body = QFontInfo(font()).pixelSize();
        auto* sentence =
            new HighlightedLabel(*e.sentence, {m_state.asked(), e.headword}, body, box, body);
        sentence->setObjectName(QStringLiteral("sentenceLabel"));
        sentence->setContentsMargins(0, 4, 0, 0);
        column->addWidget(sentence);
        if (present(e.sentenceZh)) {
            auto* translation = new PlainLabel(*e.sentenceZh, box);
            translation->setObjectName(QStringLiteral("sentenceZhLabel"));
            translation->secondary().wrapping();
            column->addWidget(translation);
        }
    }
    if (result.alternatives && !result.alternatives->isEmpty()) {
        auto* title = new PlainLabel(QStringLiteral("其他说法"), box);
        title->setObjectName(QStringLiteral("alternativesTitle"));
        title->secondary();
        setSize(title, kCaption);
        title->setContentsMargins(0, 4, 0, 0);
        column->addWidget(title);
        for (const LookupResult::Alternative& alternative : *result.alternatives) {
            auto* button = new AlternativeButton(alternative.text, alternative.meaningZh, box);
            button->setObjectName(QStringLiteral("alternativeButton"));
            connect(button, &AlternativeButton::clicked, &m_state,
                    [this, text = alternative.text] { m_state.lookup(text); });
            column->addWidget(button);
        }
    }
    return box;
}

QWidget* AddWordView::actions()
{
    auto* box = new QWidget(m_resultBlock);
    box->setObjectName(QStringLiteral("actions"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    const QPalette& p = palette();
    const QColor secondary = p.color(QPalette::PlaceholderText);
    // A save that waits is not made twice, nor is its word told apart as one saved before.
    const bool waiting = m_state.waiting();

    if (m_state.existing() && !waiting) {
        auto* note =
            new PlainLabel(QStringLiteral("这个词已经在生词本里了，保存会把这个例句加进去。"), box);
        note->setObjectName(QStringLiteral("existingNote"));
        note->secondary().wrapping();
        note->setAlignment(Qt::AlignRight);
        setSize(note, kCaption);
        column->addWidget(note);
    }

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* again = new QPushButton(QStringLiteral("重新输入"), box);
    again->setObjectName(QStringLiteral("resetButton"));
    connect(again, &QPushButton::clicked, &m_state, &AddWordState::reset);
    row->addWidget(again);
    if (m_state.inSpellPractice()) {
        auto* spelling = new IconLabel(Glyph::checkmark, QStringLiteral("已在常拼"), secondary,
                                       QFontInfo(font()).pixelSize(), QFont::Normal, box);
        spelling->setObjectName(QStringLiteral("inSpellingLabel"));
        row->addWidget(spelling);
    } else {
        auto* spelling = new QPushButton(QStringLiteral("加入常拼"), box);
        spelling->setObjectName(QStringLiteral("spellingButton"));
        spelling->setIcon(glyphIcon(Glyph::textCursor, p.color(QPalette::ButtonText), 14));
        spelling->setToolTip(QStringLiteral("经常要打的词，多练拼写"));
        spelling->setEnabled(!waiting);
        connect(spelling, &QPushButton::clicked, &m_state, &AddWordState::addSpelling);
        row->addWidget(spelling);
    }
    auto* save = new QPushButton(QStringLiteral("保存"), box);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setIcon(glyphIcon(Glyph::star, p.color(QPalette::ButtonText), 14));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setEnabled(!waiting);
    connect(save, &QPushButton::clicked, &m_state, &AddWordState::save);
    row->addWidget(save);
    column->addLayout(row);
    return box;
}

QWidget* AddWordView::notice(Glyph glyph, const QString& text, const QColor& colour,
                             const char* name)
{
    auto* box = new QWidget(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(text);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    const int pixels = kCallout;
    auto* icon = new QLabel(box);
    icon->setPixmap(glyphIcon(glyph, colour, pixels).pixmap(pixels, pixels));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* label = new PlainLabel(text, box);
    label->setObjectName(QStringLiteral("noticeText"));
    label->wrapping().colour(colour);
    setSize(label, pixels);
    row->addWidget(label, 1);
    return box;
}

void AddWordView::fitHeight()
{
    QLayout* layout = m_column;
    const int needed =
        layout->hasHeightForWidth() ? layout->heightForWidth(kWidth) : layout->sizeHint().height();
    const int height = qMax(kMinimumHeight, needed);
    if (height == minimumHeight()) return;
    setMinimumHeight(height);
    Q_EMIT heightNeeded(height);
}

bool AddWordView::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    // Pieces added to the shown view appear a moment later; once the layout has taken them in,
    // the view asks for the height they need.
    if (event->type() == QEvent::LayoutRequest) fitHeight();
    return handled;
}

void AddWordView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_wordField->setFocus(Qt::OtherFocusReason);
}

void AddWordView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A new theme: the colours picked from the palette are picked again.
    if (event->type() == QEvent::PaletteChange && m_column) {
        clearLayout(m_savedSlot->layout());
        m_savedShown.clear();
        refresh();
        rebuildResult();
    }
}

} // namespace glossivo
