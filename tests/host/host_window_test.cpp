#include "host/embedded_default.h"
#include "host/host.h"
#include "host/host_menu.h"

#include "platform/ui/menu.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe::host {
namespace {

class HostMenuTest : public ::testing::Test {
protected:
    HostMenuTest() : host(app, Config()) {
        app.SetDialogs(&dialogs);
        BuildHostMenu(host);
        host.MainForm().Show();
    }
    static HostConfig Config() {
        HostConfig config;
        config.packageDirs = {DFE_TEST_PACKAGE_DIR};
        config.context.operatorCode = "MARIA";
        config.context.branch = "0002";
        config.context.processingDate = DateTime::FromDate(2026, 12, 10);
        config.screens["TST00001"] = {"Pkg_teste", "CriaTelaTeste"};
        config.screens["TST00002"] = {"Pkg_ausente", "CriaNada"};
        return config;
    }
    MenuItem& Item(const char* name) { return *host.MainForm().Find<MenuItem>(name); }

    Application app;
    ScriptedDialogs dialogs;
    Host host;
};

TEST_F(HostMenuTest, TitleShowsOperatorBranchAndProcessingDate) {
    EXPECT_EQ(host.MainForm().Caption(), "Quilmar - Operador: MARIA - Filial: 0002 - Data: 10/12/2026");
}

TEST_F(HostMenuTest, MenuListsTheInstalledScreensAndOpensThem) {
    auto& modules = Item("mnuModulos");
    std::vector<std::string> captions;
    for (MenuItem* item : modules.Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"DFE11000 - Lançamento de Notas Fiscais", "TST00001", "TST00002"}));

    app.Click(Item("mnuTST00001"));
    ASSERT_NE(app.ActiveForm(), nullptr);
    EXPECT_EQ(app.ActiveForm()->Name(), "frmTelaTeste");

    // A screen whose package is missing tells the clerk, and nothing else happens.
    app.Click(Item("mnuTST00002"));
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors()[0].text, "O pacote Pkg_ausente não está instalado.");

    app.Click(Item("mnuSair"));
    EXPECT_FALSE(host.MainForm().Visible());
}

TEST(DefaultDataDirTest, FollowsXdgThenHome) {
    EXPECT_EQ(DefaultDataDir("/x/dados", "/home/ana"), std::filesystem::path("/x/dados/quilmar"));
    EXPECT_EQ(DefaultDataDir("", "/home/ana"), std::filesystem::path("/home/ana/.local/share/quilmar"));
    EXPECT_EQ(DefaultDataDir(nullptr, nullptr), std::filesystem::path("quilmar-data"));
}

} // namespace
} // namespace dfe::host
