#include "module_fixture.h"

#include "dfe11000/dialogs/frm_loc_prest_serv.h"
#include "dfe11000/header/transport_rules.h"
#include "platform/ui/keys.h"

#include <set>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

// Customers, suppliers and their documents in the demo.
constexpr const char* kBomPreco = "78901234000105";
constexpr const char* kMaria = "98765432100";
constexpr const char* kBebidasHorizonte = "67890123000116";
constexpr const char* kArmazemVale = "92716348000106";
constexpr const char* kRotaSul = "56789012000100";

// The clerk includes a posting on the screen over a fresh demo database and the embedded server answers
// every call, the origin searches and the municipality table included.
class OriginServer : public testing::ModuleTest {
protected:
    void SetUp() override { form = &Open(); }

    // The clerk types the branch and confirms the filter it opens.
    void At(const std::string& branch) {
        Typing(form->ui.medCdFilial, branch);
        dialogs.ExpectModal("frmFiltroNFEntrada").Do([&](Form& filter) {
            app.Click(*static_cast<TfrmFiltroNFEntrada&>(filter).sbtConfirma);
        });
        ASSERT_EQ(Tab(), "") << dialogs.Describe();
        ASSERT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    }

    // A new posting of `type` (the one being included given up): company and type typed, the header panel
    // left (the page follows the type and focuses the participant), the participant typed and left.
    void NewPosting(const std::string& type, const std::string& participant) {
        if (form->data.cdsNotaFiscal.State() == DataSetState::Insert) {
            dialogs.ExpectQuestion("Cancel").Answer(mr::Yes);
            Click(form->sbtCancelar);
        }
        ASSERT_EQ(Click(form->sbtIncluir), "") << dialogs.Describe();
        ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Insert) << dialogs.Describe();
        Typing(form->ui.dbeCdEmpresa, "01");
        Typing(form->ui.dbeCdTipoOper, type);
        ASSERT_EQ(Tab(), "") << dialogs.Describe();
        ASSERT_EQ(form->ActiveControl(), form->Header().ParticipantField()) << Focused();
        app.TypeText(participant);
        ASSERT_EQ(Tab(), "") << dialogs.Describe();
    }

    // Types an origin's series and, when it is accepted, its number; the code of the message leaving either.
    std::string TypeOrigin(Control* series, Control* number, const std::string& seriesText,
                           const std::string& numberText) {
        Typing(series, seriesText);
        if (std::string code = Leave(number); !code.empty()) return code;
        Typing(number, numberText);
        return Leave(series);
    }

    // Campinas receives only from suppliers its central purchasing (the head office) qualified.
    void Qualify(const std::string& supplier) {
        lookups_->Execute("INSERT INTO QUALIFFORN (CDFILIAL, CDFORNECED, CDQUALIF, DTINIVALI)"
                          " VALUES ('0001', :P_CDFORNECED, 'ISO9', '2026-01-01')",
                          {{"P_CDFORNECED", Variant("J" + supplier)}});
    }

    void Focus(Control* control) {
        app.Dispatch([&] { control->SetFocus(); });
    }
    void Typing(Control* control, const std::string& text) {
        Focus(control);
        ASSERT_EQ(form->ActiveControl(), control) << Focused() << "\n" << dialogs.Describe();
        // The clerk types over what was there.
        if (auto* edit = dynamic_cast<Edit*>(control)) edit->SelectAll();
        app.TypeText(text);
    }
    // The code of the last error shown while the focus went from the focused control to `to`.
    std::string Leave(Control* to) {
        dialogs.ClearRecords();
        Focus(to);
        return LastError();
    }
    std::string Tab() {
        dialogs.ClearRecords();
        app.PressKey(key::Tab);
        return LastError();
    }
    std::string Click(Control& button) {
        EXPECT_TRUE(button.Showing() && button.EnabledInChain()) << button.Name() << " cannot be clicked";
        dialogs.ClearRecords();
        app.Click(button);
        return LastError();
    }
    std::string LastError() const {
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string() : errors.back().code;
    }
    std::string Focused() const { return form->ActiveControl() ? form->ActiveControl()->Name() : "(none)"; }
    std::string Related(const char* field) const {
        return form->data.cdsItemNotaFisc.FieldByName(field).AsString();
    }
    static std::set<std::string> Column(DataSet& ds, const char* field) {
        std::set<std::string> values;
        for (ds.First(); !ds.Eof(); ds.Next())
            values.insert(ds.FieldByName(field).AsString());
        return values;
    }

    TfrmLancNFEntrada* form = nullptr;
};

