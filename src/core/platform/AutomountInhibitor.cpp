#include "platform/IAutomountInhibitor.h"

namespace {

class NoInhibitor final : public IAutomountInhibitor {
public:
    void Hold() override {}
    void Release() override {}
};

NoInhibitor g_none;
IAutomountInhibitor* g_inhibitor = nullptr;

}  // namespace

namespace AutomountInhibitor {

IAutomountInhibitor& Get()
{
    return g_inhibitor ? *g_inhibitor : g_none;
}
void Set(IAutomountInhibitor* inhibitor)
{
    g_inhibitor = inhibitor;
}

}  // namespace AutomountInhibitor
