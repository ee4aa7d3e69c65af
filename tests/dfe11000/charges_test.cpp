// The charges of a posting and its additional texts as a clerk works them: the charge rows a new posting gets
// from the register, values that are never negative nor empty, rows neither added nor removed in the grid;
// texts numbered after the highest one, and registered messages taken into a text.
#include "header_fixture.h"

#include "dfe11000/items/charges.h"
#include "dfe11000/module/module_helpers.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

class ChargesTest : public testing::HeaderTest {
protected:
    DataSet& Charges() { return form->data.cdsItemEncargo; }
    DataSet& Texts() { return form->data.cdsDadosAdic; }
    DBGrid& ChargeGrid() { return *form->ui.dbgItemEncargo; }

    // A new posting of the operation type, its lists empty.
    void NewPosting(const std::string& type) {
        Include();
        Type("CDTIPOOPER", type);
        form->Header().SetCurrentType(type);
        form->data.cdsNotaFiscal.FieldByName("CDTIPOOPER").SetAsString(type);
        form->data.cdsNotaFiscal.FieldByName("NRLANCTONF").SetAsString("0000000042");
        Charges().EmptyOrCreateDataSet();
        Texts().EmptyOrCreateDataSet();
    }

    // The codes of the register, in the order the database gives them.
    std::vector<std::string> RegisteredCharges() {
        std::vector<std::string> codes;
        for (const PacketRow& row : lookups_->Query("SELECT CDENCARGO FROM ENCARGO").rows)
            codes.push_back(row.values[0].AsString());
        return codes;
    }

    std::vector<std::string> Column(DataSet& ds, const char* field) {
        std::vector<std::string> values;
        for (int row = 1; row <= ds.RecordCount(); ++row)
            ds.ReadRecordAt(row, [&] { values.push_back(ds.FieldByName(field).AsString()); });
        return values;
    }

    std::vector<double> ChargeValues() {
        std::vector<double> values;
        for (int row = 1; row <= Charges().RecordCount(); ++row)
            Charges().ReadRecordAt(row,
                                   [&] { values.push_back(Charges().FieldByName("VRITEMENCA").AsFloat()); });
        return values;
    }

    // Texts as a load brings them, numbered as given (a load does not edit the posting).
    void LoadTexts(const std::vector<std::string>& numbers) {
        const FlagDuring loading(Cli_dfe11000().boChange, false, true);
        Texts().EmptyOrCreateDataSet();
        for (const std::string& number : numbers)
            testing::AddLoadedItem(
                Texts(), {{"NRDADOADIC", Variant(number)}, {"DSDADOADIC", Variant("Texto " + number)}});
        Texts().MergeChangeLog();
    }

    std::string SelectedChargeColumn() {
        const Field* field = ChargeGrid().SelectedField();
        return field ? field->FieldName() : std::string();
    }
};

