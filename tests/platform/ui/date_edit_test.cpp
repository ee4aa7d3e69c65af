#include "platform/ui/canvas.h"
#include "platform/ui/controls.h"
#include "platform/ui/date_edit.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

class DateEditTest : public ::testing::Test {
protected:
    DateEditTest() : form(app.CreateForm<Form>()) {
        app.SetDialogs(&dialogs);
        dep = &form.Add<DateEdit>("depEmisIni");
        next = &form.Add<Edit>("edtNext");
        form.Show();
    }
    Application app;
    ScriptedDialogs dialogs;
    Form& form;
    DateEdit* dep = nullptr;
    Edit* next = nullptr;
};

TEST_F(DateEditTest, TypedDigitsBecomeADate) {
    app.TypeText("10122026");
    EXPECT_EQ(dep->EditText(), "10/12/2026");
    EXPECT_EQ(dep->Date(), DateTime::FromDate(2026, 12, 10));
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), next);
}

TEST_F(DateEditTest, ANonDateOrAHalfDateCannotBeLeftButABlankOneCan) {
    for (const char* typed : {"31022026", "1012"}) {
        dep->SetText("");
        dep->SetFocus();
        app.TypeText(typed);
        app.KeyDown(key::Tab);
        EXPECT_EQ(form.ActiveControl(), dep) << typed;
        EXPECT_EQ(dep->Date(), DateTime()) << typed;
    }
    EXPECT_EQ(dialogs.Errors().size(), 2u);
    dep->SetText("");
    EXPECT_TRUE(dep->IsBlank());
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), next);
}

TEST_F(DateEditTest, SetDateShowsItAndTheEmptyDateBlanks) {
    dep->SetDate(DateTime::FromDate(2026, 1, 5));
    EXPECT_EQ(dep->EditText(), "05/01/2026");
    dep->SetDate(DateTime());
    EXPECT_TRUE(dep->IsBlank());
    EXPECT_EQ(dep->EditText(), "  /  /    ");
}

TEST(CanvasTest, RecordsWhatOwnerDrawnCellsPaint) {
    RecordingCanvas canvas;
    canvas.brushColor = Color::clInfoBk;
    canvas.FillRect(Rect{0, 0, 50, 18}.Inflated(-1, -1));
    canvas.fontColor = Color::clRed;
    canvas.TextOut(2, 2, "ação");
    canvas.DrawImage(4, 1, "imgComErro", Color::clOlive);
    EXPECT_EQ(canvas.Operations(),
              (std::vector<std::string>{"fill (1,1,49,17) clInfoBk", "text 2,2 clRed \"ação\"",
                                        "image 4,1 imgComErro transparent clOlive"}));
    EXPECT_EQ(canvas.TextWidth("ação"), 28);
}

} // namespace
} // namespace dfe
