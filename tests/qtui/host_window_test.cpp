#include "qt_fixture.h"

#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include <filesystem>

namespace dfe::qtui {
namespace {

// The host's main form with a child screen, as quilmar shows them.
class HostWindowTest : public QtTest {
protected:
    HostWindowTest() : main(app.CreateForm<Form>()), child(app.CreateForm<Form>()) {
        main.SetName("frmPrincipal");
        main.SetCaption("Quilmar - Operador: ADMIN - Filial: 0001 - Data: 10/12/2026");
        main.SetBounds(0, 0, 900, 700);
        app.SetMainForm(&main);
        main.Create<MainMenu>("mnuPrincipal").AddItem("mnuModulos", "&Módulos").AddItem("mnuDfe", "DFE11000");
        child.SetName("frmLancNFEntrada");
        child.SetCaption("Lançamento de Notas Fiscais");
        child.SetFormStyle(FormStyle::MdiChild);
        child.SetBounds(10, 10, 663, 400);
        auto& code = child.Add<Label>("lblCodTela");
        code.SetCaption("DFE11000");
        code.SetBounds(590, 8, 70, 16);
        edit = &child.Add<Edit>("medCdFilial");
        edit->SetBounds(8, 8, 60, 22);
    }
    Form& main;
    Form& child;
    Edit* edit = nullptr;
};

TEST_F(HostWindowTest, ChildScreensLiveInTheMainWindowsMdiArea) {
    main.Show();
    child.Show();
    QMdiArea* area = renderer.HostArea();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->subWindowList().size(), 1);
    QMdiSubWindow* sub = area->subWindowList().front();
    EXPECT_EQ(sub->windowTitle(), "Lançamento de Notas Fiscais");
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(ViewOfForm(main).Window()->windowTitle(), main.Caption().c_str());

    // Keys typed in the child reach its controls.
    Type(QtFocus(child), "12");
    EXPECT_EQ(edit->Text(), "12");

    // Closing the child's window asks the form; the default for a child is to minimize it.
    sub->close();
    EXPECT_EQ(child.GetWindowState(), WindowState::Minimized);
    child.OnClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
    child.SetWindowState(WindowState::Normal);
    sub->close();
    EXPECT_EQ(app.FindForm("frmLancNFEntrada"), nullptr);
    ProcessEvents();
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(HostWindowTest, ScreenPictureShowsTheHostWindowWithItsChildren) {
    main.Show();
    child.Show();
    const auto path = (std::filesystem::path(::testing::TempDir()) / "qtui_host_window.png").string();
    std::filesystem::remove(path);
    ASSERT_TRUE(renderer.ScreenshotScreen(path));
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 900);
    EXPECT_GE(image.height(), 700);
    // Laid out before the picture, without waiting for Qt's event loop: the menu bar has its height.
    EXPECT_GT(ViewOfForm(main).Window()->menuBar()->height(), 10);
    std::cout << "screenshot: " << path << '\n';
}

TEST_F(HostWindowTest, ClosingTheMainFormHidesTheHostWindow) {
    main.Show();
    QWidget* window = ViewOfForm(main).Frame();
    ASSERT_TRUE(window->isVisible());
    window->close(); // the window's close box asks the form
    EXPECT_FALSE(main.Visible());
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace dfe::qtui