TEST_F(ChargesTest, ANewPostingGetsOneZeroChargePerRegisteredKindOnceAndNoneForType09) {
    const std::vector<std::string> registered = RegisteredCharges();
    ASSERT_GE(registered.size(), 3u) << "the demo register lists freight, insurance and other expenses";
    struct Case {
        const char* what;
        const char* type;
        bool browsed;     // the posting was loaded, not included
        bool gridFocused; // the clerk is in the charges grid
        bool filled;
    };
    const Case cases[] = {
        {"new purchase", "01", false, false, true},
        {"type 09 has no charges", "09", false, false, false},
        {"a loaded posting keeps its list", "01", true, false, false},
        {"not while the clerk is in the grid", "01", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewPosting(c.type);
        if (c.browsed) Cancel(); // back on the posting shown before
        if (c.gridFocused) app.Dispatch([&] { ChargeGrid().SetFocus(); });
        ASSERT_EQ(Run([&] { form->Charges().AddChargeLines(); }), "") << dialogs.Describe();
        if (!c.filled) {
            EXPECT_TRUE(Charges().IsEmpty());
            continue;
        }
        ASSERT_EQ(Column(Charges(), "CDENCARGO"), registered);
        EXPECT_EQ(ChargeValues(), std::vector<double>(registered.size(), 0.0));
        EXPECT_EQ(Column(Charges(), "NRLANCTONF"), std::vector<std::string>(registered.size(), "0000000042"));
        EXPECT_EQ(Charges().RecNo(), 1);
        EXPECT_EQ(Column(Charges(), "NMENCARGO").front(), "Frete");

        // A second trigger of the same posting adds nothing.
        app.Dispatch([&] { form->ui.dbgDadosAdic->SetFocus(); });
        ASSERT_EQ(Run([&] { form->Charges().AddChargeLines(); }), "");
        EXPECT_EQ(Charges().RecordCount(), static_cast<int>(registered.size()));
    }
}

TEST_F(ChargesTest, TheChargesGridNeitherAddsNorDeletesRows) {
    NewPosting("01");
    app.Dispatch([&] { form->Charges().AddChargeLines(); });
    const int rows = Charges().RecordCount();
    ASSERT_GT(rows, 0);
    app.Dispatch([&] { ChargeGrid().SetFocus(); });
    ASSERT_EQ(form->ActiveControl(), &ChargeGrid());
    dialogs.ClearRecords();

    app.KeyDown(key::Insert);
    EXPECT_EQ(Charges().RecordCount(), rows) << "Insert";
    app.KeyDown(key::End, {.ctrl = true});
    app.KeyDown(key::Down);
    EXPECT_EQ(Charges().RecordCount(), rows) << "Down below the last row";
    EXPECT_EQ(Charges().State(), DataSetState::Browse);
    app.KeyDown(key::Delete, {.ctrl = true});
    EXPECT_EQ(Charges().RecordCount(), rows) << "Ctrl+Delete";
    app.Dispatch([&] { Charges().Delete(); });
    EXPECT_EQ(Charges().RecordCount(), rows) << "a delete from code";
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Describe();
}

TEST_F(ChargesTest, AChargeValueIsZeroOrMoreToTheCentWhereverTheRowIsLeft) {
    enum class Leave { Column, Grid, Post };
    struct Case {
        const char* typed;
        Leave leave;
        const char* error; // empty: accepted
        double stored;
    };
    const Case cases[] = {
        {"0", Leave::Column, "", 0},
        {"0", Leave::Post, "", 0},
        {"150,456", Leave::Post, "", 150.46},
        {"0,575", Leave::Grid, "", 0.58},
        {"-0,01", Leave::Column, "ItemEncargo_inv", 0},
        {"-0,01", Leave::Grid, "ItemEncargo_inv", 0},
        {"-0,01", Leave::Post, "ItemEncargo_inv", 0},
        {"", Leave::Column, "", 0},            // only the sign is checked as the column is left...
        {"", Leave::Post, "ItEncargo_inf", 0}, // ...an empty value is refused when the row is stored
    };
    NewPosting("01");
    app.Dispatch([&] { form->Charges().AddChargeLines(); });
    for (const Case& c : cases) {
        const char* how[] = {"leaving the column", "leaving the grid", "storing the row"};
        SCOPED_TRACE(std::string("'") + c.typed + "' " + how[static_cast<int>(c.leave)]);
        if (InEdit(Charges())) Charges().Cancel();
        app.Dispatch([&] {
            form->pgcPadrao.SetActivePage(&form->tshFormulario);
            form->ui.dbgDadosAdic->SetFocus();
            ChargeGrid().SetFocus();
        });
        ASSERT_EQ(SelectedChargeColumn(), "VRITEMENCA") << "entering the grid selects the value";
        Charges().Edit();
        Charges().FieldByName("VRITEMENCA").SetText(c.typed);
        std::string shown;
        if (c.leave == Leave::Column) {
            shown = Run([&] { ChargeGrid().SetSelectedIndex(0); });
        } else if (c.leave == Leave::Grid) {
            shown = Run([&] { form->ui.dbgDadosAdic->SetFocus(); });
        } else {
            // Stored from the installments page with the name column selected: the refusal brings the clerk
            // back to the value.
            app.Dispatch([&] {
                ChargeGrid().SetSelectedIndex(0);
                form->ui.dbgDadosAdic->SetFocus();
                form->pgcPadrao.SetActivePage(form->ui.tshVencimento);
            });
            shown = Run([&] { Charges().Post(); });
        }
        EXPECT_EQ(shown, c.error) << dialogs.Describe();
        if (*c.error) {
            EXPECT_TRUE(InEdit(Charges()));
            EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFormulario);
            EXPECT_EQ(form->ActiveControl(), &ChargeGrid());
            EXPECT_EQ(SelectedChargeColumn(), "VRITEMENCA");
        } else if (c.leave != Leave::Column) {
            EXPECT_DOUBLE_EQ(Charges().FieldByName("VRITEMENCA").AsFloat(), c.stored);
        }
    }
}

