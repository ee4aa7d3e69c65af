#include "header_fixture.h"

#include "dfe11000/dialogs/frm_cpf_cnpj.h"
#include "platform/ui/layout_check.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kDialog = "frmCpfCnpj";

// The posting screen including a posting at branch 0001; the dialog is asked for as the closing asks.
class CpfCnpjDialog : public testing::HeaderTest {
protected:
    using Inside = std::function<void(TfrmCpfCnpj&)>;

    void SetUp() override {
        HeaderTest::SetUp();
        Include();
        form->Editing().boCancelaCpfCnpj = false;
    }

    // Opens the dialog for `control` starting from `value`; `inside` runs while it is shown and the clerk
    // then gives up unless `inside` ended it.
    void Ask(const Inside& inside, const std::string& value = "", const Control* control = nullptr) {
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmCpfCnpj&>(f);
                inside(d);
                if (d.ModalResult() == mr::None) Esc();
            })
            .Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] {
            CpfCnpj(*form, form->data.cdsNotaFiscal.FieldByName("NRINSJURNF"),
                    control ? *control : *form->ui.dbeNrInsJurNF, "Venda ao consumidor", value);
        });
        ASSERT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    }

    // Enter, then what the modal loop does with it: true when the dialog agreed to close.
    bool Enter(TfrmCpfCnpj& d) {
        app.PressKey(key::Enter);
        return d.ModalFinished();
    }
    void Esc() { app.PressKey(key::Escape); }

    std::string Errors() const {
        std::string codes;
        for (const DialogRecord& r : dialogs.Errors())
            codes += r.code + " ";
        return codes;
    }
};

TEST_F(CpfCnpjDialog, ShowsTheTypeInItsCaptionAndTheStartingNumberWithItsMask) {
    const struct {
        const char* value;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"11144477735", "111.444.777-35"},
        {"11444777000161", "11.444.777/0001-61"},
        {"12ABC34501DE35", "12.ABC.345/01DE-35"},
        {"123", "123"}, // neither: no mask
    };
    for (const auto& c : cases) {
        Ask(
            [&](TfrmCpfCnpj& d) {
                EXPECT_EQ(d.Caption(), "CPF/CNPJ Venda ao consumidor");
                EXPECT_EQ(d.lblCodTela->Caption(), "DFE11010");
                EXPECT_EQ(d.medCodigo->EditText(), c.shown) << c.value;
                EXPECT_EQ(d.ActiveControl(), d.medCodigo);
                EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
            },
            c.value);
        form->Editing().boCancelaCpfCnpj = false;
    }
}

TEST_F(CpfCnpjDialog, BesideAnEditItKeepsItsPlaceElseItIsCentredOverTheControlsForm) {
    Form& small = app.CreateForm<Form>();
    small.SetName("frmPequeno");
    Panel& panel = small.Add<Panel>("panPequeno");
    const struct {
        const char* what;
        const Control* control;
        int formLeft, formTop;
        int left, top;
    } cases[] = {
        {"the supplier's edit", form->ui.dbeNrInsJurNF, 0, 0, 312, 260},
        {"a panel of a form at 100,80 of 650x400", &panel, 100, 80, 300, 248},
        {"a panel of a form partly off the screen", &panel, -300, -200, 0, 0},
    };
    for (const auto& c : cases) {
        small.SetBounds(c.formLeft, c.formTop, 650, 400);
        Ask(
            [&](TfrmCpfCnpj& d) {
                EXPECT_EQ(d.Left(), c.left) << c.what;
                EXPECT_EQ(d.Top(), c.top) << c.what;
            },
            "", c.control);
        form->Editing().boCancelaCpfCnpj = false;
    }
}

TEST_F(CpfCnpjDialog, RefusesAnEmptyInvalidOrSuppliersNumberAndStaysOpenOnTheEdit) {
    const struct {
        const char* typed;
        const char* code;
        const char* text;
    } cases[] = {
        {"", "CPFCNPJ_Inf", "CPF/CNPJ deve ser informado."},
        {"52998224724", "CPFCNPJ_Inv", "CPF/CNPJ inválido."},
        {"11444777000162", "CPFCNPJ_Inv", "CPF/CNPJ inválido."},
        {"11222333000181", "Forn_Cad", "Operação não permitida, fornecedor cadastrado!"},
        {"12345678909", "Forn_Cad", "Operação não permitida, fornecedor cadastrado!"},    // a person
        {"12abc34501de35", "Forn_Cad", "Operação não permitida, fornecedor cadastrado!"}, // upper-cased
    };
    for (const auto& c : cases) {
        Ask([&](TfrmCpfCnpj& d) {
            app.TypeText(c.typed);
            EXPECT_FALSE(Enter(d)) << c.typed;
            ASSERT_EQ(Errors(), std::string(c.code) + " ") << c.typed;
            EXPECT_EQ(dialogs.Errors().back().text, c.text);
            EXPECT_TRUE(d.Visible()) << c.typed;
            EXPECT_EQ(d.ActiveControl(), d.medCodigo) << c.typed;
            EXPECT_EQ(Header("NRCPFCNPJNF"), "") << c.typed;
        });
        EXPECT_TRUE(form->Editing().boCancelaCpfCnpj);
        form->Editing().boCancelaCpfCnpj = false;
    }
}

