#include "module_fixture.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

class KeyboardHook : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        testing::PrepareRecordPage(*form);
        Cli_dfe11000().stColunaDesc = "VRDESCITEM";
    }

    // Runs the hook for one key-down with the focus on `control`; returns the key as the hook left it.
    int Hook(Control* control, int keyCode) {
        if (form->ActiveControl() != control) {
            // Entering the item grid selects its first column; the column the case chose stays.
            DetachedHandler<NotifyEvent> entering(form->ui.dbgItemProduto->OnEnter);
            control->SetFocus();
        }
        Message message{MessageKind::KeyDown, keyCode, {}};
        bool handled = false;
        form->Keys().OnMessage(message, handled);
        return message.key;
    }

    // A new item row on the column, started without the item rules (they are not what is tested here).
    void EditItemOn(const char* field) {
        DetachedHandler<DataSet::Handler> start(form->data.cdsItemProduto.BeforeInsert);
        form->data.cdsItemProduto.Append();
        SelectColumn(field);
    }
    // The column's own rules are not the hook's: the selection is put there as it is.
    void SelectColumn(const char* field) {
        DetachedHandler<NotifyEvent> leave(form->ui.dbgItemProduto->OnColExit);
        DetachedHandler<NotifyEvent> enter(form->ui.dbgItemProduto->OnColEnter);
        form->ui.dbgItemProduto->SetSelectedField(field);
    }

    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(KeyboardHook, EnterMovesOnExceptOnTheDiscountColumnAndTheDocumentTotal) {
    struct Case {
        const char* what;
        std::function<Control*(TfrmLancNFEntrada&)> control;
        const char* kind;
        const char* itemField; // the item being edited on this column; empty: items browsed
        bool installments;     // the installments page is enabled
        const char* useInstallments;
        int expected;
    };
    // A field whose exit has no rule, so that moving on from it cannot be refused.
    auto serie = [](TfrmLancNFEntrada& f) -> Control* { return f.ui.dbeCdInscEsta; };
    auto items = [](TfrmLancNFEntrada& f) -> Control* { return f.ui.dbgItemProduto; };
    auto total = [](TfrmLancNFEntrada& f) -> Control* { return f.ui.dbeVrNotaFisc; };
    const Case cases[] = {
        {"plain field", serie, "00", "", true, "S", key::Tab},
        {"discount column", items, "00", "VRDESCITEM", true, "S", key::Enter},
        {"discount column, 07", items, "07", "VRDESCITEM", true, "S", key::Tab},
        {"discount column, 09", items, "09", "VRDESCITEM", true, "S", key::Tab},
        {"discount column, 10", items, "10", "VRDESCITEM", true, "S", key::Tab},
        {"item total, 03", items, "03", "VRTOTAITEM", true, "S", key::Enter},
        {"item total, 00", items, "00", "VRTOTAITEM", true, "S", key::Tab},
        {"other column", items, "00", "QTITEMPROD", true, "S", key::Tab},
        {"discount column, items browsed", items, "00", "", true, "S", key::Tab},
        {"total to installments", total, "00", "", true, "S", key::None},
        {"total, 11", total, "11", "", true, "S", key::Tab},
        {"total, 07, no installments page", total, "07", "", false, "S", key::Tab},
        {"total, 09, no installments page", total, "09", "", false, "S", key::Tab},
        {"total, posting without installments", total, "00", "", false, "N", key::Tab},
        {"total, installments page off", total, "00", "", false, "S", key::Enter},
    };
    // Where Enter goes is the hook's; what entering the installments grid does is the payables' own.
    DetachedHandler<NotifyEvent> installments(form->ui.dbgContaPagar->OnEnter);
    for (const Case& c : cases) {
        form->pgcPadrao.SetActivePage(&form->tshFormulario);
        form->Header().SetCurrentType(c.kind);
        form->ui.tshVencimento->SetEnabled(c.installments);
        form->data.cdsRomaneioNF.Edit();
        form->data.cdsRomaneioNF.FieldByName("IDUTILVENC").SetAsString(c.useInstallments);
        form->data.cdsRomaneioNF.Post();
        if (*c.itemField) {
            EditItemOn(c.itemField);
        } else {
            SelectColumn("VRDESCITEM");
        }
        EXPECT_EQ(Hook(c.control(*form), key::Enter), c.expected) << c.what;
        if (c.expected == key::None) {
            EXPECT_EQ(form->pgcPadrao.ActivePage(), form->ui.tshVencimento) << c.what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbgContaPagar) << c.what;
        }
        form->data.cdsItemProduto.Cancel();
    }
}

