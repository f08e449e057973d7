#include "app/SharedCard.h"

#include "app/AppDelegate.h"
#include "app/Speaker.h"
#include "card/CardController.h"
#include "card/DeepSeekCardAI.h"
#include "card/views/CardPanel.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"
#include "platform/x11/X11DesktopSurface.h"

namespace glossivo::SharedCard {

namespace {

CardController::Hooks& hooks()
{
    static CardController::Hooks shared{{},
                                        [] {
                                            if (AppDelegate* delegate = AppDelegate::shared())
                                                delegate->showSettings();
                                        },
                                        {},
                                        [](const QString& text) { Speaker::shared().speak(text); }};
    return shared;
}

} // namespace

CardController& controller()
{
    // Never released: the panel is a window and must not outlive the application object at
    // exit, and nothing needs the card after the event loop ends.
    static CardController* const card = [] {
        const auto config = [] { return ConfigStore::shared().config(); };
        auto* ai = new DeepSeekCardAI(config);
        auto* made = new CardController({*ai, WordStore::shared(), config, Clock::system()});
        static const X11DesktopSurface desktop;
        made->setSurface(new CardPanel(made->model(), *made, desktop));
        made->setHooks(hooks());
        return made;
    }();
    return *card;
}

void setPageSource(std::function<PageSource()> source)
{
    hooks().pageSource = std::move(source);
    controller().setHooks(hooks());
}

void setAskOpener(std::function<void(const AskContext&, std::optional<QuickQuestion>)> open)
{
    hooks().showAsk = std::move(open);
    controller().setHooks(hooks());
}

} // namespace glossivo::SharedCard
