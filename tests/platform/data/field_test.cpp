#include "dataset_fixture.h"

#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/data/data_error.h"

#include <limits>

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::ItemFields;
using testing::LoadThreeItems;

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.DeclareField({"NMPRODUTO", FieldType::String, 10, false});
        ds.DeclareField({"VRNOTAFISC", FieldType::Float, 0, false});
        ds.DeclareField({"NRITENS", FieldType::Integer, 0, false});
        ds.DeclareField({"DTEMISSAO", FieldType::DateTime, 0, false});
        ds.DeclareField({"IDATIVO", FieldType::Boolean, 0, false});
        ds.DeclareField({"DSOBS", FieldType::Memo, 0, false});
        ds.CreateDataSet();
        ds.Append();
    }
    Field& F(const char* name) { return ds.FieldByName(name); }
    DataSet ds{"cdsTeste"};
};

TEST_F(FieldTest, StringSizeCountsCharactersNotBytes) {
    F("NMPRODUTO").SetAsString("Lançamento"); // 10 characters, 11 bytes
    EXPECT_EQ(F("NMPRODUTO").AsString(), "Lançamento");
    F("NMPRODUTO").SetAsString("ÁÉÍÓÚÇÃÕÂÊ");
    EXPECT_EQ(F("NMPRODUTO").AsString(), "ÁÉÍÓÚÇÃÕÂÊ");
}

