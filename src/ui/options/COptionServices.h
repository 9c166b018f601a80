#pragma once

#include <functional>

class IAutoRunSetting;
class IFileChooser;

// What the options pages reach outside the settings: the file and folder choosers, the
// desktop's AutoRun switch and the rescan of the optical drives. The sheet fills it with
// the real ones; tests replace them before the pages are first shown.
struct COptionServices {
    IFileChooser* fileChooser = nullptr;
    const IAutoRunSetting* autoRun = nullptr;
    std::function<int()> scanDrives;
};
