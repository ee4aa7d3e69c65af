#include "platform/ui/layout_check.h"

#include "platform/ui/controls.h"
#include "platform/ui/placement.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace dfe {
namespace {

struct LayoutCase {
    const char* what;
    std::function<void(Form&)> build; // on a form frmTeste of 200x100
    std::vector<std::string> faults;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.what;
}

class LayoutCheckTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutCheckTest, ReportsTheFaultsOfTheForm) {
    Application app;
    auto& form = app.CreateForm<Form>();
    form.SetName("frmTeste");
    form.SetBounds(0, 0, 200, 100);
    GetParam().build(form);
    EXPECT_EQ(LayoutFaults(form), GetParam().faults);
}

const LayoutCase kCases[] = {
    {"controls that touch and fill their parent",
     [](Form& f) {
         // Each edge touches a sibling placed before it and one placed after it.
         Panel* pan = Place<Panel>(f, "panBaixo", 0, 42, 200, 58);
         Place<Edit>(*pan, "edtCanto", 150, 37, 50, 21);
         Place<Edit>(f, "edtB", 50, 0, 50, 21);
         Place<Edit>(f, "edtA", 0, 0, 50, 21);
         Place<Edit>(f, "edtC", 100, 0, 100, 21);
         Place<Label>(f, "lblMeio", 0, 21, 200, 21);
     },
     {}},
    {"past each edge of the form",
     [](Form& f) {
         Place<Edit>(f, "edtEsq", -1, 10, 50, 21);
         Place<Edit>(f, "edtTopo", 60, -1, 50, 21);
         Place<Edit>(f, "edtDir", 151, 40, 50, 21);
         Place<Edit>(f, "edtBaixo", 60, 80, 50, 21);
     },
     {"Edit edtEsq [-1,10 50x21] is outside the client area of Form frmTeste [0,0 200x100]",
      "Edit edtTopo [60,-1 50x21] is outside the client area of Form frmTeste [0,0 200x100]",
      "Edit edtDir [151,40 50x21] is outside the client area of Form frmTeste [0,0 200x100]",
      "Edit edtBaixo [60,80 50x21] is outside the client area of Form frmTeste [0,0 200x100]"}},
    {"bounds are relative to the parent",
     [](Form& f) {
         Panel* pan = Place<Panel>(f, "panDir", 100, 50, 80, 40);
         Place<Edit>(*pan, "edtDentro", 0, 10, 40, 21);
         // Inside the form as seen from the form, outside the panel it belongs to.
         Place<Edit>(*pan, "edtFora", 50, 10, 40, 21);
     },
     {"Edit edtFora [50,10 40x21] is outside the client area of Panel panDir [0,0 80x40]"}},
    {"overlapping siblings, each pair once",
     [](Form& f) {
         Place<Edit>(f, "edtA", 0, 0, 60, 21);
         Place<Label>(f, "lblB", 50, 10, 60, 13);
         Place<Edit>(f, "edtC", 100, 0, 50, 21);
         Place<Edit>(f, "edtD", 0, 50, 50, 21);
     },
     {"Edit edtA [0,0 60x21] overlaps Label lblB [50,10 60x13] in Form frmTeste",
      "Label lblB [50,10 60x13] overlaps Edit edtC [100,0 50x21] in Form frmTeste"}},
    {"the same place in two parents is no overlap",
     [](Form& f) {
         Panel* a = Place<Panel>(f, "panA", 0, 0, 100, 100);
         Panel* b = Place<Panel>(f, "panB", 100, 0, 100, 100);
         Place<Edit>(*a, "edtA", 8, 8, 80, 21);
         Place<Edit>(*b, "edtB", 8, 8, 80, 21);
     },
     {}},
    {"hidden controls are not judged",
     [](Form& f) {
         Place<Edit>(f, "edtA", 0, 0, 100, 21);
         Place<Edit>(f, "edtOculto", 50, 0, 300, 21)->SetVisible(false);
         Place<Edit>(f, "edtVazio", 0, 50, 0, 0)->SetVisible(false);
     },
     {}},
    {"the controls of a hidden container are still judged",
     [](Form& f) {
         Panel* pan = Place<Panel>(f, "panOculto", 0, 0, 100, 50);
         pan->SetVisible(false);
         Place<Edit>(*pan, "edtFora", 80, 0, 40, 21);
     },
     {"Edit edtFora [80,0 40x21] is outside the client area of Panel panOculto [0,0 100x50]"}},
    {"a control with no size, and nothing else about it",
     [](Form& f) {
         Place<Edit>(f, "edtA", 0, 0, 100, 21);
         Place<Edit>(f, "edtSemLargura", 10, 0, 0, 21);
         Place<Edit>(f, "edtNegativo", 500, 500, 40, -1);
     },
     {"Edit edtSemLargura [10,0 0x21] has no size", "Edit edtNegativo [500,500 40x-1] has no size"}},
    {"a container with no size, not its controls",
     [](Form& f) {
         Panel* pan = Place<Panel>(f, "panVazio", 0, 0, 0, 0);
         Place<Edit>(*pan, "edtA", 0, 0, 40, 21);
     },
     {"Panel panVazio [0,0 0x0] has no size"}},
    {"a form with no size",
     [](Form& f) {
         f.SetBounds(0, 0, 0, 0);
         Place<Edit>(f, "edtA", 0, 0, 40, 21);
     },
     {"Form frmTeste [0,0 0x0] has no size"}},
    {"notebook pages share the book and their controls are checked against it",
     [](Form& f) {
         Notebook* book = Place<Notebook>(f, "nbkDados", 0, 0, 200, 80);
         auto& a = book->Add<NotebookPage>("pagA");
         auto& b = book->Add<NotebookPage>("pagB");
         Place<GroupBox>(a, "grbA", 0, 0, 200, 80);
         Place<GroupBox>(b, "grbB", 0, 0, 200, 80);
         // On the page the book does not show.
         Place<Edit>(b, "edtFora", 0, 70, 40, 21);
     },
     {"Edit edtFora [0,70 40x21] is outside the client area of NotebookPage pagB [0,0 200x80]",
      "GroupBox grbB [0,0 200x80] overlaps Edit edtFora [0,70 40x21] in NotebookPage pagB"}},
    {"tab sheets likewise, a hidden one included",
     [](Form& f) {
         PageControl* pages = Place<PageControl>(f, "pgcDados", 0, 0, 200, 100);
         auto& a = pages->Add<TabSheet>("tshA");
         auto& b = pages->Add<TabSheet>("tshB");
         b.SetVisible(false);
         Place<Edit>(a, "edtA", 0, 0, 200, 21);
         Place<Edit>(b, "edtB", 190, 0, 20, 21);
     },
     {"Edit edtB [190,0 20x21] is outside the client area of TabSheet tshB [0,0 200x100]"}},
    {"a tab sheet outside a page control is an ordinary control",
     [](Form& f) { f.Add<TabSheet>("tshSolta"); },
     {"TabSheet tshSolta [0,0 0x0] has no size"}},
    {"a scroll box scrolls down, not sideways",
     [](Form& f) {
         ScrollBox* box = Place<ScrollBox>(f, "scbFicha", 0, 0, 200, 100);
         Place<Panel>(*box, "panFundo", 0, 400, 200, 100);
         Place<Edit>(*box, "edtLargo", 0, 0, 201, 21);
         Place<Edit>(*box, "edtAcima", 0, -5, 50, 21);
     },
     {"Edit edtLargo [0,0 201x21] is outside the client area of ScrollBox scbFicha [0,0 200 wide, scrolling "
      "down]",
      "Edit edtAcima [0,-5 50x21] is outside the client area of ScrollBox scbFicha [0,0 200 wide, scrolling "
      "down]",
      "Edit edtLargo [0,0 201x21] overlaps Edit edtAcima [0,-5 50x21] in ScrollBox scbFicha"}},
};

INSTANTIATE_TEST_SUITE_P(Forms, LayoutCheckTest, ::testing::ValuesIn(kCases));

} // namespace
} // namespace dfe