// ---- A customer's return of outgoing invoices

// The outgoing invoice typed on the return page is searched among the customer's own: found, the related row
// takes its posting and the items are loaded; another customer's invoice is not there.
TEST_F(OriginServer, ATypedOutgoingInvoiceIsFoundAmongTheCustomersOwn) {
    struct Case {
        const char* what;
        const char* customer;
        const char* series;
        const char* number;
        const char* code;    // the message leaving the series or the number
        const char* stored;  // NRNOTAFISC: typed, so padded to the outgoing width
        const char* posting; // NRLANCTONFIT
        const char* consumerInvoice;
    } cases[] = {
        {"Bom Preço's NF-e", kBomPreco, "1", "1302", "", "000001302", "0000000094", "N"},
        {"Maria's NFC-e", kMaria, "1", "451", "", "000000451", "0000000096", "S"},
        {"Maria's NFC-e for Bom Preço", kBomPreco, "1", "451", "NFOrigem_Cad", "000000451", "", "N"},
        {"a number nobody was sold", kBomPreco, "1", "9999", "NFOrigem_Cad", "000009999", "", "N"},
        {"a series Bom Preço has no invoice of", kBomPreco, "2", "", "SerieOrigem_Cad", "", "", "N"},
    };
    ASSERT_NO_FATAL_FAILURE(At("0001"));
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(NewPosting("07", c.customer));
        const int loads = Calls("GetItemProduto");
        const std::string code =
            TypeOrigin(form->ui.dbeSerieSaida, form->ui.dbeNumeroSaida, c.series, c.number);
        EXPECT_EQ(code, c.code) << c.what << "\n" << dialogs.Describe();
        EXPECT_EQ(Related("NRLANCTONFIT"), c.posting) << c.what;
        EXPECT_EQ(Related("NRNOTAFISC"), c.stored) << c.what;
        if (*c.code) {
            EXPECT_EQ(Focused(), *c.number ? "dbeNumeroSaida" : "dbeSerieSaida") << c.what;
            continue;
        }
        EXPECT_EQ(Related("CDFILIALIT"), "0001") << c.what;
        EXPECT_EQ(Cli_dfe11000().stExisteDadosNF, c.consumerInvoice) << c.what;
        EXPECT_EQ(Calls("GetItemProduto"), loads + 1) << c.what;
        EXPECT_TRUE(form->data.cdsItemProduto.Active()) << c.what;
    }
}

// A number typed over relates the invoice it names, not the one typed before it.
TEST_F(OriginServer, ANumberTypedOverRelatesTheInvoiceItNames) {
    ASSERT_NO_FATAL_FAILURE(At("0001"));
    ASSERT_NO_FATAL_FAILURE(NewPosting("07", kBomPreco));
    Typing(form->ui.dbeSerieSaida, "1");
    for (const auto& [typed, posting] : {std::pair{"1302", "0000000094"}, std::pair{"1303", "0000000095"}}) {
        Typing(form->ui.dbeNumeroSaida, typed);
        EXPECT_EQ(Leave(form->ui.dbeSerieSaida), "") << typed << "\n" << dialogs.Describe();
        EXPECT_EQ(Related("NRLANCTONFIT"), posting) << typed;
    }
}

