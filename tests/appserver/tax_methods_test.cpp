#include "demo_server.h"
#include "platform/core/decimal.h"
#include "platform/net/answer_reader.h"
#include "platform/net/tax_calls.h"

#include <algorithm>
#include <functional>
#include <map>

namespace dfe::appserver {
namespace {

// The demo's head office (São Paulo) posting items of Laticínios Serra Azul (São Paulo) and Embalagens Nova
// Era (Paraná) under purchase type 01; totals travel back and forth as the client keeps them.
class TaxMethods : public testing::DemoServer {
protected:
    std::string NewWorkCode(const std::string& branch = "0001") {
        const Variant answer = net::CheckResultServ(Call(net::kGetProxCodProd, net::CallArgs().Str(branch)));
        net::AnswerReader reader(answer, net::kGetProxCodProdAnswer);
        EXPECT_EQ(reader.Text("accepted"), "S");
        return reader.Text("workCode");
    }

    net::GetImpoItemArgs Item(const std::string& sequence, const std::string& product, double total) {
        net::GetImpoItemArgs a;
        a.receivingBranch = "0001";
        a.company = "01";
        a.operationType = "01";
        a.fiscalGroup = "SP1";
        a.product = product;
        a.entryDate = DateTime::FromDate(2026, 12, 10);
        a.itemTotal = total;
        a.supplier = "J11222333000181";
        a.documentTotals = Variant(ToDataPacket(totals_));
        a.returnWithOrigin = "N";
        a.quantity = 1;
        a.postingNumber = "NOVOCODIGO";
        a.listMode = a.listModeInserting = "N";
        a.itemSequence = sequence;
        a.regenerate = "S";
        a.branch = "0001";
        a.workCode = workCode_;
        a.productOrigin = "0";
        a.participantState = "SP";
        return a;
    }

    // Generates the item's taxes and keeps the totals the server answered, as the client does.
    std::map<std::string, int64_t> Generate(net::GetImpoItemArgs a) {
        a.documentTotals = Variant(ToDataPacket(totals_));
        const Variant answer = net::CheckResultServ(Call(a.kMethod, net::ToCallArgs(a)));
        net::AnswerReader reader(answer, net::kGetImpoItemAnswer);
        totals_ = FromDataPacket(reader.Packet("cdsImpoNFAF"));
        const Packet rows = FromDataPacket(reader.Packet("cdsImpoItemAF"));
        std::map<std::string, int64_t> values;
        for (size_t i = 0; i < rows.rows.size(); ++i)
            values[Field(rows, "CDIMPOSTOIT", i).AsString()] = Cents(Field(rows, "VRIMPOSIT", i));
        return values;
    }

    static int64_t Cents(const Variant& v) { return *decimal::Scaled(v.AsFloat(), 2); }

    std::map<std::string, int64_t> TotalsByTax() const {
        std::map<std::string, int64_t> map;
        for (size_t i = 0; i < totals_.rows.size(); ++i)
            map[Field(totals_, "CDIMPOSTOT", i).AsString()] = Cents(Field(totals_, "VRIMPOSTOT", i));
        return map;
    }

    void SetUp() override {
        DemoServer::SetUp();
        totals_.fields = {{"SGIMPOSTO", FieldType::String, 10},  {"VRIMPOSTOT", FieldType::Float},
                          {"CDFILIMPTOT", FieldType::String, 4}, {"NRLANCIMPTOT", FieldType::String, 10},
                          {"CDIMPOSTOT", FieldType::String, 2},  {"IDERROSTOT", FieldType::String, 5},
                          {"IDAVISOSTOT", FieldType::String, 5}, {"IDTRATIMPO", FieldType::String, 1},
                          {"VRBCALIMPTOT", FieldType::Float},    {"IDPRODNOTA", FieldType::String, 1}};
        workCode_ = NewWorkCode();
    }

