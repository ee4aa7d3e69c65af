#include "module_fixture.h"
#include "posting_packets.h"

namespace dfe::dfe11000 {
namespace {

using testing::PacketFor;
using testing::PacketVariant;
using testing::Text;
using testing::Values;

class ListRow : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
        Answer("GetItemNotaFisc", [this](const net::RpcRequest&) {
            return PacketVariant(form->data.cdsItemNotaFisc, {Text("LANCAMENTO", 17), Text("NRLANCTONF", 10)},
                                 related);
        });
        LoadParams("S", "S");
        form->data.dtsRomaneioNF->SetEnabled(true); // a filter has produced a list before
    }

    // The branch's document parameters with the entry-date window ahead switched by the two flags.
    void LoadParams(const char* aheadBranch, const char* ahead) {
        const std::vector<FieldDef> fields = {Text("CDFILIAL", 4),
                                              Text("IDCONSFORNFJ", 1),
                                              Text("IDTRATAVENC", 1),
                                              Text("IDTPLANCDESC", 1),
                                              Text("IDLANCENTRVENC", 1),
                                              Text("IDLANCDTMENFIL", 1),
                                              Text("IDLANCDTMEN", 1),
                                              Text("IDLANCDTMAIFIL", 1),
                                              Text("IDLANCDTMAI", 1),
                                              FieldDef{"NRDIASENTRPDFIL", FieldType::Integer},
                                              FieldDef{"NRDIASENTRPD", FieldType::Integer}};
        form->data.cdsParamDFE.SetData(PacketFor(form->data.cdsParamDFE, fields,
                                                 {{{"CDFILIAL", "0001"},
                                                   {"IDCONSFORNFJ", "S"},
                                                   {"IDTRATAVENC", "S"},
                                                   {"IDLANCENTRVENC", "S"},
                                                   {"IDLANCDTMENFIL", "S"},
                                                   {"IDLANCDTMEN", "S"},
                                                   {"IDLANCDTMAIFIL", aheadBranch},
                                                   {"IDLANCDTMAI", ahead},
                                                   {"NRDIASENTRPDFIL", int64_t{2}},
                                                   {"NRDIASENTRPD", int64_t{5}}}}));
    }

    Values Row(const char* participant, const char* kind, const char* number = "0000000001") const {
        return {{"CDFILIAL", "0001"},
                {"NRLANCTONF", number},
                {"IDORIGDESTNF", participant},
                {"CDTIPOOPER", kind},
                {"IDTPIJURNF", "J"},
                {"NRINSJURNF", "11222333000181"},
                {"IDUTILVENC", "S"},
                {"CDEMPRESA", "01"},
                {"IDSTATUS", "P"},
                {"DTENTRSAID", Cli_dfe11000().dtDataProc}};
    }

    void List(const std::vector<Values>& rows) {
        app.Dispatch([&] {
            form->data.cdsRomaneioNF.SetData(
                PacketFor(form->data.cdsRomaneioNF, testing::ListRowFields(), rows));
        });
    }

    TfrmLancNFEntrada* form = nullptr;
    std::vector<Values> related;
};

