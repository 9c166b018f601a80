// Feeds arbitrary bytes to the reader of program icons: it must never read outside them,
// and whatever it returns must be a well-formed .ico.
#include "platform/ExeIconReader.h"

#include "support/IcoFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto ico = ExeIconReader::IcoFromImage(std::span<const std::uint8_t>(data, size));
    if (!ico.empty() && !IcoFile::Parse(std::string(ico.begin(), ico.end())))
        std::abort();
    return 0;
}
