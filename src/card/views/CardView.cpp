#include "card/views/CardView.h"

#include "card/CardController.h"
#include "card/CardModel.h"
#include "card/CardText.h"
#include "card/views/ErrorCard.h"
#include "card/views/LoadingCard.h"
#include "card/views/TranslateOfferButton.h"
#include "card/views/TranslationCard.h"
#include "card/views/WordCard.h"
#include "ui/RoundedPanel.h"

#include <QVBoxLayout>

#include <algorithm>

namespace glossivo {

CardView::CardView(CardModel& model, CardController& controller, QWidget* parent)
    : QWidget(parent), m_model(model), m_controller(controller), m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("cardView"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    connect(&model, &CardModel::stateChanged, this, &CardView::showState);
    showState();
}

QSize CardView::fittingSize() const
{
    if (!m_content) return QSize();
    // Every card has a fixed width; its height follows from it.
    const int width = std::clamp(m_content->sizeHint().width(), m_content->minimumWidth(),
                                 m_content->maximumWidth());
    const int height = m_content->hasHeightForWidth() ? m_content->heightForWidth(width)
                                                      : m_content->sizeHint().height();
    return QSize(width, std::clamp(height, m_content->minimumHeight(), m_content->maximumHeight()));
}

void CardView::showState()
{
    const CardState& state = m_model.state();
    const auto speak = [this](const QString& text) { m_controller.speak(text); };
    if (const auto* word = state.as<CardState::Word>()) {
        const QString identity = word->data.explanation.headword + word->data.selection;
        if (m_wordCard && m_content == m_wordCard && identity == m_wordIdentity) {
            m_wordCard->setData(word->data);
            m_layout->activate();
            return;
        }
        m_wordIdentity = identity;
        m_wordCard = new WordCard(word->data, m_controller, this);
        replaceContent(m_wordCard);
    } else if (const auto* loading = state.as<CardState::Loading>()) {
        replaceContent(
            new LoadingCard(loading->selection, QStringLiteral("正在解释…"), speak, this));
    } else if (const auto* translating = state.as<CardState::Translating>()) {
        replaceContent(new LoadingCard(CardText::translatingTitle(translating->text),
                                       QStringLiteral("正在翻译…"), speak, this));
    } else if (const auto* offer = state.as<CardState::TranslateOffer>()) {
        auto* button = new TranslateOfferButton(this);
        connect(button, &TranslateOfferButton::clicked, this,
                [this, text = offer->text] { m_controller.translate(text); });
        replaceContent(button);
    } else if (const auto* translated = state.as<CardState::Translated>()) {
        replaceContent(
            new TranslationCard(translated->original, translated->translation, m_controller, this));
    } else if (const auto* error = state.as<CardState::Error>()) {
        replaceContent(new ErrorCard(
            error->message, error->needsSettings, [this] { m_controller.openSettings(); }, this));
    } else {
        replaceContent(nullptr);
    }
}

void CardView::replaceContent(QWidget* content)
{
    if (m_content) {
        m_layout->removeWidget(m_content);
        // Later: the click that brought us here may come from inside it.
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = content;
    if (content) m_layout->addWidget(content);
    m_layout->activate();
}

void CardView::paintEvent(QPaintEvent*)
{
    QColor background = palette().color(QPalette::Window);
    background.setAlphaF(0.97);
    paintRoundedPanel(*this, m_roundedCorners ? kCornerRadius : 0, background, 0.12);
}

} // namespace glossivo
