#pragma once

#include <QString>

namespace glossivo {

// The five levels of spelling support, from copying a word in sight to writing it from
// dictation.
enum class SpellMode { copy = 0, fill = 1, chunks = 2, full = 3, dictation = 4 };

// Levels below 0 give copy and above 4 give dictation.
SpellMode spellModeForLevel(int level);
// The level's Chinese name, as the learning log writes it.
QString spellModeName(SpellMode mode);

} // namespace glossivo
