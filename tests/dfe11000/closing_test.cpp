// The product's main road as a clerk walks it: a purchase typed with its supplier, document, items and
// installments, closed with "Fechar NF"; the server's number reaches the list row, and the database holds the
// posting, its stock movements, payable titles and fiscal book lines.
#include "module_fixture.h"

#include "platform/ui/scenario_driver.h"

#include <optional>
#include <sstream>
#include <string>

namespace dfe::dfe11000 {
namespace {

class ClosingTest : public testing::ModuleTest {
protected:
    // Runs the scenario lines; the transcript is the failure's message.
    void Script(const std::string& lines) {
        support::zymora::LocalContext().fixedBranch = true;
        std::ostringstream out;
        ScenarioDriver driver(app, out);
        driver.SetScreenOpener([this](const std::string&) { Open(); });
        const ScenarioResult result = driver.Run(lines);
        ASSERT_TRUE(result.passed) << out.str();
    }
    int64_t Count(const std::string& table, const std::string& number) {
        return lookups_
            ->Query("SELECT COUNT(*) FROM " + table + " WHERE CDFILIAL = '0001' AND NRLANCTONF = :P_NR",
                    {{"P_NR", Variant(number)}})
            .rows[0]
            .values[0]
            .AsInteger();
    }
};

constexpr const char* kPurchase = R"(open DFE11000
click sbtIncNF
type dbeCdEmpresa 01
press Tab
type dbeCdTipoOper 01
press Tab
type dbeNrInsJurNF 45.678.901/0001-75
press Tab
focus dbeModDocFis
type dbeModDocFis 55
press Tab
type dbeSerie 1
press Tab
type dbeNumero 4471
press Tab
type dbdDtEmissao 09/12/2026
press Tab
press Tab
focus dbeChaveAcesso
type dbeChaveAcesso 3526.1245.6789.0100.0175.5500.1000.0044.7110.0000.4710
press Tab
focus dbgItemProduto
press Insert
pick CDARVPROD=1.02.001
ellipsis dbgItemProduto
press Right
click bbtOK
type 20
press Right
type 28,4
press Right
cell dbgItemProduto current CDSITUTRIBPR
type 000
press Right
type 1102
press Down
expect focus dbgItemProImpos
type dbeVrNotaFisc 568,00
press Tab
click tshVencimento
expect rows cdsContaPagar 2
click tshFormulario
)";

TEST_F(ClosingTest, APurchaseClosedIsStoredAsStockPayablesAndFiscalBook) {
    Script(std::string(kPurchase) + "click sbtConfirmar\nexpect no-message\n");
    TfrmLancNFEntrada& form = *Cli_dfe11000().frmLancNFEntrada;
    const std::string number = form.data.cdsRomaneioNF.FieldByName("NRLANCTONF").AsString();
    ASSERT_NE(number, "NOVOCODIGO");
    EXPECT_EQ(form.data.cdsNotaFiscal.FieldByName("NRLANCTONF").AsString(), number);
    EXPECT_EQ(Count("NOTAFISCAL", number), 1);
    EXPECT_EQ(Count("ITEMPRODUTO", number), 1);
    EXPECT_EQ(Count("CONTAPAGAR", number), 2);
    EXPECT_EQ(Count("TITULOPAGAR", number), 2);
    EXPECT_EQ(Count("LIVROENTRADA", number), 1);
}

// What a new posting sends: the release codes of a first run, the apportionment of a posting without one,
// the stock window from the entry date to the processing date.
TEST_F(ClosingTest, ANewPostingSendsAFirstRunsArguments) {
    net::RpcRequest sent;
    Answer("FechaNotaFiscal", [&sent](const net::RpcRequest& request) -> std::optional<Variant> {
        sent = request;
        return std::nullopt; // the server closes it
    });
    Script(std::string(kPurchase) + "click sbtConfirmar\nexpect no-message\n");
    ASSERT_EQ(sent.args.size(), 36u);
    EXPECT_EQ(sent.args[17].value.AsString(), "0");
    EXPECT_EQ(sent.args[29].value.AsString(), "N");
    EXPECT_EQ(sent.args[30].value.AsString(), "P");
    EXPECT_EQ(sent.args[35].value.AsString(), "S");
    EXPECT_EQ(sent.args[10].value.AsString(), "0001");
    EXPECT_FALSE(sent.args[0].value.IsNull()) << "the header's delta";
    EXPECT_FALSE(sent.args[9].value.IsNull()) << "all the items";
    EXPECT_LE(sent.args[13].value.AsDateTime(), sent.args[14].value.AsDateTime());
}

// A stock implantation made after the entry date is a warning: the first closing lists it, the clerk accepts
// it in the error dialog with "Fechar NF", and the second closing, carrying its release code, posts.
TEST_F(ClosingTest, AWarningAcceptedInTheErrorDialogClosesTheSecondTime) {
    lookups_->Execute("INSERT INTO IMPLANTESTQ (CDFILIAL, DTIMPLANT) VALUES ('0001', :P_DATA)",
                      {{"P_DATA", Variant(support::zymora::DataProc("0001").DatePart().AddDays(5))}});
    Script(std::string(kPurchase) + R"(click sbtConfirmar
expect form frmErros
expect cell dbgErros 1 DSERRO "Implantação (último lançamento do dia) já realizada para a data informada."
click bbtOK
expect no-message
)");
    TfrmLancNFEntrada& form = *Cli_dfe11000().frmLancNFEntrada;
    const std::string number = form.data.cdsRomaneioNF.FieldByName("NRLANCTONF").AsString();
    ASSERT_NE(number, "NOVOCODIGO");
    EXPECT_EQ(Count("NOTAFISCAL", number), 1);
    EXPECT_EQ(Count("LIVROENTRADA", number), 1);
}

} // namespace
} // namespace dfe::dfe11000
