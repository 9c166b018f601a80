#pragma once

class QApplication;
struct ProgramPaths;

// The program's run from start to end: the Qt application, the message seam, the
// application object's start steps, the main window, the message loop and the teardown.
namespace CZarn2Application {
int Run(int argc, char* argv[]);
// The same run in an application made by the caller, on the given paths (the start-up
// benchmark runs the program's own start this way).
int Run(QApplication& qapp, const ProgramPaths& paths);
}  // namespace CZarn2Application
