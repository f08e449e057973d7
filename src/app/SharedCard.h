#pragma once

#include "card/AskContext.h"
#include "card/QuickQuestion.h"
#include "model/PageSource.h"

#include <functional>
#include <optional>

namespace glossivo {

class CardController;

// The process's lookup card: one controller over the shared word book, configuration and AI
// service, drawn in one panel, both made at first use and kept until the process ends. Its
// settings button opens the delegate's settings window and its speak buttons use the process's
// speaker. The trigger controller takes controller() as its LookupCard.
namespace SharedCard {

CardController& controller();

// Where the user is reading, taken at each lookup (the screen input's page source). Without
// one the card records no source.
void setPageSource(std::function<PageSource()> source);
// Opens the sentence chat about a card. Without one the ask buttons only hide the card.
void setAskOpener(std::function<void(const AskContext&, std::optional<QuickQuestion>)> open);

} // namespace SharedCard
} // namespace glossivo
