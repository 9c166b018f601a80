#pragma once

#include "platform/IWineInstall.h"

// The Wine found on PATH and the parts installed beside it.
class LinuxWineInstall final : public IWineInstall {
public:
    std::string Loader() override;
    bool Runs32Bit() override { return Runs32Bit(Loader()); }

    // Whether the Wine of this loader (its real path, then the folder above its "bin")
    // runs 32-bit programs. Debian splits Wine into lib/wine/wine (the 32-bit loader, from
    // wine32) and lib/wine/wine64: there the 32-bit loader decides. Other builds have
    // their 32-bit Windows libraries (also those of a WoW64 build) in an i386-windows
    // folder beside the 64-bit ones. Only a Wine whose 64-bit part is found and whose
    // 32-bit part is not counts as without it.
    static bool Runs32Bit(const std::string& loader);
};
