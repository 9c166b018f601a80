#include "library/DecimalLine.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool ParseDecimalLine(std::string_view line, int& value)
{
    size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    long long magnitude = 0;
    size_t digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (line[i] - '0');
    }
    if (digits == 0)
        return false;
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX)
        signedValue = INT_MAX;
    if (signedValue < INT_MIN)
        signedValue = INT_MIN;
    value = static_cast<int>(signedValue);
    return true;
}

std::string_view CutAtNewline(std::string_view line)
{
    return line.substr(0, line.find('\n'));
}
