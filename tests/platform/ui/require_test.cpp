#include "platform/ui/controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dfe {
namespace {

class RequireTest : public ::testing::Test {
protected:
    RequireTest() : form(app.CreateForm<Form>()) {
        form.SetName("frmTeste");
        panel = &form.Add<Panel>("pnlCabecalho");
        serie = &panel->Add<Edit>("dbeSerie");
        form.Add<Label>("lblSerie");
        // The same name on two kinds: the label comes first, the edit must still be found.
        form.Add<Label>("dbeTotal");
        total = &form.Add<Edit>("dbeTotal");
        // Owned by the panel, not by the form.
        inner = &panel->Create<Label>("lblDentro");
    }

    Application app;
    Form& form;
    Panel* panel = nullptr;
    Edit* serie = nullptr;
    Edit* total = nullptr;
    Label* inner = nullptr;
};

TEST_F(RequireTest, FindsTheOwnedComponentOfThatNameAndKindOrNamesWhatIsMissing) {
    struct Case {
        const char* what;
        std::function<Component&()> require;
        Component* found; // nullptr: must throw `error`
        std::string error;
    };
    Component bare;
    const std::vector<Case> cases = {
        {"name in another letter case", [&]() -> Component& { return form.Require<Edit>("DBESERIE"); }, serie,
         ""},
        {"a base kind", [&]() -> Component& { return form.Require<Control>("dbeSerie"); }, serie, ""},
        {"the kind among equal names", [&]() -> Component& { return form.Require<Edit>("dbeTotal"); }, total,
         ""},
        {"owned by the panel", [&]() -> Component& { return panel->Require<Label>("lblDentro"); }, inner, ""},
        {"no such name", [&]() -> Component& { return form.Require<Edit>("dbeNada"); }, nullptr,
         "Form frmTeste has no Edit named dbeNada"},
        {"another kind", [&]() -> Component& { return form.Require<Edit>("lblSerie"); }, nullptr,
         "Form frmTeste has no Edit named lblSerie (lblSerie is of kind Label)"},
        {"a kind that is a base of none there",
         [&]() -> Component& { return form.Require<Container>("dbeSerie"); }, nullptr,
         "Form frmTeste has no Container named dbeSerie (dbeSerie is of kind Edit)"},
        {"owned one level down", [&]() -> Component& { return form.Require<Label>("lblDentro"); }, nullptr,
         "Form frmTeste has no Label named lblDentro"},
        {"an unnamed owner", [&]() -> Component& { return bare.Require<Edit>("dbeSerie"); }, nullptr,
         "Component (unnamed) has no Edit named dbeSerie"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.found) {
            EXPECT_EQ(&c.require(), c.found);
            continue;
        }
        try {
            c.require();
            ADD_FAILURE() << "did not throw";
        } catch (const std::logic_error& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
    }
}

} // namespace
} // namespace dfe
