#include "host/host.h"
#include "host/package_loader.h"

#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dfe::host {
namespace {

HostConfig TestConfig() {
    HostConfig config;
    config.packageDirs = {DFE_TEST_PACKAGE_DIR};
    config.context.operatorCode = "TESTE";
    config.screens["TST00001"] = {"Pkg_teste", "CriaTelaTeste"};
    config.screens["TST00002"] = {"Pkg_ausente", "CriaNada"};
    config.screens["TST00003"] = {"Pkg_teste", "CriaNada"};
    return config;
}

class HostTest : public ::testing::Test {
protected:
    HostTest() : host(app, TestConfig()) { app.SetDialogs(&dialogs); }
    Application app;
    ScriptedDialogs dialogs;
    Host host;
};

TEST_F(HostTest, OpensAScreenOfAPackageThatSeesTheHostsContext) {
    host.OpenScreen("tst00001");
    Form* form = app.ActiveForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "frmTelaTeste");
    auto* label = dynamic_cast<Control*>(form->FindComponent("lblOperador"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "TESTE");
    // The package installed its keyboard hook in the host's application.
    EXPECT_TRUE(static_cast<bool>(app.MsgEventForm()));
    // Opening again shows the same form.
    host.OpenScreen("TST00001");
    EXPECT_EQ(app.ActiveForm(), form);
}

TEST_F(HostTest, MissingScreensPackagesAndCreatorsGiveClearMessages) {
    struct Case {
        const char* code;
        const char* message;
    };
    for (const Case& c : {Case{"NADA", "A tela NADA não está instalada."},
                          Case{"TST00002", "O pacote Pkg_ausente não está instalado."},
                          Case{"TST00003", "O pacote Pkg_teste não tem a rotina CriaNada."}}) {
        try {
            host.OpenScreen(c.code);
            ADD_FAILURE() << c.code << " opened";
        } catch (const PackageError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST_F(HostTest, ThePackageErrorNamesWhereItLooked) {
    try {
        host.LoadPackage("Pkg_ausente");
        FAIL();
    } catch (const PackageError& error) {
        EXPECT_NE(error.Detail().find("libPkg_ausente.so"), std::string::npos);
        EXPECT_NE(error.Detail().find(DFE_TEST_PACKAGE_DIR), std::string::npos);
    }
}

TEST_F(HostTest, RefusesNamesThatAreNotPackageNames) {
    for (const char* name : {"", "../Pkg_teste", "Pkg teste", "/tmp/x"})
        EXPECT_THROW(host.LoadPackage(name), PackageError) << name;
}

TEST_F(HostTest, AFileThatIsNotALoadableLibraryIsRefused) {
    auto dir = std::filesystem::temp_directory_path() / "quilmar_loader_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "libPkg_falso.so") << "not an ELF file";
    PackageLoader loader({dir}, host);
    try {
        loader.Load("Pkg_falso");
        FAIL();
    } catch (const PackageError& error) {
        EXPECT_EQ(std::string(error.what()), "O pacote Pkg_falso não pôde ser carregado.");
    }
    EXPECT_FALSE(loader.IsLoaded("Pkg_falso"));
    std::filesystem::remove_all(dir);
}

TEST_F(HostTest, ALibraryWithoutThePackageEntryPointsIsRefused) {
    auto dir = std::filesystem::temp_directory_path() / "quilmar_loader_test2";
    std::filesystem::create_directories(dir);
    std::error_code ec;
    std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", dir / "libPkg_libm.so", ec);
    if (ec || !std::filesystem::exists(dir / "libPkg_libm.so")) GTEST_SKIP() << "no libm to stand in";
    PackageLoader loader({dir}, host);
    try {
        loader.Load("Pkg_libm");
        FAIL();
    } catch (const PackageError& error) {
        EXPECT_EQ(std::string(error.what()), "O arquivo libPkg_libm.so não é um pacote do Quilmar.");
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace dfe::host
