#pragma once

#include "app/CSettings.h"

#include <cstdint>
#include <string>

class TextFileReader;
class TextFileWriter;

// The settings file format: a header comment, then nine sections, each a header line
// followed by exactly one value line, and a tenth, "[IdleMinite]", only when it is not
// the default.
namespace SettingsFile {

// Ten short sections: a larger file is no settings file, and is not read.
inline constexpr std::uint64_t kMaxBytes = 1024 * 1024;

// Applies every section found in the file to `settings`; what is missing stays. Returns
// why the bytes are no settings file (TextFormatCheck), empty when they are one.
std::string Read(TextFileReader& reader, CSettings& settings);
// The whole file, line by line.
void Write(const CSettings& settings, TextFileWriter& writer);

}  // namespace SettingsFile
