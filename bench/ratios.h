#pragma once

// The seconds each benchmark measured per iteration, and the ratios printed from them at the end of a run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace dfe::bench {

inline std::map<std::string, double>& Measured() {
    static std::map<std::string, double> seconds;
    return seconds;
}

// Times `body` per iteration into Measured()[name], and counts its ratio to `baseline` when that ran before.
// Each side runs once before it is timed: the first call of a connection warms its caches and buffers.
template <typename Body>
void Timed(benchmark::State& state, const char* name, const char* baseline, Body body) {
    body();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        body();
    const double perIteration =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(state.iterations());
    Measured()[name] = perIteration;
    if (baseline) {
        const auto base = Measured().find(baseline);
        if (base != Measured().end() && base->second > 0)
            state.counters["ratio"] = perIteration / base->second;
    }
}

// `goal` 0: printed for information.
inline void PrintRatio(const char* what, const char* ours, const char* base, double goal) {
    const auto a = Measured().find(ours), b = Measured().find(base);
    if (a == Measured().end() || b == Measured().end() || b->second <= 0) return;
    const double ratio = a->second / b->second;
    if (goal == 0) {
        std::printf("ratio %s: %.2fx\n", what, ratio);
        return;
    }
    std::printf("ratio %s: %.2fx (goal within %gx) %s\n", what, ratio, goal,
                ratio <= goal ? "OK" : "ABOVE GOAL");
}

} // namespace dfe::bench
