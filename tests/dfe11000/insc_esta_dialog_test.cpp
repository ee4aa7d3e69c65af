#include "header_fixture.h"

#include "dfe11000/dialogs/frm_insc_esta.h"
#include "dfe11000/dialogs/insc_esta_rules.h"
#include "platform/ui/layout_check.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kDialog = "frmInscEsta";

// The posting screen including a posting of type 01 at branch 0001, the head office of company 01, where
// company 02 holds two registrations under contract.
class InscEstaDialog : public testing::HeaderTest {
protected:
    using Inside = std::function<void(TfrmInscEsta&)>;

    void SetUp() override {
        HeaderTest::SetUp();
        Include();
        form->data.cdsNotaFiscal.FieldByName("CDEMPRESA").SetAsString("01");
        form->data.cdsNotaFiscal.FieldByName("CDTIPOOPER").SetAsString("01");
        form->ui.dbeCdTipoOper->SetText("01");
    }
    void TearDown() override {
        Cli_dfe11000().stInscEstaImp.clear();
        Cli_dfe11000().stEmpresaImpNFE.clear();
    }

    // Runs the choice; `inside` runs while it is shown and the clerk then cancels unless it ended it.
    bool Choose(const Inside& inside, bool importing = false) {
        bool answer = false;
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmInscEsta&>(f);
                inside(d);
                if (d.ModalResult() == mr::None && d.Visible()) app.Click(d.bbtCancelar);
            })
            .Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] { answer = CriaInscEsta(*form, importing); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        return answer;
    }

    // Types the registration and confirms: true when the dialog then ends.
    bool Confirm(TfrmInscEsta& d, const std::string& registration) {
        d.edtInscEsta->SetText(registration);
        app.Click(d.bbtOK);
        return d.ModalResult() != mr::None;
    }

    std::string Errors() const {
        std::string codes;
        for (const DialogRecord& r : dialogs.Errors())
            codes += r.code + " ";
        return codes;
    }
};

TEST_F(InscEstaDialog, ShowsAsDesignedWithTheRegistrationEditFocused) {
    EXPECT_FALSE(Choose(
        [&](TfrmInscEsta& d) {
            EXPECT_EQ(d.Caption(), "Inscrição Estadual");
            EXPECT_EQ(d.lblCodTela.Caption(), "DFE11250");
            EXPECT_EQ(d.ActiveControl(), d.edtInscEsta);
            EXPECT_TRUE(d.Rules().boImporta);
            EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
        },
        true));
}

TEST_F(InscEstaDialog, OnlyDigitsAndLettersAreTypedUpToSixteenAndPastingIsAllowed) {
    Choose([&](TfrmInscEsta& d) {
        app.TypeText("12.3a-B/4 ç");
        EXPECT_EQ(d.edtInscEsta->Text(), "123aB4");
        app.PressKey(key::Back);
        EXPECT_EQ(d.edtInscEsta->Text(), "123aB");
        app.SetClipboard("6789");
        app.PressKey('V', ShiftState{.ctrl = true});
        EXPECT_EQ(d.edtInscEsta->Text(), "123aB6789");
        app.TypeText("0123456789");
        EXPECT_EQ(d.edtInscEsta->Text(), "123aB67890123456");
    });
}

TEST_F(InscEstaDialog, RefusesAnEmptyOrUnknownRegistrationAndStaysOpen) {
    const struct {
        const char* company;  // of the header
        const char* imported; // the company of an imported document
        const char* typed;
        const char* code;
        const char* text;
    } cases[] = {
        {"01", "", "  ", "Insc_Inf", "Inscrição estadual deve ser informada."},
        {"01", "", "999", "Insc_N_cad", "Inscrição estadual não cadastrada."},
        {"01", "", "244123456117", "Insc_N_cad", "Inscrição estadual não cadastrada."},   // of branch 0002
        {"01", "", "336123450127", "Insc_N_cad", "Inscrição estadual não cadastrada."},   // company 02's
        {"02", "01", "336123450127", "Insc_N_cad", "Inscrição estadual não cadastrada."}, // imported wins
    };
    for (const auto& c : cases) {
        form->data.cdsNotaFiscal.FieldByName("CDEMPRESA").SetAsString(c.company);
        form->data.cdsNotaFiscal.FieldByName("CDINSCESTA").SetAsString("110042490114");
        Cli_dfe11000().stEmpresaImpNFE = c.imported;
        Cli_dfe11000().stChaveAcesso = "KEY";
        const bool chosen = Choose([&](TfrmInscEsta& d) {
            EXPECT_FALSE(Confirm(d, c.typed)) << c.typed;
            ASSERT_EQ(Errors(), std::string(c.code) + " ") << c.typed;
            EXPECT_EQ(dialogs.Errors().back().text, c.text);
            EXPECT_EQ(d.ActiveControl(), d.edtInscEsta);
            EXPECT_TRUE(d.Visible());
        });
        EXPECT_FALSE(chosen) << c.typed;
        EXPECT_EQ(Header("CDINSCESTA"), "110042490114") << c.typed;
        EXPECT_EQ(Cli_dfe11000().stInscEstaImp, "") << c.typed;
        EXPECT_EQ(Cli_dfe11000().stChaveAcesso, "") << c.typed; // cleared by the cancel
    }
}

