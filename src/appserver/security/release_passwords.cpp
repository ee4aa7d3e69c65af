#include "appserver/security/release_passwords.h"

#include "appserver/security/password_hash.h"
#include "appserver/security/release_throttle.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace dfe::appserver {
namespace {

constexpr double kSecondsPerDay = 86400.0;

struct Failures {
    int64_t count = 0;
    std::optional<DateTime> lockedUntil;
};

Failures ReadFailures(db::Database& db, const std::string& operatorCode) {
    const Packet p =
        db.Query("SELECT QTFALHAS, DTBLOQATE FROM FALHASENHALIB WHERE CDOPERADOR = :P_CDOPERADOR",
                 {{"P_CDOPERADOR", operatorCode}});
    Failures f;
    if (p.rows.empty()) return f;
    f.count = p.rows[0].values[0].AsInteger();
    if (!p.rows[0].values[1].IsNull()) f.lockedUntil = p.rows[0].values[1].AsDateTime();
    return f;
}

// One more wrong try, counted in the database so that concurrent tries all count; returns the new count.
int64_t CountFailure(db::Database& db, const std::string& operatorCode) {
    const db::SqlParams who = {{"P_CDOPERADOR", operatorCode}};
    if (db.Execute("UPDATE FALHASENHALIB SET QTFALHAS = QTFALHAS + 1 WHERE CDOPERADOR = :P_CDOPERADOR",
                   who) == 0)
        db.Execute("INSERT INTO FALHASENHALIB (CDOPERADOR, QTFALHAS) VALUES (:P_CDOPERADOR, 1)", who);
    return ReadFailures(db, operatorCode).count;
}

std::optional<std::string> StoredHash(db::Database& db, const std::string& operatorCode) {
    const Packet p = db.Query("SELECT DSHASHSENHA FROM SENHALIBERACAO WHERE CDOPERADOR = :P_CDOPERADOR",
                              {{"P_CDOPERADOR", operatorCode}});
    if (p.rows.empty() || p.rows[0].values[0].IsNull()) return std::nullopt;
    return p.rows[0].values[0].AsString();
}

bool MayRelease(db::Database& db, const std::string& operatorCode, const std::string& branch) {
    return !db.Query(
                  "SELECT 1 FROM OPERLIBERAFIL WHERE CDOPERADOR = :P_CDOPERADOR AND CDFILIAL = :P_CDFILIAL",
                  {{"P_CDOPERADOR", operatorCode}, {"P_CDFILIAL", branch}})
                .rows.empty();
}

std::string WaitMessage(int64_t seconds) {
    return "Senha de liberação bloqueada por tentativas inválidas. Aguarde " + WaitText(seconds) +
           " para tentar novamente.";
}

bool Exists(db::Database& db, const char* sql, const std::string& code) {
    return !db.Query(sql, {{"P_CODIGO", code}}).rows.empty();
}

} // namespace

ReleaseAnswer ConfirmRelease(db::Database& db, const std::string& operatorCode, std::string_view password,
                             const std::string& branch, DateTime now) {
    const Failures before = ReadFailures(db, operatorCode);
    if (before.count >= kFreeReleaseTries && before.lockedUntil && now < *before.lockedUntil) {
        const double left = (before.lockedUntil->Days() - now.Days()) * kSecondsPerDay;
        return {false, WaitMessage(static_cast<int64_t>(std::ceil(left - 1e-6)))};
    }
    const std::optional<std::string> hash = StoredHash(db, operatorCode);
    bool right = false;
    if (hash)
        right = VerifyPassword(*hash, password);
    else
        SpendVerification(password);
    if (!right) {
        const int64_t failures = CountFailure(db, operatorCode);
        const int64_t wait = ReleaseLockoutSeconds(failures);
        if (wait == 0) return {false, "Senha de liberação inválida."};
        db.Execute("UPDATE FALHASENHALIB SET DTBLOQATE = :P_ATE WHERE CDOPERADOR = :P_CDOPERADOR",
                   {{"P_ATE", Variant(now.AddDays(static_cast<double>(wait) / kSecondsPerDay))},
                    {"P_CDOPERADOR", operatorCode}});
        return {false, "Senha de liberação inválida. " + WaitMessage(wait)};
    }
    db.Execute("DELETE FROM FALHASENHALIB WHERE CDOPERADOR = :P_CDOPERADOR",
               {{"P_CDOPERADOR", operatorCode}});
    if (!MayRelease(db, operatorCode, branch))
        return {false, "Operador não autorizado a liberar lançamentos na filial " + branch + "."};
    return {true, ""};
}

void SetReleasePassword(db::Database& db, const std::string& operatorCode, std::string_view password,
                        const std::optional<std::vector<std::string>>& branches, DateTime now) {
    if (password.empty()) throw std::runtime_error("a senha de liberação não pode ser vazia");
    if (!Exists(db, "SELECT 1 FROM OPERADOR WHERE CDOPERADOR = :P_CODIGO", operatorCode))
        throw std::runtime_error("operador não cadastrado: " + operatorCode);
    std::vector<std::string> entitled;
    if (branches) {
        entitled = *branches;
        std::sort(entitled.begin(), entitled.end());
        entitled.erase(std::unique(entitled.begin(), entitled.end()), entitled.end());
        for (const std::string& branch : entitled) {
            if (!Exists(db, "SELECT 1 FROM FILIAL WHERE CDFILIAL = :P_CODIGO", branch))
                throw std::runtime_error("filial não cadastrada: " + branch);
        }
    }
    const db::SqlParams who = {{"P_CDOPERADOR", operatorCode}};
    db.Execute("DELETE FROM SENHALIBERACAO WHERE CDOPERADOR = :P_CDOPERADOR", who);
    db.Execute(
        "INSERT INTO SENHALIBERACAO (CDOPERADOR, DSHASHSENHA, DTALTERACAO)"
        " VALUES (:P_CDOPERADOR, :P_HASH, :P_DATA)",
        {{"P_CDOPERADOR", operatorCode}, {"P_HASH", HashPassword(password)}, {"P_DATA", Variant(now)}});
    db.Execute("DELETE FROM FALHASENHALIB WHERE CDOPERADOR = :P_CDOPERADOR", who);
    if (!branches) return;
    db.Execute("DELETE FROM OPERLIBERAFIL WHERE CDOPERADOR = :P_CDOPERADOR", who);
    for (const std::string& branch : entitled) {
        db.Execute("INSERT INTO OPERLIBERAFIL (CDOPERADOR, CDFILIAL) VALUES (:P_CDOPERADOR, :P_CDFILIAL)",
                   {{"P_CDOPERADOR", operatorCode}, {"P_CDFILIAL", branch}});
    }
}

} // namespace dfe::appserver
