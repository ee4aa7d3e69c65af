#include "platform/ui/controls.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

// A posting-form-like hook: Enter becomes Tab except in the memo, the period becomes the comma when the
// decimal separator is the comma, PageDown is swallowed; nothing is rewritten while Ctrl is held.
class KeyboardTest : public ::testing::Test {
protected:
    KeyboardTest() : form(app.CreateForm<Form>()) {
        app.SetDialogs(&dialogs);
        edtA = &form.Add<Edit>("edtA");
        edtB = &form.Add<Edit>("edtB");
        memo = &form.Add<RichEdit>("dreTexto");
        form.Show();
        app.SetMsgEventForm([this](Message& m, bool&) {
            ++hookCalls;
            if (m.kind != MessageKind::KeyDown || app.IsCtrlDown()) return;
            Control* active = form.ActiveControl();
            if (m.key == key::Enter && active && !active->IsRichText())
                m.key = key::Tab;
            else if (m.key == key::Period && app.DecimalSeparator() == ',')
                m.key = key::Comma;
            else if (m.key == key::PageDown)
                m.key = 0;
        });
    }

    Application app;
    ScriptedDialogs dialogs;
    Form& form;
    Edit* edtA = nullptr;
    Edit* edtB = nullptr;
    RichEdit* memo = nullptr;
    int hookCalls = 0;
};

TEST_F(KeyboardTest, TheHookSeesEveryKeyFirstAndMayRewriteIt) {
    EXPECT_EQ(app.KeyDown(key::Enter), key::Tab);
    EXPECT_EQ(form.ActiveControl(), edtB);
    EXPECT_EQ(app.KeyDown(key::PageDown), 0);
    EXPECT_EQ(hookCalls, 2);
}

TEST_F(KeyboardTest, EnterStaysEnterInARichTextEditor) {
    memo->SetFocus();
    app.PressKey(key::Enter);
    EXPECT_EQ(form.ActiveControl(), memo);
    EXPECT_EQ(memo->Text(), "\n");
}

TEST_F(KeyboardTest, WithCtrlHeldNothingIsRewritten) {
    EXPECT_EQ(app.KeyDown(key::Enter, {.ctrl = true}), key::Enter);
    EXPECT_EQ(form.ActiveControl(), edtA);
    app.SetCtrlDown(true);
    EXPECT_EQ(app.KeyDown(key::PageDown), key::PageDown);
    app.SetCtrlDown(false);
    EXPECT_EQ(app.KeyDown(key::PageDown), 0);
}

TEST_F(KeyboardTest, CtrlIsHeldOnlyForTheKeyThatCarriesIt) {
    app.KeyDown(key::Enter, {.ctrl = true});
    EXPECT_FALSE(app.IsCtrlDown());
}

TEST_F(KeyboardTest, ThePeriodTypesACommaOnlyWhenTheSeparatorIsTheComma) {
    app.TypeText("1.5");
    EXPECT_EQ(edtA->Text(), "1,5");
    app.SetDecimalSeparator('.');
    edtB->SetFocus();
    app.TypeText("1.5");
    EXPECT_EQ(edtB->Text(), "1.5");
}

TEST_F(KeyboardTest, ASwallowedKeyReachesNoHandler) {
    int formKeys = 0, controlKeys = 0;
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](Component&, int&, ShiftState) { ++formKeys; };
    edtA->OnKeyDown = [&](Component&, int&, ShiftState) { ++controlKeys; };
    app.KeyDown(key::PageDown);
    EXPECT_EQ(formKeys + controlKeys, 0);
    app.KeyDown(key::F12);
    EXPECT_EQ(formKeys, 1);
    EXPECT_EQ(controlKeys, 1);
}

