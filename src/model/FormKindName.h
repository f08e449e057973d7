#pragma once

#include "model/FormKind.h"

#include <QString>

namespace glossivo {

// The Chinese name of a form kind, as the form hint and the form gallery show it.
QString formKindName(FormKind kind);

} // namespace glossivo
