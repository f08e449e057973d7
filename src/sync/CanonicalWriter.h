#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QStringView>

#include <string>
#include <string_view>

class QJsonArray;
class QJsonObject;

namespace glossivo {

// Writes JSON in the canonical spelling of CanonicalJson, piece by piece: a record that knows
// its own keys writes itself in their order without building a QJsonObject first. Writes into a
// std::string, whose one-character appends are much cheaper than QByteArray's.
class CanonicalWriter {
public:
    // Punctuation, and keys that need no escape, as they are.
    void raw(std::string_view text) { m_out += text; }
    void string(QStringView text);
    void boolean(bool value) { m_out += value ? "true" : "false"; }
    // False, writing nothing, for NaN or infinity.
    bool number(double number);
    // False when the value holds something JSON cannot express.
    bool value(const QJsonValue& value);

    QByteArray take() const { return QByteArray(m_out.data(), qsizetype(m_out.size())); }

private:
    // Reads values through Qt's element references, which spares a QJsonValue copy per value.
    template <class Value> bool anyValue(const Value& value);
    void escapedAscii(char16_t unit);
    void codePoint(char32_t point);
    bool array(const QJsonArray& array);
    bool object(const QJsonObject& object);

    std::string m_out;
};

} // namespace glossivo
