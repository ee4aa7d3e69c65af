#include "support/frm_padrao.h"
#include "support_fixture.h"

#include "platform/data/dataset.h"

namespace dfe::support {
namespace {

class FrmPadraoTest : public SupportTest {
protected:
    FrmPadraoTest() : form(app.CreateForm<TfrmPadrao>()) {
        ds.DeclareField(FieldDef{"CDSERIE", FieldType::String, 5});
        ds.CreateDataSet();
        form.dtsPadrao.SetDataSet(&ds);
        form.Show();
    }
    ~FrmPadraoTest() override { app.DestroyAllForms(); }

    DataSet ds;
    TfrmPadrao& form;
};

TEST_F(FrmPadraoTest, StandardCommandsHaveButtonsAndMenuItemsThatRunTheSameCommand) {
    for (const char* name : {"sbtIncluir", "sbtAlterar", "sbtExcluir", "sbtProcurar", "sbtVerificar",
                             "sbtConfirmar", "sbtCancelar", "sbtImprimir", "sbtFechar", "mnuIncluir",
                             "mnuCancelar", "tshFolhaDados", "tshFormulario", "pgcPadrao", "dbnPadrao"})
        EXPECT_NE(form.FindComponent(name), nullptr) << name;
    EXPECT_EQ(form.sbtCancelar.Tag(), 50);
    EXPECT_EQ(form.pgcPadrao.ActivePage(), &form.tshFolhaDados);

    app.Click(form.mnuIncluir);
    EXPECT_EQ(ds.State(), DataSetState::Insert);
    app.Click(form.sbtCancelar);
    EXPECT_EQ(ds.State(), DataSetState::Browse);
}

TEST_F(FrmPadraoTest, ChangingOrDeletingWithoutARecordIsRefused) {
    app.Click(form.sbtAlterar);
    app.Click(form.sbtExcluir);
    EXPECT_EQ(dialogs.Errors().size(), 2u);
    EXPECT_EQ(dialogs.Errors()[0].code, "Sem_Regi");
    EXPECT_EQ(ds.State(), DataSetState::Browse);
}

TEST_F(FrmPadraoTest, DeletionAsksFirst) {
    ds.Append();
    ds.FieldByName("CDSERIE").SetAsString("1");
    ds.Post();
    dialogs.ExpectQuestion("Conf_Excl").Answer(mr::No);
    app.Click(form.sbtExcluir);
    EXPECT_EQ(ds.RecordCount(), 1);
    dialogs.ExpectQuestion("Conf_Excl").Answer(mr::Yes);
    app.Click(form.mnuExcluir);
    EXPECT_EQ(ds.RecordCount(), 0);
}

TEST_F(FrmPadraoTest, ButtonsMirrorTheirMenuItemsAndTheNavigatorMoves) {
    form.mnuIncluir.SetEnabled(false);
    form.MirrorMenuToButtons();
    EXPECT_FALSE(form.sbtIncluir.Enabled());
    EXPECT_TRUE(form.sbtAlterar.Enabled());

    for (const char* serie : {"1", "2", "3"}) {
        ds.Append();
        ds.FieldByName("CDSERIE").SetAsString(serie);
        ds.Post();
    }
    app.Click(*form.Find<SpeedButton>("nbFirst"));
    EXPECT_EQ(ds.FieldByName("CDSERIE").AsString(), "1");
    app.Click(*form.Find<SpeedButton>("nbNext"));
    EXPECT_EQ(ds.FieldByName("CDSERIE").AsString(), "2");
}

TEST_F(FrmPadraoTest, DialogBaseEndsItsModalSessionWithItsButtons) {
    auto& dlg = app.CreateForm<TfrmRotiGeral>();
    dialogs.ExpectModal().Do([](Form& f) { f.App().Click(*f.Find<Button>("bbtOK")); });
    EXPECT_EQ(dlg.ShowModal(), mr::Ok);
}

} // namespace
} // namespace dfe::support