TEST_F(CpfCnpjDialog, ANewNumberGoesToTheHeaderAndTakesItsMask) {
    const struct {
        const char* typed;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"11144477735", "11144477735", "111.444.777-35"},
        {"11444777000161", "11444777000161", "11.444.777/0001-61"},
        {"12abc34501dc73", "12ABC34501DC73", "12.ABC.345/01DC-73"},
    };
    for (const auto& c : cases) {
        form->data.cdsNotaFiscal.FieldByName("NRCPFCNPJNF").SetAsString("");
        Ask([&](TfrmCpfCnpj& d) {
            app.TypeText(c.typed);
            EXPECT_TRUE(Enter(d)) << c.typed << "\n" << dialogs.Describe();
            EXPECT_EQ(Header("NRCPFCNPJNF"), c.stored);
            EXPECT_EQ(d.medCodigo->EditText(), c.shown);
        });
        EXPECT_EQ(Errors(), "") << c.typed;
        EXPECT_FALSE(form->Editing().boCancelaCpfCnpj);
    }
}

TEST_F(CpfCnpjDialog, LeavingTheEditChecksAndClosesTheDialog) {
    Ask([&](TfrmCpfCnpj& d) {
        app.TypeText("52998224724");
        app.Dispatch([&] { d.FocusControl(nullptr); });
        EXPECT_EQ(Errors(), "CPFCNPJ_Inv ");
        EXPECT_EQ(d.ModalResult(), mr::None);
        EXPECT_EQ(d.ActiveControl(), d.medCodigo);

        d.medCodigo->SetText("11144477735");
        app.Dispatch([&] { d.FocusControl(nullptr); });
        EXPECT_NE(d.ModalResult(), mr::None);
        EXPECT_EQ(Header("NRCPFCNPJNF"), "11144477735");
    });
}

TEST_F(CpfCnpjDialog, WithTheHeaderNotEditedOnlyAnEmptyNumberIsRefused) {
    Cancel();
    Ask([&](TfrmCpfCnpj& d) {
        EXPECT_FALSE(Enter(d));
        EXPECT_EQ(Errors(), "CPFCNPJ_Inf ");
        app.TypeText("123");
        EXPECT_TRUE(Enter(d));
    });
    EXPECT_EQ(Errors(), "CPFCNPJ_Inf ");
    EXPECT_EQ(Header("NRCPFCNPJNF"), "");
}

TEST_F(CpfCnpjDialog, TheClosingAsksForItAndEscGivesUpWithoutAskingAgain) {
    DefineOperationType("T1", {{"IDINFCPFCNPJNF", "S"}, {"DSOPERNFAVISTA", "Venda ao consumidor"}});
    form->Header().SetCurrentType("T1");
    form->Header().ReopenTipoOperacForCurrent();
    ASSERT_EQ(form->lookups.qryTipoOperac.FieldByName("IDINFCPFCNPJNF").AsString(), "S");

    // Given up: the closing refuses with its own message, the dialog is not shown again.
    dialogs.ExpectModal(kDialog).Do([&](Form& f) {
        auto& d = static_cast<TfrmCpfCnpj&>(f);
        app.TypeText("5299");
        Esc();
        EXPECT_EQ(d.medCodigo->Text(), "");
        EXPECT_NE(d.ModalResult(), mr::None);
    });
    EXPECT_EQ(Run([&] { form->Editing().ValidaCampos(); }), "CPFCNPJ_Inf");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(dialogs.Errors().size(), 1u) << dialogs.Describe();
    EXPECT_EQ(dialogs.Errors().back().text, form->msgPadrao.Msg("CPFCNPJ_Inf"));
    EXPECT_TRUE(form->Editing().boCancelaCpfCnpj);
    EXPECT_EQ(Header("NRCPFCNPJNF"), "");

    // Confirmed: the number reaches the header and the closing goes on to its next checks.
    form->Editing().boCancelaCpfCnpj = false;
    dialogs.ExpectModal(kDialog).Do([&](Form& f) {
        EXPECT_EQ(f.Caption(), "CPF/CNPJ Venda ao consumidor");
        app.TypeText("11144477735");
        app.PressKey(key::Enter);
    });
    const std::string code = Run([&] { form->Editing().ValidaCampos(); });
    EXPECT_NE(code, "CPFCNPJ_Inf");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(Header("NRCPFCNPJNF"), "11144477735");
}

} // namespace
} // namespace dfe::dfe11000
