#include "platform/LocalZone.h"

#include <ctime>

namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The offset of the zone at the local moment; 0 when the C library cannot place it (a year
// beyond its range).
int AskOffset(std::int64_t localSeconds)
{
    std::time_t asUtc = static_cast<std::time_t>(localSeconds);
    std::tm fields{};
    if (gmtime_r(&asUtc, &fields) == nullptr)
        return 0;
    fields.tm_isdst = -1;
    fields.tm_wday = -1;  // mktime sets it on success
    std::time_t moment = std::mktime(&fields);
    if (fields.tm_wday < 0)
        return 0;
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr)
        return 0;
    return static_cast<int>(local.tm_gmtoff);
}

}  // namespace

int LocalZone::OffsetAt(std::int64_t localSeconds)
{
    std::int64_t day = FloorDiv(localSeconds, kDay);
    auto found = m_dayOffsets.find(day);
    if (found == m_dayOffsets.end()) {
        int first = AskOffset(day * kDay);
        int last = AskOffset(day * kDay + kDay - 1);
        found = m_dayOffsets.emplace(day, first == last ? first : kVaries).first;
    }
    return found->second == kVaries ? AskOffset(localSeconds) : found->second;
}
