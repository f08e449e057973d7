#include "app/SharedCard.h"

#include "card/CardController.h"
#include "card/DeepSeekCardAI.h"
#include "card/views/CardPanel.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"

namespace glossivo::SharedCard {

CardController& controller()
{
    // Never released: the panel is a window and must not outlive the application object at
    // exit, and nothing needs the card after the event loop ends.
    static CardController* const card = [] {
        const auto config = [] { return ConfigStore::shared().config(); };
        auto* ai = new DeepSeekCardAI(config);
        auto* made = new CardController({*ai, WordStore::shared(), config, Clock::system()});
        made->setSurface(new CardPanel(made->model(), *made));
        return made;
    }();
    return *card;
}

} // namespace glossivo::SharedCard
