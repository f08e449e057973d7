#include "model/JsonDocumentReader.h"

#include <algorithm>
#include <cstring>

namespace glossivo {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The UTF-16 unit of a "\uXXXX" escape starting at `at`; -1 when there is none.
int escapedUnit(const QByteArray& text, qsizetype at)
{
    if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
    int unit = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0) return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

// QString holds lone surrogates, and QJsonDocument writes them as "\ud800" escapes, so a document
// this program wrote may hold one; the parser takes them for broken text. Each becomes U+FFFD,
// the character that stands for one that cannot be shown, rather than the whole document being
// set aside as unreadable.
QByteArray replaceLoneSurrogates(const QByteArray& text)
{
    QByteArray repaired;
    repaired.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != '\\') {
            repaired += text[i++];
            continue;
        }
        const int unit = escapedUnit(text, i);
        if (unit < 0xD800 || unit > 0xDFFF) { // another escape: copied whole, "\\" included
            repaired += text.mid(i, 2);
            i += 2;
            continue;
        }
        const int next = escapedUnit(text, i + 6);
        if (unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
            repaired += text.mid(i, 12);
            i += 12;
        } else {
            repaired += "\\ufffd";
            i += 6;
        }
    }
    return repaired;
}

// QJsonDocument writes a whole double of 2^64 or more as its integer digits
// ("100000000000000000000"), which the parser refuses as an integer it cannot hold. Such a number,
// outside any string, is given a fraction so that it reads as the double it was written from.
QByteArray widenLongIntegers(const QByteArray& text)
{
    constexpr qsizetype kLongest = 19; // digits of the largest 64-bit integers
    QByteArray widened;
    widened.reserve(text.size() + 64);
    bool inString = false;
    for (qsizetype i = 0; i < text.size();) {
        const char c = text[i];
        if (inString) {
            widened += c;
            if (c == '\\' && i + 1 < text.size())
                widened += text[++i];
            else if (c == '"')
                inString = false;
            ++i;
            continue;
        }
        if (c == '"') inString = true;
        if (c != '-' && (c < '0' || c > '9')) {
            widened += c;
            ++i;
            continue;
        }
        // Outside strings only numbers hold these characters.
        qsizetype end = i;
        while (end < text.size() && std::strchr("-+.eE0123456789", text[end]) && text[end] != 0)
            ++end;
        const QByteArrayView number = QByteArrayView(text).sliced(i, end - i);
        widened += number;
        const QByteArrayView digits = number.startsWith('-') ? number.sliced(1) : number;
        if (digits.size() >= kLongest &&
            std::all_of(digits.begin(), digits.end(), [](char d) { return d >= '0' && d <= '9'; }))
            widened += ".0";
        i = end;
    }
    return widened;
}

} // namespace

JsonDocumentReader::JsonDocumentReader(const QByteArray& text)
{
    const auto parse = [this](const QByteArray& bytes) {
        // Text read with room for the parser's padding is parsed where it stands; other text is
        // copied first.
        const bool padded =
            bytes.capacity() - bytes.size() >= qsizetype(simdjson::SIMDJSON_PADDING);
        return m_parser.parse(bytes.constData(), size_t(bytes.size()), !padded).get(m_root);
    };
    simdjson::error_code error = parse(text);
    if (error == simdjson::STRING_ERROR || error == simdjson::NUMBER_ERROR)
        error = parse(widenLongIntegers(replaceLoneSurrogates(text)));
    if (error != simdjson::SUCCESS)
        throw JsonError(std::string("not JSON: ") + simdjson::error_message(error));
}

JsonObjectReader JsonDocumentReader::object() const
{
    simdjson::dom::object object;
    if (m_root.get_object().get(object) != simdjson::SUCCESS) throw JsonError("not an object");
    return JsonObjectReader(object);
}

} // namespace glossivo
