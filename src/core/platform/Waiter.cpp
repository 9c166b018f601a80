#include "platform/IWaiter.h"

#include <chrono>
#include <thread>

namespace {

class SleepingWaiter final : public IWaiter {
public:
    void Wait(int milliseconds) override
    {
        if (milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

SleepingWaiter g_sleeping;
IWaiter* g_waiter = nullptr;

}  // namespace

namespace Waiter {

IWaiter& Get() { return g_waiter ? *g_waiter : g_sleeping; }
void Set(IWaiter* waiter) { g_waiter = waiter; }
void Wait(int milliseconds) { Get().Wait(milliseconds); }

}  // namespace Waiter
