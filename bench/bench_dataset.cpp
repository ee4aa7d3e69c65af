// The dataset engine against SQLite's in-memory database on the same work, measured in the same run. After
// the runs it prints "ratio <work>: x.xx" (engine time / SQLite time); below 1 the engine is faster.

#include "platform/core/allocator_tuning.h"
#include "platform/data/dataset.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace dfe;

constexpr int kRows = 100000;
constexpr int kEdits = 10000;
constexpr int kBranches = 10;

// 30 fields: 10 text, 8 float, 5 integer, 4 date, 3 boolean.
std::vector<FieldDef> BenchFields() {
    std::vector<FieldDef> f = {{"CDFILIAL", FieldType::String, 4, false},
                               {"NRLANCTONF", FieldType::String, 10, false},
                               {"IDSTATUS", FieldType::String, 1, false}};
    for (int i = 1; i <= 7; ++i)
        f.push_back({"DSTEXTO" + std::to_string(i), FieldType::String, 40, false});
    f.push_back({"QTDNFCE", FieldType::Float, 0, false});
    f.push_back({"VRNOTAFISC", FieldType::Float, 0, false});
    for (int i = 1; i <= 6; ++i)
        f.push_back({"VRVALOR" + std::to_string(i), FieldType::Float, 0, false});
    for (int i = 1; i <= 5; ++i)
        f.push_back({"NRCONTA" + std::to_string(i), FieldType::Integer, 0, false});
    for (int i = 1; i <= 4; ++i)
        f.push_back({"DTDATA" + std::to_string(i), FieldType::DateTime, 0, false});
    for (int i = 1; i <= 3; ++i)
        f.push_back({"IDFLAG" + std::to_string(i), FieldType::Boolean, 0, false});
    return f;
}

std::string Padded(int value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<size_t>(width) - s.size(), '0') + s;
}

std::string BranchOf(int row) {
    return Padded(row % kBranches + 1, 4);
}
std::string PostingOf(int row) {
    return Padded(row, 10);
}

const Packet& SourcePacket() {
    static const Packet packet = [] {
        Packet p;
        p.fields = BenchFields();
        p.rows.reserve(kRows);
        const char* statuses[] = {"P", "F", "C"};
        for (int r = 0; r < kRows; ++r) {
            std::vector<Variant> v;
            v.reserve(30);
            v.emplace_back(BranchOf(r));
            v.emplace_back(PostingOf(r));
            v.emplace_back(statuses[r % 3]);
            for (int i = 1; i <= 7; ++i)
                v.emplace_back("Descrição do lançamento " + std::to_string(r * 7 + i));
            v.emplace_back(static_cast<double>(r % 100));
            v.emplace_back(static_cast<double>(r) * 1.25);
            for (int i = 1; i <= 6; ++i)
                v.emplace_back(static_cast<double>(r % 1000) / (i + 1));
            for (int i = 1; i <= 5; ++i)
                v.emplace_back(static_cast<int64_t>(r) * i);
            for (int i = 1; i <= 4; ++i)
                v.emplace_back(DateTime(45000.0 + r % 365 + i));
            for (int i = 1; i <= 3; ++i)
                v.emplace_back((r + i) % 2 == 0);
            p.rows.push_back({RowStatus::Unmodified, std::move(v), {}});
        }
        return p;
    }();
    return packet;
}

// ---- SQLite side

struct Db {
    sqlite3* db = nullptr;
    Db() {
        if (sqlite3_open(":memory:", &db) != SQLITE_OK) throw std::runtime_error("sqlite open");
    }
    ~Db() { sqlite3_close(db); }
    void Exec(const std::string& sql) const {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(message);
        }
    }
};

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(const Db& db, const std::string& sql) {
        if (sqlite3_prepare_v2(db.db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db.db));
        }
    }
    ~Statement() { sqlite3_finalize(stmt); }
};

