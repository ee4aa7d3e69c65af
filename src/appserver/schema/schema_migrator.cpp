#include "appserver/schema/schema_migrator.h"

#include "platform/core/text.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace dfe::appserver {
namespace {

Migration ParseName(const EmbeddedFile& file) {
    const std::string_view name = file.name;
    const size_t slash = name.find('/');
    const size_t underscore = name.find('_', slash == std::string_view::npos ? 0 : slash);
    Migration m;
    if (slash == std::string_view::npos || underscore == std::string_view::npos || !text::EndsWith(name, ".sql")) {
        throw std::runtime_error("Arquivo de esquema com nome inválido: " + std::string(name));
    }
    m.kind = std::string(name.substr(0, slash));
    const std::string_view number = name.substr(slash + 1, underscore - slash - 1);
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), m.version);
    if (ec != std::errc() || end != number.data() + number.size() || m.version <= 0 ||
        (m.kind != "schema" && m.kind != "demo")) {
        throw std::runtime_error("Arquivo de esquema com nome inválido: " + std::string(name));
    }
    m.name = std::string(name);
    m.sql = file.content;
    return m;
}

int KindOrder(const std::string& kind) { return kind == "schema" ? 0 : 1; }

void EnsureVersionTable(db::Database& db) {
    db.ExecuteScript("CREATE TABLE IF NOT EXISTS SCHEMA_VERSION ("
                     " DSTIPO VARCHAR(10) NOT NULL,"
                     " NRVERSAO INTEGER NOT NULL,"
                     " NMARQUIVO VARCHAR(120) NOT NULL,"
                     " DTAPLICACAO TIMESTAMP NOT NULL,"
                     " PRIMARY KEY (DSTIPO, NRVERSAO))");
}

bool IsApplied(db::Database& db, const Migration& m) {
    return !db.Query("SELECT 1 FROM SCHEMA_VERSION WHERE DSTIPO = :P_TIPO AND NRVERSAO = :P_VERSAO",
                     {{"P_TIPO", m.kind}, {"P_VERSAO", m.version}})
                .rows.empty();
}

} // namespace

std::vector<Migration> OrderMigrations(std::span<const EmbeddedFile> files) {
    std::vector<Migration> out;
    for (const EmbeddedFile& f : files) out.push_back(ParseName(f));
    std::sort(out.begin(), out.end(), [](const Migration& a, const Migration& b) {
        return std::pair(KindOrder(a.kind), a.version) < std::pair(KindOrder(b.kind), b.version);
    });
    for (size_t i = 1; i < out.size(); ++i) {
        if (out[i].kind == out[i - 1].kind && out[i].version == out[i - 1].version) {
            throw std::runtime_error("Dois arquivos de esquema com a mesma versão: " + out[i - 1].name + " e " +
                                     out[i].name);
        }
    }
    return out;
}

std::vector<std::string> ApplyMigrations(db::Database& db, std::span<const EmbeddedFile> files, bool withDemo) {
    const std::vector<Migration> migrations = OrderMigrations(files);
    EnsureVersionTable(db);
    std::vector<std::string> applied;
    for (const Migration& m : migrations) {
        if (m.kind == "demo" && !withDemo) continue;
        db::Transaction tx(db, db::TransactionMode::Write);
        if (IsApplied(db, m)) continue;
        try {
            db.ExecuteScript(m.sql);
        } catch (const db::DatabaseError& e) {
            throw db::DatabaseError(m.name + ": " + e.what());
        }
        db.Execute("INSERT INTO SCHEMA_VERSION (DSTIPO, NRVERSAO, NMARQUIVO, DTAPLICACAO)"
                   " VALUES (:P_TIPO, :P_VERSAO, :P_ARQUIVO, :P_DATA)",
                   {{"P_TIPO", m.kind}, {"P_VERSAO", m.version}, {"P_ARQUIVO", m.name}, {"P_DATA", DateTime::Now()}});
        tx.Commit();
        applied.push_back(m.name);
    }
    return applied;
}

} // namespace dfe::appserver
