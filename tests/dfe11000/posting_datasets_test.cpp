#include "module_fixture.h"

#include "platform/ui/date_edit.h"
#include "platform/ui/db_choice.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

class PostingDataSets : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        // A supplier's list row asks for its related documents; none here.
        Answer("GetItemNotaFisc", [](const net::RpcRequest&) { return Variant::Null(); });
    }

    struct Declared {
        DataSet* dataSet;
        int fields; // calculated ones included
    };
    std::vector<Declared> AllDeclared() const {
        TfrmLancNFEntrada& f = *form;
        return {
            {&f.data.cdsRomaneioNF, 32},   {&f.data.cdsNotaFiscal, 84},     {&f.data.cdsItemNotaFisc, 12},
            {&f.data.cdsItemEncargo, 6},   {&f.data.cdsContaPagar, 18},     {&f.data.cdsDadosAdic, 6},
            {&f.data.cdsErrosVisual, 3},   {&f.data.cdsItemProduto, 56},    {&f.data.cdsTrabItProImpos, 33},
            {&f.data.cdsItemProImpos, 31}, {&f.data.cdsTrabImposNFTot, 11}, {&f.data.cdsImposNFTot, 11},
            {&f.data.cdsItensNFOrig, 2},   {&f.data.cdsItemNFOrigem, 16},   {&f.data.cdsNFOrigem, 11},
            {&f.data.cdsItemNF, 10},       {&f.data.cdsNFRelacAF, 12},      {&f.data.cdsImpoItemAF, 23},
            {&f.data.cdsImpoNFAF, 11},     {&f.data.cdsContAF, 3},          {&f.data.cdsErrosFech, 6},
            {&f.data.cdsProdIrreg, 1}};
    }

    // One row with a value of each field's type.
    static Packet FullPacket(const DataSet& ds, const std::string& text) {
        Packet packet;
        packet.fields = ds.DataFieldDefs();
        PacketRow row;
        for (const FieldDef& def : packet.fields) {
            switch (def.type) {
            case FieldType::Float:
                row.values.emplace_back(2.5);
                break;
            case FieldType::DateTime:
                row.values.emplace_back(DateTime::FromDate(2026, 12, 1));
                break;
            case FieldType::Boolean:
                row.values.emplace_back(true);
                break;
            default:
                row.values.emplace_back(text.substr(0, static_cast<size_t>(def.size)));
            }
        }
        packet.rows.push_back(row);
        return packet;
    }

    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(PostingDataSets, EveryDataSetDeclaresAllItsFieldsOnce) {
    for (const Declared& d : AllDeclared())
        EXPECT_EQ(d.dataSet->FieldCount(), d.fields) << d.dataSet->Name();
    // Strings without a width are 20 wide; calculated fields never travel.
    EXPECT_EQ(form->data.cdsNotaFiscal.FieldByName("NRNOTAFISC").Size(), 20);
    EXPECT_TRUE(form->data.cdsItemProduto.FieldByName("ProdOK").IsCalculated());
    EXPECT_TRUE(form->data.cdsItemProduto.FieldByName("VRFATODEVO").IsCalculated());
    EXPECT_TRUE(form->data.cdsTrabItProImpos.FieldByName("IDIMAGEM").IsCalculated());
    EXPECT_TRUE(form->data.cdsTrabImposNFTot.FieldByName("IDIMAGEM").IsCalculated());
    EXPECT_EQ(form->data.cdsItemProduto.IndexFieldNames(), "NRSEQITPROD");
}

TEST_F(PostingDataSets, MasksCaptionsAndFormatsAsTheClerkSeesThem) {
    struct Case {
        DataSet* ds;
        const char* field;
        const char* caption;
        const char* format;
        std::string mask;
    };
    TfrmLancNFEntrada& f = *form;
    const Case cases[] = {
        {&f.data.cdsNotaFiscal, "CDFILIEMIT", "CDFILIEMIT", "", ">aaaa;0; "},
        {&f.data.cdsNotaFiscal, "NRACESSONFE", "NRACESSONFE", "",
         "9999.9999.9999.9999.9999.9999.9999.9999.9999.9999.9999;0; "},
        {&f.data.cdsContaPagar, "DTORIGVENPAG", "Vencimento", "", kDateEditMask},
        {&f.data.cdsItemProduto, "CDARVPROD", "Código", "", support::zymora::DBPict()},
        {&f.data.cdsItemNFOrigem, "CDARVPROD", "Código", "", support::zymora::DBPict()},
        {&f.data.cdsRomaneioNF, "VRNOTAFISC", "Valor NF", "#,##0.00", ""},
        {&f.data.cdsTrabItProImpos, "VRALIQIMPOIT", "Alíquota", "###0.00%", ""},
        {&f.data.cdsItemProduto, "QTITEMPROD", "Quantidade", "#####0.000", ""},
        {&f.data.cdsNotaFiscal, "CDALMOXARIFE", "Almoxirifado", "", ""},
    };
    for (const Case& c : cases) {
        const Field& field = c.ds->FieldByName(c.field);
        EXPECT_EQ(field.DisplayLabel(), c.caption) << c.field;
        EXPECT_EQ(field.DisplayFormat(), c.format) << c.field;
        EXPECT_EQ(field.EditMask(), c.mask) << c.field;
    }
    // The due date is typed through the date mask.
    f.data.cdsContaPagar.CreateDataSet();
    f.data.cdsContaPagar.Append();
    f.data.cdsContaPagar.FieldByName("DTORIGVENPAG").SetText("05/01/2027");
    EXPECT_EQ(f.data.cdsContaPagar.FieldByName("DTORIGVENPAG").AsDateTime(), DateTime::FromDate(2027, 1, 5));
    f.data.cdsContaPagar.Cancel();
}

