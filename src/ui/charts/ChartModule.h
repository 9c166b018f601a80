#pragma once

#include <string>

class IChartWindowFactory;

// Finding and loading the module of the play chart window.
namespace ChartModule {

// "libzarn2-charts.so" in the helper programs' folder (beside the binary in a portable
// folder, the private helper folder when installed).
std::string DefaultPath();

// The module's window factory, or nullptr with `error` saying why (no such file, not a
// module of this build). A loaded module stays for the rest of the run.
IChartWindowFactory* Load(const std::string& path, std::string& error);

}  // namespace ChartModule
