#include "dfe11000/header_fixture.h"

#include "dfe11000/closing/error_list.h"
#include "dfe11000/dialogs/frm_erros.h"
#include "qtui/qt_application.h"
#include "qtui/qt_renderer.h"

#include <QApplication>
#include <QImage>

#include <filesystem>
#include <iostream>

namespace dfe::dfe11000 {
namespace {

QApplication& QtApp() {
    static int argc = 1;
    static char name[] = "test_dfe11000_qt";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of the last test may still be queued for deletion at exit.
    static QApplication* app = qtui::CreateQtApplication(argc, argv).release();
    return *app;
}

class ErrorDialogPicture : public testing::HeaderTest {
protected:
    QApplication& qt = QtApp();
};

// The error dialog as Qt draws it over a failed closing's list: warnings, a fiscal finding and a blocking
// row.
TEST_F(ErrorDialogPicture, TheErrorDialogIsDrawnWithItsList) {
    qtui::QtRenderer renderer{app};
    Include();
    DataSet& rows = form->data.cdsErrosFech;
    const std::pair<const char*, const char*> answer[] = {
        {"OCORR_ERRO", ""},    {"DFE11000_7", ""}, {"LIB00200_3", "0000000001"},
        {"1ICMS", "F003ICMS"}, {"ITSEMAF", "3"},   {"Enc_Dif", "Frete"}};
    for (const auto& [code, object] : answer) {
        rows.Append();
        rows.FieldByName("CDERRO").SetAsString(code);
        rows.FieldByName("CDOBJETO").SetAsString(object);
        rows.Post();
    }
    app.Dispatch([&] { form->Errors().MontaErrosVisual(); });
    ASSERT_EQ(form->data.cdsErrosVisual.RecordCount(), 5);

    const std::filesystem::path path = std::filesystem::path(DFE_PICTURE_DIR) / "dfe11100_erros.png";
    std::filesystem::remove(path);
    bool written = false;
    dialogs.ExpectModal("frmErros").Do([&](Form& f) {
        auto& d = static_cast<TfrmErros&>(f);
        EXPECT_FALSE(d.bbtOK.Enabled());
        written = renderer.Screenshot(d, path.string());
        d.Close();
    });
    app.Dispatch([&] { CriaErros(*form); });
    ASSERT_TRUE(written);
    const QImage image(QString::fromStdString(path.string()));
    EXPECT_GE(image.width(), 600);
    EXPECT_GE(image.height(), 300);
    std::cout << "screenshot: " << path.string() << '\n';
}

} // namespace
} // namespace dfe::dfe11000
