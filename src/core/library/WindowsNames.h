#pragma once

#include <string>
#include <string_view>

// Names the Windows version cannot store as a folder or file name: one holding
// \ : * ? " < > |, one ending in a dot or a blank (Windows drops them), and the device
// names (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also before an extension). The data
// files are exchanged with the Windows version, so such names are refused.
namespace WindowsNames {

// The message for `name` (`label` says what it names), or an empty string when Windows
// can store it.
std::string Problem(const char* label, std::string_view name);

}  // namespace WindowsNames
