#include "sync/CanonicalWriter.h"

#include "model/TextOrder.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace glossivo {

namespace {

// Beyond this a double no longer holds every whole number, so it is not written as an integer.
constexpr double largestExactInteger = 9007199254740992.0; // 2^53

// An ASCII character that is written without an escape.
bool standsAsItIs(char16_t unit)
{
    return unit >= 0x20 && unit < 0x80 && unit != u'"' && unit != u'\\' && unit != u'/';
}

} // namespace

template <class Value> bool CanonicalWriter::anyValue(const Value& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        m_out += "null";
        return true;
    case QJsonValue::Bool:
        m_out += value.toBool() ? "true" : "false";
        return true;
    case QJsonValue::Double:
        return number(value.toDouble());
    case QJsonValue::String:
        string(value.toString());
        return true;
    case QJsonValue::Array:
        return array(value.toArray());
    case QJsonValue::Object:
        return object(value.toObject());
    case QJsonValue::Undefined:
        break;
    }
    return false;
}

bool CanonicalWriter::number(double number)
{
    if (!std::isfinite(number)) return false;
    char buffer[32];
    std::to_chars_result result;
    if (std::trunc(number) == number && std::fabs(number) < largestExactInteger)
        // Also turns -0 into 0, so that equal values are spelled alike.
        result = std::to_chars(std::begin(buffer), std::end(buffer), static_cast<qint64>(number));
    else
        result = std::to_chars(std::begin(buffer), std::end(buffer), number);
    m_out.append(buffer, result.ptr);
    return true;
}

void CanonicalWriter::string(QStringView text)
{
    m_out += '"';
    const char16_t* const units = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A run of characters that stand as they are, copied at once: most text of a word book.
        qsizetype end = i;
        while (end < text.size() && standsAsItIs(units[end]))
            ++end;
        if (end > i) {
            const size_t at = m_out.size();
            m_out.resize(at + size_t(end - i));
            std::copy(units + i, units + end, m_out.begin() + qsizetype(at));
            i = end - 1;
            continue;
        }
        const char16_t unit = units[i];
        if (unit < 0x80) {
            escapedAscii(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            codePoint(QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            codePoint(0xFFFD); // a lone surrogate has no UTF-8 form
        } else {
            codePoint(unit);
        }
    }
    m_out += '"';
}

void CanonicalWriter::escapedAscii(char16_t unit)
{
    if (standsAsItIs(unit)) {
        m_out += static_cast<char>(unit);
        return;
    }
    switch (unit) {
    case u'"':
        m_out += "\\\"";
        return;
    case u'\\':
        m_out += "\\\\";
        return;
    case u'/':
        m_out += "\\/";
        return;
    case u'\b':
        m_out += "\\b";
        return;
    case u'\f':
        m_out += "\\f";
        return;
    case u'\n':
        m_out += "\\n";
        return;
    case u'\r':
        m_out += "\\r";
        return;
    case u'\t':
        m_out += "\\t";
        return;
    default:
        break;
    }
    static constexpr char hex[] = "0123456789abcdef";
    const char escape[] = {'\\', 'u', '0', '0', hex[unit >> 4], hex[unit & 0xF]};
    m_out.append(escape, sizeof escape);
}

void CanonicalWriter::codePoint(char32_t point)
{
    if (point < 0x800) {
        m_out += static_cast<char>(0xC0 | (point >> 6));
    } else if (point < 0x10000) {
        m_out += static_cast<char>(0xE0 | (point >> 12));
        m_out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    } else {
        m_out += static_cast<char>(0xF0 | (point >> 18));
        m_out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        m_out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    }
    m_out += static_cast<char>(0x80 | (point & 0x3F));
}

bool CanonicalWriter::array(const QJsonArray& array)
{
    m_out += '[';
    for (auto it = array.constBegin(); it != array.constEnd(); ++it) {
        if (it != array.constBegin()) m_out += ',';
        if (!anyValue(*it)) return false;
    }
    m_out += ']';
    return true;
}

bool CanonicalWriter::object(const QJsonObject& object)
{
    std::vector<std::pair<QString, QJsonObject::const_iterator>> members;
    members.reserve(object.size());
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        members.emplace_back(it.key(), it);
    auto keyLess = [](const auto& left, const auto& right) {
        return TextOrder::codePointLess(left.first, right.first);
    };
    if (!std::is_sorted(members.begin(), members.end(), keyLess))
        std::sort(members.begin(), members.end(), keyLess);

    m_out += '{';
    bool first = true;
    for (const auto& [key, member] : members) {
        if (!first) m_out += ',';
        first = false;
        string(key);
        m_out += ':';
        if (!anyValue(*member)) return false;
    }
    m_out += '}';
    return true;
}

bool CanonicalWriter::value(const QJsonValue& value)
{
    return anyValue(value);
}

} // namespace glossivo
