#pragma once

#include <QString>

namespace glossivo::SaveFailure {

// What the card and the sentence chat say when the word book could not be written to disk.
inline QString message()
{
    return QStringLiteral("没能保存：生词本写入失败，请检查数据文件夹是否可写。");
}

} // namespace glossivo::SaveFailure
