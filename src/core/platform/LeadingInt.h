#pragma once

#include <optional>
#include <string_view>

// The integer a text starts with, read as "%d" would: leading blanks, an optional sign,
// then digits; whatever follows is ignored. nullopt when there are no digits. Values
// beyond the range of int stop at its limits.
std::optional<int> LeadingInt(std::string_view text);
