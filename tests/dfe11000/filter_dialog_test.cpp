#include "module_fixture.h"

#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "platform/data/packet.h"
#include "platform/net/check_result.h"
#include "posting_packets.h"
#include "support/show_avi.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kFilter = "frmFiltroNFEntrada";

DateTime Day(int day) {
    return DateTime::FromDate(2026, 12, day);
}

// The posting screen of branch 0001 on 10/12/2026, with the list answered by the test: every list asked for
// is recorded with its arguments.
class FilterDialog : public testing::ModuleTest {
protected:
    using Inside = std::function<void(TfrmFiltroNFEntrada&)>;

    FilterDialog() {
        support::zymora::LocalContext().processingDate = Day(10);
        AnswerList(2);
    }

    // The list the server gives: `rows` postings whose installments follow `idUtilVenc`/`idTrataVenc`.
    void AnswerList(int rows, std::string idUtilVenc = "S", std::string idTrataVenc = "A") {
        Answer("GetRomaneioNF", [=, this](const net::RpcRequest& request) -> std::optional<Variant> {
            listArgs.push_back(request.args);
            std::vector<FieldDef> fields = testing::ListRowFields();
            fields.push_back(testing::Text("IDTRATAVENC", 1));
            std::vector<testing::Values> values;
            for (int i = 1; i <= rows; ++i)
                values.push_back({{"CDFILIAL", Variant("0001")},
                                  {"NRLANCTONF", Variant(std::to_string(i))},
                                  {"IDUTILVENC", Variant(idUtilVenc)},
                                  {"IDTRATAVENC", Variant(idTrataVenc)}});
            return testing::PacketVariant(Cli_dfe11000().frmLancNFEntrada->data.cdsRomaneioNF, fields,
                                          values);
        });
    }

    // Leaves the branch panel, which opens the filter; `inside` runs while it is open and the filter is then
    // cancelled unless `inside` ended it.
    void LeaveBranch(TfrmLancNFEntrada& form, const Inside& inside) {
        dialogs.ExpectModal(kFilter)
            .Do([&](Form& f) { inside(static_cast<TfrmFiltroNFEntrada&>(f)); })
            .Cancel();
        app.Dispatch([&] { form.pgcPadrao.SetFocus(); });
        ASSERT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    }

    // The filter command of the posting form.
    void Filtrar(TfrmLancNFEntrada& form, const Inside& inside) {
        dialogs.ExpectModal(kFilter)
            .Do([&](Form& f) { inside(static_cast<TfrmFiltroNFEntrada&>(f)); })
            .Cancel();
        app.Dispatch([&] { form.Branch().sbtFiltroClick(); });
        ASSERT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    }

    void Confirm(TfrmFiltroNFEntrada& d) { app.Click(*d.sbtConfirma); }

    int Count(const char* sql) {
        return static_cast<int>(lookups_->Query(sql).rows.at(0).values.at(0).AsInteger());
    }

    // Argument `index` of the last list asked for.
    const Variant& Arg(size_t index) const { return listArgs.back().at(index).value; }
    std::string Text(size_t index) const { return Arg(index).AsString(); }

    std::vector<std::vector<net::RpcArg>> listArgs;
};

TEST_F(FilterDialog, OpensAsDesignedWithThisMonthAndEverything) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        EXPECT_EQ(d.Caption(), "Filtro de Lançamento de Notas Fiscais");
        EXPECT_EQ(d.lblCodTela.Caption(), "DFE11300");
        EXPECT_EQ(d.HelpContext(), 10811300);
        EXPECT_EQ(d.grbDestRem->Caption(), " Destinatário/Remetente ");
        EXPECT_EQ(d.cbbDestRem->Items(),
                  (std::vector<std::string>{"Cliente", "Fornecedor", "Filial", "Todos"}));
        EXPECT_EQ(d.cbbDestRem->ItemIndex(), 3);
        EXPECT_EQ(d.nbkCliente->PageIndex(), 3);
        EXPECT_EQ(d.edtTodos->Text(), "Todos");
        EXPECT_FALSE(d.edtTodos->Enabled());
        EXPECT_EQ(d.depEmisIni->Date(), Day(1));
        EXPECT_EQ(d.depEmisFim->Date(), Day(10));
        EXPECT_EQ(d.depEntrIni->Date(), Day(1));
        EXPECT_EQ(d.depEntrFim->Date(), Day(10));
        EXPECT_EQ(d.depEntrIni->GetColor(), Color::clInfoBk);
        EXPECT_TRUE(d.rdgTodos->Checked());
        EXPECT_TRUE(d.rdgTodosTipoOper->Checked());
        EXPECT_FALSE(d.btpSerie->Enabled());
        EXPECT_FALSE(d.btpTipoOper->Enabled());
        EXPECT_EQ(d.btpSerie->Title(), "Série de Documentos de Entrada");
        EXPECT_EQ(d.btpSerie->EmptyError(), "Não há série cadastrado.");
        EXPECT_EQ(d.btpTipoOper->EmptyError(), "Não há tipo de operação cadastrado.");
        EXPECT_EQ(d.btpCliente->EmptyError(), "Não há cliente cadastrado.");
        EXPECT_EQ(d.sbtDesfazer->Hint(), "Desfazer");
        EXPECT_EQ(d.sbtIncNF->Hint(), "Incluir Nota Fiscal");
        EXPECT_TRUE(form.frmFiltroNFEntrada->boFiltroAberto);
        EXPECT_EQ(app.ScreenCursor(), Cursor::Default);
    });
    EXPECT_FALSE(form.frmFiltroNFEntrada->boFiltroAberto);
    EXPECT_FALSE(form.frmFiltroNFEntrada->boConfirma);
    EXPECT_EQ(form.ActiveControl(), form.ui.medCdFilial); // cancelled: back to the branch
    EXPECT_EQ(Calls("GetRomaneioNF"), 0);
}

