#include "header_fixture.h"

#include "support/consiste.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

using CompanyAndBranch = testing::HeaderTest;

TEST_F(CompanyAndBranch, TheCompanyMustExistAndWorkAtTheBranchAndGivesTheHeaderItsRegistration) {
    struct Case {
        const char* branch;
        const char* typed;
        const char* chosen; // registration chosen in the dialog or by an import
        const char* code;   // empty: accepted
        const char* registration;
        const char* municipal;
    };
    const Case cases[] = {
        {"0001", "9", "", "Empr_Cad", "", ""},
        {"0003", "2", "", "Empr_Rel", "", ""},              // the company has nothing at Curitiba
        {"0001", "1", "", "", "110042490114", "12345678"},  // the branch's own company, padded
        {"0002", "02", "", "", "336123450119", "87654001"}, // under a contract
        {"0001", "2", "336123450127", "", "336123450127", "12345002"},
        {"0001", "2", "999", "Empr_Rel", "", ""},
    };
    for (const Case& c : cases) {
        Include(c.branch);
        Cli_dfe11000().stInscEstaImp = c.chosen;
        Type("CDEMPRESA", c.typed);
        const std::string what = std::string(c.branch) + " company " + c.typed + " " + c.chosen;
        EXPECT_EQ(Run([&] { form->Header().Vd_Empresa(false); }), c.code) << what << "\n"
                                                                          << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(dialogs.Errors().back().text, form->msgPadrao.Msg(c.code)) << what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeCdEmpresa) << what;
            continue;
        }
        EXPECT_EQ(Row("CDEMPRESA"), support::Ajusta(c.typed, 2)) << what;
        EXPECT_EQ(Header("CDEMPRESA"), support::Ajusta(c.typed, 2)) << what;
        EXPECT_FALSE(Row("NMRAZSOCEMPR").empty()) << what;
        EXPECT_EQ(Header("CDINSCESTA"), c.registration) << what;
        EXPECT_EQ(Header("CDINSCMUNI"), c.municipal) << what;
    }
    Cli_dfe11000().stInscEstaImp.clear();
}

TEST_F(CompanyAndBranch, ARequiredCompanyWithTheFocusElsewhereIsOnlyCheckedToBeFilled) {
    Include();
    Type("CDEMPRESA", "");
    EXPECT_EQ(Run([&] { form->Header().Vd_Empresa(true); }), "Empr_Inf");
    EXPECT_EQ(dialogs.Errors().back().text, "Empresa deve ser informada.");

    Type("CDEMPRESA", "1");
    EXPECT_EQ(Run([&] { form->ui.dbeCdInscEsta->SetFocus(); }), "");
    ASSERT_NE(form->ActiveControl(), form->ui.dbeCdEmpresa);
    Type("CDEMPRESA", "9");
    form->data.cdsNotaFiscal.FieldByName("CDINSCESTA").SetAsString("");
    EXPECT_EQ(Run([&] { form->Header().Vd_Empresa(true); }), "");
    EXPECT_EQ(Header("CDINSCESTA"), ""); // nothing copied from lookups of another company
}

TEST_F(CompanyAndBranch, ARequiredCompanyWithTheFocusOnItIsLookedUp) {
    Include();
    form->ui.dbeCdEmpresa->SetEnabled(true); // fixed when the panel was left
    EXPECT_EQ(Run([&] { form->ui.dbeCdEmpresa->SetFocus(); }), "") << dialogs.Describe();
    Type("CDEMPRESA", "9");
    ASSERT_EQ(form->ActiveControl(), form->ui.dbeCdEmpresa);
    EXPECT_EQ(Run([&] { form->Header().Vd_Empresa(true); }), "Empr_Cad");
}

TEST_F(CompanyAndBranch, LeavingTheCompanyAsksForTheRegistrationOnlyWhenTheBranchHasSeveral) {
    Include();
    Type("CDEMPRESA", "1");
    EXPECT_EQ(Run([&] { form->Header().dbeCdEmpresaExit(); }), "");
    EXPECT_TRUE(Cli_dfe11000().boRetornoInscEsta);
    EXPECT_EQ(form->lookups.qryEmprRelacFili.RecordCount(), 1);
    ASSERT_FALSE(form->lookups.qryInscrEstad.IsEmpty());
    EXPECT_EQ(form->lookups.qryInscrEstad.FieldByName("CDINSCESTA").AsString(), "110042490114");

    // Two registrations at the head office: cancelling the choice gives up the posting.
    Type("CDEMPRESA", "2");
    dialogs.ExpectModal("frmInscEsta").Cancel();
    EXPECT_EQ(Run([&] { form->Header().dbeCdEmpresaExit(); }), "");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_EQ(form->lookups.qryEmprRelacFili.RecordCount(), 2);
    EXPECT_FALSE(Cli_dfe11000().boRetornoInscEsta);
    EXPECT_NE(form->data.cdsNotaFiscal.State(), DataSetState::Insert);
}

