// The taxes of one item (GetImpoItem: beer from Paraná at the head office, six taxes, the document totals
// sent and answered) over TCP from the demo database, against a raw loopback echo of the same request plus
// the raw SQLite reads of the rules the method reads, measured in the same run (goal: within 3x).
// GetImpoItem is a write: its work rows and its answer are committed durably (synchronous=FULL), which on a
// disk with a slow fsync outweighs everything else. The same call against the baseline plus one raw durable
// commit of the same rows is printed beside it, so what the method costs beyond its commit stays visible.
#include "appserver/modules/all_methods.h"
#include "appserver/rpc/dispatcher.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/tcp_server.h"
#include "platform/core/allocator_tuning.h"
#include "platform/db/sqlite_database.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/frame.h"
#include "platform/net/net_connection.h"
#include "platform/net/rpc_codec.h"
#include "platform/net/socket.h"
#include "platform/net/tax_calls.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "ratios.h"
#include "raw_rows.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace dfe;
using bench::Measured;
using bench::PrintRatio;
using bench::Timed;

// The demo database, made once into a temporary file and removed at exit.
struct BenchDatabase {
    std::string path;
    BenchDatabase() {
        path =
            (std::filesystem::temp_directory_path() / ("dfe_bench_impo_" + std::to_string(getpid()) + ".db"))
                .string();
        Remove();
        db::SqliteDatabase db(path);
        appserver::ApplyMigrations(db, appserver::EmbeddedSchemaFiles(), true);
    }
    ~BenchDatabase() { Remove(); }
    void Remove() const {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path + suffix);
    }
};

const std::string& DatabasePath() {
    static BenchDatabase db;
    return db.path;
}

struct TaxServer {
    appserver::MethodRegistry registry;
    std::unique_ptr<appserver::Dispatcher> dispatcher;
    std::unique_ptr<appserver::TcpServer> tcp;
    std::thread thread;

    TaxServer() {
        const std::string path = DatabasePath();
        appserver::RegisterAllMethods(registry);
        dispatcher = std::make_unique<appserver::Dispatcher>(registry);
        appserver::ServeOptions options;
        options.port = 0;
        tcp = std::make_unique<appserver::TcpServer>(
            *dispatcher, [path] { return std::make_unique<db::SqliteDatabase>(path); }, options);
        tcp->Listen();
        thread = std::thread([this] { tcp->Run(); });
    }
    ~TaxServer() {
        tcp->Stop();
        thread.join();
    }
};

TaxServer& Server() {
    static TaxServer server;
    return server;
}

net::GetImpoItemArgs Beer(const std::string& workCode) {
    net::GetImpoItemArgs a;
    a.receivingBranch = a.branch = "0001";
    a.company = "01";
    a.operationType = "01";
    a.fiscalGroup = "SP1";
    a.product = "0000001145";
    a.entryDate = DateTime::FromDate(2026, 12, 10);
    a.itemTotal = 1234.56;
    a.quantity = 48;
    a.supplier = "J12ABC34501DE35";
    a.participantState = "PR";
    a.postingNumber = "NOVOCODIGO";
    a.itemSequence = "0001";
    a.regenerate = "S";
    a.workCode = workCode;
    a.productOrigin = "0";
    return a;
}

// ---- baseline: the request's bytes echoed over loopback, then the rules' rows read raw.
struct RawEcho {
    net::Socket listener = net::Socket::ListenTcp("127.0.0.1", 0);
    std::thread thread;
    RawEcho() {
        thread = std::thread([this] {
            net::Socket client = listener.Accept();
            client.SetNoDelay();
            try {
                while (auto payload = net::ReadFrame(client, net::kDefaultMaxFrameSize))
                    client.SendAll(net::EncodeFrame(*payload));
            } catch (const std::exception&) {
            }
        });
    }
    ~RawEcho() { thread.join(); }
};

// The method's reads, as text with their parameters in order.
const std::pair<const char*, std::vector<std::string>> kRuleSelects[] = {
    {"SELECT T.IDENTRSAIDOP, F.CDCFOPBASE, F.CDCFOPBASEST, F.CDSUFXCFOP, F.IDUSOCONSUMO, F.IDSERVICO"
     " FROM TIPOOPERAC T LEFT JOIN TPOPERFISC F ON F.CDTIPOOPER = T.CDTIPOOPER WHERE T.CDTIPOOPER = ?1",
     {"01"}},
    {"SELECT CDARVPROD, CDNCM FROM PRODUTO WHERE CDPRODUTO = ?1", {"0000001145"}},
    {"SELECT SGESTADO FROM FILIAL WHERE CDFILIAL = ?1", {"0001"}},
    {"SELECT VRALIQINTERNA, VRALIQFCP, IDSULSUDESTE FROM ICMSESTADO WHERE SGESTADO = ?1", {"SP"}},
    {"SELECT VRALIQINTERNA, VRALIQFCP, IDSULSUDESTE FROM ICMSESTADO WHERE SGESTADO = ?1", {"PR"}},
    {"SELECT G.CDIMPOSTO, G.CDGRUPOFISC, I.SGIMPOSTO, I.IDTRATIMPO FROM GRUPOIMPFILI G"
     " JOIN IMPOSTO I ON I.CDIMPOSTO = G.CDIMPOSTO WHERE G.CDFILIAL = ?1 ORDER BY G.CDIMPOSTO",
     {"0001"}},
    {"SELECT CDGRUPOFISC, CDIMPOSTO, CDNCM, CDARVPROD, IDABRANGENCIA, IDAPLICACAO, VRALIQIMPO, VRPERREDBC, "
     "VRMVA,"
     " CDSITUTRIB, CDFISCIMPO FROM REGRAIMPOSTO WHERE CDGRUPOFISC = ?2 OR CDGRUPOFISC IN"
     " (SELECT CDGRUPOFISC FROM GRUPOIMPFILI WHERE CDFILIAL = ?1)",
     {"0001", "SP1"}},
    {"SELECT NRLANCTONF FROM IMPOTRABITEM WHERE CDFILIAL = ?1 AND CDCODTRAB = ?2 AND NRSEQITPROD = ?3",
     {"0001", "W000000001", "0001"}},
    {"SELECT CDIMPOSTO, VRIMPOSTOIT, VRBASECALCIT FROM IMPOTRABVALOR WHERE CDFILIAL = ?1 AND CDCODTRAB = ?2"
     " AND NRSEQITPROD = ?3",
     {"0001", "W000000001", "0001"}},
};

