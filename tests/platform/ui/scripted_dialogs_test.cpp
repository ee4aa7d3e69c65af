#include "platform/ui/controls.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

MessageRequest Question(const char* code, const char* text) {
    return MessageRequest{code, text, DialogType::Confirmation, mb::YesNo, {}};
}

TEST(ScriptedDialogsTest, AnswersQuestionsInOrderAndRecordsThem) {
    ScriptedDialogs d;
    d.ExpectQuestion().Answer(mr::Yes);
    d.ExpectQuestion("Cancel").Answer(mr::No);
    d.ExpectQuestion().Answer(11);
    EXPECT_EQ(d.ShowMessage(Question("Excl_Lanc", "Confirma a exclusão?")), mr::Yes);
    EXPECT_EQ(d.ShowMessage(Question("Cancel", "Cancela a nota?")), mr::No);
    EXPECT_EQ(d.AskCustom({"BloqManif_Exc", "Excluir?", {"Sim", "Não"}, DialogType::Confirmation, {}}), 11);
    ASSERT_EQ(d.Records().size(), 3u);
    EXPECT_EQ(d.Records()[0].code, "Excl_Lanc");
    EXPECT_EQ(d.Records()[0].answer, mr::Yes);
    EXPECT_EQ(d.Records()[2].answer, 11);
    EXPECT_EQ(d.PendingAnswers(), 0u);
}

TEST(ScriptedDialogsTest, MessagesWithOnlyOkNeedNoAnswer) {
    ScriptedDialogs d;
    d.ShowError("Filial inválida");
    d.ShowInformation("Quantidade atualizada", "QtdAtualizada");
    EXPECT_EQ(d.AskCustom({"", "Pronto", {"OK"}, DialogType::Information, {}}), 10);
    EXPECT_TRUE(d.Shown("QtdAtualizada"));
    EXPECT_TRUE(d.Shown("Filial inválida"));
    EXPECT_FALSE(d.Shown("Outra"));
    EXPECT_EQ(d.Errors().size(), 1u);
}

TEST(ScriptedDialogsTest, AnUnexpectedQuestionFailsNamingIt) {
    ScriptedDialogs d;
    try {
        d.ShowMessage(Question("Excl_Lanc", "Confirma a exclusão?"));
        FAIL() << "no failure";
    } catch (const ScriptFailure& failure) {
        EXPECT_NE(std::string(failure.what()).find("Excl_Lanc"), std::string::npos) << failure.what();
        EXPECT_NE(std::string(failure.what()).find("no answer was queued"), std::string::npos);
    }
}

TEST(ScriptedDialogsTest, AnAnswerQueuedForAnotherQuestionOrAButtonNotThereFails) {
    ScriptedDialogs d;
    d.ExpectQuestion("Cancel").Answer(mr::Yes);
    EXPECT_THROW(d.ShowMessage(Question("Excl_Lanc", "?")), ScriptFailure);
    ScriptedDialogs e;
    e.ExpectQuestion().Answer(12);
    EXPECT_THROW(e.AskCustom({"", "?", {"Sim", "Não"}, DialogType::Confirmation, {}}), ScriptFailure);
    ScriptedDialogs f;
    f.ExpectQuestion().Answer(mr::Cancel);
    EXPECT_THROW(f.ShowMessage(Question("", "?")), ScriptFailure);
}

TEST(ScriptedDialogsTest, AnUnexpectedQuestionInsideAnEventIsNotSwallowed) {
    Application app;
    ScriptedDialogs d;
    app.SetDialogs(&d);
    auto& form = app.CreateForm<Form>();
    auto& btn = form.Add<Button>("sbtExcluir");
    btn.OnClick = [&](Component&) { app.Dialogs().Confirm("Confirma a exclusão?", "Excl_Lanc"); };
    form.Show();
    EXPECT_THROW(app.Click(btn), ScriptFailure);
}

TEST(ScriptedDialogsTest, MultiSelectChoosesKnownCodesOrCancels) {
    ScriptedDialogs d;
    MultiSelectRequest request{"Operações", {{"01", "Compra"}, {"02", "Devolução"}}, {}};
    d.ExpectMultiSelect().Choose({"02"});
    d.ExpectMultiSelect().Cancel();
    d.ExpectMultiSelect().Choose({"99"});
    EXPECT_EQ(d.SelectMany(request), (std::vector<std::string>{"02"}));
    EXPECT_EQ(d.SelectMany(request), std::nullopt);
    EXPECT_THROW(d.SelectMany(request), ScriptFailure);
}

