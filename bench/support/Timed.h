#pragma once

// Times each iteration of a manual-time benchmark case and keeps every
// sample under `name` for the closing ratio table. The clock is the steady
// clock, or the calling thread's CPU time where other processes on a shared
// machine must not count.

#include "Medians.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>

namespace benchsupport {

inline double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline double ThreadSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

template <typename F>
void Timed(benchmark::State& state, Samples& samples, const std::string& name, F&& step,
    double (*clock)() = SteadySeconds)
{
    for (auto _ : state) {
        const double start = clock();
        step();
        benchmark::ClobberMemory();
        const double seconds = clock() - start;
        state.SetIterationTime(seconds);
        samples[name].push_back(seconds);
    }
}

}
