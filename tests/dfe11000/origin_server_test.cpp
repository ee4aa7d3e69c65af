#include "header_fixture.h"

#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/posting/posting_list.h"
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
        dialogs.ClearRecords();
        app.Click(button);
        return LastError();
    }
    std::string LastError() const {
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string() : errors.back().code;
    }
    std::string Focused() const { return form->ActiveControl() ? form->ActiveControl()->Name() : "(none)"; }
    std::string Header(const char* field) const {
        return form->data.cdsNotaFiscal.FieldByName(field).AsString();
    }

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
    At("0001");
    for (const Case& c : cases) {
        NewPosting("07", c.customer);
        const int loads = Calls("GetItemProduto");
        Typing(form->ui.dbeSerieSaida, c.series);
        std::string code = Leave(form->ui.dbeNumeroSaida);
        if (code.empty()) {
            Typing(form->ui.dbeNumeroSaida, c.number);
            code = Leave(form->ui.dbeSerieSaida);
        }
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

} // namespace
} // namespace dfe::dfe11000
