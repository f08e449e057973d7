#pragma once

#include "model/AppConfig.h"

#include <QStringList>

namespace glossivo {

// The configuration's secrets: the API key, the sync token and the sync pin. None of them may
// leave the program inside the coach's texts, which go to an outside service.
namespace ConfigSecrets {

// The non-empty ones, in that order.
QStringList of(const AppConfig& config);
// The text with every occurrence of each secret masked.
QString masked(QString text, const QStringList& secrets);

} // namespace ConfigSecrets
} // namespace glossivo
