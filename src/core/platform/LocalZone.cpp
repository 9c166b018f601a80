#include "platform/LocalZone.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The offset at an instant; 0 when the C library cannot place it (a year beyond its range).
int AskInstant(std::int64_t utcSeconds)
{
    std::time_t moment = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr)
        return 0;
    return static_cast<int>(local.tm_gmtoff);
}

// The offset a local time is read with. The offsets a day before and a day after it are
// the candidates; one fits when the instant it gives shows that offset again.
int AskLocal(std::int64_t localSeconds)
{
    int before = AskInstant(localSeconds - kDay);
    int after = AskInstant(localSeconds + kDay);
    if (before == after)
        return before;
    bool beforeFits = AskInstant(localSeconds - before) == before;
    bool afterFits = AskInstant(localSeconds - after) == after;
    if (beforeFits && afterFits)
        return std::max(before, after);  // shown twice: the larger offset is the earlier instant
    return afterFits ? after : before;  // never shown: the offset before the change
}

}  // namespace

int* LocalZone::DayMemo::Slot(std::int64_t day)
{
    if (near.empty()) {
        base = day;
        near.assign(2 * kNear, kUnknown);
    }
    std::int64_t index = day - base + kNear;
    if (index >= 0 && index < static_cast<std::int64_t>(near.size()))
        return &near[static_cast<size_t>(index)];
    return &far.try_emplace(day, kUnknown).first->second;
}

template <class Ask>
int LocalZone::Lookup(DayMemo& memo, std::int64_t seconds, Ask ask)
{
    std::int64_t day = FloorDiv(seconds, kDay);
    int* offset = memo.Slot(day);
    if (*offset == DayMemo::kUnknown) {
        int first = ask(day * kDay);
        int last = ask(day * kDay + kDay - 1);
        *offset = first == last ? first : kVaries;
    }
    return *offset == kVaries ? ask(seconds) : *offset;
}

int LocalZone::OffsetAt(std::int64_t localSeconds)
{
    return Lookup(m_local, localSeconds, AskLocal);
}

int LocalZone::OffsetAtInstant(std::int64_t utcSeconds)
{
    return Lookup(m_instant, utcSeconds, AskInstant);
}