TEST_F(KeyboardHook, TabOnTheDiscountColumnBecomesEnter) {
    struct Case {
        const char* kind;
        const char* field;
        int expected;
    };
    const Case cases[] = {{"00", "VRDESCITEM", key::Enter}, {"03", "VRDESCITEM", key::Enter},
                          {"07", "VRDESCITEM", key::Tab},   {"09", "VRDESCITEM", key::Tab},
                          {"10", "VRDESCITEM", key::Tab},   {"00", "QTITEMPROD", key::Tab}};
    for (const Case& c : cases) {
        form->Header().SetCurrentType(c.kind);
        EditItemOn(c.field);
        EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::Tab), c.expected) << c.kind << " " << c.field;
        form->data.cdsItemProduto.Cancel();
    }
    Cli_dfe11000().stColunaDesc = "VRDESPERITEM";
    EditItemOn("VRDESCITEM");
    EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::Tab), key::Tab);
    form->data.cdsItemProduto.Cancel();
}

TEST_F(KeyboardHook, UpGoesBackAndDownMovesOnOutsideGrids) {
    form->ui.dbeNumero->SetFocus();
    EXPECT_EQ(Hook(form->ui.dbeNumero, key::Up), key::None);
    EXPECT_EQ(form->ActiveControl(), form->FindNextControl(form->ui.dbeNumero, false));
    EXPECT_EQ(Hook(form->ui.dbeSerie, key::Down), key::Tab);
    EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::Down), key::Down);
    EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::Up), key::Up);
}

TEST_F(KeyboardHook, ThePeriodTypesTheCommaOnlyInNumberFieldsWithACommaSeparator) {
    struct Case {
        const char* what;
        char separator;
        int key;
        bool onTotal; // the float edit; else the series edit
        int expected;
    };
    const Case cases[] = {
        {"period on a float edit", ',', key::Period, true, key::Comma},
        {"keypad decimal on a float edit", ',', key::Decimal, true, key::Comma},
        {"period on a text edit", ',', key::Period, false, key::Period},
        {"separator is the period", '.', key::Period, true, key::Period},
        {"keypad with period separator", '.', key::Decimal, true, key::Decimal},
    };
    for (const Case& c : cases) {
        app.SetDecimalSeparator(c.separator);
        EXPECT_EQ(Hook(c.onTotal ? static_cast<Control*>(form->ui.dbeVrNotaFisc) : form->ui.dbeSerie, c.key),
                  c.expected)
            << c.what;
    }
    app.SetDecimalSeparator(',');
    SelectColumn("VRTOTAITEM");
    EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::Period), key::Comma);
    form->ui.dbgItemProduto->SetSelectedField("CDARVPROD");
    EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::Period), key::Period);
}

TEST_F(KeyboardHook, WithCtrlHeldNothingIsRewritten) {
    app.SetCtrlDown(true);
    EXPECT_EQ(Hook(form->ui.dbeSerie, key::Enter), key::Enter);
    EXPECT_EQ(Hook(form->ui.dbeSerie, key::Down), key::Down);
    EXPECT_EQ(Hook(form->ui.dbeVrNotaFisc, key::Period), key::Period);
    EXPECT_EQ(Hook(form->ui.dbgItemProduto, key::PageDown), key::PageDown);
    EXPECT_EQ(form->ActiveControl(), form->ui.dbgItemProduto);
    app.SetCtrlDown(false);
}

TEST_F(KeyboardHook, PageKeysAreLeftAloneWhileTheBranchIsChosen) {
    form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    form->ui.medCdFilial->SetFocus();
    EXPECT_EQ(Hook(form->ui.medCdFilial, key::PageDown), key::PageDown);
    EXPECT_EQ(Hook(form->ui.medCdFilial, key::PageUp), key::PageUp);
    EXPECT_EQ(form->ActiveControl(), form->ui.medCdFilial);
}

