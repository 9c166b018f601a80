#pragma once

// The program's run from start to end: the Qt application, the message seam, the
// application object's start steps, the main window, the message loop and the teardown.
namespace CZarn2Application {
int Run(int argc, char* argv[]);
}
