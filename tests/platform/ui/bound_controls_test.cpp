#include "platform/ui/controls.h"
#include "platform/ui/db_choice.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/scripted_dialogs.h"

#include "platform/core/abort.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

// A posting header with two rows, bound to a series edit, a total, an issue date, a freight combo and a
// label; a plain edit to move the focus to.
class BoundControlsTest : public ::testing::Test {
protected:
    BoundControlsTest() : cds("cdsNotaFiscal"), form(app.CreateForm<Form>()) {
        app.SetDialogs(&dialogs);
        cds.CreateDataSet({{"CDSERIE", FieldType::String, 5, false},
                           {"VRNOTAFISC", FieldType::Float, 0, false},
                           {"DTEMISSAO", FieldType::DateTime, 0, false},
                           {"IDFRETE", FieldType::String, 1, false}});
        AddRow("001", 100.5, DateTime::FromDate(2026, 12, 1), "C");
        AddRow("002", 7, DateTime(), "F");
        cds.First();
        dts.SetDataSet(&cds);
        serie = &form.Add<DBEdit>("dbeSerie");
        serie->SetDataSource(&dts);
        serie->SetDataField("CDSERIE");
        total = &form.Add<DBEdit>("dbeVrNotaFisc");
        total->SetDataSource(&dts);
        total->SetDataField("VRNOTAFISC");
        emissao = &form.Add<DBDateEdit>("dbdDtEmissao");
        emissao->SetDataSource(&dts);
        emissao->SetDataField("DTEMISSAO");
        frete = &form.Add<DBComboBox>("cbbFreteConta");
        frete->SetItems({"Emitente", "Destinatário"});
        frete->SetValues({"C", "F"});
        frete->SetDataSource(&dts);
        frete->SetDataField("IDFRETE");
        nome = &form.Add<DBText>("dbtSerie");
        nome->SetDataSource(&dts);
        nome->SetDataField("CDSERIE");
        outro = &form.Add<Edit>("edtOutro");
        form.Show();
    }

    void AddRow(const char* serieValue, double totalValue, DateTime date, const char* freight) {
        cds.Append();
        cds.FieldByName("CDSERIE").SetAsString(serieValue);
        cds.FieldByName("VRNOTAFISC").SetAsFloat(totalValue);
        if (!date.IsEmpty()) cds.FieldByName("DTEMISSAO").SetAsDateTime(date);
        cds.FieldByName("IDFRETE").SetAsString(freight);
        cds.Post();
    }

    Application app;
    ScriptedDialogs dialogs;
    DataSet cds;
    DataSource dts;
    Form& form;
    DBEdit* serie = nullptr;
    DBEdit* total = nullptr;
    DBDateEdit* emissao = nullptr;
    DBComboBox* frete = nullptr;
    DBText* nome = nullptr;
    Edit* outro = nullptr;
};

TEST_F(BoundControlsTest, ControlsShowTheCurrentRowAndFollowScrolling) {
    EXPECT_EQ(serie->Text(), "001");
    EXPECT_EQ(emissao->EditText(), "01/12/2026");
    EXPECT_EQ(frete->Text(), "Emitente");
    EXPECT_EQ(nome->Caption(), "001");
    cds.Next();
    EXPECT_EQ(serie->Text(), "002");
    EXPECT_TRUE(emissao->IsBlank());
    EXPECT_EQ(frete->ItemIndex(), 1);
}

TEST_F(BoundControlsTest, TypingPutsABrowsedDatasetIntoEditAndLeavingWritesTheField) {
    ASSERT_EQ(form.ActiveControl(), serie);
    EXPECT_EQ(cds.State(), DataSetState::Browse);
    app.TypeText("3");
    EXPECT_EQ(cds.State(), DataSetState::Edit);
    EXPECT_EQ(serie->Text(), "3"); // entering selected the text, so typing replaced it
    EXPECT_EQ(cds.FieldByName("CDSERIE").AsString(), "001");
    app.KeyDown(key::Tab);
    EXPECT_EQ(cds.FieldByName("CDSERIE").AsString(), "3");
    EXPECT_EQ(nome->Caption(), "3");
}

