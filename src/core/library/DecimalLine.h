#pragma once

#include <string_view>

// Reads a decimal number the way the library's files have always been read: leading
// blanks, an optional sign, digits; whatever follows the digits is ignored. A value
// outside the int range is clamped. Returns false (value untouched) without digits.
bool ParseDecimalLine(std::string_view line, int& value);

// The text up to the first newline of a line read from a file.
std::string_view CutAtNewline(std::string_view line);
