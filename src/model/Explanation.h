#pragma once

#include "model/Affix.h"
#include "model/FormKind.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <utility>

namespace glossivo {

// The AI's explanation of a word in the sentence where it was met. Only headword and meaningZh
// are always there; texts are kept exactly as the service wrote them.
struct Explanation {
    using FormPair = std::pair<FormKind, QString>;

    QString headword;
    std::optional<QString> phonetic;
    std::optional<QString> pos;
    QString meaningZh;
    std::optional<QString> definitionEn;
    std::optional<QString> register_; // "register" is a reserved word in C++
    std::optional<QString> registerNoteZh;
    std::optional<QString> sentence;
    std::optional<bool> sentenceIsExample;
    std::optional<QString> sentenceZh;
    std::optional<QString> surfaceForm;
    std::optional<QString> formKind;
    std::optional<QMap<QString, QString>> inflections; // form name as the AI wrote it -> form
    std::optional<QString> grammar;
    std::optional<QString> grammarNoteZh;
    std::optional<QString> familyRoot;
    std::optional<QStringList> affixes; // "un-", "-able"

    // At most one non-empty form per kind, in FormKind order. The AI spells the keys of
    // inflections as it likes (third_person, thirdPerson), so they are matched loosely.
    QList<FormPair> allForms() const;
    // The recognised affixes in the reply's order, duplicates kept.
    QList<Affix> affixList() const;

    bool operator==(const Explanation&) const = default;
};

} // namespace glossivo
