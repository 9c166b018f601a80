// The journal reader on arbitrary bytes: it must not crash, whatever it accepts reads back
// the same once written again, and the check of a journal found at start believes no play
// outside the range of the log's stamps or longer than the time up to now.
#include "launch/PlayJournalCheck.h"
#include "launch/PlayJournalText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PlayJournalEntry entry;
    if (!PlayJournalText::Parse(std::string_view(reinterpret_cast<const char*>(data), size), entry))
        return 0;
    const std::string written = PlayJournalText::Format(entry);
    PlayJournalEntry again;
    if (entry.seconds < 0 || !PlayJournalText::Parse(written, again) || PlayJournalText::Format(again) != written)
        std::abort();

    // The file's last rewrite, from the journal's first bytes, at any time up to 2038.
    std::int32_t modified = 0;
    std::memcpy(&modified, data, std::min(size, sizeof modified));
    const LocalDateTime now{2030, 6, 15, 12, 0, 0};
    constexpr std::int64_t kUpToNow = 23LL * 366 * 86400;  // from 2008 to that day, and more
    if (PlayJournalCheck::Believable(entry, modified, now) &&
        (entry.start.m_nYear < 2008 || entry.start.m_nYear > 2030 || entry.seconds > kUpToNow))
        std::abort();
    return 0;
}
