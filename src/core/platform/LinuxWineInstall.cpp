#include "platform/LinuxWineInstall.h"

#include "platform/ProgramKind.h"

#include <filesystem>
#include <initializer_list>

namespace fs = std::filesystem;

template <>
IWineInstall& Seam<IWineInstall>::Fallback()
{
    static LinuxWineInstall installed;
    return installed;
}

namespace {

bool Exists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

// Where the builds put their libraries, below the installation's prefix.
bool HasLibrary(const fs::path& prefix, const char* windowsFolder)
{
    for (const char* lib : {"lib/wine", "lib64/wine", "lib32/wine", "lib/x86_64-linux-gnu/wine",
                            "lib/i386-linux-gnu/wine"}) {
        if (Exists(prefix / lib / windowsFolder / "ntdll.dll"))
            return true;
    }
    return false;
}

}  // namespace

std::string LinuxWineInstall::Loader() { return Programs::FindWine(); }

bool LinuxWineInstall::Runs32Bit(const std::string& loader)
{
    if (loader.empty())
        return true;
    std::error_code ec;
    fs::path real = fs::canonical(loader, ec);
    if (ec)
        return true;
    const fs::path prefix = real.parent_path().parent_path();
    const fs::path debianLoaders = prefix / "lib/wine";
    if (Exists(debianLoaders / "wine64") || Exists(debianLoaders / "wine"))
        return Programs::IsExecutable((debianLoaders / "wine").string());
    return HasLibrary(prefix, "i386-windows") || !HasLibrary(prefix, "x86_64-windows");
}
