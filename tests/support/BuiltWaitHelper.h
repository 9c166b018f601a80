#pragma once

#include "launch/WaitHelper.h"

// Points the launcher at the wait helper of this build while it lives.
class BuiltWaitHelper {
public:
    static constexpr const char* kPath = ZARN2_WAIT_HELPER_PATH;

private:
    WaitHelperLocation m_location{kPath};
    WaitHelper::Override m_use{m_location};
};
