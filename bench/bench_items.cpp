// A new purchase of 990 items typed through the posting form's item dataset (Append, fill, Post: the
// product, stock-product, AF, fiscal-code, value and price checks and the new row's defaults run; the taxes'
// generation only tells the clerk, through the scripted dialogs), against the raw SQLite reads those checks
// make for the same items, measured in the same run. The goal (within 3x) is for storing the rows; typing
// them as well is printed beside it.
#include "appserver/schema/schema_files.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/creator.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_state.h"
#include "dfe11000/module/pending.h"
#include "platform/core/allocator_tuning.h"
#include "platform/db/sqlite_database.h"
#include "platform/db/tadoib_query.h"
#include "platform/net/frame.h"
#include "platform/net/in_process_transport.h"
#include "platform/net/rpc_codec.h"
#include "platform/ui/keys.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/zymora.h"

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
#include <unistd.h>
#include <vector>

namespace {

using namespace dfe;
using bench::Measured;
using bench::PrintRatio;
using dfe11000::TfrmLancNFEntrada;

constexpr int kItems = 990;
// The head office, whose price tolerance compares every item with the last purchase; Moinho Paulista, in the
// same state, supplies it.
constexpr const char* kBranch = "0001";
constexpr const char* kSupplier = "45678901000175";
constexpr const char* kCst = "000";
constexpr const char* kCfop = "1556";

// The branch refuses its stock products in purchases and wants an AF for every purchased product whose group
// is not exempt: each item then reads the stock-product and AF lookups. Its goods for own use and services
// (kept in stock as another product) pass both.
constexpr const char* kSwitches[] = {
    "UPDATE PARAMDFE SET IDBLOQPRESTO = 'S', IDBLOQCMPSAF = 'S', IDBLOQCMPSAFFIL = 'N' WHERE CDFILIAL = :B",
    "INSERT INTO PARAMCMPPROD (CDFILIAL, CDPRODUTO, IDBLOQNFSAF)"
    " SELECT :B, CDPRODUTO, 'N' FROM PRODUTO WHERE CDARVPROD IN ('9', '9.02')",
};

struct Product {
    std::string tree;  // CDARVPROD, what the clerk types
    std::string code;  // CDPRODUTO
    std::string stock; // CDPRODESTO
};

// The demo database with the switches above, in a temporary file removed at exit.
struct BenchDatabase {
    std::string path;
    std::vector<Product> products;

    BenchDatabase() {
        path =
            (std::filesystem::temp_directory_path() / ("dfe_bench_items_" + std::to_string(getpid()) + ".db"))
                .string();
        Remove();
        db::SqliteDatabase db(path);
        appserver::ApplyMigrations(db, appserver::EmbeddedSchemaFiles(), true);
        for (const char* sql : kSwitches)
            db.Execute(sql, {{"B", kBranch}});
        const Packet rows = db.Query("SELECT P.CDARVPROD, P.CDPRODUTO, P.CDPRODESTO FROM PRODUTO P"
                                     " JOIN PRODUTOFILIAL F ON F.CDPRODUTO = P.CDPRODUTO"
                                     " WHERE F.CDFILIAL = :B AND F.IDATIVO = 'S' AND P.IDPRODATIVPR = 'S'"
                                     " AND P.CDPRODESTO <> P.CDPRODUTO ORDER BY P.CDARVPROD",
                                     {{"B", kBranch}});
        for (const PacketRow& row : rows.rows)
            products.push_back(
                {row.values[0].AsString(), row.values[1].AsString(), row.values[2].AsString()});
        if (products.empty()) throw std::runtime_error("no product the branch may buy");
    }
    ~BenchDatabase() { Remove(); }
    void Remove() const {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path + suffix);
    }
};

const BenchDatabase& Database() {
    static BenchDatabase db;
    return db;
}

// What the clerk types on item `i`: quantity, unit price and total (in cents, so the total is exact).
struct ItemValues {
    const Product& product;
    int quantity;
    int priceCents;
    int totalCents() const { return quantity * priceCents; }
};

ItemValues ValuesOf(int i) {
    const auto& products = Database().products;
    return {products[static_cast<size_t>(i) % products.size()], 1 + i % 24, 235 + i % 17 * 50};
}

std::string Money(int cents) {
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%d,%02d", cents / 100, cents % 100);
    return buf;
}

