#pragma once

// Times each iteration of a manual-time benchmark case by the steady clock
// and keeps every sample under `name` for the closing ratio table.

#include "Medians.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace benchsupport {

template <typename F>
void Timed(benchmark::State& state, Samples& samples, const char* name, F&& step)
{
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        step();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        samples[name].push_back(seconds);
    }
}

}
