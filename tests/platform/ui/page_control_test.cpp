#include "platform/ui/controls.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

class PageControlTest : public ::testing::Test {
protected:
    PageControlTest() : form(app.CreateForm<Form>()) {
        app.SetDialogs(&dialogs);
        pgc = &form.Add<PageControl>("pgcPadrao");
        lista = &pgc->Add<TabSheet>("tshFolhaDados");
        registro = &pgc->Add<TabSheet>("tshFormulario");
        grade = &lista->Add<Edit>("edtLista");
        serie = &registro->Add<Edit>("dbeSerie");
        pgc->OnChanging = [this](Component&, bool& allow) {
            ++changing;
            allow = allowChange;
            if (failChange) throw std::runtime_error("Preencha a série");
        };
        pgc->OnChange = [this](Component&) { ++changed; };
        form.Show();
    }

    Application app;
    ScriptedDialogs dialogs;
    Form& form;
    PageControl* pgc = nullptr;
    TabSheet* lista = nullptr;
    TabSheet* registro = nullptr;
    Edit* grade = nullptr;
    Edit* serie = nullptr;
    int changing = 0, changed = 0;
    bool allowChange = true, failChange = false;
};

TEST_F(PageControlTest, TheFirstPageIsActiveAndOnlyItsControlsShow) {
    EXPECT_EQ(pgc->ActivePage(), lista);
    EXPECT_TRUE(grade->Showing());
    EXPECT_FALSE(serie->Showing());
    EXPECT_FALSE(serie->CanFocus());
}

TEST_F(PageControlTest, TheClerksChangeAsksChangingThenRunsChange) {
    EXPECT_TRUE(pgc->SelectPage(*registro));
    EXPECT_EQ(pgc->ActivePage(), registro);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(serie->CanFocus());
}

TEST_F(PageControlTest, ChangingMayVetoByFlagOrByError) {
    allowChange = false;
    EXPECT_FALSE(pgc->SelectPage(*registro));
    EXPECT_EQ(pgc->ActivePage(), lista);
    allowChange = true;
    failChange = true;
    app.Dispatch([&] { pgc->SelectPage(*registro); });
    EXPECT_EQ(pgc->ActivePage(), lista);
    EXPECT_EQ(changed, 0);
    EXPECT_TRUE(dialogs.Shown("Preencha a série"));
}

TEST_F(PageControlTest, SettingThePageFromCodeRunsNeitherEvent) {
    pgc->SetActivePage(registro);
    pgc->SetActivePageIndex(0);
    EXPECT_EQ(pgc->ActivePage(), lista);
    EXPECT_EQ(changing + changed, 0);
}

TEST_F(PageControlTest, ADisabledPageCannotBeChosenByTheClerk) {
    registro->SetEnabled(false);
    EXPECT_FALSE(pgc->SelectPage(*registro));
    EXPECT_EQ(changing, 0);
    pgc->SetActivePage(registro); // code still may
    EXPECT_EQ(pgc->ActivePage(), registro);
}

TEST_F(PageControlTest, TheExitRuleOfTheFieldBeingLeftRunsFirstAndMayVeto) {
    pgc->SelectPage(*registro);
    serie->SetFocus();
    serie->OnExit = [](Component&) { ThrowAbort(); };
    app.Dispatch([&] { pgc->SelectPage(*lista); });
    EXPECT_EQ(pgc->ActivePage(), registro);
    EXPECT_EQ(form.ActiveControl(), serie);
}

TEST_F(PageControlTest, HidingThePageOfTheFocusedControlDropsTheFocus) {
    pgc->SetActivePage(registro);
    serie->SetFocus();
    pgc->SetActivePage(lista);
    EXPECT_NE(form.ActiveControl(), serie);
}

TEST_F(PageControlTest, NotebookShowsOnePageByIndexAndRefusesUnknownOnes) {
    auto& nbk = form.Add<Notebook>("nbkDestino");
    auto& cliente = nbk.Add<NotebookPage>("pagCliente");
    cliente.SetCaption("Cliente");
    auto& fornecedor = nbk.Add<NotebookPage>("pagFornecedor");
    fornecedor.SetCaption("Fornecedor");
    auto& edt = fornecedor.Add<Edit>("dbeNrInsJurNF");
    int changes = 0;
    nbk.OnPageChanged = [&](Component&) { ++changes; };
    EXPECT_FALSE(edt.Showing());
    nbk.SetPageIndex(1);
    EXPECT_TRUE(edt.Showing());
    nbk.SetActivePage("cliente");
    EXPECT_EQ(nbk.PageIndex(), 0);
    EXPECT_EQ(changes, 2);
    EXPECT_THROW(nbk.SetPageIndex(2), UiError);
    EXPECT_THROW(nbk.SetActivePage("Filial"), UiError);
}

} // namespace
} // namespace dfe
