#pragma once

#include <string>

// printf-style formatting into a std::string (texts and numbers of messages and files).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
