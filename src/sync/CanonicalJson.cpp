#include "sync/CanonicalJson.h"

#include "sync/TextOrder.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace glossivo::CanonicalJson {

namespace {

// Beyond this a double no longer holds every whole number, so it is not written as an integer.
constexpr double largestExactInteger = 9007199254740992.0; // 2^53

// Writes into a std::string, whose one-character appends are much cheaper than QByteArray's,
// and reads values through Qt's element references, which spares a QJsonValue copy per value.
class Writer {
public:
    template <class Value> bool value(const Value& value);
    QByteArray take() const { return QByteArray(m_out.data(), qsizetype(m_out.size())); }

private:
    bool number(double number);
    void string(QStringView text);
    void escapedAscii(char16_t unit);
    void codePoint(char32_t point);
    bool array(const QJsonArray& array);
    bool object(const QJsonObject& object);

    std::string m_out;
};

template <class Value> bool Writer::value(const Value& value)
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

bool Writer::number(double number)
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

void Writer::string(QStringView text)
{
    m_out += '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
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

void Writer::escapedAscii(char16_t unit)
{
    if (unit >= 0x20 && unit != u'"' && unit != u'\\' && unit != u'/') {
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

void Writer::codePoint(char32_t point)
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

bool Writer::array(const QJsonArray& array)
{
    m_out += '[';
    for (auto it = array.constBegin(); it != array.constEnd(); ++it) {
        if (it != array.constBegin()) m_out += ',';
        if (!value(*it)) return false;
    }
    m_out += ']';
    return true;
}

bool Writer::object(const QJsonObject& object)
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
        if (!value(*member)) return false;
    }
    m_out += '}';
    return true;
}

} // namespace

std::optional<QByteArray> write(const QJsonValue& value)
{
    Writer writer;
    if (!writer.value(value)) return std::nullopt;
    return writer.take();
}

} // namespace glossivo::CanonicalJson
