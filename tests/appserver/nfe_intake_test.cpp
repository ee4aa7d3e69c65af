#include "appserver/intake/demo_nfe.h"
#include "appserver/intake/nfe_intake.h"
#include "nfe_files.h"
#include "nfe_stored_values.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace dfe::appserver::testing {
namespace {

using intake::IntakeNfe;
using intake::IntakeOutcome;
using intake::IntakeResult;

class NfeIntake : public ::testing::Test {
protected:
    void SetUp() override { db_ = temp_.OpenDemo(); }
    IntakeResult Take(const std::string& bytes, const std::string& name = "teste.xml") {
        return IntakeNfe(*db_, bytes, name);
    }
    size_t Stored(const char* table = "NFERECEBIDA") {
        return static_cast<size_t>(
            db_->Query("SELECT COUNT(*) FROM " + std::string(table)).rows[0].values[0].AsInteger());
    }
    Packet Header(const std::string& key) {
        return db_->Query("SELECT * FROM NFERECEBIDA WHERE NRACESSONFE = :K", {{"K", key}});
    }

    TempDatabase temp_;
    std::unique_ptr<db::SqliteDatabase> db_;
};

TEST_F(NfeIntake, TakesInTheConsistentSamplesWithTheirVerdictsAndEveryValueAsWritten) {
    const auto samples = SharedSamples();
    if (samples.empty()) GTEST_SKIP() << "../shared/nfe/samples is not beside the clone";
    for (const char* name : {"35180834128745000152550010000474281920007498-nfe.xml",
                             "35180834128745000152550010000474501597356342-nfe.xml"}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(samples / name);
        const IntakeResult r = Take(bytes, name);
        ASSERT_EQ(r.outcome, IntakeOutcome::Stored) << r.reason;
        EXPECT_EQ(r.key, std::string(name).substr(0, 44));
        const Packet h = Header(r.key);
        // Pretty-printed public copies: the schema holds, the signature no longer does.
        EXPECT_EQ(FieldOf(h, 0, "IDESQUEMAVALIDO").AsString(), "S");
        EXPECT_EQ(FieldOf(h, 0, "DSESQUEMA").AsString(), "válido");
        EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "I");
        EXPECT_EQ(FieldOf(h, 0, "IDSTATUSNFE").AsString(), "A");
        EXPECT_EQ(FieldOf(h, 0, "DSOBSSTATUSNFE").AsString(), "Autorizado o uso da NF-e");
        EXPECT_TRUE(FieldOf(h, 0, "CDFILIRECE").IsNull()) << "not addressed to the demo company";
        EXPECT_TRUE(FieldOf(h, 0, "CDFORNECED").IsNull());
        EXPECT_NE(r.verdicts.find("esquema válido; assinatura inválida"), std::string::npos) << r.verdicts;
        ExpectStoredAsWritten(*db_, r.key, bytes);
    }
}

TEST_F(NfeIntake, RefusesTheSamplesWhoseKeysDoNotMatchTheirFields) {
    const auto samples = SharedSamples();
    if (samples.empty()) GTEST_SKIP() << "../shared/nfe/samples is not beside the clone";
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"26180875335849000115550010000016871192213331-nfe.xml", "dígito verificador (cDV) é 9, na chave 1"},
        {"NFe35200159594315000157550010000000012062777161.xml", "tipo de emissão (tpEmis) é 1, na chave 2"}};
    for (const auto& c : cases) {
        const IntakeResult r = Take(ReadBytes(samples / c.file), c.file);
        EXPECT_EQ(r.outcome, IntakeOutcome::Refused) << c.file;
        EXPECT_NE(r.reason.find("não confere com o documento"), std::string::npos) << r.reason;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    }
    EXPECT_EQ(Stored(), 0u);
}

