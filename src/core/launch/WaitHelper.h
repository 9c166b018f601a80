#pragma once

#include "platform/Seam.h"

#include <string>

// The wait helper program that starts a timed title (src/helper): "zarn2-wait" in our
// helpers' folder. Tests point the seam at the one they built.
struct WaitHelperLocation {
    std::string path;
};

template <>
WaitHelperLocation& Seam<WaitHelperLocation>::Fallback();

using WaitHelper = Seam<WaitHelperLocation>;
