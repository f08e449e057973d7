#include "model/FileError.h"

#include <cerrno>

namespace glossivo::FileError {

QString reason(int error)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("磁盘满了");
    case EDQUOT:
        return QStringLiteral("磁盘配额用完了");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限");
    case EROFS:
        return QStringLiteral("文件系统是只读的");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case ESTALE:
        // Also this program's own: a file whose text a write copied changed meanwhile.
        return QStringLiteral("文件在别处被改动或删除了");
    default:
        return qt_error_string(error);
    }
}

} // namespace glossivo::FileError
