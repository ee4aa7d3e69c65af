#include "module_fixture.h"

#include "platform/ui/layout_check.h"

namespace dfe::dfe11000 {
namespace {

std::string Lines(const std::vector<std::string>& faults) {
    std::string text;
    for (const std::string& fault : faults)
        text += fault + "\n";
    return text;
}

using FormLayout = testing::ModuleTest;

// Every form of the module as it is built: no visible control leaves its parent, none covers a sibling, none
// is without a size.
TEST_F(FormLayout, EveryFormOfTheModuleKeepsItsControlsApart) {
    TfrmLancNFEntrada& form = Open();
    EXPECT_EQ(Lines(LayoutFaults(form)), "") << form.Name();

    // The record page of each layout: the detail panels move below the origin and remittance panels.
    const char* types[][2] = {{"N", "N"}, {"N", "S"}, {"S", "N"}, {"S", "S"}};
    Answer("GetCountNFOrig",
           [](const net::RpcRequest&) -> std::optional<Variant> { return Variant::Null(); });
    for (const auto& [isReturn, triangular] : types) {
        DefineOperationType("T1", {{"IDOPERDEVONF", isReturn}, {"IDOPTRIANGULAR", triangular}});
        form.Header().SetCurrentType("T1");
        app.Dispatch([&] { form.Layout().AjustaPanels(0); });
        EXPECT_EQ(Lines(LayoutFaults(form)), "") << "return " << isReturn << ", triangular " << triangular;
    }

    // The filter is built by its first showing; cancelling it keeps it, hidden, for the next time.
    dialogs.ExpectModal("frmFiltroNFEntrada").Cancel();
    app.Dispatch([&] { form.Branch().sbtFiltroClick(); });
    ASSERT_TRUE(form.frmFiltroNFEntrada);
    EXPECT_EQ(Lines(LayoutFaults(*form.frmFiltroNFEntrada)), "") << form.frmFiltroNFEntrada->Name();
}

} // namespace
} // namespace dfe::dfe11000
