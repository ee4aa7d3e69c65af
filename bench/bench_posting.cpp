// The posting list and the opening of a posting, from the server's database to the client's datasets, against
// the raw SQLite reads of the same rows, measured in the same run:
//   GetRomaneioNF listing 50,000 postings of a branch into a dataset, over TCP and in-process, against the
//   step loop of the list's SELECT reading every column (goal: within 2x);
//   GetNFDadosGerais opening a posting of 990 items with 4 taxes each into the posting's datasets, against
//   the step loops of the SELECTs of its rows (goal: within 3x).
#include "appserver/modules/all_methods.h"
#include "appserver/rpc/dispatcher.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/tcp_server.h"
#include "platform/core/allocator_tuning.h"
#include "platform/data/dataset.h"
#include "platform/db/sqlite_database.h"
#include "platform/net/connection_names.h"
#include "platform/net/in_process_transport.h"
#include "platform/net/net_connection.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "ratios.h"
#include "raw_rows.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
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

constexpr int kListRows = 50'000;
constexpr int kItems = 990;
constexpr const char* kListBranch = "0010";
constexpr const char* kOpenBranch = "0011";
constexpr const char* kOpenPosting = "0000000001";
constexpr const char* kTaxes[] = {"01", "02", "03", "04"};

std::string Padded(int value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<size_t>(width) - s.size(), '0') + s;
}

std::string Day(int offset) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "2026-%02d-%02d", 1 + offset / 28 % 12, 1 + offset % 28);
    return buf;
}

