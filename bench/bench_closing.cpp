// The closing of a 990-item purchase (three taxes per item, three installments) sent over TCP to the real
// server, which checks it, numbers it, stores it and posts its stock, payables and fiscal book, against the
// raw prepared INSERTs of the same posting's rows (header, items, item taxes, tax totals, installments) in
// one transaction on the same database (goal: within 3x).
#include "../tests/appserver/closing_draft.h"
#include "appserver/modules/all_methods.h"
#include "appserver/rpc/dispatcher.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/tcp_server.h"
#include "platform/core/allocator_tuning.h"
#include "platform/db/sqlite_database.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "ratios.h"

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
using appserver::testing::DraftItem;
using appserver::testing::PostingDraft;
using bench::Measured;
using bench::PrintRatio;
using bench::Timed;

constexpr size_t kItems = 990;

const std::string& DatabasePath() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("dfe_bench_closing_" + std::to_string(getpid()) + ".db"))
                                  .string();
        std::filesystem::remove(p);
        db::SqliteDatabase db(p);
        appserver::ApplyMigrations(db, appserver::EmbeddedSchemaFiles(), true);
        return p;
    }();
    return path;
}

// 990 items over the head office's stock products, each with ICMS, PIS and COFINS.
PostingDraft Purchase(int n) {
    static const std::vector<std::string> products = [] {
        db::SqliteDatabase db(DatabasePath());
        const Packet p =
            db.Query("SELECT F.CDPRODUTO FROM PRODUTOFILIAL F JOIN PRODUTO P ON P.CDPRODUTO = F.CDPRODUTO"
                     " WHERE F.CDFILIAL = '0001' AND F.IDATIVO = 'S' AND F.IDCTRLESTOQUE = 'S'"
                     " AND COALESCE(P.CDPRODESTO, P.CDPRODUTO) = P.CDPRODUTO"
                     " AND COALESCE(P.IDPRODATIVPR, 'S') = 'S' ORDER BY F.CDPRODUTO");
        std::vector<std::string> out;
        for (const PacketRow& r : p.rows)
            out.push_back(r.values[0].AsString());
        if (out.empty()) throw std::runtime_error("no products");
        return out;
    }();
    PostingDraft d;
    d.document = "8" + appserver::testing::Seq(static_cast<size_t>(n), 8);
    for (size_t i = 0; i < kItems; ++i) {
        d.items.push_back(DraftItem{products[i % products.size()],
                                    1.0 + static_cast<double>(i % 7),
                                    2.5 + static_cast<double>(i % 13),
                                    "2102",
                                    {{"01", 12}, {"03", 1.65}, {"04", 7.6}}});
    }
    d.installments = 3;
    return d;
}