TEST_F(NfeIntake, StoresTheDocumentsWrittenForTheDemoCompanyAsWrittenAndMatchesRecipientAndSupplier) {
    const struct {
        const char* file;
        const char* branch;
        const char* supplier;
        const char* status;
        const char* taxes; // tax rows the document must carry, in the table's order
        size_t lots, installments;
    } cases[] = {
        {"35_serra_azul_000012480.xml", "0001", "J11222333000181", "A", "COFINS ICMS ICMSST IPI PIS", 3, 3},
        {"35_moinho_paulista_000000891.xml", "0002", "J45678901000175", "P",
         "CBS COFINS IBSMUN IBSUF ICMS PIS", 0, 2},
        {"41_joao_silva_cpf_000000057.xml", "0003", "F12345678909", "A", "COFINS ICMS PIS", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string bytes = ReadBytes(DemoNfe(c.file));
        const IntakeResult r = Take(bytes, c.file);
        ASSERT_EQ(r.outcome, IntakeOutcome::Stored) << r.reason;
        const Packet h = Header(r.key);
        EXPECT_EQ(FieldOf(h, 0, "CDFILIRECE").AsString(), c.branch);
        EXPECT_EQ(FieldOf(h, 0, "CDEMPRESA").AsString(), "01");
        EXPECT_EQ(FieldOf(h, 0, "CDFORNECED").AsString(), c.supplier);
        EXPECT_EQ(FieldOf(h, 0, "IDTPIJURNF").AsString(), std::string(c.supplier).substr(0, 1));
        EXPECT_EQ(FieldOf(h, 0, "IDSTATUSNFE").AsString(), c.status);
        // Unsigned copies: the schema wants the signature, and says so.
        EXPECT_EQ(FieldOf(h, 0, "IDESQUEMAVALIDO").AsString(), "N");
        EXPECT_NE(FieldOf(h, 0, "DSESQUEMA").AsString().find("Signature"), std::string::npos);
        EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "A");
        const Packet taxes =
            db_->Query("SELECT DISTINCT SGIMPOSTO FROM NFERECEBIMPOSTO WHERE NRACESSONFE = :K"
                       " ORDER BY SGIMPOSTO",
                       {{"K", r.key}});
        std::string names;
        for (const PacketRow& row : taxes.rows)
            names += (names.empty() ? "" : " ") + row.values[0].AsString();
        EXPECT_EQ(names, c.taxes);
        EXPECT_EQ(db_->Query("SELECT * FROM NFERECEBLOTE WHERE NRACESSONFE = :K", {{"K", r.key}}).rows.size(),
                  c.lots);
        EXPECT_EQ(db_->Query("SELECT * FROM NFERECEBVENC WHERE NRACESSONFE = :K", {{"K", r.key}}).rows.size(),
                  c.installments);
        ExpectStoredAsWritten(*db_, r.key, bytes);
    }
}

TEST_F(NfeIntake, VerifiesASignatureWithTheCertificateItCarriesAndSeesATamperedCopy) {
    const std::string signedBytes = ReadBytes(TestNfe("35_serra_azul_000012490_assinada.xml"));
    const IntakeResult r = Take(signedBytes);
    ASSERT_EQ(r.outcome, IntakeOutcome::Stored) << r.reason;
    Packet h = Header(r.key);
    EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "V");
    EXPECT_EQ(FieldOf(h, 0, "DSASSINATURA").AsString(), "assinatura válida (certificado não verificado)");
    EXPECT_EQ(FieldOf(h, 0, "IDESQUEMAVALIDO").AsString(), "S");

    // The same document with one product description changed after signing.
    db_->ExecuteScript("DELETE FROM NFERECEBIMPOSTO; DELETE FROM NFERECEBLOTE; DELETE FROM NFERECEBITEM;"
                       " DELETE FROM NFERECEBVENC; DELETE FROM NFERECEBPAGTO; DELETE FROM NFERECEBVOLU;"
                       " DELETE FROM NFERECEBENCARGO; DELETE FROM NFERECEBXML; DELETE FROM NFERECEBIDA;");
    const IntakeResult tampered = Take(Replaced(signedBytes, "MANTEIGA COM SAL", "MANTEIGA SEM SAL"));
    ASSERT_EQ(tampered.outcome, IntakeOutcome::Stored) << tampered.reason;
    h = Header(tampered.key);
    EXPECT_EQ(FieldOf(h, 0, "IDASSINATURA").AsString(), "I");
    EXPECT_NE(FieldOf(h, 0, "DSASSINATURA").AsString().find("alterado depois de assinado"),
              std::string::npos);
}

