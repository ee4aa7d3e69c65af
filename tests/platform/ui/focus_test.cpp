#include "platform/ui/controls.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dfe {
namespace {

// A form with a panel of two edits, an edit outside it and a button; every enter and exit is logged.
class FocusTest : public ::testing::Test {
protected:
    FocusTest() : form(app.CreateForm<Form>()) {
        app.SetDialogs(&dialogs);
        form.SetName("frmTeste");
        pan = &form.Add<Panel>("panDados");
        edtA = &pan->Add<Edit>("edtA");
        edtB = &pan->Add<Edit>("edtB");
        edtC = &form.Add<Edit>("edtC");
        btn = &form.Add<Button>("btnOk");
        for (Control* c : std::vector<Control*>{pan, edtA, edtB, edtC, btn}) {
            c->OnEnter = [this](Component& s) { log.push_back("enter " + s.Name()); };
            c->OnExit = [this](Component& s) { log.push_back("exit " + s.Name()); };
        }
        form.Show();
        log.clear();
    }

    Application app;
    ScriptedDialogs dialogs;
    Form& form;
    Panel* pan = nullptr;
    Edit* edtA = nullptr;
    Edit* edtB = nullptr;
    Edit* edtC = nullptr;
    Button* btn = nullptr;
    std::vector<std::string> log;
};

TEST_F(FocusTest, ShowingTheFormFocusesTheFirstControlInTabOrder) {
    EXPECT_EQ(form.ActiveControl(), edtA);
    EXPECT_TRUE(edtA->Focused());
    EXPECT_EQ(app.ActiveForm(), &form);
}

// A scroll box 100 high over a page of 400: the focused edit is scrolled into view, the least that shows it.
TEST(FocusScroll, TheFocusedControlIsScrolledIntoView) {
    Application app;
    Form& form = app.CreateForm<Form>();
    auto& box = form.Add<ScrollBox>("scbFicha");
    box.SetBounds(0, 0, 200, 100);
    auto& panel = box.Add<Panel>("panFicha");
    panel.SetBounds(0, 50, 200, 350);
    const struct {
        const char* name;
        int top;
        int height;
        int position;
    } cases[] = {
        {"edtAcima", 0, 20, 0},     // in view: nothing moves
        {"edtFundo", 300, 20, 270}, // below: its bottom at the box's bottom
        {"edtMeio", 150, 20, 200},  // above the view: its top at the box's top
        {"memAlto", 0, 150, 50},    // taller than the box: its top
    };
    for (const auto& c : cases) {
        auto& edit = panel.Add<Edit>(c.name);
        edit.SetBounds(0, c.top, 100, c.height);
    }
    form.Show();
    for (const auto& c : cases) {
        form.FocusControl(&form.Require<Edit>(c.name));
        EXPECT_EQ(box.VertScrollPosition(), c.position) << c.name;
    }
}

TEST_F(FocusTest, TabFollowsTabOrderAndWrapsShiftTabGoesBack) {
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        app.KeyDown(key::Tab);
        seen.push_back(form.ActiveControl()->Name());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"edtB", "edtC", "btnOk", "edtA"}));
    app.KeyDown(key::Tab, {.shift = true});
    EXPECT_EQ(form.ActiveControl(), btn);
}

TEST_F(FocusTest, TabOrderCanBeChangedAndSkipsDisabledHiddenAndNonStopControls) {
    edtC->SetTabOrder(0); // now before the panel
    EXPECT_EQ(form.FindNextControl(nullptr, true), edtC);
    edtB->SetEnabled(false);
    EXPECT_EQ(form.FindNextControl(edtA, true), btn); // edtB disabled, edtC is first now
    edtB->SetEnabled(true);
    edtB->SetVisible(false);
    EXPECT_EQ(form.FindNextControl(edtA, true), btn);
    edtB->SetVisible(true);
    edtB->SetTabStop(false);
    EXPECT_EQ(form.FindNextControl(edtA, true), btn);
    pan->SetEnabled(false); // disables its children too
    EXPECT_EQ(form.FindNextControl(edtC, true), btn);
}

TEST_F(FocusTest, LeavingAPanelRunsControlExitThenPanelExitThenTheNewEnter) {
    edtC->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"exit edtA", "exit panDados", "enter edtC"}));
    log.clear();
    edtB->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"exit edtC", "enter panDados", "enter edtB"}));
    log.clear();
    edtA->SetFocus(); // inside the same panel: the panel is neither left nor entered
    EXPECT_EQ(log, (std::vector<std::string>{"exit edtB", "enter edtA"}));
}

TEST_F(FocusTest, AnAbortInTheExitHandlerKeepsTheFocusSilently) {
    edtA->OnExit = [](Component&) { ThrowAbort(); };
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), edtA);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(log.empty()); // nothing entered
}

TEST_F(FocusTest, AnyOtherErrorInTheExitHandlerKeepsTheFocusAndIsShown) {
    pan->OnExit = [](Component&) { throw std::runtime_error("Data inválida"); };
    app.Click(*btn);
    EXPECT_EQ(form.ActiveControl(), edtA);
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors()[0].text, "Data inválida");
}

TEST_F(FocusTest, AClickThatCannotTakeTheFocusDoesNotClick) {
    bool clicked = false;
    btn->OnClick = [&](Component&) { clicked = true; };
    edtA->OnExit = [](Component&) { ThrowAbort(); };
    app.Click(*btn);
    EXPECT_FALSE(clicked);
    edtA->OnExit = nullptr;
    app.Click(*btn);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(form.ActiveControl(), btn);
}

TEST_F(FocusTest, AnExitHandlerMayChooseWhereTheFocusGoesBeforeAborting) {
    // The rule of a panel focuses the field concerned and abandons the move.
    pan->OnExit = [this](Component&) {
        edtB->SetFocus();
        ThrowAbort();
    };
    app.Click(*btn);
    EXPECT_EQ(form.ActiveControl(), edtB);
}

TEST_F(FocusTest, AnEnterHandlerMayMoveTheFocusOn) {
    edtC->OnEnter = [this](Component&) { btn->SetFocus(); };
    edtC->SetFocus();
    EXPECT_EQ(form.ActiveControl(), btn);
}

TEST_F(FocusTest, FocusingADisabledOrHiddenControlIsAnError) {
    edtC->SetEnabled(false);
    EXPECT_THROW(edtC->SetFocus(), UiError);
    edtC->SetEnabled(true);
    pan->SetVisible(false);
    EXPECT_THROW(edtB->SetFocus(), UiError);
}

TEST_F(FocusTest, HidingTheFocusedControlDropsTheFocusWithoutHandlers) {
    edtC->SetFocus();
    log.clear();
    edtC->SetVisible(false);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    EXPECT_TRUE(log.empty());
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), edtA);
}

TEST_F(FocusTest, DestroyingTheFocusedControlClearsTheFocus) {
    form.DestroyComponent(*edtA);
    EXPECT_EQ(form.ActiveControl(), nullptr);
    app.KeyDown(key::Tab);
    EXPECT_EQ(form.ActiveControl(), edtB);
}

TEST_F(FocusTest, FocusMovesAreObservable) {
    std::vector<std::string> moves;
    app.SubscribeFocus([&](Form&, Control* from, Control* to) {
        moves.push_back((from ? from->Name() : "-") + ">" + (to ? to->Name() : "-"));
    });
    app.KeyDown(key::Tab);
    EXPECT_EQ(moves, (std::vector<std::string>{"edtA>edtB"}));
}

} // namespace
} // namespace dfe
