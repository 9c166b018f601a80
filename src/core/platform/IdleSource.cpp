#include "platform/IIdleSource.h"

namespace {

class NoIdleSource final : public IIdleSource {
public:
    bool Open() override { return false; }
    IdleReading Read() override { return {}; }
    void Close() override {}
};

}  // namespace

template <>
IIdleSource& Seam<IIdleSource>::Fallback()
{
    static NoIdleSource none;
    return none;
}