TEST_F(ChargesTest, TextsAreNumberedAfterTheHighestNumberOfThePosting) {
    struct Case {
        const char* what;
        std::vector<std::string> loaded;
        int insertOn; // the row the clerk stands on (1-based; 0: append)
        const char* number;
    };
    const Case cases[] = {
        {"the first text", {}, 0, "001"},
        {"after the last", {"001"}, 0, "002"},
        {"a loaded posting continues after its highest", {"001", "002", "007"}, 0, "008"},
        {"inserted on a middle row", {"001", "002", "003"}, 2, "004"},
        {"inserted on the first row", {"001", "002", "003"}, 1, "004"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cli_dfe11000().inCodigo = 5; // what another posting left behind counts for nothing
        LoadTexts(c.loaded);
        ASSERT_EQ(Run([&] {
                      if (c.insertOn > 0) {
                          Texts().SetRecNo(c.insertOn);
                          Texts().Insert();
                      } else {
                          Texts().Append();
                      }
                  }),
                  "");
        EXPECT_EQ(Texts().FieldByName("NRDADOADIC").AsString(), c.number);
        EXPECT_EQ(Texts().FieldByName("CDFILIAL").AsString(), "0001");
        EXPECT_EQ(Texts().FieldByName("NRLANCTONF").AsString(), "1");
        Texts().FieldByName("DSDADOADIC").SetAsString("Novo texto");
        app.Dispatch([&] { Texts().Post(); });
        const std::vector<std::string> numbers = Column(Texts(), "NRDADOADIC");
        EXPECT_EQ(std::set<std::string>(numbers.begin(), numbers.end()).size(), numbers.size())
            << "no number twice";
        if (InEdit(form->data.cdsNotaFiscal)) form->data.cdsNotaFiscal.Cancel();
    }
}

TEST_F(ChargesTest, ARegisteredMessageFillsTheTextAndItsCodeAndPutsThePostingIntoEdit) {
    struct Case {
        const char* what;
        std::vector<std::string> loaded;
        const char* pick; // empty: the clerk cancels the search
        const char* number;
        const char* text;
        const char* code;
    };
    const Case cases[] = {
        {"on a browsed text",
         {"001"},
         "005",
         "001",
         "Entrega agendada: recebimento de segunda a sexta, das 8h às 16h, na doca 3.",
         "005"},
        {"on an empty list, a new text",
         {},
         "003",
         "001",
         "ICMS recolhido anteriormente por substituição tributária.",
         "003"},
        {"cancelled", {"001"}, "", "001", "Texto 001", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTexts(c.loaded);
        ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Browse);
        if (*c.pick)
            dialogs.ExpectPick("Mensagem").Where("CDMENSAGEM", c.pick);
        else
            dialogs.ExpectPick("Mensagem").Cancel();
        ASSERT_EQ(Run([&] { form->ui.dbgDadosAdic->ClickEditButton(); }), "") << dialogs.Describe();
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        EXPECT_EQ(form->lookups.qryMensagem.RecordCount(), 10) << "the two inactive messages are not offered";
        EXPECT_EQ(Texts().FieldByName("NRDADOADIC").AsString(), c.number);
        EXPECT_EQ(Texts().FieldByName("DSDADOADIC").AsString(), c.text);
        EXPECT_EQ(Texts().FieldByName("CDMENSAGEM").AsString(), c.code);
        EXPECT_EQ(InEdit(Texts()), *c.pick != 0);
        EXPECT_EQ(form->data.cdsNotaFiscal.State(), *c.pick ? DataSetState::Edit : DataSetState::Browse);
        // The text stays the clerk's to change; the code keeps saying where it came from.
        if (*c.pick) {
            Texts().FieldByName("DSDADOADIC").SetAsString("Entrega agendada para a doca 5.");
            ASSERT_EQ(Run([&] { form->ui.dbgDadosAdic->SetFocus(); }), "");
            ASSERT_EQ(Run([&] { form->ui.dbgItemEncargo->SetFocus(); }), "")
                << "leaving the grid stores the text";
            EXPECT_EQ(Texts().State(), DataSetState::Browse);
            EXPECT_EQ(Texts().FieldByName("CDMENSAGEM").AsString(), c.code);
        }
        if (InEdit(Texts())) Texts().Cancel();
        if (InEdit(form->data.cdsNotaFiscal)) form->data.cdsNotaFiscal.Cancel();
    }
}

TEST_F(ChargesTest, DeletingATextPutsTheBrowsedPostingIntoEdit) {
    LoadTexts({"001", "002"});
    ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Browse);
    ASSERT_EQ(Run([&] { Texts().Delete(); }), "");
    EXPECT_EQ(Texts().RecordCount(), 1);
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
}

TEST_F(ChargesTest, AReturnWithOriginDocumentsShowsItsChargesAndTaxesWithoutTyping) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> type;
        bool locked;
    };
    const Case cases[] = {
        {"a return with an origin list", {{"IDOPERDEVONF", "S"}, {"IDUTLLISTORI", "S"}}, true},
        {"a return from industrialization",
         {{"IDOPERDEVONF", "S"}, {"IDUTLLISTORI", "S"}, {"IDNFRETIND", "S"}},
         false},
        {"a purchase", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DefineOperationType("77", c.type);
        form->Header().SetCurrentType("77");
        app.Dispatch([&] {
            form->ui.nbkItensNF->SetPageIndex(1);
            form->ui.nbkItensNF->SetPageIndex(c.locked ? 2 : 0);
        });
        for (DBGrid* grid : {form->ui.dbgItemEncargo, form->ui.dbgItemProImpos, form->ui.dbgImposNFTot}) {
            EXPECT_EQ(grid->ReadOnly(), c.locked) << grid->Name();
            EXPECT_EQ(grid->HasOption(grid_option::RowSelect), c.locked) << grid->Name();
            EXPECT_TRUE(grid->HasOption(grid_option::Editing)) << grid->Name();
        }
    }
}

} // namespace
} // namespace dfe::dfe11000
