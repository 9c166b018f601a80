#include "platform/SystemClock.h"

#include <ctime>

LocalDateTime SystemClock::Now() const
{
    std::time_t now = std::time(nullptr);
    std::tm tmLocal{};
    localtime_r(&now, &tmLocal);
    return LocalDateTime{tmLocal.tm_year + 1900, tmLocal.tm_mon + 1, tmLocal.tm_mday,
                         tmLocal.tm_hour,        tmLocal.tm_min,     tmLocal.tm_sec};
}

std::int64_t SystemClock::MonotonicMs() const
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

template <>
IClock& Seam<IClock>::Fallback()
{
    static SystemClock system;
    return system;
}