// The demo registers plus a branch of 50,000 postings and a branch with one posting of 990 items.
void Generate(db::Database& db) {
    appserver::ApplyMigrations(db, appserver::EmbeddedSchemaFiles(), true);
    db::Transaction tx(db, db::TransactionMode::Write);
    for (const char* branch : {kListBranch, kOpenBranch}) {
        db.Execute("INSERT INTO FILIAL (CDFILIAL, NMFILIAL, CDEMPRESA, IDTPIJURFILI, NRINSJURFILI, CDPAIS,"
                   " DTPROCESSA) VALUES (:B, 'Filial de medida ' || :B, '01', 'J', '34567890000130', '0055',"
                   " '2026-12-10')",
                   {{"B", branch}});
    }
    const char* suppliers[] = {"J11222333000181", "J45678901000175", "J67890123000116", "J12ABC34501DE35"};
    const char* customers[] = {"J78901234000105", "F98765432100"};
    const std::string insert =
        "INSERT INTO NOTAFISCAL (CDFILIAL, NRLANCTONF, CDEMPRESA, CDFILIRECE, IDENTRSAIDOP, CDTIPOOPER, "
        "IDSTATUS,"
        " IDBLOQUEADO, IDORIGDESTNF, CDFORNECED, CDCLIENTE, CDFILIEMIT, IDTPIJURNF, NRINSJURNF, CDMODDOCFISC,"
        " CDSERIEENTR, NRNOTAFISC, DTEMISSAO, DTENTRSAID, VRPRODUTOS, VRNOTAFISC, IDUTILVENC, IDNFDEVOOL,"
        " NRLANCESTQ, IDNFGERADAVIAXML, DSNOTAFISORIGOL, SGESTADO, CDMUNICIPIO, DSCDFISOPENF, DTLANCAMENNF)"
        " VALUES (:F, :N, '01', :F, 'E', :T, :S, 'N', :K, :FO, :CL, :FE, :TP, :NR, '55', '1', :NF, :DE, :DT, "
        ":V,"
        " :V, 'S', 'N', :N, 'N', NULL, 'SP', '7107', 'Compra para comercialização', :DT)";
    for (int i = 1; i <= kListRows; ++i) {
        const int kind = i % 10; // 7 suppliers, 2 customers, 1 branch in 10
        const bool customer = kind == 7 || kind == 8, branch = kind == 9;
        std::string code = branch ? "" : customer ? customers[i % 2] : suppliers[i % 4];
        db.Execute(insert, {{"F", kListBranch},
                            {"N", Padded(i, 10)},
                            {"T", customer ? "07"
                                  : branch ? "08"
                                           : "01"},
                            {"S", i % 50 == 0 ? "C" : "P"},
                            {"K", customer ? "C"
                                  : branch ? "L"
                                           : "F"},
                            {"FO", customer || branch ? Variant::Null() : Variant(code)},
                            {"CL", customer ? Variant(code) : Variant::Null()},
                            {"FE", branch ? Variant("0001") : Variant::Null()},
                            {"TP", branch ? "J" : code.substr(0, 1)},
                            {"NR", branch ? "34567890000130" : code.substr(1)},
                            {"NF", Padded(i, 9)},
                            {"DE", Day(i / 200)},
                            {"DT", Day(i / 200 + 1)},
                            {"V", 100.0 + i % 1000}});
    }
    db.Execute(insert, {{"F", kOpenBranch},
                        {"N", kOpenPosting},
                        {"T", "01"},
                        {"S", "P"},
                        {"K", "F"},
                        {"FO", suppliers[0]},
                        {"TP", "J"},
                        {"NR", "11222333000181"},
                        {"NF", "000000001"},
                        {"DE", "2026-12-01"},
                        {"DT", "2026-12-02"},
                        {"V", 99000.0}});
    const char* products[] = {"0000000101", "0000000102", "0000000103", "0000000201", "0000000202",
                              "0000000301", "0000000302", "0000000401", "0000000402"};
    for (int i = 1; i <= kItems; ++i) {
        const std::string seq = Padded(i, 4), product = products[i % 9];
        db.Execute(
            "INSERT INTO ITEMPRODUTO (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDPRODUTO, CDSITUTRIBPR, SGUNIDADE,"
            " QTITEMPROD, VRUNITITEM, VRTOTAITEM, VRCONTITEM, VRBRUTITEM, IDAVISOSITEM, CDFISOPEITEM,"
            " DSPRODEMIS, CDALMOXARIFE, CDLOCALESTOQ, CDPRODESTO, IDPRODBONIF, CDPRODINTE)"
            " VALUES (:F, :N, :S, :P, '000', 'UN', 10, 10, 100, 100, 100, '0', '2102',"
            " 'Produto de medida ' || :S, '000001', '000001', :P, 'N', '7891000100103')",
            {{"F", kOpenBranch}, {"N", kOpenPosting}, {"S", seq}, {"P", product}});
        for (const char* tax : kTaxes) {
            db.Execute("INSERT INTO ITEMPROIMPOS (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDIMPOSTO, CDPRODUTO,"
                       " VRALIQITEM, VRIMPOSTOIT, VRCONTITIMP, VRBASECALCIT, CDFISCALIT, CDSITUTRIBIT,"
                       " IDTRATIMPO, CDFISCOPERIT, CDSITUTRIBITNFE)"
                       " VALUES (:F, :N, :S, :T, :P, 12, 12, 100, 100, '1', '000', 'C', '2102', '00')",
                       {{"F", kOpenBranch}, {"N", kOpenPosting}, {"S", seq}, {"T", tax}, {"P", product}});
        }
    }
    for (const char* tax : kTaxes) {
        db.Execute(
            "INSERT INTO IMPOSNFTOT (CDFILIAL, NRLANCTONF, CDIMPOSTO, VRTOTIMPONF, VRTOTBCALCNF, IDPRODNOTA)"
            " VALUES (:F, :N, :T, 11880, 99000, 'P')",
            {{"F", kOpenBranch}, {"N", kOpenPosting}, {"T", tax}});
    }
    for (int i = 1; i <= 3; ++i) {
        db.Execute("INSERT INTO CONTAPAGAR (CDFILIAL, NRLANCTONF, NRSEQVENPAG, QTDIASVENPAG, DTORIGVENPAG, "
                   "VRORIGPAG,"
                   " IDSTATPAG, CDEMPRESA) VALUES (:F, :N, :S, :D, '2026-12-30', 33000, 'A', '01')",
                   {{"F", kOpenBranch}, {"N", kOpenPosting}, {"S", Padded(i, 2)}, {"D", 30 * i}});
    }
    tx.Commit();
}