// The posting screen over the embedded server, as the tests drive it: the branch typed and its filter
// confirmed, then new purchases whose items are posted. Server calls are counted by method while `counting`.
class PostingScreen {
public:
    PostingScreen() {
        server_ = std::make_unique<appserver::EmbeddedServer>(
            std::make_unique<db::SqliteDatabase>(Database().path));
        db::SqliteOptions readOnly;
        readOnly.create = false;
        readOnly.readOnly = true;
        lookups_ = std::make_unique<db::SqliteDatabase>(Database().path, readOnly);
        db::TADOIBQuery::SetDefaultDatabase(lookups_.get());
        auto real = server_->Handler();
        handler_ = std::make_shared<const net::FrameHandler>([this, real](std::string_view frame) {
            if (counting) ++calls[net::DecodeRequest(net::UnwrapFrame(frame)).method];
            return (*real)(frame);
        });
        net::RegisterInProcessServer(handler_);

        dfe11000::InitializeModuleState();
        support::zymora::LocalContext() = HostContext();
        support::zymora::LocalContext().serverHost = std::string(net::kInProcessHost);
        support::zymora::LocalContext().branch = kBranch;
        app_.SetDialogs(&dialogs_);
        app_.SetScreenSize(1280, 1024);
        Form& main = app_.CreateForm<Form>();
        main.SetName("frmPrincipal");
        main.SetBounds(0, 0, 1280, 984);
        app_.SetMainForm(&main);
        main.Show();
        app_.Dispatch([] { dfe11000::ShowPostingForm(); });
        form_ = dfe11000::Cli_dfe11000().frmLancNFEntrada;
        if (!form_) throw std::runtime_error("the posting form did not open: " + dialogs_.Describe());

        Typing(form_->ui.medCdFilial, kBranch);
        dialogs_.ExpectModal("frmFiltroNFEntrada").Do([this](Form& filter) {
            app_.Click(*static_cast<dfe11000::TfrmFiltroNFEntrada&>(filter).sbtConfirma);
        });
        Expect(Tab(), "the branch's filter");
    }

    ~PostingScreen() {
        app_.DestroyAllForms();
        db::TADOIBQuery::SetDefaultDatabase(nullptr);
        net::RegisterInProcessServer(nullptr);
        support::zymora::LocalContext() = HostContext();
        dfe11000::InitializeModuleState();
    }
    PostingScreen(const PostingScreen&) = delete;
    PostingScreen& operator=(const PostingScreen&) = delete;

    // A new purchase from the supplier, the one being included given up.
    void NewPurchase() {
        DataSet& header = form_->data.cdsNotaFiscal;
        if (header.State() == DataSetState::Insert) {
            dialogs_.ExpectQuestion("Cancel").Answer(mr::Yes);
            Expect(Click(form_->sbtCancelar), "cancel");
        }
        Expect(Click(form_->sbtIncluir), "include");
        if (header.State() != DataSetState::Insert) throw std::runtime_error("no posting was included");
        Typing(form_->ui.dbeCdEmpresa, "01");
        Typing(form_->ui.dbeCdTipoOper, "01");
        Expect(Tab(), "the operation type");
        if (form_->ActiveControl() != form_->Header().ParticipantField())
            throw std::runtime_error("the supplier's number did not take the focus");
        app_.TypeText(kSupplier);
        Expect(Tab(), "the supplier");
        if (header.FieldByName("CDFORNECED").AsString() != std::string("J") + kSupplier)
            throw std::runtime_error("the supplier was not taken");
        dialogs_.ClearRecords();
    }

    // Each item as the clerk's event: appended, filled and posted. Returns the seconds spent storing the
    // rows (their checks, lookups and defaults), apart from typing them.
    double PostItems() {
        DataSet& items = form_->data.cdsItemProduto;
        std::chrono::steady_clock::duration storing{};
        for (int i = 0; i < kItems; ++i) {
            const ItemValues v = ValuesOf(i);
            app_.Dispatch([&] {
                items.Append();
                items.FieldByName("CDARVPROD").SetAsString(v.product.tree);
                items.FieldByName("CDFILIMOVI").SetAsString(kBranch); // as the stock placement writes it
                items.FieldByName("QTITEMPROD").SetText(std::to_string(v.quantity));
                items.FieldByName("VRUNITITEM").SetText(Money(v.priceCents));
                items.FieldByName("VRTOTAITEM").SetText(Money(v.totalCents()));
                items.FieldByName("CDSITUTRIBPR").SetAsString(kCst);
                items.FieldByName("CDFISOPEITEM").SetAsString(kCfop);
                const auto start = std::chrono::steady_clock::now();
                items.Post();
                storing += std::chrono::steady_clock::now() - start;
            });
        }
        return std::chrono::duration<double>(storing).count();
    }