TEST_F(InscEstaDialog, AConfirmedRegistrationGoesToTheHeaderWithTheTypedOperationType) {
    form->lookups.qryFiliRece.Close();
    form->lookups.qryFiliRece.ParamByName("P_CDFILIAL") = Variant("0001");
    form->lookups.qryFiliRece.Open();
    const struct {
        const char* what;
        const char* company;
        const char* imported;
        const char* typed;
    } cases[] = {
        {"the branch's own", "01", "", "110042490114"},
        {"under contract", "02", "", "336123450127"},
        {"of the imported company", "01", "02", "336123450119"},
        {"of the receiving branch's company", "", "", "110042490114"},
    };
    for (const auto& c : cases) {
        form->data.cdsNotaFiscal.FieldByName("CDEMPRESA").SetAsString(c.company);
        form->data.cdsNotaFiscal.FieldByName("CDINSCESTA").SetAsString("");
        form->Header().SetCurrentType("00");
        Cli_dfe11000().stEmpresaImpNFE = c.imported;
        Cli_dfe11000().stInscEstaImp = "OLD";
        const bool chosen = Choose(
            [&](TfrmInscEsta& d) { EXPECT_TRUE(Confirm(d, c.typed)) << c.what << dialogs.Describe(); });
        EXPECT_TRUE(chosen) << c.what;
        EXPECT_EQ(Errors(), "") << c.what;
        EXPECT_EQ(Header("CDINSCESTA"), c.typed) << c.what;
        EXPECT_EQ(Cli_dfe11000().stInscEstaImp, c.typed) << c.what;
        EXPECT_EQ(form->Header().CurrentType(), "01") << c.what;
        EXPECT_EQ(Header("CDTIPOOPER"), "01") << c.what;
        EXPECT_EQ(form->ui.dbeCdTipoOper->Text(), "01") << c.what;
    }
}

TEST_F(InscEstaDialog, AHeaderNotOpenIsCreatedAndABrowsedOneIsPutIntoEdit) {
    // Browsed: the header goes into edit with the working tax totals open.
    Cancel();
    form->data.cdsTrabImposNFTot.Close();
    ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Browse);
    EXPECT_TRUE(Choose([&](TfrmInscEsta& d) { EXPECT_TRUE(Confirm(d, "110042490114")); }));
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    EXPECT_TRUE(form->data.cdsTrabImposNFTot.Active());
    EXPECT_EQ(Header("CDINSCESTA"), "110042490114");

    // Not open: created empty, and the registration starts a new header.
    form->data.cdsNotaFiscal.Cancel();
    form->data.cdsNotaFiscal.Close();
    EXPECT_TRUE(Choose([&](TfrmInscEsta& d) { EXPECT_TRUE(Confirm(d, "110042490114")); }));
    ASSERT_TRUE(form->data.cdsNotaFiscal.Active());
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Insert);
    EXPECT_EQ(Header("CDINSCESTA"), "110042490114");
    EXPECT_EQ(Header("CDTIPOOPER"), "01");
}

TEST_F(InscEstaDialog, LeavingTheCompanyWithSeveralRegistrationsAtTheBranchAsksForOne) {
    Type("CDEMPRESA", "2");
    dialogs.ExpectModal(kDialog).Do([&](Form& f) {
        auto& d = static_cast<TfrmInscEsta&>(f);
        d.edtInscEsta->SetText("336123450127");
        app.Click(d.bbtOK);
    });
    EXPECT_EQ(Run([&] { form->Header().dbeCdEmpresaExit(); }), "");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_TRUE(Cli_dfe11000().boRetornoInscEsta);
    EXPECT_EQ(Header("CDINSCESTA"), "336123450127");
    EXPECT_EQ(Header("CDINSCMUNI"), "12345002");
}

} // namespace
} // namespace dfe::dfe11000