const char* SqlType(FieldType t) {
    switch (t) {
    case FieldType::Float:
    case FieldType::DateTime:
        return "REAL";
    case FieldType::Integer:
    case FieldType::Boolean:
        return "INTEGER";
    default:
        return "TEXT";
    }
}

void Bind(sqlite3_stmt* stmt, int index, const Variant& v) {
    switch (v.Type()) {
    case VariantType::String: {
        const std::string* s = v.TextIf();
        sqlite3_bind_text(stmt, index, s ? s->data() : "", s ? static_cast<int>(s->size()) : 0,
                          SQLITE_STATIC);
        break;
    }
    case VariantType::Double:
        sqlite3_bind_double(stmt, index, v.AsFloat());
        break;
    case VariantType::Integer:
        sqlite3_bind_int64(stmt, index, v.AsInteger());
        break;
    case VariantType::DateTime:
        sqlite3_bind_double(stmt, index, v.AsDateTime().Days());
        break;
    case VariantType::Boolean:
        sqlite3_bind_int(stmt, index, v.AsBoolean() ? 1 : 0);
        break;
    default:
        sqlite3_bind_null(stmt, index);
    }
}

void LoadSqlite(const Db& db, const Packet& p) {
    std::string create = "CREATE TABLE t(";
    std::string insert = "INSERT INTO t VALUES(";
    for (size_t i = 0; i < p.fields.size(); ++i) {
        create += (i ? ", " : "") + p.fields[i].name + " " + SqlType(p.fields[i].type);
        insert += i ? ", ?" : "?";
    }
    db.Exec(create + ")");
    db.Exec("BEGIN");
    Statement st(db, insert + ")");
    for (const PacketRow& row : p.rows) {
        for (size_t i = 0; i < row.values.size(); ++i)
            Bind(st.stmt, static_cast<int>(i + 1), row.values[i]);
        if (sqlite3_step(st.stmt) != SQLITE_DONE) throw std::runtime_error("insert");
        sqlite3_reset(st.stmt);
    }
    db.Exec("COMMIT");
}

// ---- Load 100,000 rows of 30 fields

void load_dataset(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Packet copy = SourcePacket();
        state.ResumeTiming();
        DataSet ds("cdsBench");
        ds.SetData(std::move(copy));
        benchmark::DoNotOptimize(ds.RecordCount());
    }
}

void load_sqlite(benchmark::State& state) {
    const Packet& p = SourcePacket();
    for (auto _ : state) {
        Db db;
        LoadSqlite(db, p);
    }
}

// ---- Locate by two fields with an index

std::vector<std::pair<std::string, std::string>> SearchKeys() {
    std::vector<std::pair<std::string, std::string>> keys;
    for (int i = 0; i < 1024; ++i) {
        const int row = (i * 7919) % kRows;
        keys.emplace_back(BranchOf(row), PostingOf(row));
    }
    return keys;
}

void locate_dataset(benchmark::State& state) {
    DataSet ds("cdsBench");
    ds.SetData(Packet(SourcePacket()));
    ds.SetIndexFieldNames("CDFILIAL;NRLANCTONF");
    const auto keys = SearchKeys();
    size_t i = 0;
    for (auto _ : state) {
        const auto& [branch, posting] = keys[i++ % keys.size()];
        if (!ds.Locate("CDFILIAL;NRLANCTONF", {Variant(branch), Variant(posting)})) {
            state.SkipWithError("not found");
        }
    }
}

void locate_sqlite(benchmark::State& state) {
    Db db;
    LoadSqlite(db, SourcePacket());
    db.Exec("CREATE INDEX ix ON t(CDFILIAL, NRLANCTONF)");
    Statement st(db, "SELECT rowid FROM t WHERE CDFILIAL = ? AND NRLANCTONF = ?");
    const auto keys = SearchKeys();
    size_t i = 0;
    for (auto _ : state) {
        const auto& [branch, posting] = keys[i++ % keys.size()];
        sqlite3_bind_text(st.stmt, 1, branch.data(), static_cast<int>(branch.size()), SQLITE_STATIC);
        sqlite3_bind_text(st.stmt, 2, posting.data(), static_cast<int>(posting.size()), SQLITE_STATIC);
        if (sqlite3_step(st.stmt) != SQLITE_ROW) state.SkipWithError("not found");
        benchmark::DoNotOptimize(sqlite3_column_int64(st.stmt, 0));
        sqlite3_reset(st.stmt);
    }
}

