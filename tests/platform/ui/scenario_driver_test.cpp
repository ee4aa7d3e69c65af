#include "platform/ui/controls.h"
#include "platform/ui/scenario_driver.h"
#include "platform/ui/scenario_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dfe {
namespace {

// A small screen: a branch code that must be filled before leaving, a delete button that asks first,
// and a filter button that opens a modal dialog.
class TestScreen : public Form {
public:
    explicit TestScreen(Application& app) : Form(app) {
        SetName("frmTeste");
        SetCaption("Tela de teste");
        auto& pan = Add<Panel>("panFilial");
        auto& med = pan.Add<MaskEdit>("medCdFilial");
        med.SetEditMask(">aaaa;0; ");
        med.OnExit = [&med, &app](Component&) {
            if (med.Text().empty()) {
                app.Dialogs().ShowError(ErrorRequest{"Informe a filial.", {}, "Fili_Obrig"});
                ThrowAbort();
            }
        };
        auto& serie = Add<Edit>("dbeSerie");
        serie.SetColor(Color::clInfoBk);
        auto& excluir = Add<Button>("sbtExcluir");
        excluir.SetCaption("Excluir");
        excluir.OnClick = [&app, &serie](Component&) {
            if (app.Dialogs().Confirm("Confirma a exclusão?", "Excl_Lanc") == mr::Yes) serie.SetText("");
        };
        auto& filtro = Add<Button>("sbtFiltro");
        filtro.OnClick = [&app, &serie](Component&) {
            auto& dlg = app.CreateForm<Form>();
            dlg.SetName("frmFiltro");
            auto& edt = dlg.Add<Edit>("edtSerie");
            auto& ok = dlg.Add<Button>("bbtOK");
            ok.SetModalResult(mr::Ok);
            dlg.OnClose = [](Form&, CloseAction& a) { a = CloseAction::Free; };
            if (dlg.ShowModal() == mr::Ok) serie.SetText(edt.Text());
        };
    }
};

class ScenarioDriverTest : public ::testing::Test {
protected:
    ScenarioDriverTest() : driver(app, transcript) {
        driver.SetScreenOpener([this](const std::string& code) {
            if (code != "TST00001") throw std::runtime_error("A tela " + code + " não está instalada.");
            app.CreateForm<TestScreen>().Show();
        });
    }
    ScenarioResult Run(const std::string& script) { return driver.Run(script); }

    Application app;
    std::ostringstream transcript;
    ScenarioDriver driver;
};

TEST_F(ScenarioDriverTest, APassingScenarioPrintsItsTranscript) {
    auto result = Run(R"(# a comment
open TST00001
expect focus medCdFilial
press Tab
expect message Fili_Obrig
expect focus medCdFilial
type medCdFilial 1a
expect text medCdFilial 1A
press Enter Tab
expect focus dbeSerie
expect colour dbeSerie clInfoBk
type "001 A"
answer 6 Excl_Lanc
click sbtExcluir
expect message "Confirma a exclusão?"
expect text dbeSerie ""
expect caption sbtExcluir Excluir
expect no-message
)");
    EXPECT_TRUE(result.passed) << result.failure << "\n" << transcript.str();
    const std::string out = transcript.str();
    EXPECT_NE(out.find("focus medCdFilial -> dbeSerie"), std::string::npos) << out;
    EXPECT_NE(out.find("question [Excl_Lanc] \"Confirma a exclusão?\" -> 6"), std::string::npos) << out;
    EXPECT_NE(out.find("PASSED"), std::string::npos);
}

TEST_F(ScenarioDriverTest, AWrongExpectationFailsWithItsLine) {
    auto result = Run("open TST00001\n\nexpect focus dbeSerie\nexpect focus medCdFilial\n");
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.failedLine, 3);
    EXPECT_NE(transcript.str().find("FAILED at line 3: the focus is on medCdFilial, not on dbeSerie"),
              std::string::npos)
        << transcript.str();
}

struct FailureCase {
    const char* script;
    int line;
    const char* message;
};

