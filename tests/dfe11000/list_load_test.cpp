#include "module_fixture.h"
#include "posting_packets.h"

#include "platform/net/net_errors.h"

namespace dfe::dfe11000 {
namespace {

class ListLoad : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
        Answer("GetRomaneioNF", [this](const net::RpcRequest& request) -> std::optional<Variant> {
            if (failures-- > 0) throw net::ConnectionError("conexão perdida");
            sent = request;
            return testing::PacketVariant(form->data.cdsRomaneioNF, testing::ListRowFields(),
                                          {{{"CDFILIAL", "0001"},
                                            {"NRLANCTONF", "0000000001"},
                                            {"CDTIPOOPER", "05"},
                                            {"IDORIGDESTNF", "C"}},
                                           {{"CDFILIAL", "0001"},
                                            {"NRLANCTONF", "0000000002"},
                                            {"CDTIPOOPER", "01"},
                                            {"IDORIGDESTNF", "C"}}});
        });
    }
    TfrmLancNFEntrada* form = nullptr;
    net::RpcRequest sent;
    int failures = 0;
};

TEST_F(ListLoad, TheFiltersArgumentsReachTheServerInOrder) {
    RomaneioFilter filter;
    filter.branch = "0001";
    filter.series = "T";
    filter.operationTypes = "'01','05'";
    filter.participant = "11222333000181";
    filter.issuingBranch = "0002";
    filter.entryFrom = DateTime::FromDate(2026, 12, 1);
    filter.entryTo = DateTime::FromDate(2026, 12, 10);
    filter.issueFrom = DateTime();
    filter.issueTo = DateTime::FromDate(2026, 12, 10);
    filter.participantKind = "F";
    filter.allDates = "T";
    filter.customer = "";
    failures = 2; // lost connections are repeated without a word
    form->List().GetRomaneioNF(filter);

    const std::vector<Variant> expected = {"0001",
                                           "T",
                                           "'01','05'",
                                           "11222333000181",
                                           "0002",
                                           DateTime::FromDate(2026, 12, 1),
                                           DateTime::FromDate(2026, 12, 10),
                                           DateTime(),
                                           DateTime::FromDate(2026, 12, 10),
                                           "F",
                                           "T",
                                           ""};
    ASSERT_EQ(sent.args.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(sent.args[i].value, expected[i]) << "argument " << i;
    EXPECT_EQ(Calls("GetRomaneioNF"), 3);
    EXPECT_EQ(form->data.cdsRomaneioNF.RecordCount(), 2);
    // The first row is handled as soon as the list opens.
    EXPECT_EQ(form->Header().CurrentType(), "05");
    EXPECT_EQ(form->ui.nbkItensNF->PageIndex(), 1);
    EXPECT_EQ(dialogs.Messages().size(), 0u) << dialogs.Describe();
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

// Without answers of its own: the demo postings as the server lists and sends them.
class ListAndLoadOnTheServer : public testing::ModuleTest {};

TEST_F(ListAndLoadOnTheServer, EveryListedPostingOpensOnTheRecordPage) {
    TfrmLancNFEntrada& form = Open();
    RomaneioFilter filter;
    filter.branch = "0001";
    filter.series = "T";
    filter.allDates = "T";
    app.Dispatch([&] { form.List().GetRomaneioNF(filter); });
    form.data.dtsRomaneioNF->SetEnabled(true);
    form.tshFormulario.SetEnabled(true);
    form.Branch().boFiltroConfirmado = true; // as the filter dialog leaves it
    ASSERT_GT(form.data.cdsRomaneioNF.RecordCount(), 0) << dialogs.Describe();
    dialogs.ClearRecords();
    int opened = 0;
    int withItems = 0;
    for (form.data.cdsRomaneioNF.First(); !form.data.cdsRomaneioNF.Eof(); form.data.cdsRomaneioNF.Next()) {
        const std::string number = form.data.cdsRomaneioNF.FieldByName("NRLANCTONF").AsString();
        form.pgcPadrao.SetActivePage(&form.tshFolhaDados);
        app.Dispatch([&] { form.pgcPadrao.SelectPage(form.tshFormulario); });
        ASSERT_EQ(dialogs.Errors().size(), 0u) << number << ": " << dialogs.Describe();
        EXPECT_EQ(form.data.cdsNotaFiscal.FieldByName("NRLANCTONF").AsString(), number);
        EXPECT_EQ(form.data.cdsNotaFiscalAux.Data(), form.data.cdsNotaFiscal.Data()) << number;
        if (form.data.cdsItemProduto.Active() && !form.data.cdsItemProduto.IsEmpty()) ++withItems;
        ++opened;
    }
    EXPECT_GT(withItems, 0);
    EXPECT_EQ(opened, form.data.cdsRomaneioNF.RecordCount());
    EXPECT_EQ(Calls("GetNFDadosGerais"), opened);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

} // namespace
} // namespace dfe::dfe11000
