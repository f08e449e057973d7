#pragma once

#include <QString>

namespace glossivo::FileError {

// Why a file could not be read or written, as the user reads it (after "保存失败：words.json："):
// a short Chinese sentence for the failures a user can do something about, else the system's
// own text. Qt's translations cover only a few of these, and the system's texts are English.
QString reason(int error);

} // namespace glossivo::FileError
