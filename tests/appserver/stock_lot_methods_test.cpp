#include "demo_server.h"

namespace dfe::appserver {
namespace {

// The demo keeps milk (0000000101) and mozzarella (0000000102) by lot at the head office, flour
// (0000000201) without lots; Campinas has three lots of its mozzarella.
class StockLotMethods : public testing::DemoServer {
protected:
    void SetUp() override {
        DemoServer::SetUp();
        stock_.SetHost(std::string(net::kInProcessHost));
        stock_.Connect();
    }

    Variant Stock(const std::string& method, net::CallArgs args) {
        return stock_.Call(method, std::move(args));
    }

    net::TNetConnection stock_{net::kEstoque};
};

TEST_F(StockLotMethods, AProductIsKeptByLotOnlyWhereTheBranchsCatalogueSaysSo) {
    const struct {
        const char *branch, *product, *answer;
    } cases[] = {
        {"0001", "0000000101", "S"},
        {"0001", "0000000201", "N"},
        {"0001", "9999999999", "N"}, // not in the catalogue
        {"", "0000000101", "N"},
    };
    for (const auto& c : cases) {
        const Variant answer =
            net::CheckResultServ(Stock("Produto_Ctrl_Lote", net::CallArgs().Str(c.branch).Str(c.product)));
        EXPECT_EQ(answer.AsString(), c.answer) << c.branch << " " << c.product;
    }
}

TEST_F(StockLotMethods, TheLotsOfAProductAreTheBranchsInTheirOrderWithTheirDates) {
    const Packet lots = Rows(Stock("GetLotesEstoque", net::CallArgs().Str("0001").Str("0000000101")));
    std::vector<std::string> names;
    for (size_t i = 0; i < lots.rows.size(); ++i)
        names.push_back(Field(lots, "NRLOTEESTQ", i).AsString() + "/" +
                        Field(lots, "NRSUBLOTE", i).AsString());
    EXPECT_EQ(names,
              (std::vector<std::string>{"L261101/0001", "L2611101/0001", "L261201/0001", "L2612011/0001"}));
    EXPECT_EQ(Field(lots, "DTVALIDADE").AsDateTime(), DateTime::FromDate(2027, 3, 28));
    EXPECT_EQ(Field(lots, "DTFABRICACAO").AsDateTime(), DateTime::FromDate(2026, 11, 28));

    EXPECT_EQ(Rows(Stock("GetLotesEstoque", net::CallArgs().Str("0002").Str("0000000102"))).rows.size(), 3u);
    EXPECT_TRUE(Rows(Stock("GetLotesEstoque", net::CallArgs().Str("0001").Str("0000000201"))).rows.empty());
}

TEST_F(StockLotMethods, AMalformedRequestIsRefusedAndTheServerStaysUp) {
    for (const char* method : {"Produto_Ctrl_Lote", "GetLotesEstoque"}) {
        EXPECT_NE(RefusalOf(Stock(method, net::CallArgs().Str("0001"))), "") << method;
        EXPECT_NE(RefusalOf(Stock(method, net::CallArgs().Str("00001").Str("0000000101"))), "") << method;
        EXPECT_NE(RefusalOf(Stock(method, net::CallArgs().Str("0001").Str("00000001011"))), "") << method;
    }
    EXPECT_EQ(RefusalOf(Stock("GetLotesEstoque", net::CallArgs().Str("0001").Str("0000000101"))), "");
}

} // namespace
} // namespace dfe::appserver