    Packet totals_;
    std::string workCode_;
};

TEST_F(TaxMethods, BeerFromSaoPauloGetsItsTaxesFromTheTables) {
    net::GetImpoItemArgs beer = Item("0001", "0000001145", 1000);
    net::AnswerReader reader(net::CheckResultServ(Call(beer.kMethod, net::ToCallArgs(beer))),
                             net::kGetImpoItemAnswer);
    const Packet rows = FromDataPacket(reader.Packet("cdsImpoItemAF"));
    struct Expected {
        const char *tax, *abbreviation;
        double rate, value, base;
        const char* cst;
    } expected[] = {
        {"01", "ICMS", 18, 180, 1000, "010"},        {"02", "IPI", 3.9, 39, 1000, "000"},
        {"03", "PIS", 1.65, 16.5, 1000, "050"},      {"04", "COFINS", 7.6, 76, 1000, "050"},
        {"05", "ICMSST", 18, 137.93, 1766.3, "010"}, {"09", "FCP", 2, 20, 1000, "010"},
    };
    ASSERT_EQ(rows.rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.rows.size(); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(Field(rows, "CDIMPOSTOIT", i), Variant(e.tax));
        EXPECT_EQ(Field(rows, "SGIMPOSTO", i), Variant(e.abbreviation));
        EXPECT_EQ(Field(rows, "VRALIQIMPOIT", i), Variant(e.rate)) << e.tax;
        EXPECT_EQ(Field(rows, "VRIMPOSIT", i), Variant(e.value)) << e.tax;
        EXPECT_EQ(Field(rows, "VRBCALCIMPOIT", i), Variant(e.base)) << e.tax;
        EXPECT_EQ(Field(rows, "CDSITUTRIBIT", i), Variant(e.cst)) << e.tax;
        EXPECT_EQ(Field(rows, "CDFISCOPERIT", i), Variant("1403")) << e.tax;
        EXPECT_EQ(Field(rows, "CDPRODUTO", i), Variant("0000001145"));
        EXPECT_EQ(Field(rows, "CDMARCA", i), Variant::Null());
    }
    EXPECT_EQ(reader.Text("regenerate"), "S");
}

TEST_F(TaxMethods, TotalsStayTheSumOfTheItemsWhateverTheOrderOfGeneration) {
    // Milk, beer and a box from Paraná (interstate 12%, IPI 9.75%); each regenerated with new values.
    struct Step {
        const char *sequence, *product;
        double total;
        const char* state;
    } steps[] = {
        {"0001", "0000000101", 3100, "SP"},   {"0002", "0000001145", 1000, "SP"},
        {"0003", "0000001164", 455.55, "PR"}, {"0002", "0000001145", 1234.57, "SP"},
        {"0001", "0000000101", 10.3, "SP"},   {"0003", "0000001164", 0.3, "PR"},
        {"0002", "0000001145", 999.99, "RJ"},
    };
    std::map<std::string, std::map<std::string, int64_t>> lastOfItem;
    for (const Step& s : steps) {
        net::GetImpoItemArgs a = Item(s.sequence, s.product, s.total);
        a.participantState = s.state;
        lastOfItem[s.sequence] = Generate(a);
        std::map<std::string, int64_t> sum;
        for (const auto& [sequence, taxes] : lastOfItem)
            for (const auto& [tax, value] : taxes)
                sum[tax] += value;
        std::map<std::string, int64_t> totals = TotalsByTax();
        std::erase_if(totals, [&](const auto& t) { return t.second == 0 && !sum.count(t.first); });
        EXPECT_EQ(totals, sum) << "after item " << s.sequence << " at " << s.total;
    }
}

// A maintenance service at the head office withholds IRRF; the clerk already totals IRRF for the document.
TEST_F(TaxMethods, DocumentLevelTotalsAreKeptAsSent) {
    totals_.rows.push_back(
        PacketRow{RowStatus::Unmodified,
                  {Variant("IRRF"), Variant(15.0), Variant("0001"), Variant("NOVOCODIGO"), Variant("07"),
                   Variant::Null(), Variant::Null(), Variant("R"), Variant(0.0), Variant("C")},
                  {}});
    net::GetImpoItemArgs service = Item("0001", "0000001242", 2000);
    service.operationType = "19";
    const auto rows = Generate(service);
    EXPECT_EQ(rows.at("07"), 3000);  // 1.5% of 2,000.00
    EXPECT_EQ(rows.at("10"), 10000); // ISS withheld, 5%
    EXPECT_EQ(totals_.rows.size(), rows.size());
    EXPECT_EQ(TotalsByTax().at("07"), 1500);
    EXPECT_EQ(TotalsByTax().at("08"), 9300);
}

// The stored posting 0001/0000000001: item 0001 (milk, 3,100.00) stored ICMS 372.00, PIS 51.15 and COFINS
// 235.60; the document totals are ICMS 510.00, PIS 70.13, COFINS 323.00.
TEST_F(TaxMethods, AStoredPostingsItemReplacesItsStoredTaxesTheFirstTime) {
    totals_ = FromDataPacket(ToDataPacket([&] {
        Packet p = totals_;
        for (auto [tax, value] : {std::pair{"01", 510.0}, {"03", 70.13}, {"04", 323.0}})
            p.rows.push_back(PacketRow{RowStatus::Unmodified,
                                       {Variant::Null(), Variant(value), Variant("0001"),
                                        Variant("0000000001"), Variant(tax), Variant("0"), Variant("0"),
                                        Variant("C"), Variant(0.0), Variant("P")},
                                       {}});
        return p;
    }()));
    net::GetImpoItemArgs milk = Item("0001", "0000000101", 3100);
    milk.postingNumber = "0000000001";
    const auto first = Generate(milk);
    EXPECT_EQ(first.at("01"), 55800); // 18% inside São Paulo
    EXPECT_EQ(TotalsByTax(),
              (std::map<std::string, int64_t>{
                  {"01", 51000 - 37200 + 55800}, {"03", 7013 - 5115 + 5115}, {"04", 32300 - 23560 + 23560}}));
    // Again: now its last answer is what it contributes, not the stored rows.
    const auto totalsAfterFirst = TotalsByTax();
    Generate(milk);
    EXPECT_EQ(TotalsByTax(), totalsAfterFirst);
}

TEST_F(TaxMethods, AWorkCodeKeptForAnotherPostingDoesNotLendItsItems) {
    Generate(Item("0001", "0000000101", 3100)); // a new posting's item 0001: ICMS 558.00
    // The form kept its work code and opened the stored 0001/0000000001 (ICMS total 510.00, its item 0001
    // stored 372.00): what that item contributed is its stored row, not the other posting's work row.
    totals_.rows.assign(
        1, PacketRow{RowStatus::Unmodified,
                     {Variant("ICMS"), Variant(510.0), Variant("0001"), Variant("0000000001"), Variant("01"),
                      Variant("0"), Variant("0"), Variant("C"), Variant(4250.0), Variant("P")},
                     {}});
    net::GetImpoItemArgs stored = Item("0001", "0000000101", 3100);
    stored.postingNumber = "0000000001";
    Generate(stored);
    EXPECT_EQ(TotalsByTax().at("01"), 51000 - 37200 + 55800);
}

TEST_F(TaxMethods, AnItemWithoutQuantityOrValueStillGetsItsRows) {
    net::GetImpoItemArgs zero = Item("0001", "0000001145", 0);
    zero.quantity = 0;
    const auto rows = Generate(zero);
    EXPECT_EQ(rows.size(), 6u);
    for (const auto& [tax, value] : rows)
        EXPECT_EQ(value, 0) << tax;
}

TEST_F(TaxMethods, AnEmptyFiscalGroupIsDerivedAndSentBack) {
    struct Case {
        const char *branch, *type, *expected;
    } cases[] = {{"0001", "01", "SP1"}, {"0002", "01", "SP2"}, {"0002", "15", "SP1"}};
    for (const Case& c : cases) {
        workCode_ = NewWorkCode(c.branch);
        net::GetImpoItemArgs a = Item("0001", "0000000101", 100);
        a.receivingBranch = a.branch = c.branch;
        a.operationType = c.type;
        a.fiscalGroup = "";
        net::CheckResultServ(Call(a.kMethod, net::ToCallArgs(a)));
        EXPECT_EQ(a.fiscalGroup, c.expected) << c.branch << " " << c.type;
    }
}

TEST_F(TaxMethods, TheRegenerationFlagIsEchoed) {
    net::GetImpoItemArgs a = Item("0001", "0000000101", 100);
    a.regenerate = "N";
    net::AnswerReader reader(net::CheckResultServ(Call(a.kMethod, net::ToCallArgs(a))),
                             net::kGetImpoItemAnswer);
    EXPECT_EQ(reader.Text("regenerate"), "N");
}

TEST_F(TaxMethods, MalformedCallsAreRefusedAndKeepNothing) {
    struct Case {
        const char* name;
        std::function<void(net::GetImpoItemArgs&)> spoil;
        const char* refusal;
    } cases[] = {
        {"unknown operation type", [](auto& a) { a.operationType = "99"; },
         "O tipo de operação 99 não está cadastrado."},
        {"unknown product", [](auto& a) { a.product = "0000009999"; },
         "O produto 0000009999 não está cadastrado."},
        {"product too wide", [](auto& a) { a.product = "00000011450"; },
         "Argumento 7 (produto) de GetImpoItem tem mais de 10 caracteres."},
        {"flag", [](auto& a) { a.regenerate = "X"; }, "Argumento 26 de GetImpoItem deve ser \"S\" ou \"N\"."},
        {"negative total", [](auto& a) { a.itemTotal = -1; },
         "Quantidade, valor e desconto do item não podem ser negativos."},
        {"no work code", [](auto& a) { a.workCode = "NOVOCODIGO"; },
         "O código de trabalho (GetProxCodProd) deve ser informado para GetImpoItem."},
        {"totals not a packet", [](auto& a) { a.documentTotals = Variant("totais"); },
         "Argumento 12 (totais de impostos) de GetImpoItem deve ser um pacote de dados."},
        {"unknown state", [](auto& a) { a.participantState = "XX"; },
         "O estado XX não tem alíquota de ICMS cadastrada."},
    };
    for (const Case& c : cases) {
        net::GetImpoItemArgs a = Item("0001", "0000001145", 1000);
        c.spoil(a);
        EXPECT_EQ(RefusalOf(Call(a.kMethod, net::ToCallArgs(a))), c.refusal) << c.name;
    }
    EXPECT_EQ(RefusalOf(Call("GetImpoItem", net::CallArgs().Str("0001"))),
              "O método GetImpoItem espera 35 argumento(s) e recebeu 1.");
    // Nothing of the refused calls was kept: the first real generation has no previous contribution.
    totals_.rows.clear();
    Generate(Item("0001", "0000001145", 1000));
    EXPECT_EQ(TotalsByTax().at("01"), 18000);
}

TEST_F(TaxMethods, WorkCodesAreNeverHandedOutTwiceAlsoAfterARestart) {
    const std::string second = NewWorkCode();
    EXPECT_EQ(workCode_, "W000000001");
    EXPECT_EQ(second, "W000000002");
    EXPECT_EQ(NewWorkCode("0002"), "W000000001"); // a counter per branch
    server_.reset();
    server_ = std::make_unique<EmbeddedServer>(temp_.Open());
    lanc_.Reconnect();
    EXPECT_EQ(NewWorkCode(), "W000000003");
    EXPECT_EQ(RefusalOf(Call(net::kGetProxCodProd, net::CallArgs().Str("9999"))),
              "A filial 9999 não está cadastrada.");
}

TEST_F(TaxMethods, GetContAFListsThePostingsAuthorizations) {
    const Packet af = Rows(Call(net::kGetContAF, net::CallArgs().Str("0001").Str("0000000006")));
    ASSERT_EQ(af.rows.size(), 1u);
    EXPECT_EQ(Field(af, "CDFILDEST"), Variant("0001"));
    EXPECT_EQ(Field(af, "CDFILLANC"), Variant("0001"));
    EXPECT_EQ(Field(af, "NRAUTOFORN"), Variant("0000000412"));
    EXPECT_TRUE(Rows(Call(net::kGetContAF, net::CallArgs().Str("0001").Str("0000000001"))).rows.empty());
    EXPECT_NE(RefusalOf(Call(net::kGetContAF, net::CallArgs().Str("00001").Str("0000000006"))), "");
}

} // namespace
} // namespace dfe::appserver
