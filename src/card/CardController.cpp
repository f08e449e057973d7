#include "card/CardController.h"

#include "ai/AIError.h"
#include "card/CardAI.h"
#include "card/CardSurface.h"
#include "card/SaveProgress.h"
#include "model/WordStore.h"

#include <QPointer>

namespace glossivo {

namespace {

constexpr std::chrono::seconds kOfferDuration{4};

CardState::Error errorFor(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const AIError& error) {
        const bool settings =
            error.kind() == AIError::Kind::noKey || error.kind() == AIError::Kind::unauthorized;
        return {error.errorDescription(), settings};
    } catch (const std::exception& error) {
        return {QString::fromUtf8(error.what()), false};
    } catch (...) {
        // Nothing the client throws ends here; should it, the card still says something.
        return {AIError::badResponse().errorDescription(), false};
    }
}

// A saved word's meaning starts hidden when it was never reviewed or not within the last hour.
RecallState recallFor(const WordEntry& entry, const QDateTime& now, bool recallOnLookup)
{
    if (!recallOnLookup) return RecallState::off();
    if (entry.review && entry.review->lastReview.secsTo(now) < CardController::kRecallAfterSeconds)
        return RecallState::off();
    return RecallState::hidden();
}

} // namespace

CardController::CardController(Services services, QObject* parent)
    : QObject(parent), m_services(std::move(services))
{
    m_offerTimer.setSingleShot(true);
    m_offerTimer.setInterval(kOfferDuration);
    connect(&m_offerTimer, &QTimer::timeout, this, [this] {
        if (m_model.state().is<CardState::TranslateOffer>()) hide();
    });
    connect(&m_services.words, &WordStore::saveStateChanged, this,
            &CardController::followUnconfirmedSave);
}

CardController::~CardController() = default;

void CardController::setOfferDuration(std::chrono::milliseconds duration)
{
    m_offerTimer.setInterval(duration);
}

void CardController::update(const CardState& state)
{
    m_model.setState(state);
    // Once now and once more when the view has settled on its new content.
    QTimer::singleShot(0, this, &CardController::relayout);
    relayout();
}

void CardController::refreshLayout()
{
    QTimer::singleShot(0, this, &CardController::relayout);
}

void CardController::relayout()
{
    if (!m_surface) return;
    const QSize size = m_surface->fittingSize();
    if (size.width() <= 0 || size.height() <= 0) return;
    const QRect area = CardPlacement::availableAt(m_anchor, m_surface->screens());
    m_frame = CardPlacement::place(m_anchor, size, area);
    m_surface->setFrame(*m_frame);
}

void CardController::show(const CardState& state, QPoint at)
{
    m_anchor = at;
    update(state);
    if (!m_surface) return;
    m_surface->orderFront();
    m_onScreen = true;
}

PageSource CardController::currentSource() const
{
    return m_hooks.pageSource ? m_hooks.pageSource() : PageSource();
}

void CardController::hide()
{
    nextGeneration();
    m_offerTimer.stop();
    if (m_surface) m_surface->orderOut();
    m_onScreen = false;
    m_model.setState(CardState::Hidden());
}

std::optional<QRect> CardController::visibleFrame() const
{
    return m_onScreen ? m_frame : std::nullopt;
}

bool CardController::showsTranslateOffer() const
{
    return m_model.state().is<CardState::TranslateOffer>();
}

void CardController::lookup(const QString& selection, const std::optional<QString>& context,
                            QPoint at)
{
    const quint64 generation = nextGeneration();
    show(CardState::Loading{selection}, at);
    explain(generation, selection, context, currentSource());
}

QCoro::Task<> CardController::explain(quint64 generation, QString selection,
                                      std::optional<QString> context, PageSource source)
{
    QPointer<CardController> self(this);
    const ExplanationCache::Key key = ExplanationCache::keyFor(selection, context);
    std::optional<Explanation> explanation = m_cache.find(key);
    if (!explanation) {
        std::exception_ptr failure;
        try {
            explanation = co_await m_services.ai.explain(selection, context);
        } catch (...) {
            failure = std::current_exception();
        }
        if (!self) co_return;
        if (failure) {
            if (generation != m_generation) co_return;
            showFailure(failure);
            co_return;
        }
        // Kept even when the card moved on: the next lookup of it needs no request.
        m_cache.insert(key, *explanation);
    }
    if (generation != m_generation) co_return;
    showWord(selection, *explanation, source);
}

void CardController::showWord(const QString& selection, const Explanation& explanation,
                              const PageSource& source)
{
    WordCardData data;
    data.selection = selection;
    data.explanation = explanation;
    data.source = source;
    WordStore& words = m_services.words;
    // The headword, not the selection: an inflected form finds the entry of its base form.
    if (const auto found = words.index(explanation.headword)) {
        data.recall = recallFor(words.entries().at(*found), m_services.clock.now(),
                                m_services.config().recallOnLookup);
        data.unlock = words.recordLookup(explanation, source);
        if (const auto again = words.index(explanation.headword))
            data.savedLookupCount = words.entries().at(*again).lookupCount;
    }
    update(CardState::Word{data});
}