    // Every item stored with the product's data and the typed total; the clerk told only that the taxes
    // are not generated yet, once per item.
    void CheckPosted() const {
        DataSet& items = form_->data.cdsItemProduto;
        if (items.RecordCount() != kItems)
            throw std::runtime_error("items stored: " + std::to_string(items.RecordCount()) + "\n" +
                                     dialogs_.Describe());
        int64_t cents = 0;
        for (int i = 0; i < kItems; ++i)
            cents += ValuesOf(i).totalCents();
        const double total = form_->Items().TotalItens();
        if (static_cast<int64_t>(total * 100 + 0.5) != cents)
            throw std::runtime_error("the items' total is " + std::to_string(total));
        items.Last();
        if (items.FieldByName("CDPRODUTO").AsString() != ValuesOf(kItems - 1).product.code ||
            items.FieldByName("NRSEQITPROD").AsString() != "0990")
            throw std::runtime_error("the last item is not the one typed");
        const auto shown = dialogs_.Messages();
        for (const DialogRecord& record : shown)
            if (record.code != dfe11000::kNotAvailableCode)
                throw std::runtime_error("unexpected message:\n" + dialogs_.Describe());
        if (shown.size() != static_cast<size_t>(kItems))
            throw std::runtime_error("tax placeholder shown " + std::to_string(shown.size()) + " times");
    }

    TfrmLancNFEntrada& Posting() const { return *form_; }

    bool counting = false;
    std::map<std::string, int> calls;

private:
    void Typing(Control* control, const std::string& text) {
        app_.Dispatch([&] { control->SetFocus(); });
        if (form_->ActiveControl() != control)
            throw std::runtime_error(control->Name() + " did not take the focus");
        if (auto* edit = dynamic_cast<Edit*>(control)) edit->SelectAll();
        app_.TypeText(text);
    }
    std::string Tab() {
        dialogs_.ClearRecords();
        app_.PressKey(key::Tab);
        return LastError();
    }
    std::string Click(Control& button) {
        dialogs_.ClearRecords();
        app_.Click(button);
        return LastError();
    }
    std::string LastError() const {
        const auto errors = dialogs_.Errors();
        return errors.empty() ? std::string() : errors.back().code;
    }
    void Expect(const std::string& error, const char* step) const {
        if (!error.empty() || dialogs_.PendingAnswers() != 0)
            throw std::runtime_error(std::string(step) + " failed: " + error + "\n" + dialogs_.Describe());
    }

    std::unique_ptr<appserver::EmbeddedServer> server_;
    std::unique_ptr<db::Database> lookups_;
    std::shared_ptr<const net::FrameHandler> handler_;
    Application app_;
    ScriptedDialogs dialogs_;
    TfrmLancNFEntrada* form_ = nullptr;
};