TEST_F(NfeIntake, TheSameKeyIsOneDocumentAndOnlyAnAuthorizedCopyReplacesABareOne) {
    const std::string bare = ReadBytes(DemoNfe("35_moinho_paulista_000000891.xml"));
    const IntakeResult first = Take(bare);
    ASSERT_EQ(first.outcome, IntakeOutcome::Stored) << first.reason;
    EXPECT_EQ(Take(bare).outcome, IntakeOutcome::Duplicate);
    EXPECT_EQ(Stored(), 1u);
    const size_t items = Stored("NFERECEBITEM");
    db_->Execute("UPDATE NFERECEBIDA SET IDIMPORTADA = 'S'");

    const std::string protocol =
        "<protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SP_NFE_PL_010</verAplic><chNFe>" +
        first.key +
        "</chNFe><dhRecbto>2026-12-10T14:06:00-03:00</dhRecbto><nProt>135260004700001</nProt><digVal>"
        "AAAAAAAAAAAAAAAAAAAAAAAAAAA=</digVal><cStat>100</cStat><xMotivo>Autorizado o uso da "
        "NF-e</xMotivo></infProt>"
        "</protNFe>";
    std::string authorized = Replaced(bare, "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">",
                                      "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
                                      "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">");
    authorized = Replaced(authorized, "</NFe>", "</NFe>" + protocol + "</nfeProc>");
    const IntakeResult update = Take(authorized);
    ASSERT_EQ(update.outcome, IntakeOutcome::Updated) << update.reason;
    const Packet h = Header(first.key);
    EXPECT_EQ(FieldOf(h, 0, "IDSTATUSNFE").AsString(), "A");
    EXPECT_EQ(FieldOf(h, 0, "NRPROTOCOLONFE").AsString(), "135260004700001");
    EXPECT_EQ(FieldOf(h, 0, "IDIMPORTADA").AsString(), "S") << "what the clerk did with it stays";
    EXPECT_EQ(Stored(), 1u);
    EXPECT_EQ(Stored("NFERECEBITEM"), items);
    ExpectStoredAsWritten(*db_, first.key, authorized);

    EXPECT_EQ(Take(bare).outcome, IntakeOutcome::Duplicate) << "a bare copy never replaces an authorized one";
    EXPECT_EQ(Take(authorized).outcome, IntakeOutcome::Duplicate);
}

TEST_F(NfeIntake, StoresADocumentWholeOrNotAtAll) {
    // A failure while the installments are written (the last detail but two) must take the header with it.
    db_->ExecuteScript("CREATE TRIGGER NFERECEBVENC_FALHA BEFORE INSERT ON NFERECEBVENC"
                       " BEGIN SELECT RAISE(ABORT, 'disco cheio'); END;");
    EXPECT_THROW(Take(ReadBytes(DemoNfe("35_serra_azul_000012480.xml"))), db::DatabaseError);
    for (const char* table :
         {"NFERECEBIDA", "NFERECEBXML", "NFERECEBITEM", "NFERECEBIMPOSTO", "NFERECEBLOTE"})
        EXPECT_EQ(Stored(table), 0u) << table;
}

TEST_F(NfeIntake, RefusesHostileAndBrokenInputWithItsReasonAndStoresNothing) {
    const std::string good = ReadBytes(DemoNfe("35_serra_azul_000012480.xml"));
    const std::string key = "35261211222333000181550010000124801273645100";
    std::string deep = "<a>";
    for (int i = 0; i < 5000; ++i)
        deep += "<a>";
    std::string nested = "<a>";
    for (int i = 0; i < 100; ++i)
        nested += "<b>";
    for (int i = 0; i < 100; ++i)
        nested += "</b>";
    nested += "</a>";
    std::string huge = good;
    huge.insert(huge.find("</infCpl>"), std::string(11 * 1024 * 1024, 'x'));
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
        "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
        "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">&lol3;</NFe>";
    const std::string external = Replaced(
        good, "<nfeProc", "<!DOCTYPE nfeProc [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><nfeProc");
    const std::string dtd =
        Replaced(good, "<nfeProc", "<!DOCTYPE nfeProc SYSTEM \"http://example.com/nfe.dtd\"><nfeProc");
    std::string wrongDigit = good;
    for (size_t at = wrongDigit.find(key); at != std::string::npos; at = wrongDigit.find(key))
        wrongDigit.replace(at, key.size(), key.substr(0, 43) + "1");
    wrongDigit = Replaced(wrongDigit, "<cDV>0</cDV>", "<cDV>1</cDV>");
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"external entity", external, "DOCTYPE"},
        {"DTD", dtd, "DOCTYPE"},
        {"entity expansion", laughs, "DOCTYPE"},
        {"huge file", huge, "grande demais"},
        {"deep nesting", deep, "profundamente demais"},
        {"nesting past the document's limit", nested, "profundamente demais"},
        {"not XML", "%PDF-1.4 isto não é XML", "XML malformado (linha 1)"},
        {"truncated", good.substr(0, good.size() / 2), "XML malformado"},
        {"empty", "", "vazio"},
        {"not UTF-8", Replaced(good, "Laticínios", "Latic\xEDnios"), "UTF-8"},
        {"declared Latin-1", Replaced(good, "encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\""), "ISO-8859-1"},
        {"CT-e root", ReadBytes(TestNfe("cte_57.xml")), "não é uma NF-e: o elemento raiz é cteProc"},
        {"other layout", Replaced(good, "<infNFe versao=\"4.00\"", "<infNFe versao=\"3.10\""), "3.10"},
        {"wrong check digit", wrongDigit, "dígito verificador errado (1; o correto é 0)"},
        {"key against number", Replaced(good, "<nNF>12480</nNF>", "<nNF>12481</nNF>"),
         "número (nNF) é 000012481"},
        {"key against series", Replaced(good, "<serie>1</serie>", "<serie>2</serie>"), "série (serie) é 002"},
        {"key against state", Replaced(good, "<cUF>35</cUF>", "<cUF>41</cUF>"), "UF (cUF) é 41"},
        {"key against month", Replaced(good, "<dhEmi>2026-12-09", "<dhEmi>2026-11-09"),
         "ano e mês de emissão"},
        {"key against issuer", Replaced(good, "<CNPJ>11222333000181</CNPJ>", "<CNPJ>11222333000262</CNPJ>"),
         "CNPJ/CPF do emitente é 11222333000262"},
        {"key against numeric code", Replaced(good, "<cNF>27364510</cNF>", "<cNF>27364511</cNF>"),
         "código numérico"},
        {"protocol of another key",
         Replaced(good, "<chNFe>" + key, "<chNFe>35261211222333000181550010000124701516273842"),
         "o protocolo de autorização é da chave"},
        {"bad number", Replaced(good, "<vNF>", "<vNF>1,5"), "valor numérico inválido"},
        {"not a finite number", Replaced(good, "<vSeg>0.00</vSeg>", "<vSeg>nan</vSeg>"),
         "valor numérico inválido"},
        {"no environment", Replaced(good, "<tpAmb>2</tpAmb>", ""), "ide/tpAmb"},
        {"bad date", Replaced(good, "<dVenc>2027-01-08", "<dVenc>2027-02-30"), "data inválida"},
        {"text too long",
         Replaced(good, "<xNome>Transportadora Rota Sul Ltda", "<xNome>" + std::string(70, 'T')),
         "o limite é 60"},
    };
    for (const auto& c : cases) {
        const IntakeResult r = Take(c.bytes);
        EXPECT_EQ(r.outcome, IntakeOutcome::Refused) << c.what;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.what << ": " << r.reason;
    }
    EXPECT_EQ(Stored(), 0u);
    EXPECT_EQ(Stored("NFERECEBXML"), 0u);
    EXPECT_EQ(Take(good).outcome, IntakeOutcome::Stored) << "and the intake still works";
}