class ScenarioFailureTest : public ScenarioDriverTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ScenarioFailureTest, FailsAtTheRightLineSayingWhy) {
    auto result = Run(GetParam().script);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.failedLine, GetParam().line) << result.failure;
    EXPECT_NE(result.failure.find(GetParam().message), std::string::npos) << result.failure;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ScenarioFailureTest,
    ::testing::Values(FailureCase{"open TST00001\ntype medCdFilial 1\nclick sbtExcluir\n", 3,
                                  "unexpected question [Excl_Lanc]"},
                      FailureCase{"open TST00001\nanswer 6\nexpect form frmTeste\n", 2, "was never used"},
                      FailureCase{"open DFE99999\n", 1, "A tela DFE99999 não está instalada."},
                      FailureCase{"open TST00001\nfocus dbeSerie\n", 2, "the focus did not move to dbeSerie"},
                      FailureCase{"open TST00001\nclick nada\n", 2, "there is no nada"},
                      FailureCase{"open TST00001\nfrobnicate\n", 2, "unknown command"},
                      FailureCase{"open TST00001\ntype \"abc\n", 2, "unclosed quote"},
                      FailureCase{"open TST00001\nexpect message Outra\n", 2,
                                  "no message \"Outra\" was shown"},
                      FailureCase{"open TST00001\ntype medCdFilial 1\nclick sbtFiltro\n", 3,
                                  "script ended while the modal"},
                      FailureCase{"open TST00001\npress Hyper+X\n", 2, "unknown key"},
                      FailureCase{"open TST00001\nexpect colour dbeSerie clWindow\n", 2,
                                  "dbeSerie is clInfoBk, not clWindow"}));

TEST_F(ScenarioDriverTest, ModalFormsRunOnTheFollowingLines) {
    auto result = Run(R"(open TST00001
type medCdFilial 0001
click sbtFiltro
expect form frmFiltro
type edtSerie 7
click bbtOK
expect form frmTeste
expect text dbeSerie 7
)");
    EXPECT_TRUE(result.passed) << result.failure << "\n" << transcript.str();
    EXPECT_EQ(app.FindForm("frmFiltro"), nullptr); // released after closing
    EXPECT_NE(transcript.str().find("modal frmFiltro ended with 1"), std::string::npos) << transcript.str();
}

TEST_F(ScenarioDriverTest, ABusyIndicatorLeftUpFailsTheScript) {
    driver.AddCommand("busy", [](ScenarioDriver& d, const ScenarioDriver::Args& a) {
        d.App().Dialogs().ShowBusy(a.at(0));
        if (a.size() == 1) d.App().Dialogs().HideBusy();
    });
    auto result = Run("busy FechaNF\nbusy GetNFE up\n");
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.failure, "the busy indicator was left up");
    EXPECT_NE(transcript.str().find("busy \"FechaNF\""), std::string::npos) << transcript.str();
}

TEST_F(ScenarioDriverTest, ScreenshotsAreSkippedWithoutARenderer) {
    auto result = Run("open TST00001\nscreenshot tela.png\n");
    EXPECT_TRUE(result.passed);
    EXPECT_NE(transcript.str().find("skipped: no renderer"), std::string::npos);
}

TEST_F(ScenarioDriverTest, LayersAboveAddTheirOwnCommandsAndExpectations) {
    std::string seen;
    driver.AddCommand("note", [&](ScenarioDriver&, const ScenarioDriver::Args& a) { seen = a.at(0); });
    driver.AddExpectation("answer", [](ScenarioDriver& d, const ScenarioDriver::Args& a) {
        if (a.at(0) != "42") d.Fail("the answer is 42");
    });
    auto result = Run("note oi\nexpect answer 42\nexpect answer 41\n");
    EXPECT_EQ(seen, "oi");
    EXPECT_EQ(result.failedLine, 3);
}

TEST(ScenarioLineTest, SplitsWordsQuotesAndComments) {
    EXPECT_EQ(SplitScenarioLine("  type  edt \"a b\"  ").words,
              (std::vector<std::string>{"type", "edt", "a b"}));
    EXPECT_EQ(SplitScenarioLine(R"(type "diz \"oi\" \\ fim")").words,
              (std::vector<std::string>{"type", "diz \"oi\" \\ fim"}));
    EXPECT_EQ(SplitScenarioLine("type \"\"").words, (std::vector<std::string>{"type", ""}));
    EXPECT_TRUE(SplitScenarioLine("   # nada").words.empty());
    EXPECT_EQ(SplitScenarioLine("type #1").words, (std::vector<std::string>{"type", "#1"}));
    EXPECT_FALSE(SplitScenarioLine("type \"aberto").error.empty());
}

} // namespace
} // namespace dfe