TEST_F(FilterDialog, EachRefusalKeepsTheDialogOpenAndACancelReportsNothing) {
    struct Case {
        const char* name;
        std::function<void(TfrmFiltroNFEntrada&)> setUp;
        const char* code;
        const char* text; // empty: the message table's text
        const char* focus;
    };
    const Case cases[] = {
        {"unknown customer",
         [](TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(0);
             d.medCliente->SetText("11111111111");
         },
         "Clie_Cad", "Cliente não cadastrado.", "medCliente"},
        {"unknown supplier",
         [](TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(1);
             d.medFornecedor->SetText("22222222000122");
         },
         "Forn_Cad", "Fornecedor não cadastrado.", "medFornecedor"},
        {"unknown branch",
         [](TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(2);
             d.medFilial->SetText("9");
         },
         "Filial_Cad", "Filial não cadastrada.", "medFilial"},
        {"issue start without end", [](TfrmFiltroNFEntrada& d) { d.depEmisFim->SetText(""); }, "DtFinal_Inf",
         "Data de emissão final deve ser informada.", "depEmisFim"},
        {"issue end without start", [](TfrmFiltroNFEntrada& d) { d.depEmisIni->SetText(""); },
         "DtInicial_Inf", "Data de emissão inicial deve ser informada.", "depEmisIni"},
        {"issue end before start", [](TfrmFiltroNFEntrada& d) { d.depEmisFim->SetDate(Day(1).AddDays(-1)); },
         "DtFinal_inv", "Data de emissão inicial deve ser menor ou igual a data  de emissão final.",
         "depEmisIni"},
        {"entry start empty", [](TfrmFiltroNFEntrada& d) { d.depEntrIni->SetText(""); }, "DtInicial_Inf",
         "Data de entrada inicial deve ser informada.", "depEntrIni"},
        {"entry end empty", [](TfrmFiltroNFEntrada& d) { d.depEntrFim->SetText(""); }, "DtFinal_Inf",
         "Data de entrada final deve ser informada.", "depEntrFim"},
        {"both entry ends empty",
         [](TfrmFiltroNFEntrada& d) {
             d.depEntrIni->SetText("");
             d.depEntrFim->SetText("");
         },
         "DtInicial_Inf", "Data de entrada inicial deve ser informada.", "depEntrIni"},
        {"entry end before start", [](TfrmFiltroNFEntrada& d) { d.depEntrIni->SetDate(Day(11)); },
         "DtFinal_inv", "Data de entrada inicial deve ser menor ou igual a data  de entrada final.",
         "depEntrIni"},
        {"entry end no date", [](TfrmFiltroNFEntrada& d) { d.depEntrFim->SetText("31/02/2026"); }, "",
         "\"31/02/2026\" não é uma data válida.", "depEntrFim"},
        {"series list empty", [](TfrmFiltroNFEntrada& d) { d.rdgLista->SetChecked(true); }, "Serie_inf",
         "Série deve ser informada.", "rdgLista"},
        {"operation types list empty", [](TfrmFiltroNFEntrada& d) { d.rdgListaTipoOper->SetChecked(true); },
         "TipoOper_inf", "Tipo operação deve ser informado.", "rdgListaTipoOper"},
        {"participant before dates",
         [](TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(1);
             d.medFornecedor->SetText("22222222000122");
             d.depEntrIni->SetText("");
         },
         "Forn_Cad", "", "medFornecedor"},
        {"issue range before entry range",
         [](TfrmFiltroNFEntrada& d) {
             d.depEmisIni->SetText("");
             d.depEntrIni->SetText("");
         },
         "DtInicial_Inf", "Data de emissão inicial deve ser informada.", "depEmisIni"},
        {"dates before lists",
         [](TfrmFiltroNFEntrada& d) {
             d.rdgLista->SetChecked(true);
             d.depEntrFim->SetText("");
         },
         "DtFinal_Inf", "", "depEntrFim"},
        {"series before operation types",
         [](TfrmFiltroNFEntrada& d) {
             d.rdgListaTipoOper->SetChecked(true);
             d.rdgLista->SetChecked(true);
         },
         "Serie_inf", "", "rdgLista"},
    };
    TfrmLancNFEntrada& form = Open();
    for (const Case& c : cases) {
        dialogs.ClearRecords();
        LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
            c.setUp(d);
            Confirm(d);
            ASSERT_EQ(dialogs.Errors().size(), 1u) << c.name << "\n" << dialogs.Describe();
            const DialogRecord shown = dialogs.Errors().front();
            EXPECT_EQ(shown.code, c.code) << c.name;
            if (*c.text) {
                EXPECT_EQ(shown.text, c.text) << c.name;
            }
            ASSERT_NE(d.ActiveControl(), nullptr) << c.name;
            EXPECT_EQ(d.ActiveControl()->Name(), c.focus) << c.name;
            EXPECT_TRUE(d.Visible()) << c.name;
            EXPECT_EQ(d.ModalResult(), mr::None) << c.name;
        });
        EXPECT_FALSE(form.frmFiltroNFEntrada->boConfirma) << c.name;
        EXPECT_FALSE(form.Branch().boFiltroConfirmado) << c.name;
        EXPECT_EQ(form.ActiveControl(), form.ui.medCdFilial) << c.name;
    }
    EXPECT_EQ(Calls("GetRomaneioNF"), 0);
}

