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

}  // namespace

template <>
IWaiter& Seam<IWaiter>::Fallback()
{
    static SleepingWaiter sleeping;
    return sleeping;
}
