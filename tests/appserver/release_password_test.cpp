#include "appserver/cli/json_output.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/security/release_passwords.h"
#include "appserver/security/release_throttle.h"
#include "appserver/server/embedded_server.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "platform/net/release_calls.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sodium.h>

namespace dfe::appserver {
namespace {

constexpr const char* kDemoPassword = "Libera#2026";

// The demo database behind a server whose clock the test moves.
class ReleasePassword : public ::testing::Test {
protected:
    void SetUp() override {
        auto db = temp_.OpenDemo();
        server_ = std::make_unique<EmbeddedServer>(std::move(db), [this] { return now_; });
        autoriza_.SetHost(std::string(net::kInProcessHost));
        autoriza_.Connect();
    }
    Variant Confirm(const std::string& op, const std::string& password, const std::string& branch = "0001") {
        return autoriza_.Call(net::kConfSenhaLiberacao,
                              net::CallArgs().Str(op).Str(password).Str(branch).Str("0000000001"));
    }
    // "S" or "N", a bar and the text.
    std::string Outcome(const Variant& answer) {
        answers_.push_back(answer);
        net::AnswerReader r(net::CheckResultServ(answer), net::kConfSenhaLiberacaoAnswer);
        return r.Text("accepted") + "|" + r.Text("message");
    }
    void Advance(int seconds) { now_ = now_.AddDays(seconds / 86400.0); }
    std::string Query(const std::string& sql) {
        const Packet p = temp_.Open()->Query(sql);
        return p.rows.empty() || p.rows[0].values[0].IsNull() ? std::string()
                                                              : p.rows[0].values[0].AsString();
    }