TEST_F(FilterDialog, TheListArgumentsFollowTheChoices) {
    struct Case {
        const char* name;
        std::function<void(ScriptedDialogs&, Application&, TfrmFiltroNFEntrada&)> choose;
        const char* series;
        const char* types;
        const char* participant;
        const char* issuingBranch;
        const char* kind;
        const char* customer;
    };
    const Case cases[] = {
        {"everything", [](ScriptedDialogs&, Application&, TfrmFiltroNFEntrada&) {}, "T", "", "", "", "", ""},
        {"a customer found by the search",
         [](ScriptedDialogs& script, Application& ui, TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(0);
             script.ExpectPick("Cliente").Where("NRINSJURCLIE", "89012345000179");
             ui.Click(*d.btpCliente);
             EXPECT_EQ(d.edtNmCliente->Text(), "Padaria Pão Dourado Ltda");
         },
         "T", "", "89012345000179", "", "C", "J89012345000179"},
        {"no customer number: every customer",
         [](ScriptedDialogs&, Application&, TfrmFiltroNFEntrada& d) { d.cbbDestRem->SetItemIndex(0); }, "T",
         "", "", "", "C", ""},
        {"a supplier typed with its mask",
         [](ScriptedDialogs&, Application&, TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(1);
             d.medFornecedor->SetText("11.222.333/0001-81");
         },
         "T", "", "11222333000181", "", "F", ""},
        {"an issuing branch typed short",
         [](ScriptedDialogs&, Application&, TfrmFiltroNFEntrada& d) {
             d.cbbDestRem->SetItemIndex(2);
             d.medFilial->SetText("2");
         },
         "T", "", "", "0002", "L", ""},
        {"lists of series and operation types",
         [](ScriptedDialogs& script, Application& ui, TfrmFiltroNFEntrada& d) {
             d.rdgLista->SetChecked(true);
             script.ExpectMultiSelect("Série").Choose({"1"});
             ui.Click(*d.btpSerie);
             d.rdgListaTipoOper->SetChecked(true);
             script.ExpectMultiSelect("Tipo de Operação").Choose({"01", "07"});
             ui.Click(*d.btpTipoOper);
         },
         "1", "01,07", "", "", "", ""},
    };
    for (const Case& c : cases) {
        TfrmLancNFEntrada& form = Open();
        LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
            c.choose(dialogs, app, d);
            Confirm(d);
            EXPECT_EQ(dialogs.Errors().size(), 0u) << c.name << "\n" << dialogs.Describe();
        });
        ASSERT_FALSE(listArgs.empty()) << c.name;
        ASSERT_EQ(listArgs.back().size(), 12u);
        EXPECT_EQ(Text(0), "0001") << c.name;
        EXPECT_EQ(Text(1), c.series) << c.name;
        EXPECT_EQ(Text(2), c.types) << c.name;
        EXPECT_EQ(Text(3), c.participant) << c.name;
        EXPECT_EQ(Text(4), c.issuingBranch) << c.name;
        EXPECT_EQ(Arg(5).AsDateTime(), Day(1)) << c.name;
        EXPECT_EQ(Arg(6).AsDateTime(), Day(10)) << c.name;
        EXPECT_EQ(Arg(7).AsDateTime(), Day(1)) << c.name;
        EXPECT_EQ(Arg(8).AsDateTime(), Day(10)) << c.name;
        EXPECT_EQ(Text(9), c.kind) << c.name;
        EXPECT_EQ(Text(10), "") << c.name;
        EXPECT_EQ(Text(11), c.customer) << c.name;
        EXPECT_TRUE(form.frmFiltroNFEntrada->boConfirma) << c.name;
        app.Dispatch([&] { form.Close(); });
        EXPECT_EQ(app.FindForm(kFilter), nullptr) << "the filter goes with the posting form";
    }
}

