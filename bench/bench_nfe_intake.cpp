// Taking in NF-e documents. A 990-item authorized NF-e taken in whole (parse, schema, key, signature,
// reading, storing in SQLite) against libxml2 alone parsing and validating the same bytes against the same
// schema, measured in the same run (goal: within 2.5x); and a folder of 1,000 ordinary documents, printed as
// documents per second. The documents are the signed test document and a demo document with their items
// repeated and their numbers changed (keys recomputed), so every check runs as on a real file.
#include "appserver/intake/nfe_inbox.h"
#include "appserver/intake/nfe_intake.h"
#include "appserver/intake/nfe_verdicts.h"
#include "appserver/schema/schema_files.h"
#include "appserver/schema/schema_migrator.h"
#include "platform/core/allocator_tuning.h"
#include "platform/core/nfe_access_key.h"
#include "platform/db/sqlite_database.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include "ratios.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

using namespace dfe;
using bench::Measured;
using bench::PrintRatio;
namespace fs = std::filesystem;

constexpr int kItems = 990;
constexpr int kDocuments = 1000;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("arquivo não encontrado: " + file.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
    const size_t a = text.find(open), b = text.find(close, a);
    return text.substr(a + open.size(), b - a - open.size());
}

// The signed test document with its one item repeated to 990 (the signature then no longer verifies, but all
// of its work is done); without its Signature element when not `signed`.
std::string LargeDocument(bool withSignature) {
    const std::string base =
        ReadFile(fs::path(DFE_SOURCE_DIR) / "tests/appserver/data/nfe/35_serra_azul_000012490_assinada.xml");
    const size_t first = base.find("<det nItem=\"1\">"), end = base.find("</det>", first) + 6;
    const std::string item = base.substr(first, end - first);
    std::string items;
    for (int i = 1; i <= kItems; ++i) {
        std::string copy = item;
        ReplaceAll(copy, "<det nItem=\"1\">", "<det nItem=\"" + std::to_string(i) + "\">");
        items += copy;
    }
    std::string doc = base.substr(0, first) + items + base.substr(end);
    if (!withSignature) {
        const size_t from = doc.find("<Signature"), to = doc.find("</Signature>") + 12;
        doc.erase(from, to - from);
    }
    return doc;
}

// A demo document as its supplier would have numbered it `number`.
std::string NumberedDocument(const std::string& base, int number) {
    const std::string key = Between(base, "<chNFe>", "</chNFe>");
    const std::string numberText = std::to_string(number);
    std::string first43 =
        key.substr(0, 25) + std::string(9 - numberText.size(), '0') + numberText + key.substr(34, 9);
    const int digit = *nfe::AccessKeyCheckDigit(first43);
    const std::string newKey = first43 + std::to_string(digit);
    std::string doc = base;
    ReplaceAll(doc, key, newKey);
    ReplaceAll(doc, "<nNF>" + Between(base, "<nNF>", "</nNF>") + "</nNF>", "<nNF>" + numberText + "</nNF>");
    ReplaceAll(doc, "<cDV>" + key.substr(43) + "</cDV>", "<cDV>" + std::to_string(digit) + "</cDV>");
    return doc;
}

// A schema-only SQLite file (with the demo company, so the recipient and supplier are matched) for the run.
struct BenchDatabase {
    BenchDatabase()
        : path((fs::temp_directory_path() / ("dfe_bench_nfe_" + std::to_string(getpid()) + ".db")).string()) {
        Remove();
        db = std::make_unique<db::SqliteDatabase>(path);
        appserver::ApplyMigrations(*db, appserver::EmbeddedSchemaFiles(), true);
    }
    ~BenchDatabase() {
        db.reset();
        Remove();
    }
    void Clear() {
        db->ExecuteScript("DELETE FROM NFERECEBIMPOSTO; DELETE FROM NFERECEBLOTE; DELETE FROM NFERECEBITEM;"
                          " DELETE FROM NFERECEBVENC; DELETE FROM NFERECEBPAGTO; DELETE FROM NFERECEBVOLU;"
                          " DELETE FROM NFERECEBENCARGO; DELETE FROM NFERECEBXML; DELETE FROM NFERECEBIDA;");
    }
    void Remove() {
        for (const char* suffix : {"", "-wal", "-shm"})
            fs::remove(path + suffix);
    }
    std::string path;
    std::unique_ptr<db::SqliteDatabase> db;
};

