#pragma once

#include "model/PageSource.h"

#include <QString>

#include <optional>

namespace glossivo::SourceText {

// "来自 " + the application and the site, joined by " · "; none when neither is known.
std::optional<QString> label(const PageSource& source);

} // namespace glossivo::SourceText
