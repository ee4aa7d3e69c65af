#pragma once

// The seconds each benchmark measured per iteration, and the ratios printed from them at the end of a run.
#include <cstdio>
#include <map>
#include <string>

namespace dfe::bench {

inline std::map<std::string, double>& Measured() {
    static std::map<std::string, double> seconds;
    return seconds;
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