TEST_F(FilterDialog, AConfirmedListIsShownOnThePostingForm) {
    AnswerList(2, "S", "M");
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { Confirm(d); });
    EXPECT_TRUE(form.frmFiltroNFEntrada->boConfirma);
    EXPECT_TRUE(form.Branch().boFiltroConfirmado);
    EXPECT_FALSE(form.Branch().boIncluiAposFiltro);
    EXPECT_TRUE(form.data.dtsRomaneioNF->Enabled());
    EXPECT_EQ(form.data.cdsRomaneioNF.RecordCount(), 2);
    EXPECT_EQ(form.pgcPadrao.ActivePage(), &form.tshFolhaDados);
    EXPECT_EQ(form.ActiveControl(), form.ui.dbgPadrao);
    EXPECT_TRUE(form.tshFormulario.Enabled());
    EXPECT_TRUE(form.ui.tshVencimento->Enabled());
    // The treatment is the branch's parameter (0001: "S"), not a field of the list row.
    EXPECT_FALSE(form.ui.dbgContaPagar->ReadOnly());
    for (SpeedButton* b : {&form.sbtIncluir, &form.sbtAlterar, &form.sbtProcurar, form.ui.sbtFiltro})
        EXPECT_TRUE(b->Enabled()) << b->Name();
    EXPECT_TRUE(form.Find<MenuItem>("mnuFolhaDados")->Enabled());
    EXPECT_TRUE(form.Find<MenuItem>("mnuFormulario")->Enabled());
    EXPECT_TRUE(form.Find<MenuItem>("mnuVencimentos")->Enabled());
    EXPECT_EQ(support::ShowAviDepth(), 0);
}

TEST_F(FilterDialog, AListTheServerRefusesIsNoConfirmation) {
    Answer("GetRomaneioNF",
           [](const net::RpcRequest&) { return net::MakeErrorAnswer("Lista de notas indisponível."); });
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        Confirm(d);
        EXPECT_TRUE(dialogs.Shown("Lista de notas indisponível.")) << dialogs.Describe();
        EXPECT_TRUE(d.Visible());
    });
    EXPECT_FALSE(form.frmFiltroNFEntrada->boConfirma);
    EXPECT_FALSE(form.Branch().boFiltroConfirmado);
    EXPECT_EQ(form.ActiveControl(), form.ui.medCdFilial);
    EXPECT_EQ(support::ShowAviDepth(), 0);
}

TEST_F(FilterDialog, AnEmptyListLeavesOnlyANewPosting) {
    AnswerList(0);
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { Confirm(d); });
    EXPECT_TRUE(form.frmFiltroNFEntrada->boConfirma);
    EXPECT_TRUE(form.data.dtsRomaneioNF->Enabled());
    EXPECT_EQ(form.ActiveControl(), &form.pgcPadrao);
    EXPECT_TRUE(form.sbtIncluir.Enabled());
    for (SpeedButton* b : {&form.sbtAlterar, &form.sbtExcluir, &form.sbtProcurar, &form.sbtVerificar})
        EXPECT_FALSE(b->Enabled()) << b->Name();
    for (Control* page :
         {static_cast<Control*>(&form.tshFolhaDados), static_cast<Control*>(&form.tshFormulario),
          static_cast<Control*>(form.ui.tshVencimento)})
        EXPECT_FALSE(page->Enabled()) << page->Name();
    EXPECT_FALSE(form.Find<MenuItem>("mnuFolhaDados")->Enabled());
    EXPECT_TRUE(form.Find<MenuItem>("mnuFolhaDados")->Checked());
    EXPECT_FALSE(form.Find<MenuItem>("mnuVencimentos")->Enabled());
}

