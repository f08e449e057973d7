#pragma once

#include "model/SpellMode.h"

#include <optional>

namespace glossivo {

// What a review question asks for: recognising the word in its sentence, or spelling it in one
// of the five spelling modes.
class QuestionType {
public:
    static QuestionType recognize() { return QuestionType(std::nullopt); }
    static QuestionType spell(SpellMode mode) { return QuestionType(mode); }

    bool isRecognize() const { return !m_spellMode; }
    bool isSpell() const { return m_spellMode.has_value(); }
    // The spelling mode; none for a recognition question.
    std::optional<SpellMode> spellMode() const { return m_spellMode; }

    bool operator==(const QuestionType&) const = default;

private:
    explicit QuestionType(std::optional<SpellMode> mode) : m_spellMode(mode) {}

    std::optional<SpellMode> m_spellMode;
};

} // namespace glossivo
