#pragma once

namespace glossivo {

class CardController;

// The process's lookup card: one controller over the shared word book, configuration and AI
// service, drawn in one panel, both made at first use and kept until the process ends.
// The application shell hands it the rest with CardController::setHooks (the page source of
// the screen input, the settings window, the sentence chat, the speaker) and gives it to the
// trigger controller as its LookupCard.
namespace SharedCard {

CardController& controller();

} // namespace SharedCard
} // namespace glossivo
