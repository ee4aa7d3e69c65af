#include "support/btn_pesquisa.h"
#include "support/zymora.h"
#include "support_fixture.h"

#include "platform/data/dataset.h"
#include "platform/ui/controls.h"

namespace dfe::support {
namespace {

class BtnPesquisaTest : public SupportTest {
protected:
    BtnPesquisaTest() : form(app.CreateForm<Form>()) {
        filiais.CreateDataSet(
            {FieldDef{"CDFILIAL", FieldType::String, 4}, FieldDef{"NMFILIAL", FieldType::String, 40}});
        source.SetDataSet(&filiais);
        edit = &form.Add<MaskEdit>("medCdFilial");
        button = &form.Add<TBtnPesquisa>("btpFilial");
        button->SetAssociate(edit);
        button->SetTitle("Filial");
        button->SetEmptyError("Não há filial cadastrada.");
        button->SetDataSource(&source);
        button->SetFields({"CDFILIAL", "NMFILIAL"});
        form.Show();
    }
    ~BtnPesquisaTest() override { app.DestroyAllForms(); }
    void AddBranch(const char* code, const char* name) {
        filiais.Append();
        filiais.FieldByName("CDFILIAL").SetAsString(code);
        filiais.FieldByName("NMFILIAL").SetAsString(name);
        filiais.Post();
    }

    Form& form;
    DataSet filiais;
    DataSource source;
    MaskEdit* edit = nullptr;
    TBtnPesquisa* button = nullptr;
};

TEST_F(BtnPesquisaTest, TheChosenRowFillsTheEditAndRunsTheAfterEvent) {
    AddBranch("0001", "Matriz");
    AddBranch("0002", "Filial Centro");
    int after = 0;
    button->OnAfterPesq = [&](TBtnPesquisa&) { ++after; };
    dialogs.ExpectPick("Filial").Row(2);
    app.Click(*button);
    EXPECT_EQ(edit->Text(), "0002");
    EXPECT_EQ(after, 1);
    EXPECT_EQ(form.ActiveControl(), edit);
}

TEST_F(BtnPesquisaTest, AnEmptySourceShowsTheEmptyTextAndACancelledSearchChangesNothing) {
    edit->SetText("0009");
    app.Click(*button);
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors()[0].text, "Não há filial cadastrada.");

    AddBranch("0001", "Matriz");
    dialogs.ExpectPick("Filial").Cancel();
    app.Click(*button);
    button->OnBeforePesq = [](TBtnPesquisa&, bool& proceed) { proceed = false; };
    app.Click(*button);
    EXPECT_EQ(edit->Text(), "0009");
}

TEST_F(BtnPesquisaTest, PesquisaListaAnswersTheChosenCode) {
    dialogs.ExpectPick("Situação").Row(2);
    EXPECT_EQ(PesquisaLista("Situação", {{"P", "Pendente"}, {"C", "Cancelada"}}), "C");
    dialogs.ExpectPick("Situação").Cancel();
    EXPECT_EQ(PesquisaLista("Situação", {{"P", "Pendente"}}), std::nullopt);
}

TEST_F(BtnPesquisaTest, IndiceColFindsTheColumnOfAField) {
    auto& grid = form.Add<DBGrid>("dbgItemProduto");
    grid.AddColumn("CDPRODUTO");
    grid.AddColumn("VRDESCITEM");
    EXPECT_EQ(IndiceCol(grid, "vrdescitem"), 1);
    EXPECT_EQ(IndiceCol(grid, "VRDESPERITEM"), -1);
}

TEST_F(BtnPesquisaTest, HostGettersWithoutAHostReadTheLocalContextAndLoadBplSaysSo) {
    zymora::LocalContext().branch = "0002";
    zymora::LocalContext().fixedBranch = true;
    EXPECT_EQ(zymora::FiliProc(), "0002");
    EXPECT_TRUE(zymora::ModuFili());
    EXPECT_FALSE(zymora::LoadBPL("PAG20000"));
    EXPECT_EQ(dialogs.Errors().size(), 1u);
    zymora::LocalContext() = HostContext();
}

} // namespace
} // namespace dfe::support
