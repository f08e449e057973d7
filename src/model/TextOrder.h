#pragma once

#include <QStringView>

namespace glossivo::TextOrder {

// Code-point order of two texts, which is also the byte order of their UTF-8 forms. Plain
// QString comparison goes by UTF-16 units and differs for characters above the surrogate range.
bool codePointLess(QStringView left, QStringView right);

} // namespace glossivo::TextOrder
