#pragma once

#include "platform/IWaiter.h"

#include <vector>

// Returns at once from every pause and records how long each would have been.
// Installs itself while it lives.
class ZeroWaiter final : public IWaiter {
public:
    void Wait(int milliseconds) override { waits.push_back(milliseconds); }
    long long Total() const
    {
        long long total = 0;
        for (int w : waits)
            total += w;
        return total;
    }

    std::vector<int> waits;

private:
    Waiter::Override m_install{*this};
};