// ---- SUM over a filtered view

void sum_filtered_dataset(benchmark::State& state) {
    DataSet ds("cdsBench");
    ds.SetData(Packet(SourcePacket()));
    for (auto _ : state) {
        ds.SetFilter("QTDNFCE > 50 and IDSTATUS = 'P'");
        ds.SetFiltered(true);
        benchmark::DoNotOptimize(ds.Aggregate("SUM(QTDNFCE*VRNOTAFISC)"));
        ds.SetFiltered(false);
    }
}

void sum_filtered_sqlite(benchmark::State& state) {
    Db db;
    LoadSqlite(db, SourcePacket());
    Statement st(db, "SELECT SUM(QTDNFCE*VRNOTAFISC) FROM t WHERE QTDNFCE > 50 AND IDSTATUS = 'P'");
    for (auto _ : state) {
        if (sqlite3_step(st.stmt) != SQLITE_ROW) state.SkipWithError("no sum");
        benchmark::DoNotOptimize(sqlite3_column_double(st.stmt, 0));
        sqlite3_reset(st.stmt);
    }
}

// ---- 10,000 edits and the delta

void edits_delta_dataset(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto ds = std::make_unique<DataSet>("cdsBench");
        ds->SetData(Packet(SourcePacket()));
        Field& value = ds->FieldByName("VRVALOR1");
        state.ResumeTiming();
        for (int i = 0; i < kEdits; ++i) {
            ds->SetRecNo(i * (kRows / kEdits) + 1);
            ds->Edit();
            value.SetAsFloat(i * 0.5);
            ds->Post();
        }
        Packet delta = ds->Delta();
        benchmark::DoNotOptimize(delta.rows.size());
        // Tearing down is not part of the work, on either side.
        state.PauseTiming();
        delta = Packet();
        ds.reset();
        state.ResumeTiming();
    }
}

void edits_delta_sqlite(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<Db>();
        LoadSqlite(*db, SourcePacket());
        state.ResumeTiming();
        db->Exec("BEGIN");
        {
            Statement st(*db, "UPDATE t SET VRVALOR1 = ? WHERE rowid = ?");
            for (int i = 0; i < kEdits; ++i) {
                sqlite3_bind_double(st.stmt, 1, i * 0.5);
                sqlite3_bind_int64(st.stmt, 2, i * (kRows / kEdits) + 1);
                if (sqlite3_step(st.stmt) != SQLITE_DONE) state.SkipWithError("update");
                sqlite3_reset(st.stmt);
            }
        }
        db->Exec("COMMIT");
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(load_dataset)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(load_sqlite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(locate_dataset)->Unit(benchmark::kMicrosecond);
BENCHMARK(locate_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(sum_filtered_dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(sum_filtered_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(edits_delta_dataset)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(edits_delta_sqlite)->Unit(benchmark::kMillisecond)->Iterations(5);

// Shows the runs as usual and keeps each one's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // CPU time: the machine is shared and both sides run on one thread. "load_sqlite/iterations:5"
            // is kept as "load_sqlite".
            const std::string name = run.benchmark_name().substr(0, run.benchmark_name().find('/'));
            if (run.iterations > 0)
                seconds_[name] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        for (const char* work : {"load", "locate", "sum_filtered", "edits_delta"}) {
            const auto engine = seconds_.find(std::string(work) + "_dataset");
            const auto sqlite = seconds_.find(std::string(work) + "_sqlite");
            if (engine == seconds_.end() || sqlite == seconds_.end() || sqlite->second <= 0) continue;
            std::printf("ratio %s: %.2f\n", work, engine->second / sqlite->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets(); // as the programs of the product do
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