TEST_F(CompanyAndBranch, TheCompanySearchListsEveryCompanyAndKeepsTheCodeUntilOneIsChosen) {
    Include();
    Type("CDEMPRESA", "01");
    form->Header().btpEmpresaBeforePesq();
    EXPECT_EQ(Cli_dfe11000().stTodos, "T");
    EXPECT_EQ(form->lookups.qryEmpresa.RecordCount(), 2);
    EXPECT_EQ(Row("CDEMPRESA"), "01"); // a cancelled search leaves the posting as it was
    ASSERT_TRUE(form->lookups.qryEmpresa.Locate("CDEMPRESA", Variant("02")));
    form->Header().btpEmpresaAfterPesq();
    EXPECT_EQ(Row("CDEMPRESA"), "02");
    EXPECT_EQ(Row("NMRAZSOCEMPR"), "Serra Verde Comércio de Cereais Ltda");
    EXPECT_EQ(Header("CDEMPRESA"), "02");
    EXPECT_EQ(Cli_dfe11000().stTodos, "N");
}

TEST_F(CompanyAndBranch, ChangingTheCompanyWhileIncludingClearsItsName) {
    Include();
    Type("NMRAZSOCEMPR", "Quilmar Distribuidora de Alimentos Ltda");
    form->Header().dbeCdEmpresaChange();
    EXPECT_EQ(Row("NMRAZSOCEMPR"), "");
    form->data.cdsRomaneioNF.Cancel();
    form->data.cdsNotaFiscal.Cancel();
    form->data.cdsRomaneioNF.Edit();
    Type("NMRAZSOCEMPR", "Quilmar Distribuidora de Alimentos Ltda");
    form->Header().dbeCdEmpresaChange(); // a stored posting keeps its name
    EXPECT_EQ(Row("NMRAZSOCEMPR"), "Quilmar Distribuidora de Alimentos Ltda");
}

TEST_F(CompanyAndBranch, BranchesWorkingOffLineAreRefusedOnlyWithEntriesNotYetImported) {
    struct Case {
        const char* typed;
        const char* code;
        const char* name;
    };
    const Case cases[] = {
        {"4", "", "Filial Londrina"},    // off-line, nothing pending
        {"5", "OpBloq_NFOff", ""},       // off-line with an entry to import
        {"0003", "", "Filial Curitiba"}, // inactive: not this rule's concern
        {"9", "Filial_Cad", ""},
    };
    for (const Case& c : cases) {
        Cli_dfe11000().dtDataProc = DateTime();
        const std::string code = Run([&] {
            form->ui.medCdFilial->SetFocus();
            form->ui.medCdFilial->SetText(c.typed);
            form->Header().Vd_Filial(false);
        });
        EXPECT_EQ(code, c.code) << c.typed << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(form->ActiveControl(), form->ui.medCdFilial) << c.typed;
            EXPECT_TRUE(Cli_dfe11000().dtDataProc.IsEmpty()) << c.typed;
            continue;
        }
        EXPECT_EQ(form->ui.edtNmFilial->Text(), c.name) << c.typed;
        EXPECT_EQ(Cli_dfe11000().dtDataProc, support::zymora::DataProc(form->ui.medCdFilial->Text()))
            << c.typed;
    }
    Run([&] {
        form->ui.medCdFilial->SetText("5");
        form->Header().Vd_Filial(false);
    });
    EXPECT_EQ(dialogs.Errors().back().text, "Operação bloqueada! Existem notas fiscais lançadas no sistema "
                                            "Off-Line que não foram importadas.");
}

TEST_F(CompanyAndBranch, AnInactiveBranchIsRefusedByItsOwnRule) {
    struct Case {
        const char* branch;
        const char* code;
    };
    const Case cases[] = {{"0003", "Filial_Inat"}, {"0001", ""}, {"0004", ""}, {"", ""}};
    for (const Case& c : cases) {
        form->ui.medCdFilial->SetText(c.branch);
        EXPECT_EQ(Run([&] { form->Header().Vd_FiliInat(); }), c.code) << c.branch;
    }
    form->ui.medCdFilial->SetText("0003");
    Run([&] { form->Header().Vd_FiliInat(); });
    EXPECT_EQ(dialogs.Errors().back().text, "Filial com situação inativa.");
}

TEST_F(CompanyAndBranch, TheBranchSearchListsEveryBranchAndTakesTheChosenOne) {
    form->Header().btpFilialBeforePesq();
    EXPECT_EQ(Cli_dfe11000().stTodos, "T");
    EXPECT_EQ(form->lookups.qryFiliRece.RecordCount(), 5);
    ASSERT_TRUE(form->lookups.qryFiliRece.Locate("CDFILIAL", Variant("0004")));
    form->Header().btpFilialAfterPesq();
    EXPECT_EQ(form->ui.medCdFilial->Text(), "0004");
    EXPECT_EQ(form->ui.edtNmFilial->Text(), "Filial Londrina");
    EXPECT_EQ(Cli_dfe11000().stTodos, "N");
}

} // namespace
} // namespace dfe::dfe11000
