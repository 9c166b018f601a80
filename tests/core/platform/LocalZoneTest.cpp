#include "platform/LocalZone.h"

#include "support/ZoneScope.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

// Local seconds of a date and time (days from 1970 by the proleptic calendar).
std::int64_t Local(int year, int month, int day, int hour, int minute)
{
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    return static_cast<std::int64_t>(::timegm(&fields));
}

}  // namespace

TEST(LocalZone, OffsetOfEachMomentAcrossDaylightSavingChanges)
{
    struct Case {
        const char* zone;
        std::int64_t local;
        int offset;
    } cases[] = {
        {"Europe/Berlin", Local(2009, 3, 7, 21, 5), 3600},
        {"Europe/Berlin", Local(2009, 7, 7, 21, 5), 7200},
        {"Europe/Berlin", Local(2009, 3, 29, 1, 30), 3600},  // the day of the change, before it
        {"Europe/Berlin", Local(2009, 3, 29, 3, 30), 7200},  // and after it
        {"America/New_York", Local(2009, 3, 8, 1, 30), -5 * 3600},
        {"America/New_York", Local(2009, 3, 8, 3, 30), -4 * 3600},
        {"America/New_York", Local(2009, 11, 1, 3, 0), -5 * 3600},
        // Shown twice: the first (daylight time), whatever was converted before.
        {"America/New_York", Local(2009, 11, 1, 1, 30), -4 * 3600},
        {"Europe/Berlin", Local(2009, 12, 1, 12, 0), 3600},
        {"Europe/Berlin", Local(2009, 10, 25, 2, 30), 7200},
        // Never shown: the offset before the change.
        {"America/New_York", Local(2009, 3, 8, 2, 30), -5 * 3600},
        {"Asia/Tokyo", Local(2009, 3, 7, 21, 5), 9 * 3600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.local));
        ZoneScope scope(c.zone);
        LocalZone zone;
        // Twice: the second answer comes from what the first remembered.
        EXPECT_EQ(zone.OffsetAt(c.local), c.offset);
        EXPECT_EQ(zone.OffsetAt(c.local), c.offset);
    }
}
