#pragma once

#include <QString>

namespace glossivo::SaveFailure {

// What the card and the sentence chat say when the word book could not be written to disk and
// no reason is known.
inline QString message()
{
    return QStringLiteral("没能保存：生词本写入失败，请检查数据文件夹是否可写。");
}

// The same with the reason the file layer gave ("磁盘满了"), when it gave one.
inline QString message(const QString& reason)
{
    return reason.isEmpty() ? message() : QStringLiteral("没能保存：") + reason;
}

} // namespace glossivo::SaveFailure