TEST_F(KeyboardTest, KeyPreviewLetsTheFormSwallowBeforeTheControl) {
    form.SetKeyPreview(true);
    form.OnKeyDown = [](Component&, int& k, ShiftState) {
        if (k == key::F12) k = 0;
    };
    int controlKeys = 0;
    edtA->OnKeyDown = [&](Component&, int&, ShiftState) { ++controlKeys; };
    app.KeyDown(key::F12);
    EXPECT_EQ(controlKeys, 0);
}

TEST_F(KeyboardTest, KeyPressFiltersCharactersAndTypingRespectsLimits) {
    edtA->OnKeyPress = [](Component&, char32_t& ch) {
        if (ch != U'\b' && (ch < '0' || ch > '9')) ch = 0;
    };
    edtA->SetMaxLength(3);
    app.TypeText("1a2b34");
    EXPECT_EQ(edtA->Text(), "123");
    app.PressKey(key::Back);
    EXPECT_EQ(edtA->Text(), "12");
}

TEST_F(KeyboardTest, EnteringAnEditSelectsItsTextSoTypingReplacesIt) {
    edtB->SetText("antigo");
    edtB->SetFocus();
    app.TypeText("novo");
    EXPECT_EQ(edtB->Text(), "novo");
    app.TypeText("s");
    EXPECT_EQ(edtB->Text(), "novos");
}

TEST_F(KeyboardTest, UpperCaseEditsAndCtrlVPaste) {
    edtA->SetCharCase(CharCase::Upper);
    app.TypeText("ação");
    EXPECT_EQ(edtA->Text(), "AÇÃO");
    app.SetClipboard("sp");
    app.PressKey('V', {.ctrl = true});
    EXPECT_EQ(edtA->Text(), "AÇÃOSP");
}

TEST_F(KeyboardTest, ReadOnlyEditsIgnoreTyping) {
    edtA->SetReadOnly(true);
    app.TypeText("x");
    app.PressKey(key::Back);
    EXPECT_EQ(edtA->Text(), "");
}

TEST_F(KeyboardTest, MenuShortcutsRunTheirItem) {
    auto& menu = form.Create<MainMenu>("mnuPrincipal");
    auto& item = menu.AddItem("mnuRateio", "Rateio");
    item.SetShortCut("Ctrl+T");
    int clicks = 0;
    item.OnClick = [&](Component&) { ++clicks; };
    app.KeyDown('T', {.ctrl = true});
    item.SetEnabled(false);
    app.KeyDown('T', {.ctrl = true});
    EXPECT_EQ(clicks, 1);
}

TEST_F(KeyboardTest, InstallingAHookReplacesTheOneBeforeAndClearingRemovesIt) {
    int second = 0;
    app.SetMsgEventForm([&](Message&, bool&) { ++second; });
    app.KeyDown(key::Enter);
    EXPECT_EQ(hookCalls, 0);
    EXPECT_EQ(second, 1);
    app.ClearMsgEventForm();
    EXPECT_EQ(app.KeyDown(key::Enter), key::Enter);
}

TEST(KeyStrokeTest, ParsesNamesModifiersAndCodes) {
    struct Case {
        const char* text;
        int key;
        ShiftState shift;
    };
    const Case cases[] = {
        {"Tab", key::Tab, {}},
        {"Shift+Tab", key::Tab, {.shift = true}},
        {"Ctrl+V", 'V', {.ctrl = true}},
        {"F12", key::F12, {}},
        {"PageDown", key::PageDown, {}},
        {"190", key::Period, {}},
        {"Alt+PageUp", key::PageUp, {.alt = true}},
    };
    for (const auto& c : cases) {
        auto stroke = ParseKeyStroke(c.text);
        ASSERT_TRUE(stroke) << c.text;
        EXPECT_EQ(stroke->key, c.key) << c.text;
        EXPECT_EQ(stroke->shift, c.shift) << c.text;
    }
    for (const char* bad : {"", "Ctrl+", "Hyper+A", "F13", "999", "Nada"})
        EXPECT_FALSE(ParseKeyStroke(bad)) << bad;
}

} // namespace
} // namespace dfe
