#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The one reader of decimal integers in text (the data files, the settings, typed input):
// the integer a text starts with, read as "%d" would: leading blanks, an optional sign,
// then digits; whatever follows is ignored. A value beyond the range of int stops at its
// limits (where "%d" itself is undefined). nullopt when there are no digits.
struct LeadingNumber {
    int value = 0;
    std::size_t end = 0;  // index just past the last digit
};
std::optional<LeadingNumber> ParseLeadingInt(std::string_view text);

// Only the value of ParseLeadingInt.
std::optional<int> LeadingInt(std::string_view text);
