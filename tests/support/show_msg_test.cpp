#include "support/reconnect_question.h"
#include "support/show_avi.h"
#include "support/show_msg.h"
#include "support_fixture.h"

#include "platform/core/abort.h"

#include <stdexcept>

namespace dfe::support {
namespace {

using ShowMsgTest = SupportTest;

TEST_F(ShowMsgTest, ShowMsgShowsTheCodedTextAndReturnsTheButton) {
    TMessages table({"Excl_Lanc|Confirma a exclusão do lançamento?"});
    dialogs.ExpectQuestion("Excl_Lanc").Answer(mr::No);
    EXPECT_EQ(ShowMsg(table, "Excl_Lanc", DialogType::Confirmation, mb::YesNo), mr::No);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Confirma a exclusão do lançamento?");
}

TEST_F(ShowMsgTest, MensErroWithAbortShowsThenAbandons) {
    TMessages table({"Fili_Inv|Filial inválida."});
    EXPECT_THROW(MensErro(table, "Fili_Inv", true), Abort);
    EXPECT_NO_THROW(MensErro("Só um aviso.", false));
    const auto errors = dialogs.Errors();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].code, "Fili_Inv");
    EXPECT_EQ(errors[0].text, "Filial inválida.");
    EXPECT_EQ(errors[1].text, "Só um aviso.");
}

TEST_F(ShowMsgTest, MsgAlertExAnswersTenForTheFirstButton) {
    dialogs.ExpectQuestion("Pergunta").Answer(11);
    EXPECT_EQ(MsgAlertEx("Pergunta", DialogType::Confirmation, {"Nota", "Conhecimento"}, "Pergunta"), 11);
    EXPECT_EQ(dialogs.Last()->buttons, (std::vector<std::string>{"Nota", "Conhecimento"}));
}

TEST_F(ShowMsgTest, ShowDetailErrorCarriesTheDetail) {
    ShowDetailError("O pacote PAG20000 não está instalado.", "libPAG20000.so não encontrado");
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors()[0].detail, "libPAG20000.so não encontrado");
}

TEST_F(ShowMsgTest, BusyAnimationIsTakenDownOnFailure) {
    EXPECT_THROW(
        {
            ShowAviScope busy(nullptr, kAviProcurando, "Recebendo...");
            EXPECT_EQ(dialogs.BusyDepth(), 1);
            throw std::runtime_error("falhou");
        },
        std::runtime_error);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(ShowAviDepth(), 0);
    // A stray take-down does not unbalance the indicator.
    DeactiveShowAvi();
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

TEST_F(ShowMsgTest, ReconnectQuestionHasTheExactTextsAndSimReconnects) {
    const net::RetryHooks hooks = DialogRetryHooks();
    const std::string question = net::ReconnectQuestion("tempo esgotado");
    dialogs.ExpectQuestion("Err_Conex").Answer(10);
    dialogs.ExpectQuestion("Err_Conex").Answer(11);
    EXPECT_TRUE(hooks.askReconnect(question));
    EXPECT_FALSE(hooks.askReconnect(question));
    const DialogRecord shown = dialogs.Messages()[0];
    EXPECT_EQ(shown.text, "Ocorreu um erro na conexão com o servidor:\n\nErro: tempo esgotado\n\n"
                          "Deseja reestabelecer essa conexão?");
    EXPECT_EQ(shown.type, DialogType::Information);
    EXPECT_EQ(shown.buttons, (std::vector<std::string>{"Sim", "Não"}));
    hooks.busy(true);
    hooks.busy(false);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

} // namespace
} // namespace dfe::support