TEST(AccessKeyMismatch, NamesEveryFieldThatDiffersFromTheKey) {
    const std::string key = "35261211222333000181550010000124801273645100";
    const intake::KeyFields fields{
        "35", "2026-12-09T10:15:00-03:00", "11222333000181", "55", "1", "12480", "1", "27364510", "0"};
    EXPECT_EQ(intake::AccessKeyMismatch(key, fields), "");
    intake::KeyFields cpf = fields;
    EXPECT_EQ(intake::AccessKeyMismatch(
                  "41261200012345678909550010000000571192837465",
                  {"41", "2026-12-08T07:30:00-03:00", "12345678909", "55", "1", "57", "1", "19283746", "5"}),
              "")
        << "a CPF issuer fills the 14 positions with zeros on the left";
    cpf.model = "65";
    cpf.checkDigit = "7";
    EXPECT_EQ(intake::AccessKeyMismatch(key, cpf),
              "a chave de acesso " + key +
                  " não confere com o documento: modelo (mod) é 65, na chave 55; "
                  "dígito verificador (cDV) é 7, na chave 0");
    EXPECT_NE(
        intake::AccessKeyMismatch("3526121122233300018155001000012480127364510", fields).find("44 dígitos"),
        std::string::npos);
    EXPECT_NE(
        intake::AccessKeyMismatch("3526121122233300018155001000012480127364510X", fields).find("44 dígitos"),
        std::string::npos);
}

TEST(DemoNfe, InitStoresTheDemoCompanysDocumentsThroughTheIntakeOnce) {
    TempDatabase temp;
    auto db = temp.OpenDemo();
    const auto lines = StoreDemoNfe(*db);
    ASSERT_EQ(lines.size(), EmbeddedDemoNfeFiles().size());
    for (const std::string& line : lines)
        EXPECT_NE(line.find(": aceita "), std::string::npos) << line;
    const Packet branches =
        db->Query("SELECT CDFILIRECE, COUNT(*) FROM NFERECEBIDA GROUP BY CDFILIRECE ORDER BY 1");
    ASSERT_EQ(branches.rows.size(), 3u) << "every branch of the demo has documents";
    // The keys the demo's manifestations and key checks name have their documents.
    for (const char* key :
         {"35261211222333000181550010000124701516273842", "35261245678901000175550010000008901627384955"})
        EXPECT_EQ(db->Query("SELECT 1 FROM NFERECEBIDA WHERE NRACESSONFE = :K", {{"K", key}}).rows.size(), 1u)
            << key;
    for (const std::string& line : StoreDemoNfe(*db))
        EXPECT_NE(line.find(": já recebida "), std::string::npos) << line;
}

} // namespace
} // namespace dfe::appserver::testing