TEST_F(FilterDialog, BlindEntryStartsWithoutIssueDatesAndAsksForAllDates) {
    support::zymora::LocalContext().branch = "0003"; // IDOCINFORNF "S"
    TfrmLancNFEntrada& form = Open();
    form.Parameters().GetParamDFE("0003");
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        EXPECT_TRUE(d.depEmisIni->IsBlank());
        EXPECT_TRUE(d.depEmisFim->IsBlank());
        EXPECT_EQ(d.depEntrIni->Date(), Day(1));
        Confirm(d);
        EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
    });
    ASSERT_EQ(listArgs.size(), 1u);
    EXPECT_EQ(Text(0), "0003");
    EXPECT_TRUE(Arg(7).AsDateTime().IsEmpty());
    EXPECT_TRUE(Arg(8).AsDateTime().IsEmpty());
    EXPECT_EQ(Text(10), "T");
}

TEST_F(FilterDialog, ReopeningShowsTheLastConfirmedFilter) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        d.cbbDestRem->SetItemIndex(1);
        d.medFornecedor->SetText("45678901000175");
        d.depEmisIni->SetDate(Day(2));
        d.depEntrFim->SetDate(Day(9));
        d.rdgLista->SetChecked(true);
        dialogs.ExpectMultiSelect("Série").Choose({"1"});
        app.Click(*d.btpSerie);
        Confirm(d);
    });
    TfrmFiltroNFEntrada& d = *form.frmFiltroNFEntrada;
    EXPECT_EQ(d.medFornecedor->Text(), "") << "closing clears the participant edits";
    EXPECT_FALSE(form.frmFiltroNFEntrada->boFiltroAberto);

    Filtrar(form, [&](TfrmFiltroNFEntrada& shown) {
        EXPECT_EQ(&shown, &d) << "the same dialog, hidden between showings";
        EXPECT_EQ(d.cbbDestRem->ItemIndex(), 1);
        EXPECT_EQ(d.nbkCliente->PageIndex(), 1);
        EXPECT_EQ(d.medFornecedor->Text(), "45678901000175");
        EXPECT_EQ(d.edtNmFornecedor->Text(), "Moinho Paulista Indústria de Farinhas Ltda");
        EXPECT_EQ(d.depEmisIni->Date(), Day(2));
        EXPECT_EQ(d.depEntrFim->Date(), Day(9));
        EXPECT_TRUE(d.rdgLista->Checked());
        EXPECT_TRUE(d.btpSerie->Enabled());
        EXPECT_TRUE(d.rdgTodosTipoOper->Checked());
        EXPECT_EQ(form.frmFiltroNFEntrada->stListaSerie, "1");
        // Changes that are cancelled are not remembered.
        d.depEntrFim->SetDate(Day(3));
        form.frmFiltroNFEntrada->stListaSerie = "2";
    });
    Filtrar(form, [&](TfrmFiltroNFEntrada&) {
        EXPECT_EQ(d.depEntrFim->Date(), Day(9));
        EXPECT_EQ(form.frmFiltroNFEntrada->stListaSerie, "1");
        Confirm(d);
    });
    ASSERT_EQ(listArgs.size(), 2u);
    EXPECT_EQ(listArgs[0], listArgs[1]);
}

TEST_F(FilterDialog, UndoGoesBackToEverythingOfThisMonth) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        d.cbbDestRem->SetItemIndex(0);
        d.medCliente->SetText("78901234000105");
        d.depEntrIni->SetDate(Day(5));
        d.depEmisFim->SetText("");
        d.rdgLista->SetChecked(true);
        d.rdgListaTipoOper->SetChecked(true);
        form.frmFiltroNFEntrada->stListaSerie = "1";
        form.frmFiltroNFEntrada->stListaTipoOper = "01";
        app.Click(*d.sbtDesfazer);
        EXPECT_EQ(d.medCliente->Text(), "");
        EXPECT_EQ(d.cbbDestRem->ItemIndex(), 3);
        EXPECT_EQ(d.nbkCliente->PageIndex(), 3);
        EXPECT_EQ(d.ActiveControl(), d.cbbDestRem);
        EXPECT_TRUE(d.rdgTodos->Checked());
        EXPECT_TRUE(d.rdgTodosTipoOper->Checked());
        EXPECT_FALSE(d.btpSerie->Enabled());
        EXPECT_FALSE(d.btpTipoOper->Enabled());
        EXPECT_EQ(form.frmFiltroNFEntrada->stListaSerie, "");
        EXPECT_EQ(form.frmFiltroNFEntrada->stListaTipoOper, "");
        EXPECT_EQ(d.depEntrIni->Date(), Day(1));
        EXPECT_EQ(d.depEmisFim->Date(), Day(10));
        EXPECT_TRUE(d.Visible());
    });
}