TEST_F(PostingDataSets, APacketWithEveryFieldLoadsAndOneMissingAFieldIsRefused) {
    for (const Declared& d : AllDeclared()) {
        DataSet& ds = *d.dataSet;
        ds.SetFiltered(false); // the item taxes are filtered to the current item
        ds.SetData(FullPacket(ds, "FIRST-VALUE-FIRST-VALUE"));
        ASSERT_EQ(ds.RecordCount(), 1) << ds.Name();
        const std::string first = ds.FieldAt(0).AsString();

        Packet missing = FullPacket(ds, "SECOND");
        missing.fields.erase(missing.fields.begin() + 1);
        missing.rows[0].values.erase(missing.rows[0].values.begin() + 1);
        EXPECT_THROW(ds.SetData(missing), PacketError) << ds.Name();
        EXPECT_EQ(ds.RecordCount(), 1) << ds.Name();
        EXPECT_EQ(ds.FieldAt(0).AsString(), first) << ds.Name();
        EXPECT_EQ(ds.FieldCount(), d.fields) << ds.Name();
    }
}

TEST_F(PostingDataSets, EveryBoundControlAndGridColumnNamesADeclaredField) {
    // The participant lookups have their fields once open.
    for (db::TADOIBQuery* q : {&form->lookups.qryFornecedor, &form->lookups.qryCliente,
                               &form->lookups.qryFiliEmit, &form->lookups.qryInscrEstad})
        q->Open();
    auto check = [](const std::string& control, DataSource* source, const std::string& field) {
        if (!source || !source->GetDataSet() || field.empty()) return;
        EXPECT_NE(source->GetDataSet()->FindField(field), nullptr)
            << control << " shows " << source->GetDataSet()->Name() << "." << field;
    };
    int bound = 0;
    for (Component* c : form->Components()) {
        if (auto* e = dynamic_cast<DBEdit*>(c))
            check(c->Name(), e->GetDataSource(), e->DataField());
        else if (auto* d = dynamic_cast<DBDateEdit*>(c))
            check(c->Name(), d->GetDataSource(), d->DataField());
        else if (auto* r = dynamic_cast<DBRichEdit*>(c))
            check(c->Name(), r->GetDataSource(), r->DataField());
        else if (auto* b = dynamic_cast<DBComboBox*>(c))
            check(c->Name(), b->GetDataSource(), b->DataField());
        else if (auto* g = dynamic_cast<DBRadioGroup*>(c))
            check(c->Name(), g->GetDataSource(), g->DataField());
        else if (auto* t = dynamic_cast<DBText*>(c))
            check(c->Name(), t->GetDataSource(), t->DataField());
        else if (auto* grid = dynamic_cast<DBGrid*>(c)) {
            for (int i = 0; i < grid->ColumnCount(); ++i)
                check(c->Name(), grid->GetDataSource(), grid->Column(i).FieldName());
        } else {
            continue;
        }
        ++bound;
    }
    EXPECT_GT(bound, 50);
}

TEST_F(PostingDataSets, MarkColumnsStayHiddenUntilAPostingIsLoaded) {
    struct Hidden {
        DBGrid* grid;
        int column;
        const char* field;
    };
    const Hidden hidden[] = {{form->ui.dbgItemProImpos, 3, "IDIMAGEM"},
                             {form->ui.dbgImposNFTot, 2, "IDIMAGEM"},
                             {form->ui.dbgItemProduto, 10, "IDAVISOSITEM"}};
    for (const Hidden& h : hidden) {
        EXPECT_EQ(h.grid->Column(h.column).FieldName(), h.field);
        EXPECT_FALSE(h.grid->Column(h.column).Visible()) << h.grid->Name();
    }
    for (DBGrid* grid : {form->ui.dbgItemProduto, form->ui.dbgItemNotaFisc, form->ui.dbgItemSemNF})
        EXPECT_EQ(grid->Column(0).ButtonStyle(), ColumnButton::None) << grid->Name();
    form->Loader().ShowLoadedColumns();
    for (const Hidden& h : hidden)
        EXPECT_TRUE(h.grid->Column(h.column).Visible()) << h.grid->Name();
    EXPECT_EQ(form->ui.dbgContaPagar->Column(5).Title(), "Cód. C. P.");
}

} // namespace
} // namespace dfe::dfe11000
