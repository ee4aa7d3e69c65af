// Packet encoding and decoding throughput on a 100,000-row, 30-field packet. Target: 200 MB/s each way.
#include "sample_packet.h"

#include "platform/core/allocator_tuning.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const dfe::Packet& Sample() {
    static const dfe::Packet packet = dfe::bench::MakeSamplePacket(100'000);
    return packet;
}

const std::string& SampleBytes() {
    static const std::string bytes = dfe::EncodePacket(Sample());
    return bytes;
}

void BM_EncodePacket(benchmark::State& state) {
    for (auto _ : state) {
        std::string bytes = dfe::EncodePacket(Sample());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(SampleBytes().size()));
}
BENCHMARK(BM_EncodePacket)->Unit(benchmark::kMillisecond);

void BM_DecodePacket(benchmark::State& state) {
    for (auto _ : state) {
        dfe::Packet packet = dfe::DecodePacket(SampleBytes());
        benchmark::DoNotOptimize(packet.rows.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(SampleBytes().size()));
}
BENCHMARK(BM_DecodePacket)->Unit(benchmark::kMillisecond);

// Keeps the measured throughputs so that main can print them as plain lines after the table.
class ThroughputReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) mbPerSecond[run.benchmark_name()] = it->second.value / 1e6;
        }
    }
    std::map<std::string, double> mbPerSecond;
};

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets(); // as the programs of the product do
    benchmark::Initialize(&argc, argv);
    ThroughputReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("packet size: %.1f MB (100000 rows x 30 fields)\n",
                static_cast<double>(SampleBytes().size()) / 1e6);
    for (const auto& [name, mb] : reporter.mbPerSecond) {
        std::printf("throughput %s: %.0f MB/s (target 200 MB/s) %s\n", name.c_str(), mb,
                    mb >= 200 ? "OK" : "BELOW TARGET");
    }
    benchmark::Shutdown();
    return 0;
}
