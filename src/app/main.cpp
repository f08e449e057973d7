#include "app/CommandLine.h"
#include "app/ProcessServices.h"
#include "app/ProgramModes.h"
#include "app/TrayApplication.h"

#include <QTextStream>

// A command-line mode, when one is given, runs before any window, tray icon or timer exists;
// otherwise the tray application starts.
int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const glossivo::ModeTable modes = glossivo::ProgramModes::table(out);
    const auto choice = modes.choose(glossivo::CommandLine::arguments(argc, argv));
    glossivo::ProcessServices::install(choice ? &err : nullptr);
    const int status =
        choice ? modes.run(*choice, argc, argv) : glossivo::runTrayApplication(argc, argv);
    out.flush();
    return status;
}
