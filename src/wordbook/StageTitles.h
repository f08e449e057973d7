#pragma once

#include "model/DisplayStage.h"

#include <QString>

namespace glossivo {

// The title of a shown stage, one table for the whole word-book window: "在学", "见过" …
QString stageTitle(DisplayStage stage);

} // namespace glossivo
