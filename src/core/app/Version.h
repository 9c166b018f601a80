#pragma once

// The program's version: heads the settings file and the genre list file and is shown
// in the version dialog.
inline constexpr const char* g_szVersion = "1.20";
