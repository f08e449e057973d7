#pragma once

namespace glossivo {

// The program started without a command-line mode: the tray application with its event loop.
// The exit status once the loop ends.
int runTrayApplication(int& argc, char** argv);

} // namespace glossivo
