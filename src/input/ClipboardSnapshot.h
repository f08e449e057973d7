#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace glossivo {

// Every format the clipboard offered with its data (text, images, rich text, file lists …), so
// that putting it back leaves the user's clipboard as it was. Empty for an empty clipboard.
using ClipboardSnapshot = QList<std::pair<QString, QByteArray>>;

} // namespace glossivo
