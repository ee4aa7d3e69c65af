#include "module_fixture.h"

#include "platform/data/packet.h"

namespace dfe::dfe11000 {
namespace {

class AjustaPanels : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        testing::PrepareRecordPage(*form);
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
        Answer("GetCountNFOrig", [this](const net::RpcRequest&) {
            Packet p;
            p.fields = {FieldDef{"NRREGISTROS", FieldType::Integer}};
            p.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant(int64_t{originCount})}, {}});
            return Variant(ToDataPacket(p));
        });
    }
    TfrmLancNFEntrada* form = nullptr;
    int originCount = 0;
};

TEST_F(AjustaPanels, FourLayoutsByOriginDocumentsAndTriangularOperation) {
    struct Case {
        const char* kind;
        const char* isReturn;
        const char* triangular;
        int offset;
        int itemsTop;
        int remittanceTop;
        int originTop;
        bool originVisible;
        bool remittanceVisible;
    };
    const Case cases[] = {
        {"T1", "N", "N", 0, 344, 344, 394, false, false}, {"T1", "N", "S", 0, 394, 344, 394, false, true},
        {"03", "N", "N", 0, 402, 394, 344, true, false},  {"14", "N", "S", 0, 452, 344, 394, true, true},
        {"T1", "S", "N", 10, 412, 394, 344, true, false}, {"T1", "N", "N", -4, 340, 344, 394, false, false},
    };
    const int totalBelowItems = form->ui.grbTotalNF->Parent()->Top() - form->ui.panItemProduto->Top();
    for (const Case& c : cases) {
        DefineOperationType(c.kind, {{"IDOPERDEVONF", c.isReturn}, {"IDOPTRIANGULAR", c.triangular}});
        form->Header().SetCurrentType(c.kind);
        app.Dispatch([&] { form->Layout().AjustaPanels(c.offset); });
        const std::string what =
            std::string(c.kind) + " return " + c.isReturn + " triangular " + c.triangular;
        EXPECT_EQ(form->ui.panItemProduto->Top(), c.itemsTop) << what;
        EXPECT_EQ(form->ui.grbTotalNF->Parent()->Top() - form->ui.panItemProduto->Top(), totalBelowItems)
            << what;
        EXPECT_EQ(form->ui.panDadosNFRemessa->Top(), c.remittanceTop) << what;
        EXPECT_EQ(form->ui.panNFOrigem->Top(), c.originTop) << what;
        EXPECT_EQ(form->ui.panNFOrigem->Visible(), c.originVisible) << what;
        EXPECT_EQ(form->ui.panDadosNFRemessa->Visible(), c.remittanceVisible) << what;
    }
    EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
}

TEST_F(AjustaPanels, RequiredFieldColoursByOperationType) {
    const Color info = Color::clInfoBk;
    const Color window = Color::clWindow;
    struct Case {
        const char* kind;
        const char* utilEmisNF;
        Color number, entrySeries, model, series, docNumber;
    };
    // number = dbeNrNotaFisc, entrySeries = dbeCdSerie, model = dbeModDocFis, series = dbeSerie,
    // docNumber = dbeNumero
    const Case cases[] = {
        {"T1", "N", info, info, info, info, info},       {"08", "N", info, info, info, info, window},
        {"09", "N", info, info, window, window, window}, {"10", "N", info, info, window, window, window},
        {"12", "N", info, info, info, window, window},   {"13", "N", info, info, info, window, window},
        {"14", "N", window, window, info, info, info},   {"T1", "S", info, info, info, info, window},
        {"08", "S", info, info, info, info, window},
    };
    for (const Case& c : cases) {
        DefineOperationType(c.kind, {{"IDUTILEMISNF", c.utilEmisNF}});
        form->Header().SetCurrentType(c.kind);
        form->Header().ReopenTipoOperacForCurrent();
        form->Layout().AjustaPanels(0);
        const std::string what = std::string(c.kind) + " IDUTILEMISNF " + c.utilEmisNF;
        EXPECT_EQ(form->ui.dbeNrNotaFisc->GetColor(), c.number) << what;
        EXPECT_EQ(form->ui.dbeCdSerie->GetColor(), c.entrySeries) << what;
        EXPECT_EQ(form->ui.dbeModDocFis->GetColor(), c.model) << what;
        EXPECT_EQ(form->ui.dbeSerie->GetColor(), c.series) << what;
        EXPECT_EQ(form->ui.dbeNumero->GetColor(), c.docNumber) << what;
    }
}

TEST_F(AjustaPanels, AReturnChoosesSingleOriginOrOriginListByTheCount) {
    DefineOperationType("T2", {{"IDOPERDEVONF", "S"}, {"IDUTLLISTORI", "S"}});
    form->Header().SetCurrentType("T2");
    struct Case {
        int count;
        bool inserting;
        bool single, singleEnabled, list, listEnabled, outputEnabled;
        Color outputColour;
    };
    const Case cases[] = {
        {1, false, true, false, false, false, false, Color::clWhite},
        {3, false, false, false, true, false, false, Color::clBtnFace},
        {0, false, false, false, false, false, false, Color::clBtnFace},
        {0, true, true, true, false, true, true, Color::clWhite},
    };
    for (const Case& c : cases) {
        originCount = c.count;
        if (c.inserting) {
            // A new posting starts as a purchase: the return type is chosen again.
            form->data.cdsNotaFiscal.Append();
            form->Header().SetCurrentType("T2");
        }
        form->ui.rbtUnica->SetChecked(false);
        form->ui.rbtLista->SetChecked(false);
        app.Dispatch([&] { form->Layout().AjustaPanels(0); });
        const std::string what = "count " + std::to_string(c.count) + (c.inserting ? " inserting" : "");
        EXPECT_EQ(form->ui.rbtUnica->Checked(), c.single) << what;
        EXPECT_EQ(form->ui.rbtUnica->Enabled(), c.singleEnabled) << what;
        EXPECT_EQ(form->ui.rbtLista->Checked(), c.list) << what;
        EXPECT_EQ(form->ui.rbtLista->Enabled(), c.listEnabled) << what;
        EXPECT_EQ(form->ui.btpLista->Enabled(), c.list && c.listEnabled) << what;
        EXPECT_EQ(form->ui.dbeSerieSaida->Enabled(), c.outputEnabled) << what;
        EXPECT_EQ(form->ui.btpNFSaida->Enabled(), c.outputEnabled) << what;
        EXPECT_EQ(form->ui.dbeSerieSaida->GetColor(), c.outputColour) << what;
        EXPECT_EQ(form->ui.dbeNumeroSaida->GetDataSource(),
                  c.outputColour == Color::clWhite ? form->data.dtsItemNotaFisc : nullptr)
            << what;
        if (c.inserting) form->data.cdsNotaFiscal.Cancel();
    }
    EXPECT_EQ(Calls("GetCountNFOrig"), 4);
}

} // namespace
} // namespace dfe::dfe11000