void CardController::showFailure(std::exception_ptr failure)
{
    update(errorFor(failure));
}

void CardController::offerTranslation(const QString& text, QPoint at)
{
    nextGeneration();
    show(CardState::TranslateOffer{text}, at);
    m_translationSource = currentSource();
    m_offerTimer.start();
}

void CardController::showTranslation(const QString& text, QPoint at)
{
    nextGeneration();
    show(CardState::Translating{text}, at);
    m_translationSource = currentSource();
    translate(text);
}

void CardController::translate(const QString& text)
{
    m_offerTimer.stop();
    update(CardState::Translating{text});
    fetchTranslation(nextGeneration(), text);
}

QCoro::Task<> CardController::fetchTranslation(quint64 generation, QString text)
{
    QPointer<CardController> self(this);
    std::optional<Translation> translation;
    std::exception_ptr failure;
    try {
        translation = co_await m_services.ai.translate(text);
    } catch (...) {
        failure = std::current_exception();
    }
    if (!self || generation != m_generation) co_return;
    if (failure) {
        showFailure(failure);
        co_return;
    }
    update(CardState::Translated{text, *translation});
}

void CardController::showError(const QString& message, bool needsSettings, QPoint at)
{
    nextGeneration();
    show(CardState::Error{message, needsSettings}, at);
}

void CardController::save()
{
    const auto* word = m_model.state().as<CardState::Word>();
    if (!word) return;
    const WordStore::Saved made = m_services.words.save(word->data.explanation, word->data.source);
    const SaveResult saved{made.entry.lookupCount, made.unlock};
    const WordCardData data = settled(word->data, saved);
    if (data.justSaved)
        m_unconfirmedSave.reset();
    else
        m_unconfirmedSave = UnconfirmedSave{m_generation, saved};
    update(CardState::Word{data});
}

WordCardData CardController::settled(WordCardData data, const SaveResult& saved) const
{
    // The word book keeps a save it could not write in memory and tries again later; until
    // then the card must not claim the word is saved.
    const SaveProgress progress = saveProgress(m_services.words);
    data.justSaved = progress == SaveProgress::saved;
    data.saveWaiting = progress == SaveProgress::waiting;
    data.saveFailure = progress == SaveProgress::failed ? saveFailure(m_services.words) : QString();
    if (data.justSaved) {
        data.savedLookupCount = saved.lookupCount;
        if (!saved.unlock.isEmpty()) data.unlock = saved.unlock;
    }
    return data;
}

void CardController::followUnconfirmedSave()
{
    if (!m_unconfirmedSave) return;
    const auto* word = m_model.state().as<CardState::Word>();
    if (!word || m_unconfirmedSave->generation != m_generation) {
        // The card moved on; the word book writes the save by itself or announces that it
        // could not.
        m_unconfirmedSave.reset();
        return;
    }
    const WordCardData data = settled(word->data, m_unconfirmedSave->saved);
    if (data.justSaved) m_unconfirmedSave.reset();
    // A failing write is tried again a few times a second; the card changes only when its
    // outcome does.
    if (data != word->data) update(CardState::Word{data});
}

void CardController::revealRecall()
{
    const auto* word = m_model.state().as<CardState::Word>();
    if (!word || word->data.recall.step != RecallState::Step::hidden) return;
    WordCardData data = word->data;
    data.recall = RecallState::revealed();
    update(CardState::Word{data});
}

void CardController::rateRecall(bool remembered)
{
    const auto* word = m_model.state().as<CardState::Word>();
    if (!word || word->data.recall.step != RecallState::Step::revealed) return;
    WordStore& words = m_services.words;
    const auto found = words.index(word->data.explanation.headword);
    if (!found) return;
    WordCardData data = word->data;
    words.applyReview(words.entries().at(*found).id, remembered ? Rating::good : Rating::again,
                      QStringLiteral("review"));
    data.recall = RecallState::done(remembered);
    update(CardState::Word{data});
}

void CardController::ask(std::optional<QuickQuestion> question)
{
    AskContext context;
    const CardState& state = m_model.state();
    if (const auto* word = state.as<CardState::Word>()) {
        const Explanation& explanation = word->data.explanation;
        const bool hasSentence = explanation.sentence && !explanation.sentence->isEmpty();
        context.original = hasSentence ? *explanation.sentence : word->data.selection;
        context.translation = explanation.sentenceZh;
        context.focusWord = explanation.headword;
        context.explanation = explanation;
        context.source = word->data.source;
    } else if (const auto* translated = state.as<CardState::Translated>()) {
        context.original = translated->original;
        context.translation = translated->translation.translationZh;
        context.source = m_translationSource;
    } else {
        return;
    }
    hide();
    if (m_hooks.showAsk) m_hooks.showAsk(context, question);
}

void CardController::openSettings()
{
    hide();
    if (m_hooks.showSettings) m_hooks.showSettings();
}

void CardController::speak(const QString& text)
{
    if (m_hooks.speak) m_hooks.speak(text);
}

} // namespace glossivo