TEST_F(BoundControlsTest, AFieldThatRefusesTheTextKeepsTheFocus) {
    cds.FieldByName("CDSERIE").OnValidate = [](Field& f) {
        if (f.AsString() == "X") throw std::runtime_error("Série inválida");
    };
    app.TypeText("x");
    serie->SetCharCase(CharCase::Upper);
    app.PressKey(key::Back);
    app.TypeText("X");
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), serie);
    EXPECT_TRUE(dialogs.Shown("Série inválida"));
    EXPECT_EQ(cds.FieldByName("CDSERIE").AsString(), "001");
    EXPECT_TRUE(serie->Modified());
}

TEST_F(BoundControlsTest, EscapeTakesBackWhatWasTyped) {
    app.TypeText("9");
    app.PressKey(key::Escape);
    EXPECT_EQ(serie->Text(), "001");
    app.KeyDown(key::Tab);
    EXPECT_EQ(cds.FieldByName("CDSERIE").AsString(), "001");
}

TEST_F(BoundControlsTest, APostWritesWhatIsBeingTypedFirst) {
    app.TypeText("5");
    cds.Post();
    EXPECT_EQ(cds.FieldByName("CDSERIE").AsString(), "5");
    EXPECT_FALSE(serie->Modified());
}

TEST_F(BoundControlsTest, AReadOnlyFieldOrARefusingBeforeEditTakesNoTyping) {
    cds.FieldByName("CDSERIE").SetReadOnly(true);
    app.TypeText("7");
    EXPECT_EQ(cds.State(), DataSetState::Browse);
    EXPECT_EQ(serie->Text(), "001");
    cds.FieldByName("CDSERIE").SetReadOnly(false);
    cds.BeforeEdit = [](DataSet&) { ThrowAbort(); };
    app.TypeText("7");
    EXPECT_EQ(cds.State(), DataSetState::Browse);
    EXPECT_EQ(serie->Text(), "001");
}

TEST_F(BoundControlsTest, FieldSizeLimitsTyping) {
    app.TypeText("1234567");
    EXPECT_EQ(serie->Text(), "12345");
}

TEST_F(BoundControlsTest, TheDecimalKeyTypesACommaIntoAFloatField) {
    app.SetMsgEventForm([this](Message& m, bool&) {
        auto* edit = dynamic_cast<DBEdit*>(form.ActiveControl());
        if (m.kind == MessageKind::KeyDown && m.key == key::Period && app.DecimalSeparator() == ',' && edit &&
            edit->BoundField() && edit->BoundField()->DataType() == FieldType::Float)
            m.key = key::Comma;
    });
    total->SetFocus();
    app.TypeText("12.5");
    app.KeyDown(key::Tab);
    EXPECT_DOUBLE_EQ(cds.FieldByName("VRNOTAFISC").AsFloat(), 12.5);
}

TEST_F(BoundControlsTest, DateEditsWriteDatesBlanksAndRefuseNonDates) {
    emissao->SetFocus();
    app.TypeText("31022026");
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), emissao);
    app.PressKey(key::Delete);
    for (int i = 0; i < 10; ++i)
        app.PressKey(key::Back);
    app.TypeText("15012026");
    app.KeyDown(key::Tab);
    EXPECT_EQ(cds.FieldByName("DTEMISSAO").AsDateTime(), DateTime::FromDate(2026, 1, 15));
    emissao->SetFocus();
    app.PressKey(key::Delete);
    app.KeyDown(key::Tab);
    EXPECT_TRUE(cds.FieldByName("DTEMISSAO").IsNull());
}

TEST_F(BoundControlsTest, ABoundComboWritesTheValueOfTheChosenItem) {
    frete->SetFocus();
    app.KeyDown(key::Down);
    EXPECT_EQ(cds.State(), DataSetState::Edit);
    EXPECT_EQ(cds.FieldByName("IDFRETE").AsString(), "F");
    cds.Cancel();
    EXPECT_EQ(frete->ItemIndex(), 0);
}