// The search of the return page lists the customer's invoices; the one picked fills the related row as the
// invoice numbers it.
TEST_F(OriginServer, TheOutgoingSearchListsTheCustomersInvoicesAndKeepsThePickedNumber) {
    ASSERT_NO_FATAL_FAILURE(At("0001"));
    // An invoice of Bom Preço numbered without leading zeros.
    lookups_->Execute("INSERT INTO NOTAFISCAL (CDFILIAL, NRLANCTONF, CDEMPRESA, CDFILIRECE, IDENTRSAIDOP,"
                      " CDTIPOOPER, IDSTATUS, IDORIGDESTNF, CDCLIENTE, IDTPIJURNF, NRINSJURNF, CDMODDOCFISC,"
                      " CDSERIEENTR, NRNOTAFISC, DTEMISSAO, DTENTRSAID, VRNOTAFISC) VALUES ('0001',"
                      " '0000000097', '01', '0001', 'S', '51', 'P', 'C', 'J78901234000105', 'J',"
                      " '78901234000105', '55', '1', '1304', '2026-12-07', '2026-12-07', 34.90)");
    lookups_->Execute("INSERT INTO ITEMPRODUTO (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDPRODUTO, SGUNIDADE,"
                      " QTITEMPROD, VRUNITITEM, VRTOTAITEM) VALUES ('0001', '0000000097', '0001',"
                      " '0000000202', 'UN', 10, 3.49, 34.90)");
    ASSERT_NO_FATAL_FAILURE(NewPosting("07", kBomPreco));
    Focus(form->ui.dbeNumeroSaida);
    dialogs.ExpectPick("Nota Fiscal de Origem").Where("NRNOTAFISC", "1304");
    ASSERT_EQ(Click(*form->ui.btpNFSaida), "") << dialogs.Describe();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(Related("NRNOTAFISC"), "1304");
    EXPECT_EQ(Related("CDSERIE"), "1");
    EXPECT_EQ(Related("CDFILIALIT"), "0001");
    EXPECT_EQ(Related("NRLANCTONFIT"), "0000000097");
    DataSet& listed = form->data.cdsNFOrigSaid;
    EXPECT_EQ(Column(listed, "NRNOTAFISC"),
              (std::set<std::string>{"000001301", "000001302", "000001303", "1304"}));
    EXPECT_EQ(Column(listed, "NRINSJURNF"), std::set<std::string>{kBomPreco}) << "Maria's are not listed";

    EXPECT_EQ(Leave(form->ui.dbeSerieSaida), "") << dialogs.Describe();
    EXPECT_EQ(Related("NRNOTAFISC"), "1304") << "a picked number is not padded";
    EXPECT_EQ(Related("NRLANCTONFIT"), "0000000097");
}

// The list choice of a return: the chosen invoices become related rows, each once, and the items are loaded
// once per confirmed choice.
TEST_F(OriginServer, AListOfOriginsRelatesEachChosenInvoiceOnce) {
    ASSERT_NO_FATAL_FAILURE(At("0001"));
    ASSERT_NO_FATAL_FAILURE(NewPosting("07", kBomPreco));
    ASSERT_EQ(Click(*form->ui.rbtLista), "");
    const std::vector<std::string> sales = {"0001 - 0000000093", "0001 - 0000000094", "0001 - 0000000095"};
    const int loads = Calls("GetItemProduto");
    dialogs.ExpectMultiSelect().Choose(sales);
    ASSERT_EQ(Click(*form->ui.btpLista), "") << dialogs.Describe();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(Column(form->data.cdsNFOrigLista, "DSLANCAMENTO"),
              std::set<std::string>(sales.begin(), sales.end()))
        << "Bom Preço's sales only";
    DataSet& related = form->data.cdsItemNotaFisc;
    EXPECT_EQ(related.RecordCount(), 3);
    EXPECT_EQ(Column(related, "NRLANCTONFIT"),
              (std::set<std::string>{"0000000093", "0000000094", "0000000095"}));
    EXPECT_EQ(Calls("GetItemProduto"), loads + 1);

    dialogs.ExpectMultiSelect().Choose({sales[1]});
    ASSERT_EQ(Click(*form->ui.btpLista), "") << dialogs.Describe();
    EXPECT_EQ(related.RecordCount(), 3) << "an invoice already related is not related again";
}

// ---- Complements and remittance returns

