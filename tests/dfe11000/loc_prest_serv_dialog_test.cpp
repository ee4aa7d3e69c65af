#include "header_fixture.h"

#include "dfe11000/dialogs/frm_loc_prest_serv.h"
#include "dfe11000/dialogs/loc_prest_serv_rules.h"
#include "platform/ui/layout_check.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kDialog = "frmLocPrestServ";

// The posting screen including a posting at branch 0001; the place is asked from the municipalities of
// the test database, read by name so that their codes may be whatever the table numbers them.
class LocPrestServDialog : public testing::HeaderTest {
protected:
    using Inside = std::function<void(TfrmLocPrestServ&)>;

    void SetUp() override {
        HeaderTest::SetUp();
        Include();
        campinas = Code("SP", "Campinas");
        curitiba = Code("PR", "Curitiba");
    }

    std::string Code(const char* state, const char* name) {
        const Packet rows = lookups_->Query("SELECT CDMUNICIPIO FROM MUNICIPIO WHERE CDPAIS = '0055' AND "
                                            "SGESTADO = :P_S AND NMMUNICIPIO = :P_N",
                                            {{"P_S", Variant(state)}, {"P_N", Variant(name)}});
        EXPECT_EQ(rows.rows.size(), 1u) << name;
        return rows.rows.empty() ? std::string() : rows.rows[0].values[0].AsString();
    }

    // Runs the dialog; `inside` runs while it is shown and the clerk then presses Esc unless it ended it.
    bool Ask(const Inside& inside) {
        bool answer = false;
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmLocPrestServ&>(f);
                inside(d);
                if (d.ModalResult() == mr::None && d.Visible()) app.PressKey(key::Escape);
            })
            .Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] { answer = CriaLocPrestServ(*form); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        return answer;
    }

    void TypeInto(TfrmLocPrestServ& d, Control* edit, const std::string& text) {
        d.FocusControl(edit);
        edit->SetText("");
        app.TypeText(text);
    }

    std::string Errors() const {
        std::string codes;
        for (const DialogRecord& r : dialogs.Errors())
            codes += r.code + " ";
        return codes;
    }

    std::string campinas, curitiba;
};

TEST_F(LocPrestServDialog, ShowsAsDesignedOverTheHeader) {
    form->data.cdsNotaFiscal.Post();
    ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Browse);
    Ask([&](TfrmLocPrestServ& d) {
        EXPECT_EQ(d.Caption(), "Local da Prestação do Serviço");
        EXPECT_EQ(d.lblCodTela.Caption(), "DFE11280");
        EXPECT_EQ(d.ActiveControl(), d.dbeEstado);
        EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
        // The creator put the browsed header into edit: the edits write it.
        EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    });
}

TEST_F(LocPrestServDialog, TheStateTakesLettersInUpperCaseAndTheMunicipalityDigits) {
    Ask([&](TfrmLocPrestServ& d) {
        TypeInto(d, d.dbeEstado, "s1-p");
        EXPECT_EQ(d.dbeEstado->Text(), "SP");
        d.FocusControl(d.dbeMunicipio);
        app.TypeText("0a9.5-");
        EXPECT_EQ(d.dbeMunicipio->Text(), "095");
    });
}

TEST_F(LocPrestServDialog, ConfirmingRefusesAnIncompleteOrUnknownPlaceAndStaysOpen) {
    const struct {
        const char* state;
        std::string municipality;
        const char* code;
        const char* text;
        bool onState; // the focus goes back to the state, else to the municipality
    } cases[] = {
        {"", "", "Estado_Inf", "Estado deve ser informado.\n", true},
        {"ZZ", "", "Estado_N_Cad", "Estado não cadastrado.", true},
        {"SP", "", "Muni_Inf", "Município deve ser informado.", false},
        {"SP", curitiba, "Muni_N_Cad", "Município não cadastrado.", false}, // a code of another state
    };
    for (const auto& c : cases) {
        const bool accepted = Ask([&](TfrmLocPrestServ& d) {
            form->data.cdsNotaFiscal.FieldByName("SGESTADO").SetAsString(c.state);
            form->data.cdsNotaFiscal.FieldByName("CDMUNICIPIO").SetAsString(c.municipality);
            app.Click(d.bbtOK);
            ASSERT_EQ(Errors(), std::string(c.code) + " ") << c.state << c.municipality;
            EXPECT_EQ(dialogs.Errors().back().text, c.text);
            EXPECT_EQ(d.ActiveControl(), c.onState ? static_cast<Control*>(d.dbeEstado) : d.dbeMunicipio);
            EXPECT_EQ(d.ModalResult(), mr::None);
            EXPECT_FALSE(d.Rules().boConfirma);
        });
        EXPECT_FALSE(accepted) << c.code;
    }
}

TEST_F(LocPrestServDialog, AValidPlaceIsWrittenToTheHeaderAndRememberedForThePosting) {
    EXPECT_TRUE(Ask([&](TfrmLocPrestServ& d) {
        TypeInto(d, d.dbeEstado, "sp");
        TypeInto(d, d.dbeMunicipio, campinas);
        EXPECT_EQ(d.dbeNmEstado->Text(), "São Paulo"); // shown on leaving the state
        app.Click(d.bbtOK);
        EXPECT_EQ(Errors(), "");
    }));
    EXPECT_EQ(Header("SGESTADO"), "SP");
    EXPECT_EQ(Header("CDMUNICIPIO"), campinas);
    EXPECT_EQ(form->Editing().EstPrestServ(), "SP");
    EXPECT_EQ(form->Editing().MunPrestServ(), campinas);
    // A new posting forgets it.
    Cancel();
    Run([&] { form->Editing().Include(); });
    EXPECT_EQ(form->Editing().EstPrestServ(), "");
    EXPECT_EQ(form->Editing().MunPrestServ(), "");
}

