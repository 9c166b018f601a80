// The log reader on arbitrary bytes: it must not crash, and whatever damage the bytes
// hold, a good record after them is read back whole as the last session, with every
// session before it the same as without that record. The play log editor cuts the same
// plays out of the bytes and puts every byte back.
#include "history/PlayLogParser.h"
#include "history/RawPlayLog.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

bool Same(const CPlayTime& a, const CPlayTime& b)
{
    return a.m_nYear == b.m_nYear && a.m_nMonth == b.m_nMonth && a.m_nDay == b.m_nDay &&
           a.m_nHour == b.m_nHour && a.m_nMinute == b.m_nMinute && a.m_nSecond == b.m_nSecond &&
           a.m_nElapsed == b.m_nElapsed && a.m_nElapsedHour == b.m_nElapsedHour &&
           a.m_nElapsedMinute == b.m_nElapsedMinute && a.m_nElapsedSecond == b.m_nElapsedSecond;
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Feeds `bytes` in pieces whose sizes come from `seed`, so line ends fall across pieces.
std::vector<CPlayTime> Parse(std::string_view bytes, std::uint8_t seed)
{
    PlayLogParser parser;
    size_t step = 1 + seed % 64;
    while (!bytes.empty()) {
        size_t n = bytes.size() < step ? bytes.size() : step;
        parser.Feed(bytes.substr(0, n));
        bytes.remove_prefix(n);
        step = 1 + (step * 7 + 3) % 97;
    }
    parser.Finish();
    return parser.Sessions();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::uint8_t seed = size ? data[0] : 0;
    std::vector<CPlayTime> plain = Parse(input, seed);
    std::vector<CPlayTime> whole = Parse(input, 0xff);
    Check(plain.size() == whole.size());
    std::vector<RawPlayLog::Record> records = RawPlayLog::Split(input);
    Check(RawPlayLog::Join(records) == input);
    size_t plays = 0;
    for (const RawPlayLog::Record& record : records)
        if (record.IsPlay())
            Check(plays < whole.size() && Same(record.time, whole[plays++]));
    Check(plays == whole.size());
    for (const CPlayTime& s : plain) {
        Check(s.m_nMonth >= 1 && s.m_nMonth <= 12 && s.m_nDay >= 1 && s.m_nDay <= 31);
        Check(s.m_nElapsed >= 0);
    }

    std::string withGood(input);
    withGood += "\n2076/01/19,03:14:07\r\n3723\r\n";
    std::vector<CPlayTime> after = Parse(withGood, seed);
    Check(after.size() == plain.size() + 1);
    for (size_t i = 0; i < plain.size(); ++i)
        Check(Same(plain[i], after[i]));
    const CPlayTime& last = after.back();
    Check(last.m_nYear == 2076 && last.m_nMonth == 1 && last.m_nDay == 19 && last.m_nHour == 3 &&
          last.m_nMinute == 14 && last.m_nSecond == 7 && last.m_nElapsed == 3723 &&
          last.m_nElapsedHour == 1 && last.m_nElapsedMinute == 2 && last.m_nElapsedSecond == 3);
    return 0;
}
