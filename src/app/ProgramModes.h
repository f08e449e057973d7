#pragma once

#include "app/ModeTable.h"

#include <QTextStream>

namespace glossivo::ProgramModes {

// Every command-line mode this build can run, writing its lines to `out`. An option of the
// fixed order whose subsystem does not exist yet has no entry; the table reports it as not
// built.
ModeTable table(QTextStream& out);

} // namespace glossivo::ProgramModes
