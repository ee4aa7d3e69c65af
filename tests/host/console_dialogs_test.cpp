#include "host/console_dialogs.h"

#include "platform/ui/application.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dfe::host {
namespace {

TEST(ConsoleDialogsTest, NobodyAnsweringMeansRefusingAndEverythingIsPrinted) {
    std::ostringstream out;
    ConsoleDialogs d(out);
    EXPECT_EQ(d.Confirm("Confirma a exclusão?", "Excl_Lanc"), mr::No);
    EXPECT_EQ(d.AskCustom({"", "Excluir?", {"Sim", "Não"}, DialogType::Confirmation, {}}), 11);
    EXPECT_EQ(d.ShowMessage({"", "Repetir?", DialogType::Warning, mb::Retry | mb::Cancel, {}}), mr::Cancel);
    EXPECT_EQ(d.SelectMany({"Operações", {{"01", "Compra"}}, {}}), std::nullopt);
    EXPECT_FALSE(d.PickList({"Filial|Nada", nullptr, {}}));
    d.ShowError("Filial inválida");
    d.ShowInformation("Pronto");
    const std::string text = out.str();
    for (const char* seen :
         {"[Excl_Lanc] Confirma a exclusão? -> 7", "Excluir? -> 11", "Operações -> cancelled",
          "pick list: Filial -> cancelled", "error: Filial inválida", "message: Pronto\n"})
        EXPECT_NE(text.find(seen), std::string::npos) << seen << "\n" << text;
}

TEST(ConsoleDialogsTest, AModalDialogIsCancelled) {
    Application app;
    std::ostringstream out;
    ConsoleDialogs d(out);
    app.SetDialogs(&d);
    auto& form = app.CreateForm<Form>();
    form.SetName("frmFiltro");
    EXPECT_EQ(form.ShowModal(), mr::Cancel);
    EXPECT_FALSE(form.Visible());
    EXPECT_NE(out.str().find("dialog: frmFiltro -> cancelled"), std::string::npos);
}

} // namespace
} // namespace dfe::host
