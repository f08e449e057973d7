#pragma once

#include "model/FormKind.h"

#include <QDateTime>
#include <QJsonObject>

#include <optional>

namespace glossivo {

class JsonObjectReader;

// One inflected form of a saved word that the user has met.
struct FormRecord {
    FormKind kind = FormKind::base;
    QString form;
    QDateTime firstSeenAt;
    int count = 0;
    std::optional<QString> sentence;

    static FormRecord fromJson(const JsonObjectReader& object);
    static FormRecord fromJson(const QJsonObject& object);
    QJsonObject toJson() const;
    bool operator==(const FormRecord&) const = default;
};

} // namespace glossivo
