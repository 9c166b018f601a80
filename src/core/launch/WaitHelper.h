#pragma once

#include "platform/Seam.h"

#include <string>

// The wait helper program that starts a timed title (src/helper): "zarn2-wait" in our
// helpers' folder, and how long its report of the start may take before the title is
// taken as running. Tests point the seam at the one they built, or at a stand-in.
struct WaitHelperLocation {
    std::string path;
    int startReportMs = 10000;
};

template <>
WaitHelperLocation& Seam<WaitHelperLocation>::Fallback();

using WaitHelper = Seam<WaitHelperLocation>;