// Without values the combo shows and writes the field's text, so the field's handlers turn codes into items.
TEST_F(BoundControlsTest, ABoundComboWithoutValuesGoesThroughTheFieldsTextHandlers) {
    Field& freight = cds.FieldByName("IDFRETE");
    freight.OnGetText = [](Field& f, std::string& text, bool) {
        text = f.AsString() == "C" ? "Emitente" : f.AsString() == "F" ? "Destinatário" : "";
    };
    freight.OnSetText = [](Field& f, std::string_view text) {
        if (text.empty()) {
            f.Clear();
        } else {
            f.SetAsString(text == "Emitente" ? "C" : "F");
        }
    };
    frete->SetValues({});
    EXPECT_EQ(frete->Text(), "Emitente");
    frete->SetFocus();
    frete->ChooseAsClerk(1);
    EXPECT_EQ(freight.AsString(), "F");
    frete->ChooseAsClerk(-1);
    EXPECT_TRUE(freight.IsNull());
    EXPECT_EQ(frete->ItemIndex(), -1);
}

TEST_F(BoundControlsTest, UnbindingAndClosingClearTheControls) {
    serie->SetDataSource(nullptr);
    EXPECT_EQ(serie->Text(), "");
    total->SetDataField("");
    EXPECT_EQ(total->Text(), "");
    cds.Close();
    EXPECT_EQ(nome->Caption(), "");
    EXPECT_TRUE(emissao->IsBlank());
}

TEST(BoundControlsLifetimeTest, ADataSourceMayGoBeforeItsControls) {
    Application app;
    auto& form = app.CreateForm<Form>();
    DataSet cds("cds");
    cds.CreateDataSet({{"A", FieldType::String, 5, false}});
    auto dts = std::make_unique<DataSource>(&cds);
    auto& edit = form.Add<DBEdit>("dbeA");
    edit.SetDataSource(dts.get());
    edit.SetDataField("A");
    dts.reset();
    EXPECT_EQ(edit.GetDataSource(), nullptr);
    cds.Append(); // nothing is told to the control any more
    SUCCEED();
}

TEST(PickListTest, PicksARowByNumberOrValueAndShowsTheEmptyText) {
    DataSet cds("qryFiliRece");
    cds.CreateDataSet({{"CDFILIAL", FieldType::String, 4, false}});
    DataSource dts(&cds);
    ScriptedDialogs d;
    PickListRequest request{"Filial|Não há filial cadastrada.", &dts, {}};
    EXPECT_FALSE(d.PickList(request)); // empty: no answer needed
    EXPECT_TRUE(d.Shown("Não há filial cadastrada."));
    for (const char* code : {"0001", "0002", "0003"}) {
        cds.Append();
        cds.FieldByName("CDFILIAL").SetAsString(code);
        cds.Post();
    }
    d.ExpectPick("Filial").Row(2);
    d.ExpectPick().Where("CDFILIAL", "0003");
    d.ExpectPick().Cancel();
    d.ExpectPick().Where("CDFILIAL", "9999");
    EXPECT_TRUE(d.PickList(request));
    EXPECT_EQ(cds.FieldByName("CDFILIAL").AsString(), "0002");
    EXPECT_TRUE(d.PickList(request));
    EXPECT_EQ(cds.FieldByName("CDFILIAL").AsString(), "0003");
    EXPECT_FALSE(d.PickList(request));
    EXPECT_THROW(d.PickList(request), ScriptFailure);
    EXPECT_THROW(d.PickList(request), ScriptFailure); // nothing queued
}

TEST(FindDialogTest, MovesToTheRowFoundOrStaysPut) {
    DataSet cds("cdsRomaneioNF");
    cds.CreateDataSet({{"NRNOTAFISC", FieldType::String, 9, false}});
    for (const char* n : {"000000010", "000000020"}) {
        cds.Append();
        cds.FieldByName("NRNOTAFISC").SetAsString(n);
        cds.Post();
    }
    cds.First();
    ScriptedDialogs d;
    d.ExpectFind().Where("NRNOTAFISC", "000000020");
    d.ExpectFind().Where("NRNOTAFISC", "999");
    d.ExpectFind().Where("NADA", "1");
    EXPECT_TRUE(d.Find({&cds, "Procura"}));
    EXPECT_EQ(cds.RecNo(), 2);
    EXPECT_FALSE(d.Find({&cds, "Procura"}));
    EXPECT_EQ(cds.RecNo(), 2);
    EXPECT_THROW(d.Find({&cds, "Procura"}), ScriptFailure);
}

} // namespace
} // namespace dfe