TEST(ScriptedDialogsTest, BusyIndicatorIsTakenDownAlsoOnFailure) {
    ScriptedDialogs d;
    try {
        BusyScope busy(d, "FechaNF");
        EXPECT_EQ(d.BusyDepth(), 1);
        throw std::runtime_error("falhou");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(d.BusyDepth(), 0);
    EXPECT_EQ(d.BusyTexts(), (std::vector<std::string>{"FechaNF"}));
    EXPECT_EQ(d.Last(), nullptr); // busy indicators are not what was last shown
    EXPECT_TRUE(d.Messages().empty());
}

class ModalTest : public ::testing::Test {
protected:
    ModalTest() : owner(app.CreateForm<Form>()), dialog(app.CreateForm<Form>()) {
        app.SetDialogs(&d);
        owner.SetName("frmLanc");
        dialog.SetName("frmFiltro");
        edt = &dialog.Add<Edit>("edtFiltro");
        ok = &dialog.Add<Button>("bbtOK");
        ok->SetModalResult(mr::Ok);
        owner.OnDeactivate = [this](Form&) { log += "deactivate owner;"; };
        owner.OnActivate = [this](Form&) { log += "activate owner;"; };
        owner.Show();
        log.clear();
    }
    Application app;
    ScriptedDialogs d;
    Form& owner;
    Form& dialog;
    Edit* edt = nullptr;
    Button* ok = nullptr;
    std::string log;
};

TEST_F(ModalTest, AScriptedModalRunsItsActionAndReturnsTheResult) {
    d.ExpectModal("frmFiltro").Do([this](Form& f) {
        EXPECT_EQ(app.ActiveForm(), &f);
        app.TypeText("abc");
        app.Click(*ok);
    });
    EXPECT_EQ(dialog.ShowModal(), mr::Ok);
    EXPECT_EQ(edt->Text(), "abc");
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(app.ActiveForm(), &owner);
    EXPECT_EQ(log, "deactivate owner;activate owner;");
}

TEST_F(ModalTest, CloseQueryCanRefuseAndCloseCancels) {
    bool allow = false;
    dialog.OnCloseQuery = [&](Form&, bool& canClose) { canClose = allow; };
    d.ExpectModal().Do([&](Form& f) {
        f.Close();
        EXPECT_FALSE(f.ModalFinished()); // refused: the result is cleared
        EXPECT_EQ(f.ModalResult(), mr::None);
        allow = true;
        f.Close();
    });
    EXPECT_EQ(dialog.ShowModal(), mr::Cancel);
}

TEST_F(ModalTest, AModalFormNobodyExpectedFails) {
    EXPECT_THROW(dialog.ShowModal(), ScriptFailure);
}

TEST_F(ModalTest, AFormClosedWithFreeIsDestroyedAfterTheEvent) {
    auto& temp = app.CreateForm<Form>();
    temp.SetName("frmTemp");
    temp.OnClose = [](Form&, CloseAction& action) { action = CloseAction::Free; };
    bool destroyed = false;
    temp.OnDestroy = [&](Form&) { destroyed = true; };
    temp.Show();
    auto& btn = temp.Add<Button>("btnFechar");
    btn.OnClick = [&](Component&) {
        temp.Close();
        EXPECT_FALSE(destroyed); // still alive while its own handler runs
    };
    app.Click(btn);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(app.FindForm("frmTemp"), nullptr);
    EXPECT_EQ(app.ActiveForm(), &owner);
}

TEST(ApplicationTest, TheNewestApplicationIsCurrentUntilItGoes) {
    Application outer;
    EXPECT_EQ(Application::Current(), &outer);
    {
        Application inner;
        EXPECT_EQ(Application::Current(), &inner);
    }
    EXPECT_EQ(Application::Current(), &outer);
}

TEST(ApplicationTest, WithoutADialogServiceQuestionsStillFailClearly) {
    Application app;
    EXPECT_THROW(app.Dialogs().Confirm("?"), ScriptFailure);
}

TEST(ApplicationTest, ACreateHandlerThatFailsLeavesNoForm) {
    struct Failing : Form {
        explicit Failing(Application& a) : Form(a) {
            OnCreate = [](Form&) { throw std::runtime_error("sem conexão"); };
        }
    };
    Application app;
    EXPECT_THROW(app.CreateForm<Failing>(), std::runtime_error);
    EXPECT_TRUE(app.Forms().empty());
}

TEST(ControlsTest, RadioButtonsCheckBoxesSpeedButtonsAndCombos) {
    Application app;
    ScriptedDialogs d;
    app.SetDialogs(&d);
    auto& form = app.CreateForm<Form>();
    auto& unica = form.Add<RadioButton>("rbtUnica");
    auto& lista = form.Add<RadioButton>("rbtLista");
    auto& chk = form.Add<CheckBox>("chkTodos");
    auto& a = form.Add<SpeedButton>("sbtA");
    auto& b = form.Add<SpeedButton>("sbtB");
    auto& cbb = form.Add<ComboBox>("cbbFreteConta");
    form.Show();

    unica.SetChecked(true);
    app.Click(lista);
    EXPECT_FALSE(unica.Checked());
    EXPECT_TRUE(lista.Checked());

    int clicks = 0;
    chk.OnClick = [&](Component&) { ++clicks; };
    app.Click(chk);
    chk.SetChecked(false); // from code too
    EXPECT_EQ(clicks, 2);

    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    a.SetAllowAllUp(true);
    app.Click(a);
    app.Click(b);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(form.ActiveControl(), &chk); // speed buttons never take the focus

    cbb.SetStyle(ComboStyle::DropDownList);
    cbb.SetItems({"", "Emitente", "Destinatário"});
    cbb.SetFocus();
    app.TypeText("d");
    EXPECT_EQ(cbb.ItemIndex(), 2);
    cbb.SetText("Nada");
    EXPECT_EQ(cbb.ItemIndex(), -1);
    EXPECT_EQ(cbb.Text(), "");
}

TEST(ControlsTest, PropertyChangesAreObservable) {
    Application app;
    auto& form = app.CreateForm<Form>();
    auto& edt = form.Add<Edit>("dbeSerie");
    std::vector<std::string> changes;
    edt.Subscribe([&](Component&, std::string_view p) { changes.emplace_back(p); });
    edt.SetColor(Color::clInfoBk);
    edt.SetColor(Color::clInfoBk); // no change, no notice
    edt.SetEnabled(false);
    edt.SetText("001");
    EXPECT_EQ(changes, (std::vector<std::string>{"Color", "Enabled", "Text"}));
    EXPECT_EQ(ColorName(edt.GetColor()), "clInfoBk");
    EXPECT_EQ(ParseColor("InfoBk"), Color::clInfoBk);
    EXPECT_EQ(ParseColor("$00FFFFFF"), Color::clWhite);
    EXPECT_EQ(ParseColor("nada"), std::nullopt);
}

} // namespace
} // namespace dfe
