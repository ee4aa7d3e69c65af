#pragma once

// A new purchase posting with the item grid focused, and the item rows typed as a clerk types them.
#include "header_fixture.h"

#include "dfe11000/items/item_rules.h"
#include "platform/data/packet.h"

#include <map>
#include <string>

namespace dfe::dfe11000::testing {

// Cell texts by field, as the clerk types them.
using CellTexts = std::map<std::string, std::string>;

class ItemTest : public HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        Purchase("0001");
    }

    // A new purchase posting of the branch, with the item grid focused.
    void Purchase(const std::string& branch) {
        Include(branch);
        Type("CDTIPOOPER", "01");
        form->Header().SetCurrentType("01");
        form->Header().ReopenTipoOperacForCurrent();
        form->data.cdsNotaFiscal.FieldByName("CDTIPOOPER").SetAsString("01");
        Cli_dfe11000().boInsert = true;
        Cli_dfe11000().boAlteraNF = false; // the taxes of an item are not these tests'
        Param("VRPETOLEENTR", "0");        // nor the last purchase price, but in its own test
        Items().EmptyOrCreateDataSet();
        form->ui.dbgItemProduto->SetFocus();
    }

    DataSet& Items() { return form->data.cdsItemProduto; }

    // A new row typed as the clerk types it: numbers through the cell's text.
    std::string NewItem(const CellTexts& values) {
        return Run([&] {
            Items().Append();
            Fill(values);
        });
    }
    void Fill(const CellTexts& values) {
        for (const auto& [field, text] : values)
            Items().FieldByName(field).SetText(text);
    }
    std::string Post() {
        return Run([&] { Items().Post(); });
    }
    std::string Item(const char* field) const {
        return form->data.cdsItemProduto.FieldByName(field).AsString();
    }
    double Number(const char* field) const { return form->data.cdsItemProduto.FieldByName(field).AsFloat(); }
    std::string SelectedColumn() const {
        const Field* field = form->ui.dbgItemProduto->SelectedField();
        return field ? field->FieldName() : std::string();
    }
    void Param(const char* field, const std::string& value) {
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName(field).SetAsString(value);
        params.Post();
    }

    static CellTexts Milk() {
        return {{"CDARVPROD", "1.01.001"},
                {"CDSITUTRIBPR", "000"},
                {"CDFISOPEITEM", "1102"},
                {"QTITEMPROD", "12"},
                {"VRUNITITEM", "4,5"}};
    }

    // The last purchase cost the server answers for the product.
    void LastPurchase(double cost) {
        Answer("GetCustoCmpProd", [cost](const net::RpcRequest&) -> std::optional<Variant> {
            Packet p;
            p.fields = {FieldDef{"VRLIQCMPPROD", FieldType::Float}};
            p.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant(cost)}, {}});
            return Variant(ToDataPacket(p));
        });
    }
};

} // namespace dfe::dfe11000::testing
