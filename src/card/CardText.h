#pragma once

#include <QString>

namespace glossivo::CardText {

// The title of the translating card: the first 60 characters of the passage, then "…" when
// there is more.
QString translatingTitle(const QString& text);

constexpr qsizetype kTranslatingTitleCharacters = 60;

} // namespace glossivo::CardText
