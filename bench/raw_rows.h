#pragma once

// The baselines' reading of a SELECT: every row stepped and every column read by its kind, as the cheapest
// hand-written reader would.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstddef>

namespace dfe::bench {

inline size_t StepAll(sqlite3_stmt* stmt) {
    size_t rows = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                benchmark::DoNotOptimize(sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_FLOAT:
                benchmark::DoNotOptimize(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_NULL:
                break;
            default:
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                benchmark::DoNotOptimize(sqlite3_column_bytes(stmt, c));
            }
        }
        ++rows;
    }
    return rows;
}

} // namespace dfe::bench