TEST_F(OriginServer, AComplementNamesAPurchaseOfItsSupplier) {
    struct Case {
        const char* what;
        const char* series;
        const char* number;
        const char* code;
        const char* posting;
    } cases[] = {
        {"the purchase complemented", "2", "78002", "", "0000000003"},
        {"a number never received", "2", "78999", "NFOrigem_Cad", ""},
        {"Moinho Paulista's invoice at the branch", "2", "877", "NFOrigem_Cad", ""},
        {"a series never received from the supplier", "3", "", "SerieOrigem_Cad", ""},
    };
    Qualify(kBebidasHorizonte);
    // Campinas asks an authorization of the supplier for complements; not for this one, of a price.
    lookups_->Execute(
        "UPDATE PARAMBLOQNFAFIL SET IDEXIGEAF = 'N' WHERE CDFILIAL = '0002' AND CDTIPOOPER = '03'");
    ASSERT_NO_FATAL_FAILURE(At("0002"));
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(NewPosting("03", kBebidasHorizonte));
        const std::string code = TypeOrigin(form->ui.dbeCdSerie, form->ui.dbeNrNotaFisc, c.series, c.number);
        EXPECT_EQ(code, c.code) << c.what << "\n" << dialogs.Describe();
        EXPECT_EQ(Related("NRLANCTONFIT"), c.posting) << c.what;
        if (*c.code) {
            EXPECT_EQ(Focused(), *c.number ? "dbeNrNotaFisc" : "dbeCdSerie") << c.what;
            continue;
        }
        EXPECT_EQ(Related("CDFILIALIT"), "0002") << c.what;
        EXPECT_EQ(Related("NRNOTAFISC"), "000078002") << c.what;
    }

    // The search lists the supplier's documents received at the branch.
    ASSERT_NO_FATAL_FAILURE(NewPosting("03", kBebidasHorizonte));
    dialogs.ExpectPick("Nota Fiscal de Origem").Where("NRNOTAFISC", "000078002");
    ASSERT_EQ(Click(*form->ui.btpNotaFiscOrigem), "") << dialogs.Describe();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(Related("CDSERIEENTR"), "2");
    EXPECT_EQ(Related("CDFILIALIT"), "0002");
    EXPECT_EQ(Related("NRLANCTONFIT"), "0000000003");
    EXPECT_EQ(Column(form->data.cdsNFOrigem, "NRNOTAFISC"),
              (std::set<std::string>{"000078002", "000078150"}));
}

// Returning the warehouse's remittance: leaving the origin group copies the items of the document it belongs
// to (the triangular purchase, 100 bags at 30.00) into a posting without items, and only then.
TEST_F(OriginServer, ARemittanceReturnCopiesTheOriginItemsOnlyIntoAPostingWithoutItems) {
    Qualify(kArmazemVale);
    ASSERT_NO_FATAL_FAILURE(At("0002"));
    for (const bool typedItem : {false, true}) {
        ASSERT_NO_FATAL_FAILURE(NewPosting("14", kArmazemVale));
        DataSet& items = form->data.cdsItemProduto;
        if (typedItem) // typed by the clerk before the origin
            testing::AddLoadedItem(items, {{"CDPRODUTO", Variant("0000000202")}});
        // The demo's remittance return is a return: its origin is typed on the return page.
        Typing(form->ui.dbeSerieSaida, "1");
        Typing(form->ui.dbeNumeroSaida, "3310");
        ASSERT_EQ(Leave(form->ui.dbeNrPlacVeic), "") << typedItem << "\n" << dialogs.Describe();
        EXPECT_EQ(Related("CDFILIALIT"), "0002");
        EXPECT_EQ(Related("NRLANCTONFIT"), "0000000008");
        EXPECT_FALSE(form->ui.dbeNumeroSaida->Enabled()) << "the reference is locked";
        ASSERT_EQ(items.RecordCount(), 1) << typedItem;
        items.First();
        if (typedItem) {
            EXPECT_EQ(items.FieldByName("CDPRODUTO").AsString(), "0000000202");
            continue;
        }
        EXPECT_EQ(items.FieldByName("CDPRODUTO").AsString(), "0000000201");
        EXPECT_EQ(items.FieldByName("SGUNIDADE").AsString(), "FD");
        EXPECT_DOUBLE_EQ(items.FieldByName("QTITEMPROD").AsFloat(), 100);
        EXPECT_DOUBLE_EQ(items.FieldByName("VRUNITITEM").AsFloat(), 30);
        EXPECT_DOUBLE_EQ(items.FieldByName("VRTOTAITEM").AsFloat(), 3000);
        EXPECT_EQ(items.FieldByName("NMPRODUTO").AsString(), "Farinha de trigo tipo 1 5 kg");
        EXPECT_EQ(items.FieldByName("DSPRODEMIS").AsString(), "Farinha de trigo tipo 1 5 kg");
    }
}

