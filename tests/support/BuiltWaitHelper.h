#pragma once

#include "launch/WaitHelper.h"

#include <cstdlib>

// Points the launcher at the wait helper of this build while it lives; ZARN2_WAIT_HELPER names
// another copy (the tests run as a normal user from a copy of the build, tests/asuser/run.sh).
class BuiltWaitHelper {
public:
    static inline const char* const kPath =
        std::getenv("ZARN2_WAIT_HELPER") ? std::getenv("ZARN2_WAIT_HELPER") : ZARN2_WAIT_HELPER_PATH;

private:
    WaitHelperLocation m_location{kPath};
    WaitHelper::Override m_use{m_location};
};
