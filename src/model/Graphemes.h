#pragma once

#include <QStringList>

namespace glossivo::Graphemes {

// The user-perceived characters of a text, so that an accented letter or an emoji counts once.
QStringList split(const QString& text);

} // namespace glossivo::Graphemes
