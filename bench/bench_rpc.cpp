// Server calls against raw loopback sockets carrying the same bytes, measured in the same run:
//   a small call, in-process and over TCP, against a raw echo of its request (goal: TCP within 3x);
//   a 10,000-row packet over TCP against a raw copy of the answer's bytes (goal: within 2x).
#include "sample_packet.h"

#include "appserver/rpc/dispatcher.h"
#include "appserver/server/tcp_server.h"
#include "platform/core/allocator_tuning.h"
#include "platform/db/sqlite_database.h"
#include "platform/net/frame.h"
#include "platform/net/in_process_transport.h"
#include "platform/net/net_connection.h"
#include "platform/net/rpc_codec.h"
#include "platform/net/socket.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <thread>

namespace {

using namespace dfe;

const DataPacket& BigPacket() {
    static const DataPacket packet = ToDataPacket(bench::MakeSamplePacket(10'000));
    return packet;
}

// The real server (registry, dispatcher, a read transaction per call) in this process, on a loopback port.
struct RpcServer {
    appserver::MethodRegistry registry;
    std::unique_ptr<appserver::Dispatcher> dispatcher;
    std::unique_ptr<appserver::TcpServer> tcp;
    std::unique_ptr<db::SqliteDatabase> inProcessDb;
    std::shared_ptr<const net::FrameHandler> inProcess;
    std::thread thread;

    RpcServer() {
        registry.Add("Bench.rdm", "Eco", appserver::MethodKind::Read,
                     [](appserver::MethodContext& c) { return Variant(c.Text(0)); });
        registry.Add("Bench.rdm", "Pacote", appserver::MethodKind::Read,
                     [](appserver::MethodContext&) { return Variant(BigPacket()); });
        dispatcher = std::make_unique<appserver::Dispatcher>(registry);
        appserver::ServeOptions options;
        options.port = 0;
        tcp = std::make_unique<appserver::TcpServer>(
            *dispatcher, [] { return std::make_unique<db::SqliteDatabase>(":memory:"); }, options);
        tcp->Listen();
        thread = std::thread([this] { tcp->Run(); });
        inProcessDb = std::make_unique<db::SqliteDatabase>(":memory:");
        inProcess = std::make_shared<const net::FrameHandler>(
            [this](std::string_view frame) { return dispatcher->HandleFrame(frame, *inProcessDb); });
    }
    ~RpcServer() {
        tcp->Stop();
        thread.join();
    }
};

RpcServer& Server() {
    static RpcServer server;
    return server;
}

// Answers each frame it reads with fixed bytes: the request itself (echo) or a frame of the packet's size.
struct RawServer {
    net::Socket listener = net::Socket::ListenTcp("127.0.0.1", 0);
    std::string answer; // empty: echo
    std::thread thread;

    explicit RawServer(std::string fixedAnswer) : answer(std::move(fixedAnswer)) {
        thread = std::thread([this] {
            net::Socket client = listener.Accept();
            client.SetNoDelay();
            try {
                while (auto payload = net::ReadFrame(client, net::kDefaultMaxFrameSize)) {
                    client.SendAll(answer.empty() ? net::EncodeFrame(*payload) : answer);
                }
            } catch (const std::exception&) {
            }
        });
    }
    ~RawServer() { thread.join(); }
};

std::string SmallRequestPayload() {
    net::RpcRequest r;
    r.connection = "Bench.rdm";
    r.method = "Eco";
    r.args = {{net::ArgType::String, true, Variant("0001")}};
    return net::EncodeRequest(r);
}

void BM_RawEchoSmall(benchmark::State& state) {
    RawServer raw("");
    net::Socket s = net::Socket::ConnectTcp("127.0.0.1", raw.listener.LocalPort(), std::chrono::seconds(5));
    const std::string frame = net::EncodeFrame(SmallRequestPayload());
    for (auto _ : state) {
        s.SendAll(frame);
        auto answer = net::ReadFrame(s, net::kDefaultMaxFrameSize);
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(BM_RawEchoSmall)->Unit(benchmark::kMicrosecond);

void BM_TcpSmallCall(benchmark::State& state) {
    net::TNetConnection c("Bench.rdm");
    c.SetHost("127.0.0.1");
    c.SetPort(Server().tcp->Port());
    c.Connect();
    std::string branch = "0001";
    for (auto _ : state) {
        Variant v = c.Call("Eco", net::CallArgs().StrRef(branch));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_TcpSmallCall)->Unit(benchmark::kMicrosecond);

void BM_InProcessSmallCall(benchmark::State& state) {
    net::TNetConnection c("Bench.rdm");
    auto handler = Server().inProcess;
    c.SetTransportFactory(
        [handler](const std::string&, int) { return std::make_unique<net::InProcessTransport>(handler); });
    c.Connect();
    std::string branch = "0001";
    for (auto _ : state) {
        Variant v = c.Call("Eco", net::CallArgs().StrRef(branch));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_InProcessSmallCall)->Unit(benchmark::kMicrosecond);

std::string PacketAnswerFrame() {
    net::RpcResponse r;
    r.result = Variant(BigPacket());
    return net::EncodeFrame(net::EncodeResponse(r));
}

void BM_RawCopyPacket(benchmark::State& state) {
    RawServer raw(PacketAnswerFrame());
    net::Socket s = net::Socket::ConnectTcp("127.0.0.1", raw.listener.LocalPort(), std::chrono::seconds(5));
    const std::string frame = net::EncodeFrame(SmallRequestPayload());
    for (auto _ : state) {
        s.SendAll(frame);
        auto answer = net::ReadFrame(s, net::kDefaultMaxFrameSize);
        benchmark::DoNotOptimize(answer);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigPacket().Size()));
}
BENCHMARK(BM_RawCopyPacket)->Unit(benchmark::kMillisecond);

void BM_TcpPacketCall(benchmark::State& state) {
    net::TNetConnection c("Bench.rdm");
    c.SetHost("127.0.0.1");
    c.SetPort(Server().tcp->Port());
    c.Connect();
    for (auto _ : state) {
        Variant v = c.Call("Pacote");
        benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigPacket().Size()));
}
BENCHMARK(BM_TcpPacketCall)->Unit(benchmark::kMillisecond);

class TimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> seconds;
};

void PrintRatio(const TimeReporter& r, const char* what, const char* ours, const char* base, double goal) {
    const auto a = r.seconds.find(ours), b = r.seconds.find(base);
    if (a == r.seconds.end() || b == r.seconds.end() || b->second <= 0) return;
    const double ratio = a->second / b->second;
    if (goal > 0) {
        std::printf("ratio %s: %.2fx (goal within %.0fx) %s\n", what, ratio, goal,
                    ratio <= goal ? "OK" : "ABOVE GOAL");
    } else {
        std::printf("ratio %s: %.2fx\n", what, ratio);
    }
}

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("packet: %zu bytes (10000 rows)\n", BigPacket().Size());
    PrintRatio(reporter, "small call over TCP / raw loopback echo", "BM_TcpSmallCall", "BM_RawEchoSmall", 3);
    PrintRatio(reporter, "small call in-process / raw loopback echo", "BM_InProcessSmallCall",
               "BM_RawEchoSmall", 3);
    PrintRatio(reporter, "10000-row packet over TCP / raw socket copy", "BM_TcpPacketCall",
               "BM_RawCopyPacket", 2);
    benchmark::Shutdown();
    return 0;
}
