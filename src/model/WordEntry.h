#pragma once

#include "model/AINote.h"
#include "model/Affix.h"
#include "model/Example.h"
#include "model/FormRecord.h"
#include "model/Register.h"
#include "model/ReviewState.h"
#include "model/Stage.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <optional>

namespace glossivo {

class JsonObjectReader;

// One saved word ("words.json"): what the AI said of it, where it was met and how well it is
// known. Optional fields are left out of the document when they hold nothing.
struct WordEntry {
    QUuid id;
    QString headword;
    QString phonetic;
    QString pos;
    QString meaningZh;
    QString definitionEn;
    Register register_ = Register::neutral; // "register" is a reserved word in C++
    QString registerNoteZh;
    QList<Example> examples; // oldest first
    QDateTime createdAt;
    int lookupCount = 0;
    std::optional<QDateTime> lastLookupAt;
    std::optional<QList<AINote>> notes;
    std::optional<QMap<QString, QString>> inflections; // form kind name -> form
    std::optional<QList<FormRecord>> forms;
    std::optional<QString> familyRoot;
    std::optional<QList<Affix>> affixes;
    std::optional<ReviewState> review;
    std::optional<Stage> stage; // absent counts as seen
    std::optional<QStringList> encounterDays;
    std::optional<QStringList> sourceKeys;
    std::optional<bool> wantToLearn;
    std::optional<QDateTime> restUntil;
    std::optional<QString> mnemonic;
    std::optional<int> spellLevel; // 0 to 4, absent counts as 0
    std::optional<bool> spellPractice;
    std::optional<QDateTime> lastSpelledAt;
    std::optional<QDateTime> stateAt;

    static WordEntry fromJson(const JsonObjectReader& object);
    static WordEntry fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const WordEntry&) const = default;
};

} // namespace glossivo
