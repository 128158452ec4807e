#pragma once

// Starts the benchmark library with the repetitions of its cases run
// interleaved, so a busy spell on a shared machine does not land on one
// side of a ratio.

#include <benchmark/benchmark.h>

#include <vector>

namespace benchsupport {

// False when an argument is not understood (the library has said which).
inline bool InitializeInterleaved(int argc, char** argv)
{
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> args(argv, argv + argc);
    args.insert(args.begin() + (argc > 0 ? 1 : 0), interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

}