BenchDatabase& Database() {
    static BenchDatabase database;
    return database;
}

const std::string& Large(bool withSignature) {
    static const std::string plain = LargeDocument(false), signedDoc = LargeDocument(true);
    return withSignature ? signedDoc : plain;
}

void BM_LibxmlParseAndValidate(benchmark::State& state) {
    const std::string& doc = Large(false);
    const std::string schemaFile = appserver::intake::NfeSchemaFolder() + "/procNFe_v4.00.xsd";
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(schemaFile.c_str());
    xmlSchemaPtr schema = xmlSchemaParse(parser);
    xmlSchemaFreeParserCtxt(parser);
    if (!schema) throw std::runtime_error("esquema ilegível");
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        xmlDocPtr parsed =
            xmlReadMemory(doc.data(), static_cast<int>(doc.size()), nullptr, nullptr, XML_PARSE_NONET);
        xmlSchemaValidCtxtPtr valid = xmlSchemaNewValidCtxt(schema);
        const int rc = xmlSchemaValidateDoc(valid, parsed);
        xmlSchemaFreeValidCtxt(valid);
        xmlFreeDoc(parsed);
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (rc == -1) state.SkipWithError("o validador falhou");
        seconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    xmlSchemaFree(schema);
    Measured()["libxml2"] = seconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LibxmlParseAndValidate)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

void TakeInLarge(benchmark::State& state, bool withSignature, const char* name) {
    const std::string& doc = Large(withSignature);
    BenchDatabase& database = Database();
    double seconds = 0;
    for (auto _ : state) {
        database.Clear();
        const auto start = std::chrono::steady_clock::now();
        const auto result = appserver::intake::IntakeNfe(*database.db, doc, "grande.xml");
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (result.outcome != appserver::intake::IntakeOutcome::Stored)
            state.SkipWithError(result.reason.c_str());
        seconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    Measured()[name] = seconds / static_cast<double>(state.iterations());
    if (Measured().count("libxml2")) state.counters["ratio"] = Measured()[name] / Measured()["libxml2"];
}

void BM_Intake990Items(benchmark::State& state) {
    TakeInLarge(state, false, "intake");
}
BENCHMARK(BM_Intake990Items)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

void BM_Intake990ItemsSigned(benchmark::State& state) {
    TakeInLarge(state, true, "signed");
}
BENCHMARK(BM_Intake990ItemsSigned)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

void BM_IntakeFolderOf1000(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / ("dfe_bench_nfe_pasta_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string base =
        ReadFile(fs::path(DFE_SOURCE_DIR) / "src/appserver/schema/nfe/35_serra_azul_000012480.xml");
    for (int n = 1; n <= kDocuments; ++n)
        std::ofstream(folder / ("nfe_" + std::to_string(n) + ".xml"), std::ios::binary)
            << NumberedDocument(base, 20000 + n);
    BenchDatabase& database = Database();
    double seconds = 0;
    for (auto _ : state) {
        database.Clear();
        const auto start = std::chrono::steady_clock::now();
        int stored = 0;
        for (const fs::path& file : appserver::intake::IntakeFilesOf({folder.string()}))
            stored += appserver::intake::IntakeFile(*database.db, file).outcome ==
                      appserver::intake::IntakeOutcome::Stored;
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (stored != kDocuments) state.SkipWithError("nem todos os documentos foram aceitos");
        seconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    fs::remove_all(folder);
    Measured()["folder"] = seconds / static_cast<double>(state.iterations());
    state.counters["docs/s"] = kDocuments / Measured()["folder"];
}
BENCHMARK(BM_IntakeFolderOf1000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    dfe::TuneAllocatorForDatasets();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintRatio("990-item NF-e taken in / libxml2 parsing and validating it", "intake", "libxml2", 2.5);
    PrintRatio("the same NF-e signed, its signature verified too / libxml2", "signed", "libxml2", 0);
    if (Measured().count("folder"))
        std::printf("folder of %d ordinary NF-e: %.2f s, %.0f documents/s\n", kDocuments,
                    Measured()["folder"], kDocuments / Measured()["folder"]);
    benchmark::Shutdown();
    return 0;
}