// ---- The returned quantities

// Return 0001/0000000007 brought back Maria's 000000902 whole and half of 000000915: the command computes
// again what the demo stored, and running it again changes nothing.
TEST_F(OriginServer, UpdatingTheReturnedQuantitiesTwiceStoresTheSameQuantities) {
    const auto returned = [&] {
        return lookups_
            ->Query("SELECT NRLANCTONF, NRSEQITPROD, QTITEMDEVOL FROM ITEMPRODUTO WHERE CDFILIAL = '0001'"
                    " AND NRLANCTONF IN ('0000000091', '0000000092') ORDER BY NRLANCTONF, NRSEQITPROD")
            .rows;
    };
    const auto demo = returned();
    ASSERT_EQ(demo.size(), 2u);
    lookups_->Execute("UPDATE ITEMPRODUTO SET QTITEMDEVOL = NULL WHERE CDFILIAL = '0001'"
                      " AND NRLANCTONF IN ('0000000091', '0000000092')");
    ASSERT_NO_FATAL_FAILURE(At("0001"));
    ASSERT_TRUE(form->data.cdsRomaneioNF.Locate("NRLANCTONF", Variant("0000000007"))) << "listed";
    app.Dispatch([&] { form->pgcPadrao.SelectPage(form->tshFormulario); });
    for (const int run : {1, 2}) {
        EXPECT_EQ(Click(*form->ui.btnAtuQtdDev), "") << run << "\n" << dialogs.Describe();
        EXPECT_TRUE(dialogs.Shown("QtdAtualizada")) << run << "\n" << dialogs.Describe();
        const auto stored = returned();
        ASSERT_EQ(stored.size(), demo.size());
        for (size_t i = 0; i < demo.size(); ++i)
            EXPECT_EQ(stored[i].values, demo[i].values) << "run " << run << ", item " << i;
    }
}

// ---- The CT-e municipalities

// A freight bill (type 09) names its route by IBGE codes, which the closing's check looks up in the server's
// whole municipality table.
TEST_F(OriginServer, TheCteRouteIsCheckedAgainstTheWholeMunicipalityTable) {
    struct Case {
        const char* origin;
        const char* destination;
        const char* code;
        const char* focused;
    } cases[] = {
        {"3550308", "4106902", "", ""},
        {"3550309", "4106902", "Ibge_Inv", "dbeIbgeOrig"},
        {"3550308", "3550309", "Ibge_Inv", "dbeIbgeDest"},
    };
    ASSERT_NO_FATAL_FAILURE(At("0001"));
    // The type asks where the service was rendered.
    dialogs.ExpectModal("frmLocPrestServ").Do([&](Form& f) {
        auto& place = static_cast<TfrmLocPrestServ&>(f);
        place.FocusControl(place.dbeEstado);
        app.TypeText("SP");
        place.FocusControl(place.dbeMunicipio);
        app.TypeText("50308");
        app.Click(place.bbtOK);
    });
    ASSERT_NO_FATAL_FAILURE(NewPosting("09", kRotaSul));
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    form->ui.cbbTipoCte->ChooseAsClerk(1);
    for (const Case& c : cases) {
        Typing(form->ui.dbeIbgeOrig, c.origin);
        Typing(form->ui.dbeIbgeDest, c.destination);
        Focus(form->ui.dbeNrPlacVeic);
        dialogs.ClearRecords();
        app.Dispatch([&] { form->Transport().Vd_IBGE(); });
        EXPECT_EQ(LastError(), c.code) << c.origin << " " << c.destination << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(Focused(), c.focused) << c.origin << " " << c.destination;
        }
    }
    EXPECT_EQ(Calls("GetIBGE"), 1) << "read once and kept";
    DataSet& ibge = form->data.cdsIbge;
    EXPECT_EQ(ibge.RecordCount(), 5571);
    ASSERT_TRUE(ibge.Locate("CDIBGE", Variant("4106902")));
    EXPECT_EQ(ibge.FieldByName("NMMUNICIPIO").AsString(), "Curitiba");
}

} // namespace
} // namespace dfe::dfe11000
