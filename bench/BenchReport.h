#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// How every benchmark program states a figure: one readable line and one line for the
// summary of bench.sh ("FIGURE|name|measured|target|PASS or MISS").
namespace BenchReport {

inline void Figure(const std::string& name, const std::string& measured, const std::string& target, bool pass)
{
    std::printf("%-58s %-28s target %-22s %s\n", name.c_str(), measured.c_str(), target.c_str(),
                pass ? "PASS" : "MISS");
    std::printf("FIGURE|%s|%s|%s|%s\n", name.c_str(), measured.c_str(), target.c_str(), pass ? "PASS" : "MISS");
    std::fflush(stdout);
}

inline std::string Printf(const char* format, double a, double b = 0, double c = 0)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace BenchReport
