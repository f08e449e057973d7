#pragma once

#include <QString>

namespace glossivo::SetAsideNotice {

// What the learner is told of a document that could not be read and was copied aside: the tray
// says it in a notification, a command-line mode on its error output. A document that shows as
// empty without a word would be taken for lost work, or overwritten without knowing a copy
// exists.
QString title(const QString& fileName);
QString message(const QString& copyPath);

} // namespace glossivo::SetAsideNotice