TEST_F(FieldTest, StringLongerThanItsSizeIsRefusedAndTheOldValueStays) {
    F("NMPRODUTO").SetAsString("curto");
    try {
        F("NMPRODUTO").SetAsString("Lançamentos");
        FAIL() << "an 11-character text was accepted in a 10-character field";
    } catch (const DataSetError& e) {
        EXPECT_NE(std::string(e.what()).find("NMPRODUTO"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("10"), std::string::npos);
    }
    EXPECT_EQ(F("NMPRODUTO").AsString(), "curto");
}

TEST_F(FieldTest, NullDiffersFromEmpty) {
    EXPECT_TRUE(F("NMPRODUTO").IsNull());
    F("NMPRODUTO").SetAsString("");
    EXPECT_FALSE(F("NMPRODUTO").IsNull());
    EXPECT_EQ(F("NMPRODUTO").AsString(), "");
    F("NMPRODUTO").Clear();
    EXPECT_TRUE(F("NMPRODUTO").IsNull());
    EXPECT_EQ(F("VRNOTAFISC").AsFloat(), 0.0);
    EXPECT_EQ(F("NRITENS").AsInteger(), 0);
}

struct TextAssignment {
    const char* field;
    const char* text;
    Variant stored;
};

class FieldTextTest : public FieldTest, public ::testing::WithParamInterface<TextAssignment> {};

TEST_P(FieldTextTest, TextIsReadTheBrazilianWay) {
    const TextAssignment& c = GetParam();
    F(c.field).SetAsString(c.text);
    EXPECT_EQ(F(c.field).Value(), c.stored) << DescribeVariant(F(c.field).Value());
    EXPECT_EQ(F(c.field).Value().IsNull(), c.stored.IsNull());
}

INSTANTIATE_TEST_SUITE_P(Table, FieldTextTest,
                         ::testing::Values(TextAssignment{"VRNOTAFISC", "1.234,56", Variant(1234.56)},
                                           TextAssignment{"VRNOTAFISC", "12,5", Variant(12.5)},
                                           TextAssignment{"VRNOTAFISC", "12.5", Variant(12.5)},
                                           TextAssignment{"VRNOTAFISC", "  ", Variant::Null()},
                                           TextAssignment{"NRITENS", "42", Variant(int64_t{42})},
                                           TextAssignment{"NRITENS", "", Variant::Null()},
                                           TextAssignment{"DTEMISSAO", "31/12/2024",
                                                          Variant(DateTime::FromDate(2024, 12, 31))},
                                           TextAssignment{"IDATIVO", "S", Variant(true)},
                                           TextAssignment{"IDATIVO", "False", Variant(false)},
                                           TextAssignment{"DSOBS", "texto livre sem limite de tamanho",
                                                          Variant("texto livre sem limite de tamanho")}));

TEST_F(FieldTest, BadTextForATypedFieldIsRefusedWithTheFieldName) {
    const std::pair<const char*, const char*> cases[] = {
        {"VRNOTAFISC", "abc"},       {"VRNOTAFISC", "1,2,3"}, {"NRITENS", "2,5"},
        {"DTEMISSAO", "31/02/2024"}, {"IDATIVO", "talvez"},
    };
    for (const auto& [field, text] : cases) {
        try {
            F(field).SetAsString(text);
            ADD_FAILURE() << field << " accepted " << text;
        } catch (const DataSetError& e) {
            EXPECT_NE(std::string(e.what()).find(field), std::string::npos) << e.what();
        }
        EXPECT_TRUE(F(field).IsNull()) << field;
    }
}

TEST_F(FieldTest, NonFiniteNumbersAreRefused) {
    EXPECT_THROW(F("VRNOTAFISC").SetAsFloat(std::numeric_limits<double>::infinity()), DataSetError);
    EXPECT_THROW(F("VRNOTAFISC").SetAsFloat(std::numeric_limits<double>::quiet_NaN()), DataSetError);
}

TEST_F(FieldTest, InvalidUtf8IsStoredSanitised) {
    F("NMPRODUTO").SetAsString(std::string("a\xff", 2));
    EXPECT_TRUE(text::IsValidUtf8(F("NMPRODUTO").AsString()));
}

TEST_F(FieldTest, DisplayFormatAppliesToDisplayTextOnly) {
    F("VRNOTAFISC").SetDisplayFormat("#,##0.00");
    F("VRNOTAFISC").SetAsFloat(1234.5);
    EXPECT_EQ(F("VRNOTAFISC").DisplayText(), "1.234,50");
    EXPECT_EQ(F("VRNOTAFISC").Text(), "1234,5");
    F("DTEMISSAO").SetDisplayFormat("dd/mm/yy");
    F("DTEMISSAO").SetAsDateTime(DateTime::FromDate(2024, 3, 5));
    EXPECT_EQ(F("DTEMISSAO").DisplayText(), "05/03/24");
    F("VRNOTAFISC").Clear();
    EXPECT_EQ(F("VRNOTAFISC").DisplayText(), "");
}

TEST_F(FieldTest, PropertiesKeepWhatWasSet) {
    Field& f = F("NMPRODUTO");
    EXPECT_EQ(f.DisplayLabel(), "NMPRODUTO");
    f.SetDisplayLabel("Produto");
    f.SetEditMask(">aaaa;0; ");
    f.SetTag(4);
    EXPECT_EQ(f.DisplayLabel(), "Produto");
    EXPECT_EQ(f.EditMask(), ">aaaa;0; ");
    EXPECT_EQ(f.Tag(), 4);
}

TEST_F(FieldTest, OnValidateSeesTheNewValueAndMayRefuseIt) {
    Field& f = F("VRNOTAFISC");
    f.SetAsFloat(5);
    std::vector<double> seen;
    f.OnValidate = [&](Field& field) {
        seen.push_back(field.AsFloat());
        if (field.AsFloat() < 0) throw Abort();
    };
    f.SetAsFloat(7);
    EXPECT_THROW(f.SetAsFloat(-1), Abort);
    EXPECT_EQ(f.AsFloat(), 7);
    EXPECT_EQ(seen, (std::vector<double>{7, -1}));
}

TEST_F(FieldTest, OnChangeRunsAfterStoringAndDoesNotRecurseIntoItself) {
    Field& f = F("NRITENS");
    int calls = 0;
    f.OnChange = [&](Field& field) {
        ++calls;
        field.SetAsInteger(field.AsInteger() * 10); // writes its own field again
    };
    f.SetAsInteger(2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(f.AsInteger(), 20);
}

TEST_F(FieldTest, GetTextAndSetTextHandlersReplaceTheDefaults) {
    Field& f = F("IDATIVO");
    f.OnGetText = [](Field& field, std::string& text, bool display) {
        text = field.IsNull()      ? ""
               : field.AsBoolean() ? (display ? "Ativo" : "S")
                                   : (display ? "Inativo" : "N");
    };
    f.OnSetText = [](Field& field, std::string_view text) { field.SetAsBoolean(text == "Ativo"); };
    f.SetText("Ativo");
    EXPECT_EQ(f.DisplayText(), "Ativo");
    EXPECT_EQ(f.Text(), "S");
    f.SetText("qualquer");
    EXPECT_EQ(f.DisplayText(), "Inativo");
}

TEST(FieldStateTest, WritingOutsideAnEditIsRefused) {
    DataSet ds("cdsItem");
    EXPECT_THROW(ds.FieldByName("X"), DataSetError);
    testing::LoadThreeItems(ds);
    EXPECT_THROW(ds.FieldByName("CDPRODUTO").SetAsString("Z"), DataSetError);
    ds.Close();
    ds.CreateDataSet(ItemFields());
    ds.Close();
    EXPECT_FALSE(ds.Active());
}

TEST(FieldOldValueTest, OldValueIsTheValueBeforeThisEdit) {
    DataSet ds("cdsItem");
    LoadThreeItems(ds);
    Field& qty = ds.FieldByName("QTITEMPROD");
    ds.Edit();
    qty.SetAsFloat(9);
    EXPECT_EQ(qty.OldValue().AsFloat(), 1);
    ds.Post();
    ds.Edit();
    qty.SetAsFloat(11);
    EXPECT_EQ(qty.OldValue().AsFloat(), 9);
    EXPECT_EQ(qty.OriginalValue().AsFloat(), 1);
    ds.Cancel();
    ds.Append();
    EXPECT_TRUE(qty.OldValue().IsNull());
    ds.Cancel();
}

TEST(FieldNotSentTest, AFieldKeptByTheClientStaysOutOfDeltaAndServerData) {
    DataSet ds("cdsItemNotaFisc");
    ds.DeclareField({"CDFILIAL", FieldType::String, 4, false});
    ds.DeclareField({"LANCAMENTO", FieldType::String, 17, false}).SetSentToServer(false);
    ds.CreateDataSet();
    ds.Append();
    ds.FieldByName("CDFILIAL").SetAsString("0001");
    ds.FieldByName("LANCAMENTO").SetAsString("0001 - 0000000001");
    ds.Post();
    const Packet delta = ds.Delta();
    ASSERT_EQ(delta.fields.size(), 1u);
    EXPECT_EQ(delta.fields[0].name, "CDFILIAL");
    EXPECT_EQ(delta.rows.at(0).values, std::vector<Variant>{Variant("0001")});
    EXPECT_EQ(ds.DataForServer().fields.size(), 1u);
    EXPECT_EQ(ds.Data().fields.size(), 2u); // a local copy keeps it
}

} // namespace
} // namespace dfe
