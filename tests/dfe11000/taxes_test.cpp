// An item's taxes as the server answers them, merged into what the clerk already has: typed values and the
// invoice's taxes survive a regeneration, the rest is the server's; the totals are the server's; the grids'
// rows refuse what cannot be stored.
#include "item_fixture.h"
#include "posting_packets.h"

#include "dfe11000/items/taxes.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/data/handler_guard.h"
#include "platform/net/check_result.h"

#include <map>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

using Rows = std::vector<std::map<std::string, Variant>>;

// A tax row of the server's answer: code, rate, value, fiscal code.
struct ServerTax {
    const char* tax;
    double rate;
    double value;
    const char* fiscal = "1";
};

class TaxTest : public testing::ItemTest {
protected:
    void SetUp() override {
        ItemTest::SetUp();
        Answer("GetProxCodProd", [this](const net::RpcRequest&) -> std::optional<Variant> {
            ++workCodes_;
            return Variant::Array({Variant("S"), Variant("W000000007")});
        });
        ASSERT_EQ(NewItem(Milk()), "");
        ASSERT_EQ(Post(), "");
        product_ = Item("CDPRODUTO");
        brand_ = Item("CDMARCA");
        sequence_ = Item("NRSEQITPROD");
    }

    DataSet& Taxes() { return form->data.cdsTrabItProImpos; }
    DataSet& Totals() { return form->data.cdsTrabImposNFTot; }

    // The server's answer for the current item: its rows and the document totals.
    void ServerAnswers(const std::vector<ServerTax>& taxes, const Rows& totals, const char* again = "S") {
        Rows rows;
        for (const ServerTax& t : taxes) {
            rows.push_back({{"CDPRODUTO", Variant(product_)},
                            {"CDMARCA", Variant(brand_)},
                            {"CDIMPOSTOIT", Variant(t.tax)},
                            {"SGIMPOSTO", Variant(std::string("T") + t.tax)},
                            {"IDTRATIMPO", Variant("N")},
                            {"VRALIQIMPOIT", Variant(t.rate)},
                            {"VRIMPOSIT", Variant(t.value)},
                            {"VRBCALCIMPOIT", Variant(54.0)},
                            {"CDFISCIMPOIT", Variant(t.fiscal)},
                            {"CDSITUTRIBIT", Variant("000")},
                            {"CDFISCOPERIT", Variant("1102")}});
        }
        const Variant itemPacket = testing::PacketVariant(form->data.cdsImpoItemAF, {}, ToValues(rows));
        const Variant totalPacket = testing::PacketVariant(form->data.cdsImpoNFAF, {}, ToValues(totals));
        Answer("GetImpoItem", [=, this](const net::RpcRequest& request) -> std::optional<Variant> {
            sent_ = request;
            return Variant::Array({itemPacket, totalPacket, Variant(again)});
        });
    }

    static std::vector<testing::Values> ToValues(const Rows& rows) {
        return std::vector<testing::Values>(rows.begin(), rows.end());
    }

    // A tax row the item already has.
    void Existing(const char* tax, double rate, double value, const char* informed) {
        DataSet& taxes = Taxes();
        const DetachedHandler quiet(taxes.BeforePost);
        taxes.Append();
        taxes.FieldByName("NRSEQIMPOIT").SetAsString(sequence_);
        taxes.FieldByName("CDPRODUTO").SetAsString(product_);
        taxes.FieldByName("CDIMPOSTOIT").SetAsString(tax);
        taxes.FieldByName("VRALIQIMPOIT").SetAsFloat(rate);
        taxes.FieldByName("VRIMPOSIT").SetAsFloat(value);
        taxes.FieldByName("VRIMPOSVISUIT").SetAsFloat(value);
        taxes.FieldByName("IDVALORINFO").SetAsString(informed);
        taxes.Post();
    }

    // The item's taxes: code → value stored (and shown).
    std::map<std::string, std::pair<double, double>> ItemTaxes() {
        std::map<std::string, std::pair<double, double>> found;
        DataSet& taxes = Taxes();
        for (int row = 1; row <= taxes.RecordCount(); ++row) {
            taxes.ReadRecordAt(row, [&] {
                if (taxes.FieldByName("NRSEQIMPOIT").AsString() != sequence_) return;
                found[taxes.FieldByName("CDIMPOSTOIT").AsString()] = {
                    taxes.FieldByName("VRIMPOSIT").AsFloat(), taxes.FieldByName("VRIMPOSVISUIT").AsFloat()};
            });
        }
        return found;
    }

    std::map<std::string, double> TotalValues() {
        std::map<std::string, double> found;
        for (int row = 1; row <= Totals().RecordCount(); ++row)
            Totals().ReadRecordAt(row, [&] {
                found[Totals().FieldByName("CDIMPOSTOT").AsString()] =
                    Totals().FieldByName("VRIMPOSTOT").AsFloat();
            });
        return found;
    }

    std::string Generate() {
        return Run([&] { form->Taxes().CriaImpostos(); });
    }

    std::string product_, brand_, sequence_;
    int workCodes_ = 0;
    net::RpcRequest sent_;
};