TEST_F(FilterDialog, IncludeSetsBothFlagsEmptiesTheListAndStartsAPosting) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { Confirm(d); });
    ASSERT_EQ(form.data.cdsRomaneioNF.RecordCount(), 2);
    dialogs.ClearRecords();
    Filtrar(form, [&](TfrmFiltroNFEntrada& d) {
        // Include lists nothing: not even a refused filter stops it.
        d.depEntrIni->SetText("");
        app.Click(*d.sbtIncNF);
        EXPECT_TRUE(form.Branch().boFiltroConfirmado);
        EXPECT_TRUE(form.Branch().boIncluiAposFiltro);
    });
    EXPECT_TRUE(form.frmFiltroNFEntrada->boConfirma);
    EXPECT_EQ(listArgs.size(), 1u);
    EXPECT_TRUE(form.data.cdsRomaneioNF.Active());
    // The filter listed nothing; the row being inserted is the new posting's.
    ASSERT_EQ(form.data.cdsRomaneioNF.State(), DataSetState::Insert) << dialogs.Describe();
    EXPECT_EQ(form.data.cdsRomaneioNF.FieldByName("NRLANCTONF").AsString(), "NOVOCODIGO");
    EXPECT_TRUE(form.data.dtsRomaneioNF->Enabled());
    EXPECT_EQ(form.data.cdsNotaFiscal.State(), DataSetState::Insert);
    EXPECT_FALSE(form.sbtIncluir.Enabled());
    EXPECT_FALSE(form.sbtAlterar.Enabled());
    EXPECT_TRUE(form.sbtConfirmar.Enabled());
    EXPECT_TRUE(form.tshFormulario.Enabled());
    EXPECT_EQ(form.pgcPadrao.ActivePage(), &form.tshFormulario);
    EXPECT_FALSE(dialogs.Shown("Nao_Disp")) << dialogs.Describe();
}

TEST_F(FilterDialog, AConfirmAfterAnIncludeDoesNotStartAPosting) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { app.Click(*d.sbtIncNF); });
    ASSERT_EQ(form.data.cdsNotaFiscal.State(), DataSetState::Insert) << dialogs.Describe();
    app.Dispatch([&] { form.Editing().Cancel(); });
    ASSERT_EQ(form.data.cdsNotaFiscal.State(), DataSetState::Browse);
    // Entering the header panel already cleared the request; make it pending again, as a cancelled
    // include that never reached the company would leave it.
    form.Branch().boIncluiAposFiltro = true;
    dialogs.ClearRecords();
    app.Dispatch([&] { form.ui.medCdFilial->SetFocus(); });
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { Confirm(d); });
    EXPECT_FALSE(form.Branch().boIncluiAposFiltro);
    EXPECT_NE(form.data.cdsNotaFiscal.State(), DataSetState::Insert);
}

