#pragma once

#include <QStringView>

namespace glossivo::HtmlEntities {

// A character reference as CommonMark reads one: an HTML name with its ';' ("&amp;"), or a code
// point in decimal ("&#20320;", at most 7 digits) or hexadecimal ("&#x4F60;", at most 6). A code
// point of 0, a surrogate or one beyond Unicode stands for U+FFFD.
struct Reference {
    qsizetype length = 0; // as written; 0 when there is no reference
    char32_t first = 0;
    char32_t second = 0; // 0 when the reference stands for one code point
};

// The reference at the start of the text. It stops at the first character that cannot belong to
// one, the next '&' among them, so a reader that tries it at every '&' reads each character once.
Reference referenceAt(QStringView text);

} // namespace glossivo::HtmlEntities
