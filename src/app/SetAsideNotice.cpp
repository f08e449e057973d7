#include "app/SetAsideNotice.h"

namespace glossivo::SetAsideNotice {

QString title(const QString& fileName)
{
    return QStringLiteral("Glossivo 读不了 %1").arg(fileName);
}

QString message(const QString& copyPath)
{
    return QStringLiteral("这次先按空的打开。原来的内容原样存在：\n%1").arg(copyPath);
}

} // namespace glossivo::SetAsideNotice