TEST_F(FilterDialog, ACustomerTypedWithoutTheSearchIsFoundByItsNumber) {
    // A second customer record with the number of Supermercado Bom Preço.
    lookups_->Execute("INSERT INTO CLIENTE (CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, NMRAZSOCCLIE) "
                      "VALUES ('X78901234000105', 'J', '78901234000105', 'Bom Preço Filial Norte')");
    struct Case {
        const char* name;
        const char* searched; // number chosen by the search first, empty: none
        const char* typed;    // then typed over it
        const char* shown;    // the name shown, "*" any, empty: refused
        const char* customer; // the customer code the list asks for
    };
    const Case cases[] = {
        {"typed, one customer with the number", "", "89012345000179", "Padaria Pão Dourado Ltda",
         "J89012345000179"},
        {"typed with the mask", "", "89.012.345/0001-79", "Padaria Pão Dourado Ltda", "J89012345000179"},
        {"typed after searching another", "89012345000179", "98765432100", "Maria Aparecida Souza",
         "F98765432100"},
        {"typed, two customers with the number", "", "78901234000105", "*", ""},
        {"the search chose one of the two", "78901234000105", "", "Supermercado Bom Preço Ltda",
         "J78901234000105"},
        {"typed, no such customer", "", "12345678909", "", ""},
    };
    for (const Case& c : cases) {
        TfrmLancNFEntrada& form = Open();
        listArgs.clear();
        dialogs.ClearRecords();
        LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
            d.cbbDestRem->SetItemIndex(0);
            if (*c.searched) {
                dialogs.ExpectPick("Cliente").Where("CDCLIENTE", std::string("J") + c.searched);
                app.Click(*d.btpCliente);
            }
            if (*c.typed) d.medCliente->SetText(c.typed);
            Confirm(d);
            if (std::string(c.shown) == "*")
                EXPECT_FALSE(d.edtNmCliente->Text().empty()) << c.name;
            else
                EXPECT_EQ(d.edtNmCliente->Text(), c.shown) << c.name;
        });
        if (*c.shown) {
            ASSERT_EQ(listArgs.size(), 1u) << c.name << "\n" << dialogs.Describe();
            EXPECT_EQ(Text(11), c.customer) << c.name;
        } else {
            EXPECT_TRUE(dialogs.Shown("Clie_Cad")) << c.name;
            EXPECT_TRUE(listArgs.empty()) << c.name;
        }
        app.Dispatch([&] { form.Close(); });
    }
}

TEST_F(FilterDialog, LeavingAParticipantChecksItAndShowsItsNameAndMask) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        d.cbbDestRem->SetItemIndex(1);
        d.medFornecedor->SetFocus();
        app.TypeText("12345678909");
        app.Dispatch([&] { d.depEmisIni->SetFocus(); });
        EXPECT_EQ(d.ActiveControl(), d.depEmisIni);
        EXPECT_EQ(d.edtNmFornecedor->Text(), "João Carlos da Silva");
        EXPECT_EQ(d.medFornecedor->EditText(), "123.456.789-09");

        d.medFornecedor->SetFocus();
        EXPECT_EQ(d.edtNmFornecedor->Text(), "João Carlos da Silva") << "entering keeps the name";
        d.medFornecedor->SetText("99999999999");
        EXPECT_EQ(d.edtNmFornecedor->Text(), "") << "changing the number clears the name";
        app.Dispatch([&] { d.depEmisIni->SetFocus(); });
        EXPECT_TRUE(dialogs.Shown("Forn_Cad"));
        EXPECT_EQ(d.ActiveControl(), d.medFornecedor);

        d.cbbDestRem->SetItemIndex(2);
        EXPECT_EQ(d.medFornecedor->Text(), "") << "changing the kind clears the participants";
        EXPECT_EQ(d.nbkCliente->PageIndex(), 2);
    });
}

TEST_F(FilterDialog, EnterMovesOnUnlessTheKindListIsOpen) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        d.depEmisIni->SetFocus();
        app.PressKey(key::Enter);
        EXPECT_EQ(d.ActiveControl(), d.depEmisFim);
        d.cbbDestRem->SetFocus();
        d.cbbDestRem->SetDroppedDown(true);
        app.PressKey(key::Enter);
        EXPECT_EQ(d.ActiveControl(), d.cbbDestRem);
    });
}

TEST_F(FilterDialog, TheSearchesListEveryRowWithMaskedNumbers) {
    TfrmLancNFEntrada& form = Open();
    LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) {
        d.cbbDestRem->SetItemIndex(1);
        dialogs.ExpectPick("Fornecedor").Where("NRINSJURFORN", "12345678909");
        app.Click(*d.btpFornecedor);
        EXPECT_EQ(d.qryFornecedor.RecordCount(), Count("SELECT COUNT(*) FROM FORNECEDOR"));
        EXPECT_EQ(d.qryFornecedor.FieldByName("NRINSJURFORN").DisplayText(), "123.456.789-09");
        EXPECT_EQ(d.qryFornecedor.FieldByName("NRINSJURFORN").DisplayLabel(), "Inscrição");
        EXPECT_FALSE(d.qryFornecedor.FieldByName("IDTPIJURFORN").Visible());
        EXPECT_EQ(d.medFornecedor->Text(), "12345678909");
        EXPECT_EQ(d.edtNmFornecedor->Text(), "João Carlos da Silva");

        d.rdgListaTipoOper->SetChecked(true);
        form.frmFiltroNFEntrada->stListaTipoOper = "07";
        dialogs.ExpectMultiSelect("Tipo de Operação").Cancel();
        app.Click(*d.btpTipoOper);
        EXPECT_EQ(form.frmFiltroNFEntrada->stListaTipoOper, "07") << "a cancelled list keeps the choice";
        EXPECT_EQ(d.qryTipoOper.RecordCount(),
                  Count("SELECT COUNT(*) FROM TIPOOPERAC WHERE IDENTRSAIDOP = 'E' AND IDUTILOPER <> 'N'"));
        EXPECT_FALSE(d.qryTipoOper.Locate("CDTIPOOPER", Variant("51")));
    });
}