// The same rows by hand: one prepared INSERT per table, bound and stepped per row.
class RawInserts {
public:
    RawInserts() {
        if (sqlite3_open(DatabasePath().c_str(), &db_) != SQLITE_OK) throw std::runtime_error("open");
        Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON; PRAGMA "
             "busy_timeout=10000");
    }
    ~RawInserts() { sqlite3_close(db_); }

    void Post(const PostingDraft& d, const std::string& number) {
        Exec("BEGIN IMMEDIATE");
        Statement header(
            db_, "INSERT INTO NOTAFISCAL (CDFILIAL, NRLANCTONF, CDEMPRESA, CDFILIRECE, IDENTRSAIDOP,"
                 " CDTIPOOPER, IDORIGDESTNF, CDFORNECED, IDTPIJURNF, NRINSJURNF, CDMODDOCFISC, CDSERIEENTR,"
                 " NRNOTAFISC, DTEMISSAO, DTENTRSAID, VRPRODUTOS, VRNOTAFISC, SGESTADO)"
                 " VALUES (?1, ?2, '01', ?1, 'E', ?3, 'F', ?4, 'J', ?5, '55', ?6, ?7, '2026-12-09',"
                 " '2026-12-10', ?8, ?9, 'SP')");
        header.Text(1, d.branch)
            .Text(2, number)
            .Text(3, d.type)
            .Text(4, d.supplier)
            .Text(5, d.supplier.substr(1));
        header.Text(6, d.series)
            .Text(7, d.document)
            .Real(8, d.ItemsTotal())
            .Real(9, d.DocumentValue())
            .Step();
        Statement item(
            db_, "INSERT INTO ITEMPRODUTO (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDPRODUTO, QTITEMPROD,"
                 " VRUNITITEM, VRTOTAITEM, VRDESCITEM, CDFISOPEITEM, CDFILIMOVI, CDALMOXARIFE, CDLOCALESTOQ,"
                 " IDDELETE, VRFATOCONV) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, 0, ?8, ?1, 'ALM002', 'LOC001',"
                 " 'N', 1)");
        Statement tax(db_,
                      "INSERT INTO ITEMPROIMPOS (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDIMPOSTO, CDPRODUTO,"
                      " VRCONTITIMP, VRBASECALCIT, VRALIQITEM, VRIMPOSTOIT, CDFISCALIT)"
                      " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?6, ?7, ?8, '1')");
        for (size_t i = 0; i < d.items.size(); ++i) {
            const DraftItem& it = d.items[i];
            const std::string seq = appserver::testing::Seq(i, 4);
            const double total = PostingDraft::ItemTotal(it);
            item.Text(1, d.branch).Text(2, number).Text(3, seq).Text(4, it.product).Real(5, it.quantity);
            item.Real(6, it.price).Real(7, total).Text(8, it.cfop).Step();
            for (const auto& [code, rate] : it.taxes) {
                tax.Text(1, d.branch)
                    .Text(2, number)
                    .Text(3, seq)
                    .Text(4, code)
                    .Text(5, it.product)
                    .Real(6, total);
                tax.Real(7, rate).Real(8, total * rate / 100).Step();
            }
        }
        Statement totals(db_,
                         "INSERT INTO IMPOSNFTOT (CDFILIAL, NRLANCTONF, CDIMPOSTO, VRTOTIMPONF, VRTOTBCALCNF,"
                         " IDPRODNOTA) VALUES (?1, ?2, ?3, ?4, ?5, 'P')");
        for (const char* code : {"01", "03", "04"})
            totals.Text(1, d.branch).Text(2, number).Text(3, code).Real(4, 1).Real(5, d.ItemsTotal()).Step();
        Statement installment(db_, "INSERT INTO CONTAPAGAR (CDFILIAL, NRLANCTONF, NRSEQVENPAG, NRPARCELAPAG,"
                                   " DTORIGVENPAG, VRORIGPAG) VALUES (?1, ?2, ?3, ?3, '2027-01-10', ?4)");
        for (int i = 0; i < d.installments; ++i) {
            const std::string seq = appserver::testing::Seq(static_cast<size_t>(i), 2);
            installment.Text(1, d.branch).Text(2, number).Text(3, seq).Real(4, d.DocumentValue() / 3).Step();
        }
        Exec("COMMIT");
    }

private:
    class Statement {
    public:
        Statement(sqlite3* db, const char* sql) {
            if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
                throw std::runtime_error(sqlite3_errmsg(db));
        }
        ~Statement() { sqlite3_finalize(stmt_); }
        Statement& Text(int i, const std::string& v) {
            sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
            return *this;
        }
        Statement& Real(int i, double v) {
            sqlite3_bind_double(stmt_, i, v);
            return *this;
        }
        void Step() {
            if (sqlite3_step(stmt_) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
            sqlite3_reset(stmt_);
        }

    private:
        sqlite3_stmt* stmt_ = nullptr;
    };
    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
    }
    sqlite3* db_ = nullptr;
};

void BM_RawInserts(benchmark::State& state) {
    RawInserts raw;
    static int n = 0; // benchmark runs each function more than once: numbers never repeat
    Timed(state, "raw", nullptr, [&] {
        ++n;
        raw.Post(Purchase(100000 + n), "R" + appserver::testing::Seq(static_cast<size_t>(n), 9));
    });
}
BENCHMARK(BM_RawInserts)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_ClosingTcp(benchmark::State& state) {
    const std::string path = DatabasePath();
    appserver::MethodRegistry registry;
    appserver::RegisterAllMethods(registry);
    const appserver::Dispatcher dispatcher(registry);
    appserver::ServeOptions options;
    options.port = 0;
    appserver::TcpServer server(
        dispatcher, [path] { return std::make_unique<db::SqliteDatabase>(path); }, options);
    server.Listen();
    std::thread serving([&] { server.Run(); });
    net::TNetConnection c(net::kLancNFEntrada);
    c.SetHost("127.0.0.1");
    c.SetPort(server.Port());
    c.Connect();
    static int n = 0; // benchmark runs each function more than once: numbers never repeat
    Timed(state, "closing tcp", "raw", [&] {
        auto args = appserver::testing::ClosingOf(Purchase(++n));
        const Packet rows =
            FromDataPacket(net::CheckResultServ(c.Call(args.kMethod, net::ToCallArgs(args))).AsPacket());
        if (rows.rows.empty() || rows.rows[0].values[0].AsString() != "NRLANCTONF")
            throw std::runtime_error("closing refused: " + rows.rows.at(0).values.at(1).AsString());
    });
    c.Disconnect();
    server.Stop();
    serving.join();
}
BENCHMARK(BM_ClosingTcp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("closing of 990 items over TCP / raw INSERTs of its rows", "closing tcp", "raw", 3);
    benchmark::Shutdown();
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(DatabasePath() + suffix);
    return 0;
}
