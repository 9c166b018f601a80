#include "history/PlayLogRecord.h"

#include "platform/Format.h"

#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads 1..maxDigits digits at `pos` into `value`; advances `pos`.
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value)
{
    std::int64_t v = 0;
    int digits = 0;
    while (pos < text.size() && IsDigit(text[pos]) && digits < maxDigits) {
        v = v * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0 || (pos < text.size() && IsDigit(text[pos])))
        return false;
    value = static_cast<int>(v);
    return true;
}

bool Expect(std::string_view text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool OnlyBlanksFrom(std::string_view text, size_t pos)
{
    for (; pos < text.size(); ++pos)
        if (!IsBlank(text[pos]))
            return false;
    return true;
}

bool InRange(int value, int lo, int hi) { return value >= lo && value <= hi; }

// The fields of a start line in the form the launcher writes, "YYYY/MM/DD,hh:mm:ss", read
// at their fixed places; false for any other form (the general reading then decides).
bool ReadWrittenForm(std::string_view line, int (&f)[6])
{
    if (line.size() != 19)
        return false;
    const char* p = line.data();
    auto digit = [p](size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(p[at]) - '0'); };
    // Every place is checked without a branch of its own: the written form is the rule.
    static constexpr size_t kDigitAt[14] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
    bool bad = false;
    for (size_t at : kDigitAt)
        bad |= digit(at) > 9;
    bad |= (p[4] != '/') | (p[7] != '/') | (p[10] != ',') | (p[13] != ':') | (p[16] != ':');
    if (bad)
        return false;
    auto two = [&digit](size_t at) { return static_cast<int>(digit(at) * 10 + digit(at + 1)); };
    f[0] = two(0) * 100 + two(2);
    f[1] = two(5);
    f[2] = two(8);
    f[3] = two(11);
    f[4] = two(14);
    f[5] = two(17);
    return true;
}

}  // namespace

namespace PlayLogRecord {

std::string Format(const CPlayTime& s)
{
    return ::Format("%04d/%02d/%02d,%02d:%02d:%02d\r\n%ld\r\n", s.m_nYear, s.m_nMonth, s.m_nDay,
                    s.m_nHour, s.m_nMinute, s.m_nSecond, static_cast<long>(s.m_nElapsed));
}

bool ParseStart(std::string_view line, CPlayTime& out)
{
    int f[6] = {};
    if (!ReadWrittenForm(line, f)) {
        static constexpr char kSeparator[5] = {'/', '/', ',', ':', ':'};
        size_t pos = 0;
        for (int i = 0; i < 6; ++i) {
            if (i > 0 && !Expect(line, pos, kSeparator[i - 1]))
                return false;
            if (!ReadNumber(line, pos, i == 0 ? 9 : 2, f[i]))
                return false;
        }
        if (!OnlyBlanksFrom(line, pos))
            return false;
    }
    // A second of 60 is a leap second as the local clock reports it.
    if (!InRange(f[1], 1, 12) || !InRange(f[2], 1, 31) || !InRange(f[3], 0, 23) ||
        !InRange(f[4], 0, 59) || !InRange(f[5], 0, 60))
        return false;
    out.m_nYear = f[0];
    out.m_nMonth = f[1];
    out.m_nDay = f[2];
    out.m_nHour = f[3];
    out.m_nMinute = f[4];
    out.m_nSecond = f[5];
    return true;
}

bool ParseElapsed(std::string_view line, int& seconds)
{
    size_t pos = 0;
    bool negative = pos < line.size() && line[pos] == '-';
    if (negative)
        ++pos;
    std::int64_t v = 0;
    int digits = 0;
    while (pos < line.size() && IsDigit(line[pos])) {
        if (++digits > 10)
            return false;
        v = v * 10 + (line[pos] - '0');
        ++pos;
    }
    if (digits == 0 || !OnlyBlanksFrom(line, pos))
        return false;
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    seconds = static_cast<int>(v);
    return true;
}

}  // namespace PlayLogRecord
