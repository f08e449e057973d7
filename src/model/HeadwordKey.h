#pragma once

#include <QString>

namespace glossivo::HeadwordKey {

// A headword as the word book looks it up and as the merge of word books joins copies by it:
// trimmed of blanks (any space separator, such as U+00A0 or U+3000, and tabs, but no line
// break) and in lower case. One trimming for both, so that they never disagree on a word.
QString of(const QString& headword);

} // namespace glossivo::HeadwordKey
