#include "platform/LeadingInt.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<LeadingNumber> ParseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i]))
        return std::nullopt;
    long long magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        value = INT_MAX;
    if (value < INT_MIN)
        value = INT_MIN;
    return LeadingNumber{static_cast<int>(value), i};
}

std::optional<int> LeadingInt(std::string_view text)
{
    std::optional<LeadingNumber> number = ParseLeadingInt(text);
    return number ? std::optional<int>(number->value) : std::nullopt;
}
