#include "module_fixture.h"

#include "platform/data/packet.h"

namespace dfe::dfe11000 {
namespace {

class AjustaPanels : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        testing::PrepareRecordPage(*form);
        form->astTipoOper.fill("N");
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
        {"00", "N", "N", 0, 344, 344, 394, false, false}, {"00", "N", "S", 0, 394, 344, 394, false, true},
        {"03", "N", "N", 0, 402, 394, 344, true, false},  {"14", "N", "S", 0, 452, 344, 394, true, true},
        {"00", "S", "N", 10, 412, 394, 344, true, false}, {"00", "N", "N", -4, 340, 344, 394, false, false},
    };
    const int totalBelowItems = form->grbTotalNF->Parent()->Top() - form->panItemProduto->Top();
    for (const Case& c : cases) {
        form->stTipoOperAtual = c.kind;
        form->astTipoOper[0] = c.isReturn;
        form->astTipoOper[15] = c.triangular;
        app.Dispatch([&] { form->AjustaPanels(c.offset); });
        const std::string what =
            std::string(c.kind) + " return " + c.isReturn + " triangular " + c.triangular;
        EXPECT_EQ(form->panItemProduto->Top(), c.itemsTop) << what;
        EXPECT_EQ(form->grbTotalNF->Parent()->Top() - form->panItemProduto->Top(), totalBelowItems) << what;
        EXPECT_EQ(form->panDadosNFRemessa->Top(), c.remittanceTop) << what;
        EXPECT_EQ(form->panNFOrigem->Top(), c.originTop) << what;
        EXPECT_EQ(form->panNFOrigem->Visible(), c.originVisible) << what;
        EXPECT_EQ(form->panDadosNFRemessa->Visible(), c.remittanceVisible) << what;
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
        {"00", "N", info, info, info, info, info},       {"08", "N", info, info, info, info, window},
        {"09", "N", info, info, window, window, window}, {"10", "N", info, info, window, window, window},
        {"12", "N", info, info, info, window, window},   {"13", "N", info, info, info, window, window},
        {"14", "N", window, window, info, info, info},   {"00", "S", info, info, info, info, window},
        {"08", "S", info, info, info, info, window},
    };
    for (const Case& c : cases) {
        form->stTipoOperAtual = c.kind;
        form->stIdUtilEmisNF = c.utilEmisNF;
        form->AjustaPanels(0);
        const std::string what = std::string(c.kind) + " IDUTILEMISNF " + c.utilEmisNF;
        EXPECT_EQ(form->dbeNrNotaFisc->GetColor(), c.number) << what;
        EXPECT_EQ(form->dbeCdSerie->GetColor(), c.entrySeries) << what;
        EXPECT_EQ(form->dbeModDocFis->GetColor(), c.model) << what;
        EXPECT_EQ(form->dbeSerie->GetColor(), c.series) << what;
        EXPECT_EQ(form->dbeNumero->GetColor(), c.docNumber) << what;
    }
}

TEST_F(AjustaPanels, AReturnChoosesSingleOriginOrOriginListByTheCount) {
    form->astTipoOper[0] = "S";
    form->astTipoOper[1] = "S";
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
        if (c.inserting) form->cdsNotaFiscal.Append();
        form->rbtUnica->SetChecked(false);
        form->rbtLista->SetChecked(false);
        app.Dispatch([&] { form->AjustaPanels(0); });
        const std::string what = "count " + std::to_string(c.count) + (c.inserting ? " inserting" : "");
        EXPECT_EQ(form->rbtUnica->Checked(), c.single) << what;
        EXPECT_EQ(form->rbtUnica->Enabled(), c.singleEnabled) << what;
        EXPECT_EQ(form->rbtLista->Checked(), c.list) << what;
        EXPECT_EQ(form->rbtLista->Enabled(), c.listEnabled) << what;
        EXPECT_EQ(form->btpLista->Enabled(), c.list && c.listEnabled) << what;
        EXPECT_EQ(form->dbeSerieSaida->Enabled(), c.outputEnabled) << what;
        EXPECT_EQ(form->btpNFSaida->Enabled(), c.outputEnabled) << what;
        EXPECT_EQ(form->dbeSerieSaida->GetColor(), c.outputColour) << what;
        EXPECT_EQ(form->dbeNumeroSaida->GetDataSource(),
                  c.outputColour == Color::clWhite ? form->dtsItemNotaFisc : nullptr)
            << what;
        if (c.inserting) form->cdsNotaFiscal.Cancel();
    }
    EXPECT_EQ(Calls("GetCountNFOrig"), 4);
}

} // namespace
} // namespace dfe::dfe11000