using TaxValues = std::map<std::string, std::pair<double, double>>;

// Ordinary documents keep the values the clerk typed without a rate; documents taken from an NF-e keep the
// taxes the invoice listed. Every other row of the item is the server's again, also one it no longer sends.
TEST_F(TaxTest, RegenerationKeepsTypedAndInvoiceTaxesAndReplacesTheRest) {
    struct Case {
        const char* name;
        bool fromInvoice;
        TaxValues expected;
    };
    const Case cases[] = {
        {"ordinary document", false, {{"01", {6.48, 6.48}}, {"02", {5.00, 5.00}}, {"03", {1.00, 1.00}}}},
        // The invoice listed 01: kept as it was; 02, typed, is the server's again.
        {"document from the NF-e", true, {{"01", {9.72, 9.72}}, {"02", {5.40, 5.40}}, {"03", {1.00, 1.00}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Taxes().EmptyOrCreateDataSet();
        form->data.cdsNotaFiscal.FieldByName("IDNFGERADAVIAXML").SetAsString(c.fromInvoice ? "S" : "N");
        form->data.cdsImpImpoXML.SetData(testing::PacketFor(
            form->data.cdsImpImpoXML, {testing::Text("CDIMPOSTO", 2), testing::Text("CDENCARGOIMPXML", 4)},
            {{{"CDIMPOSTO", Variant("01")}}}));
        Existing("01", 18, 9.72, "N");
        Existing("02", 0, 5.00, "S");
        Existing("04", 7.6, 4.10, "N"); // no longer answered
        ServerAnswers(
            {{"01", 12, 6.48}, {"02", 10, 5.40}, {"03", 1.65, 1.00}},
            {{{"CDIMPOSTOT", Variant("01")}, {"VRIMPOSTOT", Variant(6.48)}, {"IDPRODNOTA", Variant("P")}}});
        ASSERT_EQ(Generate(), "");
        EXPECT_EQ(ItemTaxes(), c.expected);
        EXPECT_EQ(TotalValues(), (std::map<std::string, double>{{"01", 6.48}}));
    }
}

TEST_F(TaxTest, AZeroItemGetsNoTaxesButTheTotalsAreStillTheServers) {
    {
        const DetachedHandler quiet(Items().BeforePost);
        Items().Edit();
        Fill({{"QTITEMPROD", "0"}, {"VRTOTAITEM", "0"}});
        Items().Post();
    }
    Existing("01", 18, 9.72, "N");
    ServerAnswers({{"01", 18, 0}}, {{{"CDIMPOSTOT", Variant("02")}, {"VRIMPOSTOT", Variant(3.0)}}});
    ASSERT_EQ(Generate(), "");
    EXPECT_TRUE(ItemTaxes().empty());
    EXPECT_EQ(TotalValues(), (std::map<std::string, double>{{"02", 3.0}}));
}

// Credited taxes (fiscal codes 2 and 3) may be hidden from the grid; the value itself stays the server's.
TEST_F(TaxTest, HiddenCreditedTaxesShowZeroAndKeepTheirValue) {
    Param("IDPERVISIMPSCRE", "N");
    ServerAnswers({{"01", 18, 9.72, "2"}, {"02", 10, 5.40, "3"}, {"03", 1.65, 1.00, ""}}, {});
    ASSERT_EQ(Generate(), "");
    EXPECT_EQ(ItemTaxes(), (TaxValues{{"01", {9.72, 0}}, {"02", {5.40, 0}}, {"03", {1.00, 1.00}}}));
    Taxes().Locate("CDIMPOSTOIT", Variant("03"));
    EXPECT_EQ(Taxes().FieldByName("CDFISCIMPOIT").AsString(), "1"); // none given
}

TEST_F(TaxTest, ARefusedGenerationLeavesTaxesAndTotalsAsTheyWere) {
    Existing("01", 18, 9.72, "N");
    Answer("GetImpoItem", [](const net::RpcRequest&) -> std::optional<Variant> {
        return net::MakeErrorAnswer("Produto sem grupo fiscal.");
    });
    Cli_dfe11000().boAlteraNF = true;
    Generate();
    EXPECT_EQ(dialogs.Errors().back().text, "Produto sem grupo fiscal.");
    EXPECT_EQ(ItemTaxes(), (TaxValues{{"01", {9.72, 9.72}}}));
    EXPECT_TRUE(Cli_dfe11000().boAlteraNF);
}

// The posting asks for its work code once and sends it with every item; what the server answers in the third
// element says whether later items still generate.
TEST_F(TaxTest, TheWorkCodeIsAskedOnceAndTheAnswerDecidesWhetherTaxesAreStillChanging) {
    ServerAnswers({{"01", 18, 9.72}}, {}, "N");
    Cli_dfe11000().boAlteraNF = true;
    ASSERT_EQ(Generate(), "");
    ASSERT_EQ(Generate(), "");
    EXPECT_EQ(workCodes_, 1);
    ASSERT_EQ(sent_.args.size(), 35u);
    EXPECT_EQ(sent_.args[31].value.AsString(), "W000000007");
    EXPECT_EQ(sent_.args[6].value.AsString(), product_);
    EXPECT_DOUBLE_EQ(sent_.args[15].value.AsFloat(), 12);
    EXPECT_EQ(sent_.args[25].value.AsString(), "N"); // the first call cleared the flag
    EXPECT_FALSE(Cli_dfe11000().boAlteraNF);
    form->Taxes().ForgetWorkCode();
    ASSERT_EQ(Generate(), "");
    EXPECT_EQ(workCodes_, 2);
}

TEST_F(TaxTest, TheRetainedTotalCountsOnlyTaxesWithheldAtSource) {
    lookups_->Execute("UPDATE IMPOSTO SET IDDESCRFONTE = 'R' WHERE CDIMPOSTO = '01'");
    lookups_->Execute("UPDATE IMPOSTO SET IDDESCRFONTE = 'N' WHERE CDIMPOSTO = '02'");
    lookups_->Execute("UPDATE IMPOSTO SET IDDESCRFONTE = NULL WHERE CDIMPOSTO = '03'");
    struct Total {
        const char* tax;
        const char* treatment;
        double value;
    };
    const Total totals[] = {{"01", "R", 10.00}, {"02", "R", 5.00}, {"03", "N", 7.00}, {"03", "R", 0.10}};
    Totals().EmptyOrCreateDataSet();
    const DetachedHandler quiet(Totals().AfterPost);
    for (const Total& t : totals) {
        Totals().Append();
        Totals().FieldByName("CDIMPOSTOT").SetAsString(t.tax);
        Totals().FieldByName("IDTRATIMPO").SetAsString(t.treatment);
        Totals().FieldByName("VRIMPOSTOT").SetAsFloat(t.value);
        Totals().Post();
    }
    // 03 has no source of its own: withheld at source, as a retained tax is by default.
    EXPECT_DOUBLE_EQ(form->Taxes().TotalImpoRetido(), 10.10);
}

TEST_F(TaxTest, ADocumentTotalMayBeZeroButNeitherEmptyNorNegative) {
    const struct {
        const char* typed;
        const char* refusal;
    } cases[] = {{"", "VrImp_inf"}, {"-0,01", "VrImp_m_zero"}, {"0", ""}, {"12,5", ""}};
    Cli_dfe11000().boAlteraNF = false;
    for (const auto& c : cases) {
        Totals().EmptyOrCreateDataSet();
        EXPECT_EQ(Run([&] {
                      Totals().Append();
                      Totals().FieldByName("CDIMPOSTOT").SetAsString("01");
                      Totals().FieldByName("VRIMPOSTOT").SetText(c.typed);
                      Totals().Post();
                  }),
                  c.refusal)
            << c.typed;
        Totals().Cancel();
    }
}

// What counts as informed: a value without a rate, or what the invoice gave; the FECP value needs its rate.
TEST_F(TaxTest, ATaxRowRecordsWhetherItsValueWasInformed) {
    const struct {
        const char* name;
        double rate;
        double shown;
        bool invoiceListed;
        double fecp, fecpRate;
        const char* refusal;
        const char* informed;
    } cases[] = {
        {"rate given", 18, 9.72, false, 0, 0, "", "N"},
        {"value without rate", 0, 5.00, false, 0, 0, "", "S"},
        {"nothing", 0, 0, false, 0, 0, "", "N"},
        {"listed by the invoice", 18, 9.72, true, 0, 0, "", "S"},
        {"FECP without its rate", 18, 9.72, false, 1.08, 0, "Vr_Fecp", ""},
        {"FECP with its rate", 18, 9.72, false, 1.08, 2, "", "N"},
    };
    form->data.cdsNotaFiscal.FieldByName("IDNFGERADAVIAXML").SetAsString("S");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form->data.cdsImpImpoXML.SetData(testing::PacketFor(
            form->data.cdsImpImpoXML, {testing::Text("CDIMPOSTO", 2), testing::Text("CDENCARGOIMPXML", 4)},
            c.invoiceListed ? std::vector<testing::Values>{{{"CDIMPOSTO", Variant("01")}}}
                            : std::vector<testing::Values>{}));
        Taxes().EmptyOrCreateDataSet();
        EXPECT_EQ(Run([&] {
                      Taxes().Append();
                      Taxes().FieldByName("CDIMPOSTOIT").SetAsString("01");
                      Taxes().FieldByName("VRALIQIMPOIT").SetAsFloat(c.rate);
                      Taxes().FieldByName("VRIMPOSVISUIT").SetAsFloat(c.shown);
                      Taxes().FieldByName("VRADICFECP").SetAsFloat(c.fecp);
                      Taxes().FieldByName("VRADICALIQFECP").SetAsFloat(c.fecpRate);
                      Taxes().Post();
                  }),
                  c.refusal);
        if (*c.refusal) {
            Taxes().Cancel();
            continue;
        }
        EXPECT_EQ(Taxes().FieldByName("IDVALORINFO").AsString(), c.informed);
        EXPECT_EQ(Taxes().FieldByName("NRSEQIMPOIT").AsString(), sequence_);
    }
}

} // namespace
} // namespace dfe::dfe11000