TEST_F(KeyboardHook, PageDownAndPageUpJumpBetweenTheGroups) {
    using Pick = std::function<Control*(TfrmLancNFEntrada&)>;
    using Setup = std::function<void(TfrmLancNFEntrada&)>;
    struct Case {
        const char* what;
        int key;
        Pick from;
        Pick to;
        Setup setup;
    };
    auto none = [](TfrmLancNFEntrada&) {};
    const Case cases[] = {
        {"supplier -> issue date", key::PageDown, [](auto& f) -> Control* { return f.ui.dbeNrInsJurNF; },
         [](auto& f) -> Control* { return f.ui.dbdDtEmissao; }, none},
        {"customer page -> issue date", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbeNrInsJurClie; },
         [](auto& f) -> Control* { return f.ui.dbdDtEmissao; },
         [](auto& f) { f.ui.nbkDestino->SetPageIndex(0); }},
        {"state registration -> issue date", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbeCdInscEsta; },
         [](auto& f) -> Control* { return f.ui.dbdDtEmissao; }, none},
        {"recipient -> item grid", key::PageDown, [](auto& f) -> Control* { return f.ui.edtNmDestReme; },
         [](auto& f) -> Control* { return f.ui.dbgItemProduto; }, none},
        {"recipient -> supplier items grid", key::PageDown,
         [](auto& f) -> Control* { return f.ui.edtNmDestReme; },
         [](auto& f) -> Control* { return f.ui.dbgItemsNFForn; },
         [](auto& f) { f.ui.nbkItensNF->SetPageIndex(2); }},
        {"item grid -> item taxes", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgItemProduto; },
         [](auto& f) -> Control* { return f.ui.dbgItemProImpos; }, none},
        {"item grid -> charges", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgItemProduto; },
         [](auto& f) -> Control* { return f.ui.dbgItemEncargo; },
         [](auto& f) { f.ui.dbgItemProImpos->SetEnabled(false); }},
        {"item grid -> total", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgItemProduto; },
         [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) {
             f.ui.dbgItemProImpos->SetEnabled(false);
             f.ui.dbgItemEncargo->SetEnabled(false);
         }},
        {"issuer's product -> item taxes", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbeCdProdEmiss; },
         [](auto& f) -> Control* { return f.ui.dbgItemProImpos; }, none},
        {"item taxes -> document taxes", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbgItemProImpos; },
         [](auto& f) -> Control* { return f.ui.dbgImposNFTot; }, none},
        {"document taxes -> charges", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgImposNFTot; },
         [](auto& f) -> Control* { return f.ui.dbgItemEncargo; }, none},
        {"document taxes, charges disabled: stays", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbgImposNFTot; },
         [](auto& f) -> Control* { return f.ui.dbgImposNFTot; },
         [](auto& f) { f.ui.dbgItemEncargo->SetEnabled(false); }},
        {"charges -> total", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgItemEncargo; },
         [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; }, none},
        {"additional data -> installments", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbgDadosAdic; },
         [](auto& f) -> Control* { return f.ui.dbgContaPagar; }, none},
        {"entry without invoice -> installments", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbgItemSemNF; },
         [](auto& f) -> Control* { return f.ui.dbgContaPagar; },
         [](auto& f) { f.ui.nbkTransport->SetPageIndex(1); }},
        {"total -> installments", key::PageDown, [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) -> Control* { return f.ui.dbgContaPagar; }, none},
        {"total -> entry without invoice", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) -> Control* { return f.ui.dbgItemSemNF; },
         [](auto& f) { f.ui.nbkTransport->SetPageIndex(1); }},
        {"list -> supplier", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgPadrao; },
         [](auto& f) -> Control* { return f.ui.dbeNrInsJurNF; },
         [](auto& f) { f.pgcPadrao.SetActivePage(&f.tshFolhaDados); }},
        {"list -> branch participant", key::PageDown, [](auto& f) -> Control* { return f.ui.dbgPadrao; },
         [](auto& f) -> Control* { return f.ui.dbeCdFilial; },
         [](auto& f) {
             f.ui.nbkDestino->SetPageIndex(2);
             f.pgcPadrao.SetActivePage(&f.tshFolhaDados);
         }},
        {"list -> series when the participant is disabled", key::PageDown,
         [](auto& f) -> Control* { return f.ui.dbgPadrao; },
         [](auto& f) -> Control* { return f.ui.dbeSerie; },
         [](auto& f) {
             f.ui.dbeNrInsJurNF->SetEnabled(false);
             f.pgcPadrao.SetActivePage(&f.tshFolhaDados);
         }},

        {"supplier -> list", key::PageUp, [](auto& f) -> Control* { return f.ui.dbeNrInsJurNF; },
         [](auto& f) -> Control* { return f.ui.dbgPadrao; }, none},
        {"state registration -> supplier", key::PageUp,
         [](auto& f) -> Control* { return f.ui.dbeCdInscEsta; },
         [](auto& f) -> Control* { return f.ui.dbeNrInsJurNF; }, none},
        {"recipient -> customer", key::PageUp, [](auto& f) -> Control* { return f.ui.edtNmDestReme; },
         [](auto& f) -> Control* { return f.ui.dbeNrInsJurClie; },
         [](auto& f) { f.ui.nbkDestino->SetPageIndex(0); }},
        {"item grid -> issue date", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgItemProduto; },
         [](auto& f) -> Control* { return f.ui.dbdDtEmissao; }, none},
        {"related documents -> issue date", key::PageUp,
         [](auto& f) -> Control* { return f.ui.dbgItemNotaFisc; },
         [](auto& f) -> Control* { return f.ui.dbdDtEmissao; },
         [](auto& f) { f.ui.nbkItensNF->SetPageIndex(1); }},
        {"item taxes -> item grid", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgItemProImpos; },
         [](auto& f) -> Control* { return f.ui.dbgItemProduto; }, none},
        {"issuer's product -> item grid", key::PageUp,
         [](auto& f) -> Control* { return f.ui.dbeCdProdEmiss; },
         [](auto& f) -> Control* { return f.ui.dbgItemProduto; }, none},
        {"document taxes -> item taxes", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgImposNFTot; },
         [](auto& f) -> Control* { return f.ui.dbgItemProImpos; }, none},
        {"charges -> document taxes", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgItemEncargo; },
         [](auto& f) -> Control* { return f.ui.dbgImposNFTot; }, none},
        {"charges -> item grid", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgItemEncargo; },
         [](auto& f) -> Control* { return f.ui.dbgItemProduto; },
         [](auto& f) { f.ui.dbgImposNFTot->SetEnabled(false); }},
        {"additional data -> total", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgDadosAdic; },
         [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; }, none},
        {"additional data, 11 -> entry without invoice", key::PageUp,
         [](auto& f) -> Control* { return f.ui.dbgDadosAdic; },
         [](auto& f) -> Control* { return f.ui.dbgItemSemNF; },
         [](auto& f) {
             f.Header().SetCurrentType("11");
             f.ui.nbkTransport->SetPageIndex(1);
         }},
        {"total -> charges", key::PageUp, [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) -> Control* { return f.ui.dbgItemEncargo; }, none},
        {"total -> item grid", key::PageUp, [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) -> Control* { return f.ui.dbgItemProduto; },
         [](auto& f) { f.ui.dbgItemEncargo->SetEnabled(false); }},
        {"entry without invoice -> total", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgItemSemNF; },
         [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) { f.ui.nbkTransport->SetPageIndex(1); }},
        {"installments -> total", key::PageUp, [](auto& f) -> Control* { return f.ui.dbgContaPagar; },
         [](auto& f) -> Control* { return f.ui.dbeVrNotaFisc; },
         [](auto& f) { f.pgcPadrao.SetActivePage(f.ui.tshVencimento); }},
    };
    for (const Case& c : cases) {
        // A fresh arrangement: every target enabled, first pages shown, kind "00", record page active.
        for (Control* control :
             {static_cast<Control*>(form->ui.dbgItemProImpos), static_cast<Control*>(form->ui.dbgItemEncargo),
              static_cast<Control*>(form->ui.dbgImposNFTot), static_cast<Control*>(form->ui.dbeNrInsJurNF)})
            control->SetEnabled(true);
        form->ui.nbkDestino->SetPageIndex(1);
        form->ui.nbkItensNF->SetPageIndex(0);
        form->ui.nbkTransport->SetPageIndex(0);
        form->Header().SetCurrentType("00");
        form->pgcPadrao.SetActivePage(&form->tshFormulario);
        form->ui.tshVencimento->SetEnabled(true);
        form->data.dtsRomaneioNF->SetEnabled(true);
        c.setup(*form);
        EXPECT_EQ(Hook(c.from(*form), c.key), key::None) << c.what;
        EXPECT_EQ(form->ActiveControl(), c.to(*form))
            << c.what << ": focus on " << (form->ActiveControl() ? form->ActiveControl()->Name() : "nothing");
    }
}

} // namespace
} // namespace dfe::dfe11000
