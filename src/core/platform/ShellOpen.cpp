#include "platform/IShellOpen.h"

#include "platform/LinuxShellOpen.h"

template <>
IShellOpen& Seam<IShellOpen>::Fallback()
{
    static LinuxShellOpen desktop;
    return desktop;
}