TEST_F(LocPrestServDialog, ClosingTheWindowAcceptsOnlyAValidPlace) {
    // Invalid: the window stays with the error; valid: closing it counts as confirming.
    EXPECT_TRUE(Ask([&](TfrmLocPrestServ& d) {
        TypeInto(d, d.dbeEstado, "PR");
        d.Close();
        EXPECT_FALSE(d.ModalFinished());
        EXPECT_EQ(Errors(), "Muni_Inf ");
        TypeInto(d, d.dbeMunicipio, curitiba);
        d.Close();
        EXPECT_TRUE(d.ModalFinished());
    }));
    EXPECT_EQ(Header("SGESTADO"), "PR");
    EXPECT_EQ(Header("CDMUNICIPIO"), curitiba);
}

TEST_F(LocPrestServDialog, CancelLeavesWithoutAPlaceWhateverWasTyped) {
    EXPECT_FALSE(Ask([&](TfrmLocPrestServ& d) {
        TypeInto(d, d.dbeEstado, "SP");
        app.Click(d.bbtCancelar);
        EXPECT_EQ(Errors(), "");
    }));
    EXPECT_EQ(form->Editing().EstPrestServ(), "");
}

TEST_F(LocPrestServDialog, TheFieldRulesCheckWhatIsLeftAndAnotherStateEmptiesTheMunicipality) {
    Ask([&](TfrmLocPrestServ& d) {
        // A state that does not exist keeps the focus.
        TypeInto(d, d.dbeEstado, "XX");
        d.FocusControl(d.dbeMunicipio);
        EXPECT_EQ(Errors(), "Estado_N_Cad ");
        EXPECT_EQ(d.ActiveControl(), d.dbeEstado);

        // A municipality without a state is cleared and the state asked for.
        dialogs.ClearRecords();
        d.dbeEstado->SetText("");
        form->data.cdsNotaFiscal.FieldByName("SGESTADO").Clear();
        d.FocusControl(d.dbeMunicipio);
        app.TypeText(campinas);
        d.FocusControl(&d.bbtOK);
        EXPECT_EQ(Errors(), "Estado_Inf ");
        EXPECT_EQ(d.ActiveControl(), d.dbeEstado);
        EXPECT_EQ(d.dbeMunicipio->Text(), "");

        // Chosen, then another state: the municipality and its name go, in the header too.
        dialogs.ClearRecords();
        TypeInto(d, d.dbeEstado, "SP");
        TypeInto(d, d.dbeMunicipio, campinas);
        d.FocusControl(d.dbeEstado);
        EXPECT_EQ(d.dbeNmMunicipio->Text(), "Campinas");
        EXPECT_EQ(Header("CDMUNICIPIO"), campinas);
        app.TypeText("R");
        EXPECT_EQ(d.dbeMunicipio->Text(), "");
        EXPECT_EQ(d.dbeNmMunicipio->Text(), "");
        EXPECT_EQ(d.dbeNmEstado->Text(), "");
        EXPECT_EQ(Header("CDMUNICIPIO"), "");
        EXPECT_EQ(Errors(), "");
    });
}

TEST_F(LocPrestServDialog, TheSearchesListTheCountryAndTheTypedState) {
    Ask([&](TfrmLocPrestServ& d) {
        dialogs.ExpectPick("Estado").Where("SGESTADO", "PR");
        app.Click(*d.btpEstadoOrig);
        EXPECT_EQ(Header("SGESTADO"), "PR");
        EXPECT_EQ(d.dbeNmEstado->Text(), "Paraná");
        dialogs.ExpectPick("Município").Where("NMMUNICIPIO", "Curitiba");
        app.Click(*d.btpMunicipio);
        EXPECT_EQ(Header("CDMUNICIPIO"), curitiba);
        EXPECT_EQ(d.dbeNmMunicipio->Text(), "Curitiba");
        // Only the typed state's municipalities are offered.
        for (form->lookups.qryMunicipio.First(); !form->lookups.qryMunicipio.Eof();
             form->lookups.qryMunicipio.Next())
            EXPECT_NE(form->lookups.qryMunicipio.FieldByName("NMMUNICIPIO").AsString(), "Campinas");
        app.Click(d.bbtOK);
        EXPECT_EQ(Errors(), "");
    });
}

TEST_F(LocPrestServDialog, AServiceTypeAsksForItsPlaceAndIsGivenUpWithoutOne) {
    const struct {
        bool confirm;
        DataSetState after; // of the header once the type is left
    } cases[] = {{true, DataSetState::Insert}, {false, DataSetState::Inactive}};
    for (const auto& c : cases) {
        Include();
        Type("CDTIPOOPER", "09");
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmLocPrestServ&>(f);
                if (c.confirm) {
                    TypeInto(d, d.dbeEstado, "SP");
                    TypeInto(d, d.dbeMunicipio, campinas);
                    app.Click(d.bbtOK);
                } else {
                    app.Click(d.bbtCancelar);
                }
            })
            .Cancel();
        Run([&] { form->Header().dbeCdTipoOperExit(); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        EXPECT_EQ(Cli_dfe11000().boLocPrestServ, c.confirm);
        const DataSetState state =
            form->data.cdsNotaFiscal.Active() ? form->data.cdsNotaFiscal.State() : DataSetState::Inactive;
        EXPECT_EQ(state == DataSetState::Insert, c.after == DataSetState::Insert) << c.confirm;
        if (c.confirm) {
            EXPECT_EQ(Header("CDMUNICIPIO"), campinas);
        }
        Cancel();
    }
}

} // namespace
} // namespace dfe::dfe11000