TEST_F(ListRow, ParticipantPageCaptionsAndCommandsFollowTheRow) {
    struct Case {
        const char* participant;
        const char* kind;
        const char* exporter; // element 23 of the operation type
        int destinationPage;
        const char* participantCaption;
        int itemsPage;
        const char* productsCaption;
        int transportPage;
        const char* transportCaption;
        bool supplierCommands;
    };
    const char* products = "Dados do Produto";
    const char* carriers = "Transportadoras/Volumes Transportados";
    const Case cases[] = {
        {"C", "01", "N", 0, "Cliente", 0, products, 0, carriers, false},
        {"C", "01", "S", 0, "Cliente", 0, products, 0, carriers, false},
        {"L", "01", "N", 2, "Fornecedor", 0, products, 0, carriers, false},
        {"L", "01", "S", 2, "Exportador", 0, products, 0, carriers, false},
        {"F", "01", "N", 1, "Fornecedor", 0, products, 0, carriers, true},
        {"F", "01", "S", 1, "Exportador", 0, products, 0, carriers, true},
        {"", "01", "N", 1, "Fornecedor", 0, products, 0, carriers, false},
        {"X", "01", "N", 1, "Fornecedor", 0, products, 0, carriers, false},
        {"F", "05", "N", 1, "Fornecedor", 1, "Notas Fiscais de Simples Remessa", 0, carriers, true},
        {"F", "11", "N", 1, "Fornecedor", 0, products, 1, "Entrada sem Nota Fiscal", true},
    };
    for (const Case& c : cases) {
        const std::string what =
            std::string("participant '") + c.participant + "' type " + c.kind + " exporter " + c.exporter;
        DefineOperationType(c.kind, {{"IDNFIMPORTACAOIND", c.exporter}});
        const int before = Calls("GetItemNotaFisc");
        List({Row(c.participant, c.kind)});
        EXPECT_EQ(form->Header().CurrentType(), c.kind) << what;
        EXPECT_EQ(form->ui.nbkDestino->PageIndex(), c.destinationPage) << what;
        EXPECT_EQ(form->ui.grbFornecedor->Caption(), c.participantCaption) << what;
        EXPECT_EQ(form->ui.nbkItensNF->PageIndex(), c.itemsPage) << what;
        EXPECT_EQ(form->ui.grbDadosProd->Caption(), c.productsCaption) << what;
        EXPECT_EQ(form->ui.nbkTransport->PageIndex(), c.transportPage) << what;
        EXPECT_EQ(form->ui.grbTransport->Caption(), c.transportCaption) << what;
        EXPECT_EQ(form->ui.mnuConheTransp->Enabled(), c.supplierCommands) << what;
        EXPECT_EQ(form->ui.sbtConheTransp->Enabled(), c.supplierCommands) << what;
        EXPECT_EQ(form->ui.mnuGeraSaida->Enabled(), c.supplierCommands) << what;
        EXPECT_EQ(form->ui.sbtGeraSaida->Enabled(), c.supplierCommands) << what;
        // Only a supplier's posting asks the server for its related documents.
        EXPECT_EQ(Calls("GetItemNotaFisc") - before, std::string(c.participant) == "F" ? 1 : 0) << what;
    }
    EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

TEST_F(ListRow, ASuppliersRelatedDocumentsPressTheFreightCommand) {
    related = {{{"LANCAMENTO", "0001 - 0000000007"}, {"NRLANCTONF", "0000000007"}}};
    List({Row("F", "01"), Row("C", "01", "0000000002")});
    EXPECT_TRUE(form->ui.sbtConheTransp->Down());
    EXPECT_TRUE(form->ui.mnuConheTransp->Checked());
    EXPECT_EQ(form->data.cdsItemNotaFisc.RecordCount(), 1);
    const std::vector<std::string>& busy = dialogs.BusyTexts();
    EXPECT_NE(std::find(busy.begin(), busy.end(),
                        "Recebendo nota fiscal (Documentos relacionados...) do servidor..."),
              busy.end());

    // Moving to the customer's row adapts the screen again, without another server call.
    app.Dispatch([&] { form->data.cdsRomaneioNF.Next(); });
    EXPECT_EQ(form->ui.nbkDestino->PageIndex(), 0);
    EXPECT_EQ(form->ui.grbFornecedor->Caption(), "Cliente");
    EXPECT_FALSE(form->ui.mnuConheTransp->Enabled());
    EXPECT_EQ(Calls("GetItemNotaFisc"), 1);
}

TEST_F(ListRow, AnEntryDateBeyondTheWindowBlocksTheChange) {
    struct Case {
        const char* aheadBranch;
        const char* ahead;
        int daysAhead;
        bool blocked;
    };
    // The branch allows 2 days ahead, the general window 5.
    const Case cases[] = {{"S", "S", 2, false}, {"S", "S", 3, true},  {"N", "S", 5, false},
                          {"N", "S", 6, true},  {"N", "N", 0, false}, {"N", "N", 1, true}};
    for (const Case& c : cases) {
        LoadParams(c.aheadBranch, c.ahead);
        Values row = Row("C", "01");
        row["DTENTRSAID"] = Cli_dfe11000().dtDataProc.AddDays(c.daysAhead);
        List({row});
        const std::string what = std::string(c.aheadBranch) + c.ahead + " +" + std::to_string(c.daysAhead);
        EXPECT_EQ(Cli_dfe11000().boBloqueia, c.blocked) << what;
        EXPECT_EQ(form->mnuAlterar.Enabled(), !c.blocked) << what;
        EXPECT_EQ(form->mnuIncluir.Enabled(), true) << what;
    }
}

TEST_F(ListRow, ClosingsListRefreshLeavesTheScreenAlone) {
    List({Row("C", "01")});
    Cli_dfe11000().boAtuaRoma = true;
    List({Row("F", "11")});
    EXPECT_EQ(form->ui.nbkDestino->PageIndex(), 0);
    EXPECT_EQ(form->Header().CurrentType(), "01");
    EXPECT_EQ(Calls("GetItemNotaFisc"), 0);
}

TEST_F(ListRow, AnEmptyListDisablesTheRowCommands) {
    List({});
    EXPECT_EQ(form->Header().CurrentType(), "00");
    EXPECT_FALSE(form->mnuAlterar.Enabled());
    EXPECT_FALSE(form->mnuExcluir.Enabled());
    EXPECT_FALSE(form->ui.mnuConheTransp->Enabled());
    EXPECT_FALSE(form->ui.tshVencimento->Enabled());
    EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
}

} // namespace
} // namespace dfe::dfe11000
