#include "platform/IMountControl.h"

namespace {
IMountControl* g_mounts = nullptr;
}  // namespace

namespace MountControl {

IMountControl* Get() { return g_mounts; }
void Set(IMountControl* mounts) { g_mounts = mounts; }

}  // namespace MountControl
