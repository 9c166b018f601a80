#include "platform/IAutomountInhibitor.h"

namespace {

class NoInhibitor final : public IAutomountInhibitor {
public:
    void Hold() override {}
    void Release() override {}
};

}  // namespace

template <>
IAutomountInhibitor& Seam<IAutomountInhibitor>::Fallback()
{
    static NoInhibitor none;
    return none;
}