    testing::TempDatabase temp_;
    std::unique_ptr<EmbeddedServer> server_;
    net::TNetConnection autoriza_{net::kAutoriza};
    DateTime now_ = DateTime::FromDateTime(2026, 12, 10, 9, 0, 0);
    std::vector<Variant> answers_;
};

// GERENTE releases at 0001-0003 with the demo password; MSOUZA has no release password; NINGUEM is no one.
TEST_F(ReleasePassword, TheEntitledOperatorsPasswordReleasesOthersAreRefused) {
    const std::string tooLong(300, 'x');
    const struct {
        const char *op, *password, *branch, *outcome;
    } cases[] = {
        {"GERENTE", kDemoPassword, "0001", "S|"},
        {"gerente", kDemoPassword, "0003", "S|"},
        {"GERENTE", "libera#2026", "0001", "N|Senha de liberação inválida."},
        {"GERENTE", kDemoPassword, "0005", "N|Operador não autorizado a liberar lançamentos na filial 0005."},
        {"MSOUZA", kDemoPassword, "0001", "N|Senha de liberação inválida."},
        {"NINGUEM", kDemoPassword, "0001", "N|Senha de liberação inválida."},
        {"GERENTE", "", "0001", "N|Informe a senha de liberação."},
        {"", kDemoPassword, "0001", "N|Informe o operador que libera o lançamento."},
        {"GERENTE", tooLong.c_str(), "0001", "N|Senha de liberação inválida."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Outcome(Confirm(c.op, c.password, c.branch)), c.outcome) << c.op << " " << c.branch;
    }
    for (const Variant& answer : answers_) {
        EXPECT_EQ(AnswerToJson(answer).find("$argon2"), std::string::npos) << AnswerToJson(answer);
    }
}

TEST_F(ReleasePassword, OnlyASaltedArgon2idHashIsStored) {
    const std::string hash = Query("SELECT DSHASHSENHA FROM SENHALIBERACAO WHERE CDOPERADOR = 'GERENTE'");
    EXPECT_TRUE(hash.starts_with("$argon2id$")) << hash;
    EXPECT_EQ(hash.find(kDemoPassword), std::string::npos);
    ASSERT_GE(sodium_init(), 0);
    EXPECT_EQ(crypto_pwhash_str_verify(hash.c_str(), kDemoPassword, std::strlen(kDemoPassword)), 0);
    EXPECT_NE(crypto_pwhash_str_verify(hash.c_str(), "Libera#2027", 11), 0);

    // A new password gets a salt of its own: the same password twice makes two different hashes.
    auto db = temp_.Open();
    SetReleasePassword(*db, "MSOUZA", kDemoPassword, std::nullopt, now_);
    const std::string other = Query("SELECT DSHASHSENHA FROM SENHALIBERACAO WHERE CDOPERADOR = 'MSOUZA'");
    EXPECT_NE(other, hash);
    EXPECT_EQ(crypto_pwhash_str_verify(other.c_str(), kDemoPassword, std::strlen(kDemoPassword)), 0);
}

// A password sent by reference comes back empty and is not kept in the answer log.
TEST_F(ReleasePassword, APasswordByReferenceIsNeitherSentBackNorLogged) {
    std::string password = kDemoPassword;
    const Variant answer =
        autoriza_.Call(net::kConfSenhaLiberacao,
                       net::CallArgs().Str("GERENTE").StrRef(password).Str("0001").Str("0000000001"));
    EXPECT_EQ(Outcome(answer), "S|");
    EXPECT_EQ(password, "");
    std::string hexPassword, hexHash;
    for (unsigned char c : std::string(kDemoPassword))
        hexPassword += "0123456789abcdef"[c >> 4], hexPassword += "0123456789abcdef"[c & 15];
    for (unsigned char c : std::string("$argon2"))
        hexHash += "0123456789abcdef"[c >> 4], hexHash += "0123456789abcdef"[c & 15];
    const Packet log = temp_.Open()->Query("SELECT DSRESPOSTA FROM RPC_RESPOSTA");
    ASSERT_FALSE(log.rows.empty());
    for (const PacketRow& row : log.rows) {
        EXPECT_EQ(row.values[0].AsString().find(hexPassword), std::string::npos);
        EXPECT_EQ(row.values[0].AsString().find(hexHash), std::string::npos);
    }
}

TEST_F(ReleasePassword, AfterThreeWrongTriesTheRightPasswordWaitsUntilTheWaitHasPassed) {
    EXPECT_EQ(Outcome(Confirm("GERENTE", "a")), "N|Senha de liberação inválida.");
    EXPECT_EQ(Outcome(Confirm("GERENTE", "b")), "N|Senha de liberação inválida.");
    EXPECT_EQ(
        Outcome(Confirm("GERENTE", "c")),
        "N|Senha de liberação inválida. Senha de liberação bloqueada por tentativas inválidas. Aguarde 30 "
        "segundos para tentar novamente.");
    EXPECT_EQ(Query("SELECT QTFALHAS FROM FALHASENHALIB WHERE CDOPERADOR = 'GERENTE'"), "3");
    // Refused unverified while the wait lasts, the right password too, and not counted.
    Advance(10);
    EXPECT_EQ(Outcome(Confirm("GERENTE", kDemoPassword)),
              "N|Senha de liberação bloqueada por tentativas inválidas. Aguarde 20 segundos para tentar "
              "novamente.");
    EXPECT_EQ(Query("SELECT QTFALHAS FROM FALHASENHALIB WHERE CDOPERADOR = 'GERENTE'"), "3");
    // Each further failure doubles the wait.
    Advance(20);
    EXPECT_EQ(
        Outcome(Confirm("GERENTE", "d")),
        "N|Senha de liberação inválida. Senha de liberação bloqueada por tentativas inválidas. Aguarde 1 "
        "minuto para tentar novamente.");
    Advance(60);
    EXPECT_EQ(Outcome(Confirm("GERENTE", kDemoPassword)), "S|");
    // Success starts the count again.
    EXPECT_EQ(Query("SELECT COUNT(*) FROM FALHASENHALIB WHERE CDOPERADOR = 'GERENTE'"), "0");
    EXPECT_EQ(Outcome(Confirm("GERENTE", "e")), "N|Senha de liberação inválida.");
    // Another operator's failures are his own; an unknown code is slowed down alike.
    for (int i = 0; i < 3; ++i)
        Confirm("NINGUEM", "x");
    EXPECT_NE(Outcome(Confirm("NINGUEM", "x")).find("Aguarde 30 segundos"), std::string::npos);
    EXPECT_EQ(Outcome(Confirm("GERENTE", kDemoPassword)), "S|");
}

TEST_F(ReleasePassword, MalformedCallsAreRefused) {
    const struct {
        const char* name;
        net::CallArgs args;
        const char* refusal;
    } cases[] = {
        {"three arguments", net::CallArgs().Str("GERENTE").Str(kDemoPassword).Str("0001"), "espera 4"},
        {"password as a number", net::CallArgs().Str("GERENTE").Int(1234).Str("0001").Str(""),
         "(senha) de ConfSenhaLiberacao deve ser um texto"},
        {"no branch", net::CallArgs().Str("GERENTE").Str(kDemoPassword).Str("").Str(""), "(filial)"},
        {"operator too long", net::CallArgs().Str("GERENTE_DE_LOJA").Str(kDemoPassword).Str("0001").Str(""),
         "(operador)"},
    };
    for (const auto& c : cases) {
        std::string refusal;
        try {
            net::CheckResultServ(autoriza_.Call(net::kConfSenhaLiberacao, c.args));
        } catch (const net::ServerRefusal& e) {
            refusal = e.what();
        }
        EXPECT_NE(refusal.find(c.refusal), std::string::npos) << c.name << ": " << refusal;
        EXPECT_EQ(refusal.find(kDemoPassword), std::string::npos) << c.name;
    }
}

TEST_F(ReleasePassword, SettingAPasswordReplacesTheEntitlementOnlyWhenBranchesAreGiven) {
    auto db = temp_.Open();
    SetReleasePassword(*db, "RLIMA", "nova senha", std::vector<std::string>{"0002", "0002"}, now_);
    EXPECT_EQ(Outcome(Confirm("RLIMA", "nova senha", "0002")), "S|");
    EXPECT_EQ(Outcome(Confirm("RLIMA", "nova senha", "0001")),
              "N|Operador não autorizado a liberar lançamentos na filial 0001.");
    SetReleasePassword(*db, "RLIMA", "outra", std::nullopt, now_);
    EXPECT_EQ(Outcome(Confirm("RLIMA", "nova senha", "0002")), "N|Senha de liberação inválida.");
    EXPECT_EQ(Outcome(Confirm("RLIMA", "outra", "0002")), "S|");
    // A new password also clears the wrong tries.
    for (int i = 0; i < 3; ++i)
        Confirm("RLIMA", "x", "0002");
    SetReleasePassword(*db, "RLIMA", "terceira", std::vector<std::string>{"0001"}, now_);
    EXPECT_EQ(Outcome(Confirm("RLIMA", "terceira", "0001")), "S|");
    EXPECT_EQ(Outcome(Confirm("RLIMA", "terceira", "0002")),
              "N|Operador não autorizado a liberar lançamentos na filial 0002.");

    const struct {
        const char *op, *password, *branch, *error;
    } refused[] = {
        {"RLIMA", "", "0001", "vazia"},
        {"NINGUEM", "x", "0001", "operador não cadastrado: NINGUEM"},
        {"RLIMA", "x", "0009", "filial não cadastrada: 0009"},
    };
    for (const auto& r : refused) {
        try {
            SetReleasePassword(*db, r.op, r.password, std::vector<std::string>{r.branch}, now_);
            ADD_FAILURE() << r.op;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(r.error), std::string::npos) << e.what();
        }
    }
}

TEST(ReleaseThrottle, WaitsDoubleFromTheThirdFailureUpToFifteenMinutes) {
    const std::pair<int64_t, int64_t> waits[] = {{0, 0},   {2, 0},   {3, 30},  {4, 60},    {5, 120},
                                                 {7, 480}, {8, 900}, {9, 900}, {1000, 900}};
    for (const auto& [failures, seconds] : waits)
        EXPECT_EQ(ReleaseLockoutSeconds(failures), seconds) << failures;
    const std::pair<int64_t, const char*> texts[] = {
        {1, "1 segundo"},
        {30, "30 segundos"},
        {60, "1 minuto"},
        {90, "1 minuto e 30 segundos"},
        {121, "2 minutos e 1 segundo"},
        {900, "15 minutos"},
    };
    for (const auto& [seconds, text] : texts)
        EXPECT_EQ(WaitText(seconds), text) << seconds;
}

} // namespace
} // namespace dfe::appserver
