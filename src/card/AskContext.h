#pragma once

#include "model/Explanation.h"
#include "model/PageSource.h"

#include <QString>

#include <optional>

namespace glossivo {

// What a sentence chat is about.
struct AskContext {
    QString original; // the English passage: a word card's sentence, or the translated text
    std::optional<QString> translation;
    std::optional<QString> focusWord;       // a word card's headword; none for a translation
    std::optional<Explanation> explanation; // to save the word when an answer is saved
    std::optional<PageSource> source;

    bool operator==(const AskContext&) const = default;
};

} // namespace glossivo
