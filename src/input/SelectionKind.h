#pragma once

#include <QString>

namespace glossivo {

// What a selection asks for, decided from its text alone before anything is sent to the AI:
// a word or short phrase to explain, a passage to offer for translation, or nothing.
class SelectionKind {
public:
    enum class Kind { word, translate, ignore };

    static SelectionKind word(QString text) { return {Kind::word, std::move(text)}; }
    static SelectionKind translate(QString text) { return {Kind::translate, std::move(text)}; }
    static SelectionKind ignore() { return {Kind::ignore, {}}; }

    // Pure and cheap: reads no configuration and no clock, so it runs on every selection.
    static SelectionKind classify(const QString& text);

    Kind kind() const { return m_kind; }
    // The word trimmed of surrounding punctuation, or the passage trimmed of white space; empty
    // for ignore.
    const QString& text() const { return m_text; }

    bool operator==(const SelectionKind&) const = default;

private:
    SelectionKind(Kind kind, QString text) : m_kind(kind), m_text(std::move(text)) {}

    Kind m_kind;
    QString m_text;
};

} // namespace glossivo
