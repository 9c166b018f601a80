#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

// Prints Google Benchmark's usual table and keeps the median CPU time of every benchmark
// (run with repetitions; the time of the thread that runs it, which other programs on the
// machine do not lengthen as they lengthen the wall time), in microseconds, so the program
// can compare them afterwards.
class BenchCollect final : public benchmark::ConsoleReporter {
public:
    // Which column is kept: the CPU time Google Benchmark measured, or the time each
    // iteration reported itself (benchmarks with manual timing, which time only a part of
    // their iteration and report that part's CPU time; see ThreadCpuSeconds).
    enum class Column { Cpu, Reported };

    // Plain text: the output goes into logs and the summary of bench.sh.
    explicit BenchCollect(Column column = Column::Cpu) : ConsoleReporter(OO_Tabular), m_column(column) {}

    // The CPU time of the calling thread so far, in seconds, for manual timing.
    static double ThreadCpuSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    }

    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_median[Key(run.run_name)] =
                    (m_column == Column::Cpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime()) *
                    Scale(run.time_unit);
        }
        ConsoleReporter::ReportRuns(reports);
    }

    // Median CPU time in microseconds of the benchmark of that name; aborts when it did not run.
    double Us(const std::string& name) const
    {
        auto found = m_median.find(name);
        if (found == m_median.end()) {
            std::fprintf(stderr, "benchmark %s did not run\n", name.c_str());
            std::exit(1);
        }
        return found->second;
    }

private:
    // The benchmark's name and arguments, without the iteration, repetition and timing parts.
    static std::string Key(const benchmark::BenchmarkName& name)
    {
        return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
    }

    static double Scale(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-3;
        case benchmark::kMicrosecond:
            return 1;
        case benchmark::kMillisecond:
            return 1e3;
        case benchmark::kSecond:
            return 1e6;
        }
        return 1;
    }

    Column m_column;
    std::map<std::string, double> m_median;
};
