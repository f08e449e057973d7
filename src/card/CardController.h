#pragma once

#include "card/AskContext.h"
#include "card/CardModel.h"
#include "card/ExplanationCache.h"
#include "card/QuickQuestion.h"
#include "input/LookupCard.h"
#include "model/AppConfig.h"
#include "model/Clock.h"
#include "model/PageSource.h"
#include "model/Unlock.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace glossivo {

class CardAI;
class CardSurface;
class WordStore;

// Everything that puts something on the lookup card goes through here: the triggers' lookups,
// translation offers and errors, and the card's own buttons. The controller is the model's
// only writer. Requests run as coroutines; each operation starts a new generation, and a
// result that arrives for an older one is dropped, so only the latest request reaches the card.
class CardController : public QObject, public LookupCard {
    Q_OBJECT

public:
    struct Services {
        CardAI& ai;
        WordStore& words;
        std::function<AppConfig()> config;
        const Clock& clock;
    };

    // What the card reaches of the rest of the application; each may be left empty.
    struct Hooks {
        // Where the user is reading at this moment; the empty source without one.
        std::function<PageSource()> pageSource;
        std::function<void()> showSettings;
        std::function<void(const AskContext&, std::optional<QuickQuestion>)> showAsk;
        std::function<void(const QString&)> speak;
    };

    explicit CardController(Services services, QObject* parent = nullptr);
    ~CardController() override;

    CardModel& model() { return m_model; }
    const CardState& state() const { return m_model.state(); }
    // The word book the card reads and saves into.
    WordStore& wordBook() { return m_services.words; }
    // Where the card was last asked for; key terms of a translation are looked up there.
    QPoint anchor() const { return m_anchor; }
    // The window the card is drawn in; not owned. None: the card is laid out nowhere.
    void setSurface(CardSurface* surface) { m_surface = surface; }
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // How long an unanswered translation offer stays.
    void setOfferDuration(std::chrono::milliseconds duration);

    // From the triggers.
    void lookup(const QString& selection, const std::optional<QString>& context,
                QPoint at) override;
    void offerTranslation(const QString& text, QPoint at) override;
    void showTranslation(const QString& text, QPoint at) override;
    void showError(const QString& message, bool needsSettings, QPoint at) override;
    void hide() override;
    bool showsTranslateOffer() const override;
    // Where the card stands on the screen, so that screen capture can leave it out.
    std::optional<QRect> visibleFrame() const override;

    // From the card's buttons.
    void translate(const QString& text);
    // Saves the word card's word with its sentence; shown saved once it is on disk, waiting
    // while another process's turn holds it back, and failed when it could not be written.
    void save();
    void revealRecall();
    void rateRecall(bool remembered);
    // Hides the card and opens the sentence chat about it (word and translation cards only).
    void ask(std::optional<QuickQuestion> question = std::nullopt);
    // Hides the card and brings up the settings window.
    void openSettings();
    void speak(const QString& text);
    // The card's content changed size.
    void refreshLayout();

    // How long ago a review must be for a saved word's meaning to start hidden.
    static constexpr qint64 kRecallAfterSeconds = 3600;

private:
    void update(const CardState& state);
    void relayout();
    void show(const CardState& state, QPoint at);
    // Drops the running request: its result will be ignored.
    quint64 nextGeneration() { return ++m_generation; }
    PageSource currentSource() const;

    QCoro::Task<> explain(quint64 generation, QString selection, std::optional<QString> context,
                          PageSource source);
    QCoro::Task<> fetchTranslation(quint64 generation, QString text);
    void showWord(const QString& selection, const Explanation& explanation,
                  const PageSource& source);
    void showFailure(std::exception_ptr failure);
    // What a save shows once it is on disk.
    struct SaveResult {
        int lookupCount;
        Unlock unlock;
    };
    // The word card of the save as the word book stands now.
    WordCardData settled(WordCardData data, const SaveResult& saved) const;
    // A save not yet on disk: shown waiting, failed or saved as the word book's later writes
    // go, while the card still shows that lookup.
    void followUnconfirmedSave();

    Services m_services;
    Hooks m_hooks;
    CardModel m_model;
    CardSurface* m_surface = nullptr;
    QPoint m_anchor;
    // The frame last given to the surface, while it is on the screen.
    std::optional<QRect> m_frame;
    bool m_onScreen = false;
    quint64 m_generation = 0;
    QTimer m_offerTimer;
    ExplanationCache m_cache;
    PageSource m_translationSource;
    struct UnconfirmedSave {
        quint64 generation; // of the lookup whose card saved
        SaveResult saved;
    };
    std::optional<UnconfirmedSave> m_unconfirmedSave;
};

} // namespace glossivo