// ---- raw SQLite: the rows the item checks read, every column read
class RawDatabase {
public:
    RawDatabase() {
        // Without the connection mutex, as the server opens it: the baseline pays no locking per column.
        if (sqlite3_open_v2(Database().path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error("sqlite3_open_v2");
    }
    ~RawDatabase() {
        for (auto& [sql, stmt] : statements_)
            sqlite3_finalize(stmt);
        sqlite3_close(db_);
    }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    // Steps through the rows of `sql` with its named text parameters (those the text has), reading every
    // column by its kind. Each text is prepared once, as the best hand-written reader would.
    size_t ReadAll(const std::string& sql, const std::map<std::string, std::string>& params) {
        sqlite3_stmt*& stmt = statements_[sql];
        if (!stmt &&
            sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        for (const auto& [name, value] : params) {
            if (const int index = sqlite3_bind_parameter_index(stmt, name.c_str()))
                sqlite3_bind_text(stmt, index, value.c_str(), static_cast<int>(value.size()), SQLITE_STATIC);
        }
        const size_t rows = bench::StepAll(stmt);
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> statements_;
};

// The server's reads behind the two calls the item checks make.
constexpr const char* kFiscalControlSql =
    "SELECT 1 FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL AND IDUTCTRLFISC = 'S'";
constexpr const char* kLastPurchaseSql =
    "SELECT N.CDFILIAL, N.NRLANCTONF, I.VRTOTAITEM, I.VRDESCITEM, I.QTITEMPROD, I.VRFATOCONV"
    " FROM ITEMPRODUTO I JOIN NOTAFISCAL N ON N.CDFILIAL = I.CDFILIAL AND N.NRLANCTONF = I.NRLANCTONF"
    " JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER"
    " WHERE I.CDPRODESTO = :P_CDPRODESTO AND COALESCE(I.CDFILIMOVI, N.CDFILIAL) = :P_CDFILIAL"
    " AND N.IDENTRSAIDOP = 'E' AND COALESCE(N.IDSTATUS, 'P') <> 'C'"
    " AND T.IDATUESTTPOP = 'S' AND T.IDGERAVENC = 'S' AND COALESCE(T.IDOPERDEVONF, 'N') <> 'S'"
    " AND COALESCE(I.IDDELETE, 'N') <> 'S' AND COALESCE(I.IDPRODBONIF, 'N') <> 'S' AND I.QTITEMPROD > 0"
    " ORDER BY N.DTENTRSAID DESC, N.DTLANCAMENNF DESC, N.NRLANCTONF DESC";

// What the item checks read per item, as the screen's first posting showed: the lookups' texts as the
// form holds them, and how many times each server call is made.
struct ItemReads {
    std::string product, stockProduct, afRule;
    int fiscalControlCalls = 0;
};

ItemReads& Reads() {
    static ItemReads reads;
    return reads;
}

void Record(benchmark::State& state, const char* name, double seconds, const char* baseline) {
    const double perIteration = seconds / static_cast<double>(state.iterations());
    Measured()[name] = perIteration;
    if (baseline) {
        const auto base = Measured().find(baseline);
        if (base != Measured().end() && base->second > 0)
            state.counters["ratio"] = perIteration / base->second;
    }
}

// The posting is measured first: its first run shows what the checks read, which the baseline repeats.
void BM_PostItems(benchmark::State& state) {
    PostingScreen screen;
    screen.NewPurchase();
    screen.counting = true;
    screen.PostItems();
    screen.counting = false;
    screen.CheckPosted();

    // Every call per item must be one the baseline reads.
    if (screen.calls["GetCustoCmpProd"] != kItems)
        throw std::runtime_error("GetCustoCmpProd called " + std::to_string(screen.calls["GetCustoCmpProd"]) +
                                 " times");
    for (const auto& [method, count] : screen.calls) {
        if (method != "GetCustoCmpProd" && method != "Utiliza_ControleFiscal")
            throw std::runtime_error("a call the baseline does not read: " + method + " (" +
                                     std::to_string(count) + ")");
    }
    const dfe11000::ModuleLookups& lookups = screen.Posting().lookups;
    Reads() = {lookups.qryValidProd.SQL(), lookups.qryVerifProdEst.SQL(), lookups.qryParamCMPProd.SQL(),
               screen.calls["Utiliza_ControleFiscal"]};

    double seconds = 0, storing = 0;
    for (auto _ : state) {
        screen.NewPurchase();
        const auto start = std::chrono::steady_clock::now();
        storing += screen.PostItems();
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    screen.CheckPosted();
    Record(state, "items", seconds, nullptr);
    Measured()["stored"] = storing / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PostItems)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

void ReadItems(RawDatabase& raw) {
    const ItemReads& reads = Reads();
    size_t rows = 0;
    int fiscalControlReads = 0;
    for (int i = 0; i < kItems; ++i) {
        const Product& p = ValuesOf(i).product;
        rows += raw.ReadAll(reads.product, {{":P_CDPRODUTO", p.tree}, {":P_CDFILIAL", kBranch}});
        rows += raw.ReadAll(reads.stockProduct, {{":P_CDPRODUTO", p.code}});
        rows += raw.ReadAll(reads.afRule, {{":P_CDFILIAL", kBranch}, {":P_CDARVPROD", p.tree}});
        for (; fiscalControlReads * kItems < reads.fiscalControlCalls * (i + 1); ++fiscalControlReads)
            rows += raw.ReadAll(kFiscalControlSql, {{":P_CDFILIAL", kBranch}});
        rows += raw.ReadAll(kLastPurchaseSql, {{":P_CDFILIAL", kBranch}, {":P_CDPRODESTO", p.stock}});
    }
    // Each product found once and its AF rule at least once; no stock product among them.
    if (rows < static_cast<size_t>(2 * kItems)) throw std::runtime_error("baseline rows");
}

void BM_RawItemReads(benchmark::State& state) {
    if (Reads().product.empty()) throw std::runtime_error("run the item posting first");
    RawDatabase raw;
    ReadItems(raw);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ReadItems(raw);
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    Record(state, "reads", seconds, nullptr);
}
BENCHMARK(BM_RawItemReads)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("990 items stored through the item rules / raw SELECTs", "stored", "reads", 3);
    PrintRatio("990 items typed and stored / raw SELECTs", "items", "reads", 0);
    benchmark::Shutdown();
    return 0;
}
