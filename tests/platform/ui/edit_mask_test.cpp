#include "platform/ui/controls.h"
#include "platform/ui/edit_mask.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

struct TypingCase {
    const char* mask;
    const char* typed;
    const char* value;
    const char* shown;
};

class MaskTypingTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(MaskTypingTest, TypingKeepsWhatTheMaskTakes) {
    const auto& c = GetParam();
    Application app;
    ScriptedDialogs dialogs;
    app.SetDialogs(&dialogs);
    auto& form = app.CreateForm<Form>();
    auto& med = form.Add<MaskEdit>("medCampo");
    med.SetEditMask(c.mask);
    form.Show();
    app.TypeText(c.typed);
    EXPECT_EQ(med.Text(), c.value);
    EXPECT_EQ(med.EditText(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTypingTest,
    ::testing::Values(
        // The branch code: upper-cased, 4 positions, literals none.
        TypingCase{">aaaa;0; ", "1a", "1A", "1A  "}, TypingCase{">aaaa;0; ", "abcde", "ABCD", "ABCD"},
        TypingCase{">aaaa;0; ", "a-b", "AB", "AB  "},
        // CPF and CNPJ: literals are shown but not stored; letters are refused.
        TypingCase{"999.999.999-99;0;_", "123x45678909", "12345678909", "123.456.789-09"},
        TypingCase{"99.999.999/9999-99;0;_", "11222333", "11222333", "11.222.333/____-__"},
        // The access key: 44 digits in groups of four.
        TypingCase{"9999.9999.9999.9999.9999.9999.9999.9999.9999.9999.9999;0; ", "35190812345678",
                   "35190812345678", "3519.0812.3456.78  .    .    .    .    .    .    .    "},
        // A time that keeps its literal.
        TypingCase{"99:99;1; ", "1230", "12:30", "12:30"}, TypingCase{"99:99;1; ", "", "", "  :  "}));

TEST(EditMaskTest, ParsesFlagsBlankAndCaseMarkers) {
    EditMask m(">aaaa;0; ");
    EXPECT_FALSE(m.SaveLiterals());
    EXPECT_EQ(m.BlankChar(), U' ');
    EXPECT_EQ(m.InputCount(), 4u);
    EXPECT_EQ(m.Accept(0, U'ç'), U'Ç');
    EditMask plain("999");
    EXPECT_TRUE(plain.SaveLiterals());
    EXPECT_EQ(plain.BlankChar(), U'_');
    EditMask mixed(">L<l<>l;0;_");
    EXPECT_EQ(mixed.Accept(0, U'a'), U'A');
    EXPECT_EQ(mixed.Accept(1, U'B'), U'b');
    EXPECT_EQ(mixed.Accept(2, U'C'), U'C');
    EXPECT_EQ(mixed.Accept(0, U'1'), 0u);
    EditMask escaped("\\99;1;_");
    EXPECT_EQ(escaped.InputCount(), 1u);
    EXPECT_EQ(escaped.Display(U"5"), U"95");
}

TEST(EditMaskTest, AssignedValuesSkipWhatThePositionsRefuse) {
    EditMask cpf("999.999.999-99;0;_");
    EXPECT_EQ(cpf.Value(cpf.InputsFromValue(U"123.456.789-09")), U"12345678909");
    EditMask time("99:99;1; ");
    EXPECT_EQ(time.Value(time.InputsFromValue(U"12:30")), U"12:30");
    EXPECT_EQ(time.Value(time.InputsFromValue(U"1x:30")), U"1 :30");
}

TEST(MaskEditTest, BackspaceAssignmentAndChangeEvents) {
    Application app;
    ScriptedDialogs dialogs;
    app.SetDialogs(&dialogs);
    auto& form = app.CreateForm<Form>();
    auto& med = form.Add<MaskEdit>("medCdFilial");
    med.SetEditMask(">aaaa;0; ");
    int changes = 0;
    med.OnChange = [&](Component&) { ++changes; };
    form.Show();
    app.TypeText("ab");
    app.PressKey(key::Back);
    EXPECT_EQ(med.Text(), "A");
    EXPECT_EQ(changes, 3);
    med.SetText("x1y2z");
    EXPECT_EQ(med.Text(), "X1Y2");
    // Removing the mask keeps the value; putting another one back re-reads it.
    med.SetEditMask("");
    EXPECT_EQ(med.Text(), "X1Y2");
    med.SetEditMask("9999;0;_");
    EXPECT_EQ(med.Text(), "12");
}

TEST(MaskEditTest, LeavingWithARequiredPositionEmptyKeepsTheFocus) {
    Application app;
    ScriptedDialogs dialogs;
    app.SetDialogs(&dialogs);
    auto& form = app.CreateForm<Form>();
    auto& med = form.Add<MaskEdit>("medHora");
    auto& next = form.Add<Edit>("edtNext");
    med.SetEditMask("00:00;1;_");
    form.Show();
    app.TypeText("12");
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), &med);
    EXPECT_EQ(dialogs.Errors().size(), 1u);
    app.TypeText("30");
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), &next);
    med.SetText("");
    med.SetFocus();
    app.KeyDown(key::Tab); // an empty field may be left
    EXPECT_EQ(form.ActiveControl(), &next);
}

} // namespace
} // namespace dfe
