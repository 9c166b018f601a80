#include "platform/IMountControl.h"

namespace {

class NoMounts final : public IMountControl {
public:
    std::string MountPoint(const std::string&) override { return {}; }
    std::string Mount(const std::string&) override { return {}; }
    bool Unmount(const std::string&) override { return false; }
};

}  // namespace

template <>
IMountControl& Seam<IMountControl>::Fallback()
{
    static NoMounts none;
    return none;
}
