#include "model/HtmlEntities.h"

#include "model/HtmlEntityTable.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace glossivo::HtmlEntities {

namespace {

using table::entities;
using table::names;

constexpr qsizetype kEntities = std::size(entities);

constexpr std::string_view nameOf(qsizetype index)
{
    const size_t from = entities[index].name;
    const size_t to = index + 1 < kEntities ? entities[index + 1].name : std::size(names) - 1;
    return std::string_view(names + from, to - from);
}

constexpr bool sortedByName()
{
    for (qsizetype i = 1; i < kEntities; ++i)
        if (!(nameOf(i - 1) < nameOf(i))) return false;
    return true;
}
static_assert(sortedByName(), "the lookup is a binary search");

constexpr qsizetype longestName()
{
    size_t longest = 0;
    for (qsizetype i = 0; i < kEntities; ++i)
        longest = std::max(longest, nameOf(i).size());
    return qsizetype(longest);
}
constexpr qsizetype kLongestName = longestName();

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int hexDigit(char16_t c)
{
    if (isAsciiDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

Reference named(QStringView text)
{
    char name[kLongestName];
    qsizetype length = 0;
    for (qsizetype i = 1; i < text.size() && length < kLongestName; ++i) {
        const char16_t c = text[i].unicode();
        if (!isAsciiLetter(c) && !isAsciiDigit(c)) break;
        name[length++] = char(c);
    }
    if (length == 0 || length + 1 >= text.size() || text[length + 1] != u';') return {};
    const std::string_view wanted(name, size_t(length));
    qsizetype low = 0;
    qsizetype high = kEntities;
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (nameOf(middle) < wanted)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == kEntities || nameOf(low) != wanted) return {};
    return {length + 2, entities[low].first, entities[low].second};
}

Reference numeric(QStringView text)
{
    const bool hex = text.size() > 2 && (text[2] == u'x' || text[2] == u'X');
    const qsizetype from = hex ? 3 : 2;
    const qsizetype most = hex ? 6 : 7;
    char32_t value = 0;
    qsizetype i = from;
    for (; i < text.size() && i - from < most; ++i) {
        const char16_t c = text[i].unicode();
        const int digit = hex ? hexDigit(c) : isAsciiDigit(c) ? c - u'0' : -1;
        if (digit < 0) break;
        value = value * (hex ? 16 : 10) + char32_t(digit);
    }
    if (i == from || i >= text.size() || text[i] != u';') return {};
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) value = 0xFFFD;
    return {i + 1, value, 0};
}

} // namespace

Reference referenceAt(QStringView text)
{
    if (text.size() < 3 || text[0] != u'&') return {};
    return text[1] == u'#' ? numeric(text) : named(text);
}

} // namespace glossivo::HtmlEntities