class RawDatabase {
public:
    RawDatabase() {
        if (sqlite3_open_v2(DatabasePath().c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error("sqlite3_open_v2");
    }
    ~RawDatabase() { sqlite3_close(db_); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    size_t ReadAll(const char* sql, const std::vector<std::string>& params) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        for (size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(stmt, static_cast<int>(i + 1), params[i].c_str(), -1, SQLITE_STATIC);
        const size_t rows = bench::StepAll(stmt);
        sqlite3_finalize(stmt);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
};

// The request the client sends, with the totals packet a first generation answered.
std::string RequestPayload(net::GetImpoItemArgs a) {
    net::RpcRequest r;
    r.connection = net::kLancNFEntrada;
    r.method = a.kMethod;
    r.args = net::ToCallArgs(a).Args();
    return net::EncodeRequest(r);
}

std::unique_ptr<net::TNetConnection> Connect() {
    auto c = std::make_unique<net::TNetConnection>(std::string(net::kLancNFEntrada));
    c->SetHost("127.0.0.1");
    c->SetPort(Server().tcp->Port());
    c->Connect();
    return c;
}

Variant FirstTotals(net::TNetConnection& c, const std::string& workCode) {
    net::GetImpoItemArgs a = Beer(workCode);
    return net::CheckResultServ(c.Call(a.kMethod, net::ToCallArgs(a))).AsArray()[1];
}

void BM_RawEchoAndRuleSelects(benchmark::State& state) {
    auto c = Connect();
    net::GetImpoItemArgs a = Beer("W000000001");
    a.documentTotals = FirstTotals(*c, "W000000001");
    const std::string frame = net::EncodeFrame(RequestPayload(a));
    RawEcho echo;
    net::Socket s = net::Socket::ConnectTcp("127.0.0.1", echo.listener.LocalPort(), std::chrono::seconds(5));
    RawDatabase raw;
    Timed(state, "raw", nullptr, [&] {
        s.SendAll(frame);
        auto answer = net::ReadFrame(s, net::kDefaultMaxFrameSize);
        benchmark::DoNotOptimize(answer);
        size_t rows = 0;
        for (const auto& [sql, params] : kRuleSelects)
            rows += raw.ReadAll(sql, params);
        if (rows < 20) throw std::runtime_error("rule rows");
    });
}
BENCHMARK(BM_RawEchoAndRuleSelects)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2);

// The writes of one call done raw: the item's work rows replaced and the answer logged, committed as the
// server commits (WAL, synchronous=FULL).
void BM_RawDurableCommit(benchmark::State& state) {
    DatabasePath();
    sqlite3* db = nullptr;
    if (sqlite3_open(DatabasePath().c_str(), &db) != SQLITE_OK) throw std::runtime_error("sqlite3_open");
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    const std::string answer(1500, 'x');
    static int token = 0;
    Timed(state, "commit", nullptr, [&] {
        std::string sql = "BEGIN IMMEDIATE; DELETE FROM IMPOTRABVALOR WHERE CDFILIAL = '0009';"
                          "DELETE FROM IMPOTRABITEM WHERE CDFILIAL = '0009';"
                          "INSERT INTO IMPOTRABITEM VALUES ('0009', 'W000000001', '0001', 'NOVOCODIGO', "
                          "'2026-12-10 10:00:00');";
        for (const char* tax : {"01", "02", "03", "04", "05", "09"})
            sql += std::string("INSERT INTO IMPOTRABVALOR VALUES ('0009', 'W000000001', '0001', '") + tax +
                   "', 148.15, 1234.56);";
        sql += "INSERT INTO RPC_RESPOSTA VALUES ('bench" + std::to_string(++token) +
               "', 'Dfe11000.rdmLancNFEntrada', 'GetImpoItem', '" + answer +
               "', '2026-12-10 10:00:00'); COMMIT;";
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    });
    sqlite3_close(db);
}
BENCHMARK(BM_RawDurableCommit)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2);

void BM_GetImpoItemTcp(benchmark::State& state) {
    auto c = Connect();
    std::string workCode = "W000000001";
    net::GetImpoItemArgs a = Beer(workCode);
    a.documentTotals = FirstTotals(*c, workCode);
    Timed(state, "GetImpoItem tcp", "raw", [&] {
        net::GetImpoItemArgs call = a;
        const Variant answer = net::CheckResultServ(c->Call(call.kMethod, net::ToCallArgs(call)));
        benchmark::DoNotOptimize(answer);
    });
}
BENCHMARK(BM_GetImpoItemTcp)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("GetImpoItem over TCP / raw echo + rule SELECTs", "GetImpoItem tcp", "raw", 3);
    if (Measured().count("raw") && Measured().count("commit"))
        Measured()["raw + commit"] = Measured()["raw"] + Measured()["commit"];
    PrintRatio("GetImpoItem over TCP / raw echo + rule SELECTs + durable commit of its rows",
               "GetImpoItem tcp", "raw + commit", 0);
    benchmark::Shutdown();
    return 0;
}
