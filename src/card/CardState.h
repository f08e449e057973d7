#pragma once

#include "ai/Translation.h"
#include "card/WordCardData.h"

#include <QString>

#include <variant>

namespace glossivo {

// Everything the lookup card can show, one alternative at a time.
struct CardState {
    struct Hidden {
        bool operator==(const Hidden&) const = default;
    };
    struct Loading {
        QString selection;
        bool operator==(const Loading&) const = default;
    };
    struct Word {
        WordCardData data;
        bool operator==(const Word&) const = default;
    };
    struct TranslateOffer {
        QString text;
        bool operator==(const TranslateOffer&) const = default;
    };
    struct Translating {
        QString text;
        bool operator==(const Translating&) const = default;
    };
    struct Translated {
        QString original; // the whole passage, also when only its start was sent
        Translation translation;
        bool operator==(const Translated&) const = default;
    };
    struct Error {
        QString message;
        bool needsSettings = false; // the card offers to open the settings window
        bool operator==(const Error&) const = default;
    };

    using Value =
        std::variant<Hidden, Loading, Word, TranslateOffer, Translating, Translated, Error>;

    Value value;

    CardState() = default;
    template <class Alternative> CardState(Alternative alternative) : value(std::move(alternative))
    {}

    template <class Alternative> const Alternative* as() const
    {
        return std::get_if<Alternative>(&value);
    }
    template <class Alternative> bool is() const
    {
        return std::holds_alternative<Alternative>(value);
    }

    bool operator==(const CardState&) const = default;
};

} // namespace glossivo