// The bench database, generated once into a temporary file and removed at exit.
struct BenchDatabase {
    std::string path;
    BenchDatabase() {
        path = (std::filesystem::temp_directory_path() /
                ("dfe_bench_posting_" + std::to_string(getpid()) + ".db"))
                   .string();
        Remove();
        db::SqliteDatabase db(path);
        Generate(db);
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

// The real server over the bench database: on a loopback port and in this process.
struct PostingServer {
    appserver::MethodRegistry registry;
    std::unique_ptr<appserver::Dispatcher> dispatcher;
    std::unique_ptr<appserver::TcpServer> tcp;
    std::unique_ptr<db::SqliteDatabase> inProcessDb;
    std::shared_ptr<const net::FrameHandler> inProcess;
    std::thread thread;

    PostingServer() {
        const std::string path = DatabasePath();
        appserver::RegisterAllMethods(registry);
        dispatcher = std::make_unique<appserver::Dispatcher>(registry);
        appserver::ServeOptions options;
        options.port = 0;
        tcp = std::make_unique<appserver::TcpServer>(
            *dispatcher, [path] { return std::make_unique<db::SqliteDatabase>(path); }, options);
        tcp->Listen();
        thread = std::thread([this] { tcp->Run(); });
        inProcessDb = std::make_unique<db::SqliteDatabase>(path);
        inProcess = std::make_shared<const net::FrameHandler>(
            [this](std::string_view frame) { return dispatcher->HandleFrame(frame, *inProcessDb); });
    }
    ~PostingServer() {
        tcp->Stop();
        thread.join();
    }
};

PostingServer& Server() {
    static PostingServer server;
    return server;
}

enum class Transport { Tcp, InProcess };

std::unique_ptr<net::TNetConnection> Connect(Transport transport) {
    auto c = std::make_unique<net::TNetConnection>(std::string(net::kLancNFEntrada));
    if (transport == Transport::Tcp) {
        c->SetHost("127.0.0.1");
        c->SetPort(Server().tcp->Port());
    } else {
        auto handler = Server().inProcess;
        c->SetTransportFactory([handler](const std::string&, int) {
            return std::make_unique<net::InProcessTransport>(handler);
        });
    }
    c->Connect();
    return c;
}

// ---- raw SQLite: the same statements' rows, every column read
class RawDatabase {
public:
    RawDatabase() {
        // Without the connection mutex, as the server opens it: the baseline pays no locking per column.
        if (sqlite3_open_v2(DatabasePath().c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error("sqlite3_open_v2");
    }
    ~RawDatabase() { sqlite3_close(db_); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    // Steps through the rows of `sql` with its text parameters, reading every column by its kind.
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

// The list's SELECT: its 32 columns with the registers' names, for the branch, by entry date.
constexpr const char* kRawListSql =
    "SELECT N.NRNOTAFISC, N.NRINSJURNF, FO.NMRAZSOCFORN, N.CDSERIEENTR, N.DTEMISSAO, N.DTENTRSAID, "
    "N.VRNOTAFISC,"
    " N.CDFILIAL, N.NRLANCTONF, N.CDEMPRESA, N.CDFILIRECE, N.IDTPIJURNF, N.IDSTATUS, N.IDENTRSAIDOP,"
    " N.IDBLOQUEADO, N.CDTIPOOPER, T.NMTIPOOPER, N.CDFILIEMIT, N.CDCLIENTE, N.IDORIGDESTNF, C.NMRAZSOCCLIE,"
    " FE.NMFILIAL, N.NRLANCESTQ, E.NMRAZSOCEMPR, N.IDUTILVENC, N.IDNFDEVOOL, N.DSNOTAFISORIGOL, "
    "N.IDDOCREPLIC,"
    " N.IDNFGERADAVIAXML, N.IDSTATUSMANIF, N.IDDOCCREDST, N.CDFORNECED"
    " FROM NOTAFISCAL N"
    " LEFT JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
    " LEFT JOIN FORNECEDOR FO ON FO.CDFORNECED = N.CDFORNECED"
    " LEFT JOIN CLIENTE C ON C.CDCLIENTE = N.CDCLIENTE"
    " LEFT JOIN FILIAL FE ON FE.CDFILIAL = N.CDFILIEMIT"
    " LEFT JOIN EMPRESA E ON E.CDEMPRESA = N.CDEMPRESA"
    " WHERE N.CDFILIAL = ?1 AND N.IDENTRSAIDOP = 'E' ORDER BY N.DTENTRSAID, N.NRLANCTONF";

// The posting's rows: header, items with their products, item taxes and document taxes with the taxes'
// abbreviations, installments, and the empty parts (related documents, charges, additional data, origins,
// authorization relation, supplier parameters and product rules).
const char* const kRawPostingSql[] = {
    "SELECT N.*, M.DSMODDOCFISC, ES.NMESTADO, MU.NMMUNICIPIO FROM NOTAFISCAL N"
    " JOIN FILIAL FI ON FI.CDFILIAL = N.CDFILIAL LEFT JOIN MODDOCFISC M ON M.CDMODDOCFISC = N.CDMODDOCFISC"
    " LEFT JOIN ESTADO ES ON ES.CDPAIS = FI.CDPAIS AND ES.SGESTADO = N.SGESTADO"
    " LEFT JOIN MUNICIPIO MU ON MU.CDPAIS = FI.CDPAIS AND MU.SGESTADO = N.SGESTADO"
    " AND MU.CDMUNICIPIO = N.CDMUNICIPIO WHERE N.CDFILIAL = ?1 AND N.NRLANCTONF = ?2",
    "SELECT I.*, R.VRNOTAFISC, R.NRINSJURNF FROM ITEMNOTAFISC I LEFT JOIN NOTAFISCAL R ON R.CDFILIAL = "
    "I.CDFILIALIT"
    " AND R.NRLANCTONF = I.NRLANCTONFIT WHERE I.CDFILIAL = ?1 AND I.NRLANCTONF = ?2",
    "SELECT I.*, P.NMPRODUTO, P.CDARVPROD FROM ITEMPRODUTO I LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
    " WHERE I.CDFILIAL = ?1 AND I.NRLANCTONF = ?2 ORDER BY I.NRSEQITPROD",
    "SELECT I.*, E.NMENCARGO, E.IDENCARGO FROM ITEMENCARGO I LEFT JOIN ENCARGO E ON E.CDENCARGO = I.CDENCARGO"
    " WHERE I.CDFILIAL = ?1 AND I.NRLANCTONF = ?2",
    "SELECT * FROM CONTAPAGAR WHERE CDFILIAL = ?1 AND NRLANCTONF = ?2 ORDER BY NRSEQVENPAG",
    "SELECT * FROM DADOSADIC WHERE CDFILIAL = ?1 AND NRLANCTONF = ?2",
    "SELECT T.*, M.SGIMPOSTO FROM IMPOSNFTOT T LEFT JOIN IMPOSTO M ON M.CDIMPOSTO = T.CDIMPOSTO"
    " WHERE T.CDFILIAL = ?1 AND T.NRLANCTONF = ?2 ORDER BY T.CDIMPOSTO",
    "SELECT T.*, M.SGIMPOSTO FROM ITEMPROIMPOS T LEFT JOIN IMPOSTO M ON M.CDIMPOSTO = T.CDIMPOSTO"
    " WHERE T.CDFILIAL = ?1 AND T.NRLANCTONF = ?2 ORDER BY T.NRSEQITPROD, T.CDIMPOSTO",
    "SELECT * FROM ITEMNFORIG WHERE CDFILIAL = ?1 AND NRLANCTONF = ?2",
    "SELECT * FROM NFRELACAF WHERE CDFILLANC = ?1 AND NRLANCTONF = ?2",
};

void BM_RawListSelect(benchmark::State& state) {
    DatabasePath();
    RawDatabase raw;
    Timed(state, "list", nullptr, [&] {
        if (raw.ReadAll(kRawListSql, {kListBranch}) != kListRows) throw std::runtime_error("list rows");
    });
}
BENCHMARK(BM_RawListSelect)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void ListInto(net::TNetConnection& c, DataSet& ds) {
    std::string branch = kListBranch, series = "T", none, kind, all = "T";
    DateTime noDate;
    ds.SetData(c.Call("GetRomaneioNF", net::CallArgs()
                                           .StrRef(branch)
                                           .StrRef(series)
                                           .StrRef(none)
                                           .StrRef(none)
                                           .StrRef(none)
                                           .DateRef(noDate)
                                           .DateRef(noDate)
                                           .DateRef(noDate)
                                           .DateRef(noDate)
                                           .StrRef(kind)
                                           .StrRef(all)
                                           .StrRef(none)));
    if (ds.RecordCount() != kListRows) throw std::runtime_error("list records");
}

void BM_ListTcp(benchmark::State& state) {
    auto c = Connect(Transport::Tcp);
    DataSet ds;
    Timed(state, "list tcp", "list", [&] { ListInto(*c, ds); });
}
BENCHMARK(BM_ListTcp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_ListInProcess(benchmark::State& state) {
    auto c = Connect(Transport::InProcess);
    DataSet ds;
    Timed(state, "list in-process", "list", [&] { ListInto(*c, ds); });
}
BENCHMARK(BM_ListInProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_RawPostingSelects(benchmark::State& state) {
    DatabasePath();
    RawDatabase raw;
    Timed(state, "open", nullptr, [&] {
        size_t rows = 0;
        for (const char* sql : kRawPostingSql)
            rows += raw.ReadAll(sql, {kOpenBranch, kOpenPosting});
        rows +=
            raw.ReadAll("SELECT * FROM FORNECEDOR F LEFT JOIN PARAMFORNEC P ON P.CDFORNECED = F.CDFORNECED"
                        " WHERE F.CDFORNECED = ?1",
                        {"J11222333000181"});
        rows += raw.ReadAll("SELECT * FROM PRODXFORNDF WHERE CDFORNECED = ?1", {"J11222333000181"});
        if (rows < kItems * 5) throw std::runtime_error("posting rows");
    });
}
BENCHMARK(BM_RawPostingSelects)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The datasets of the page change, filled in the answer's order.
struct PostingDatasets {
    DataSet sets[13];
    std::string supplierMode;
};

void OpenInto(net::TNetConnection& c, PostingDatasets& d) {
    std::string tpOper = "N", state = "BROWSE", listDevol;
    const Variant answer = c.Call("GetNFDadosGerais", net::CallArgs()
                                                          .Str(kOpenBranch)
                                                          .Str(kOpenPosting)
                                                          .Str("J")
                                                          .Str("11222333000181")
                                                          .Str("")
                                                          .StrRef(tpOper)
                                                          .Var(Variant("N"))
                                                          .Var(Variant("N"))
                                                          .Str("F")
                                                          .Var(Variant("N"))
                                                          .StrRef(state)
                                                          .StrRef(listDevol));
    const VariantArray& a = answer.AsArray();
    if (a[0].AsString() != "S") throw std::runtime_error(a[1].AsString());
    for (int i = 2; i <= 12; ++i)
        d.sets[i - 2].SetData(a[i]);
    d.supplierMode = a[13].AsString();
    d.sets[11].SetData(a[14]);
    if (d.sets[2].RecordCount() != kItems || d.sets[7].RecordCount() != kItems * 4)
        throw std::runtime_error("posting records");
}

void BM_OpenPostingTcp(benchmark::State& state) {
    auto c = Connect(Transport::Tcp);
    PostingDatasets d;
    Timed(state, "open tcp", "open", [&] { OpenInto(*c, d); });
}
BENCHMARK(BM_OpenPostingTcp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_OpenPostingInProcess(benchmark::State& state) {
    auto c = Connect(Transport::InProcess);
    PostingDatasets d;
    Timed(state, "open in-process", "open", [&] { OpenInto(*c, d); });
}
BENCHMARK(BM_OpenPostingInProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("list of 50000 postings over TCP / raw SELECT", "list tcp", "list", 2);
    PrintRatio("list of 50000 postings in-process / raw SELECT", "list in-process", "list", 2);
    PrintRatio("posting of 990 items over TCP / raw SELECTs", "open tcp", "open", 3);
    PrintRatio("posting of 990 items in-process / raw SELECTs", "open in-process", "open", 3);
    benchmark::Shutdown();
    return 0;
}
