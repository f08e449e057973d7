#pragma once

#include "model/GrammarPoint.h"

#include <QDateTime>
#include <QJsonObject>
#include <QUuid>

#include <optional>

namespace glossivo {

class JsonObjectReader;

// A grammar point met in the sentence of a saved word ("grammar.json").
struct GrammarEncounter {
    QUuid id;
    GrammarPoint point = GrammarPoint::presentSimple;
    QString headword;
    QString surface;
    QString sentence;
    std::optional<QString> sentenceZh;
    std::optional<QString> noteZh;
    std::optional<QString> sourceApp;
    std::optional<QString> sourceURL;
    std::optional<QString> sourceTitle;
    QDateTime addedAt;

    static GrammarEncounter fromJson(const JsonObjectReader& object);
    static GrammarEncounter fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const GrammarEncounter&) const = default;
};

} // namespace glossivo