TEST_F(FilterDialog, AFixedBranchScreenOpensWithTheConfirmedList) {
    support::zymora::LocalContext().fixedBranch = true;
    dialogs.ExpectModal(kFilter).Do([&](Form& f) { Confirm(static_cast<TfrmFiltroNFEntrada&>(f)); });
    app.Dispatch([] { ShowPostingForm(); });
    TfrmLancNFEntrada* form = Cli_dfe11000().frmLancNFEntrada;
    ASSERT_NE(form, nullptr) << dialogs.Describe();
    EXPECT_EQ(listArgs.size(), 1u);
    EXPECT_TRUE(form->data.dtsRomaneioNF->Enabled());
    EXPECT_FALSE(form->ui.medCdFilial->Enabled());
    EXPECT_EQ(form->ActiveControl(), form->ui.dbgPadrao);
}

TEST_F(FilterDialog, AFixedBranchScreenClosesWhenTheRefusedFirstFilterIsCancelled) {
    support::zymora::LocalContext().fixedBranch = true;
    dialogs.ExpectModal(kFilter)
        .Do([&](Form& f) {
            auto& d = static_cast<TfrmFiltroNFEntrada&>(f);
            d.depEntrIni->SetText("");
            Confirm(d);
        })
        .Cancel();
    app.Dispatch([] { ShowPostingForm(); });
    EXPECT_TRUE(dialogs.Shown("DtInicial_Inf"));
    EXPECT_EQ(Cli_dfe11000().frmLancNFEntrada, nullptr);
    EXPECT_EQ(app.FindForm(kFilter), nullptr);
    EXPECT_EQ(Calls("GetRomaneioNF"), 0);
}

} // namespace
} // namespace dfe::dfe11000

namespace dfe::dfe11000 {
namespace {

// The installments page of a confirmed list follows the branch's own treatment of installments
// (IDTRATAVENC: 0001 "S", 0002 "M", 0003 "N"), whatever the list rows carry.
TEST_F(FilterDialog, TheInstallmentsPageFollowsTheBranchTreatment) {
    struct Case {
        const char* branch;
        bool enabled;
        bool readOnly;
    };
    const Case cases[] = {{"0001", true, false}, {"0002", true, true}, {"0003", false, false}};
    AnswerList(2, "S", "M");
    TfrmLancNFEntrada& form = Open();
    for (const Case& c : cases) {
        app.Dispatch([&] {
            form.ui.medCdFilial->SetFocus();
            form.ui.medCdFilial->SetText(c.branch);
        });
        LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { Confirm(d); });
        ASSERT_EQ(form.data.cdsRomaneioNF.RecordCount(), 2) << c.branch << dialogs.Describe();
        EXPECT_EQ(form.ui.tshVencimento->Enabled(), c.enabled) << c.branch;
        EXPECT_EQ(form.ui.mnuVencimentos->Enabled(), c.enabled) << c.branch;
        EXPECT_EQ(form.ui.dbgContaPagar->ReadOnly(), c.readOnly) << c.branch;
    }
}

// The dialog's answer covers every showing since it was created: a later filter cancelled keeps the list
// confirmed before and leaves the clerk on it, while a first filter cancelled sends the clerk back to the
// branch.
TEST_F(FilterDialog, ALaterFilterCancelledKeepsTheClerkOnTheList) {
    struct Case {
        bool confirmedBefore;
        bool branchFocused;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        TfrmLancNFEntrada& form = Open();
        if (c.confirmedBefore) {
            LeaveBranch(form, [&](TfrmFiltroNFEntrada& d) { Confirm(d); });
            ASSERT_TRUE(form.frmFiltroNFEntrada->boConfirma);
            app.Dispatch([&] { form.ui.medCdFilial->SetFocus(); });
        }
        LeaveBranch(form, [](TfrmFiltroNFEntrada&) {});
        EXPECT_EQ(form.frmFiltroNFEntrada->boConfirma, c.confirmedBefore);
        EXPECT_EQ(form.ActiveControl() == form.ui.medCdFilial, c.branchFocused) << c.confirmedBefore;
        app.Dispatch([&] { form.Close(); });
    }
}

} // namespace
} // namespace dfe::dfe11000
