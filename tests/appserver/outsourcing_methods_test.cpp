#include "demo_server.h"

#include "platform/db/postgres_cluster.h"
#include "platform/net/request_token.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace dfe::appserver {
namespace {

// The demo's outsourced roasting at Curitiba: the roaster's processing invoice is posting 0000000016, its
// returns of the beans 0000000014 (3,588.00) and 0000000015 (2,392.00). Ground coffee (0000001058) is kept in
// stock without lots, milk (0000000101) by lot; Curitiba's default series is "2", its processing date
// 2026-12-09, its only warehouse and location 000001.
class OutsourcingEntry : public testing::DemoServer {
protected:
    struct Product {
        const char* product = "0000001058";
        double quantity = 380;
        const char* warehouse = "000001";
        const char* location = "000001";
        const char* lot = "";
        const char* subLot = "";
        const char* branch = "0003";
    };

    void SetUp() override {
        DemoServer::SetUp();
        gera_.SetHost(std::string(net::kInProcessHost));
        gera_.Connect();
        db_ = temp_.Open();
    }

    static Packet Ticked(const std::vector<const char*>& numbers) {
        Packet p;
        p.fields = {{"CDFILIAL", FieldType::String, 4},
                    {"NRLANCTONF", FieldType::String, 10},
                    {"VRNOTAFISC", FieldType::Float}};
        for (const char* number : numbers)
            p.rows.push_back({RowStatus::Unmodified, {Variant("0003"), Variant(number), Variant(1.0)}, {}});
        return p;
    }
    static Packet Products(const std::vector<Product>& products) {
        Packet p;
        for (const char* name :
             {"CDPRODUTO", "CDFILIMOVI", "CDALMOXARIFE", "CDLOCALESTOQ", "NRLOTEESTQ", "NRSUBLOTE"})
            p.fields.push_back({name, FieldType::String, 20});
        p.fields.push_back({"QTITEMPROD", FieldType::Float});
        for (const Product& x : products)
            p.rows.push_back({RowStatus::Unmodified,
                              {Variant(x.product), Variant(x.branch), Variant(x.warehouse),
                               Variant(x.location), Variant(x.lot), Variant(x.subLot), Variant(x.quantity)},
                              {}});
        return p;
    }

    Variant Generate(const Variant& ticked, const Variant& products, const char* posting = "0000000016",
                     const char* op = "ADMIN") {
        return gera_.Call("GeraEntradaEstoque",
                          net::CallArgs().Str("0003").Str(posting).Var(ticked).Var(products).Str(op));
    }
    Variant Generate(const std::vector<Product>& products,
                     const std::vector<const char*>& ticked = {"0000000014", "0000000015"}) {
        return Generate(Variant(ToDataPacket(Ticked(ticked))), Variant(ToDataPacket(Products(products))));
    }
    static std::string Status(const Variant& answer) {
        return net::CheckResultServ(answer).AsArray().Items().at(0).AsString();
    }
    static Packet ProblemsOf(const Variant& answer) { return PacketOf(answer.AsArray().Items().at(1)); }

    int64_t Count(const char* table) {
        return db_->Query(std::string("SELECT COUNT(*) FROM ") + table).rows[0].values[0].AsInteger();
    }
    // Nothing of an entry was kept.
    void ExpectNothingRecorded(const std::string& why) {
        EXPECT_EQ(Count("MOVESTOQUE"), 0) << why;
        EXPECT_EQ(Count("ITEMMOVESTOQUE"), 0) << why;
        EXPECT_EQ(Count("NFMOVESTOQUE"), 0) << why;
    }

    net::TNetConnection gera_{net::kGeraMoviEstTer};
    std::unique_ptr<db::Database> db_;
};

TEST_F(OutsourcingEntry, RecordsTheEntryWithItsProductsAndReturnDocuments) {
    const Variant answer = Generate(
        {Product{}, Product{.product = "0000000101", .quantity = 12.5, .lot = "LNOVO", .subLot = "0001"}});
    EXPECT_EQ(Status(answer), "OK");

    const Packet entry =
        db_->Query("SELECT CDFILIAL, NRMOVESTQ, IDTIPOMOVEST, CDSERIE, CDFILLANC, NRLANCTONF,"
                   " DTMOVIMENTO, CDOPERADOR FROM MOVESTOQUE");
    ASSERT_EQ(entry.rows.size(), 1u);
    const auto& e = entry.rows[0].values;
    EXPECT_EQ(e[0].AsString() + "/" + e[1].AsString(), "0003/0000000001");
    EXPECT_EQ(e[2].AsString(), "E");
    EXPECT_EQ(e[3].AsString(), "2"); // the branch's default series
    EXPECT_EQ(e[4].AsString() + "/" + e[5].AsString(), "0003/0000000016");
    EXPECT_EQ(e[6].AsDateTime(), DateTime::FromDate(2026, 12, 9));
    EXPECT_EQ(e[7].AsString(), "ADMIN");

    const Packet items = db_->Query("SELECT NRSEQITMOV, CDPRODUTO, QTMOVIMENTO, CDALMOXARIFE, CDLOCALESTOQ,"
                                    " NRLOTEESTQ FROM ITEMMOVESTOQUE ORDER BY NRSEQITMOV");
    ASSERT_EQ(items.rows.size(), 2u);
    EXPECT_EQ(items.rows[0].values[1].AsString(), "0000001058");
    EXPECT_EQ(items.rows[0].values[2].AsFloat(), 380);
    EXPECT_EQ(items.rows[0].values[4].AsString(), "000001");
    EXPECT_TRUE(items.rows[0].values[5].IsNull());
    EXPECT_EQ(items.rows[1].values[0].AsString(), "0002");
    EXPECT_EQ(items.rows[1].values[2].AsFloat(), 12.5);

    // The documents with the values stored for them, not those the client sent.
    const Packet docs = db_->Query("SELECT NRLANCTONF, VRNOTAFISC FROM NFMOVESTOQUE ORDER BY NRLANCTONF");
    ASSERT_EQ(docs.rows.size(), 2u);
    EXPECT_EQ(docs.rows[0].values[1].AsFloat(), 3588.00);
    EXPECT_EQ(docs.rows[1].values[1].AsFloat(), 2392.00);
    // A lot seen for the first time joins the branch's lots.
    EXPECT_EQ(db_->Query("SELECT 1 FROM LOTEESTOQUE WHERE CDFILIAL = '0003' AND CDPRODESTO = '0000000101'"
                         " AND NRLOTEESTQ = 'LNOVO' AND NRSUBLOTE = '0001'")
                  .rows.size(),
              1u);
}

TEST_F(OutsourcingEntry, AProcessingWithoutReturnDocumentsTicked) {
    EXPECT_EQ(Status(Generate({Product{}}, {})), "OK");
    EXPECT_EQ(Count("NFMOVESTOQUE"), 0);
    EXPECT_EQ(Count("ITEMMOVESTOQUE"), 1);
}

TEST_F(OutsourcingEntry, ProductsThatCannotEnterTheStockAreListedAndNothingIsRecorded) {
    const struct {
        Product product;
        const char* code;
    } cases[] = {
        {{.product = "0000000002"}, "PROD_NCAD"}, // a subgroup of the tree
        {{.product = "0000009999"}, "PROD_NCAD"}, // unknown
        {{.product = "0000001240"}, "PROD_NEST"}, // kept in stock as another product
        {{.product = "0000001219"}, "PROD_INAT"}, // inactive here
        {{.product = "0000000101"}, "LOTE_INF"},  {{.warehouse = "ALM001"}, "ALMOX_CAD"}, // the head office's
        {{.location = "LOC009"}, "LOCAL_CAD"},    {{.branch = "0009"}, "FILI_NCAD"},
    };
    for (const auto& c : cases) {
        const Variant answer = Generate({Product{}, c.product});
        ASSERT_EQ(Status(answer), "IrreEsto") << c.code;
        const Packet problems = ProblemsOf(answer);
        ASSERT_EQ(problems.rows.size(), 1u) << c.code; // the good row has none
        EXPECT_EQ(Field(problems, "CDERRO").AsString(), c.code);
        EXPECT_EQ(Field(problems, "CDOBJETO").AsString(), c.product.product);
        EXPECT_NE(Field(problems, "CDOBJETO3").AsString(), "") << c.code;
    }
    // The product is shown by its code in the tree.
    EXPECT_EQ(Field(ProblemsOf(Generate({Product{.product = "0000001240"}})), "CDOBJETO2").AsString(),
              "9.01.007");
    ExpectNothingRecorded("IrreEsto");
}

TEST_F(OutsourcingEntry, DocumentsWithErrorsAndABranchWithoutSeriesStopTheEntry) {
    db_->Execute(
        "UPDATE NOTAFISCAL SET IDAVISOS = '1' WHERE CDFILIAL = '0003' AND NRLANCTONF = '0000000014'");
    db_->Execute(
        "UPDATE ITEMPRODUTO SET IDAVISOSITEM = '01' WHERE CDFILIAL = '0003' AND NRLANCTONF = '0000000015'");
    Variant answer = Generate({Product{}});
    ASSERT_EQ(Status(answer), "ErroAvis");
    const Packet problems = ProblemsOf(answer);
    ASSERT_EQ(problems.rows.size(), 2u);
    EXPECT_EQ(Field(problems, "CDOBJETO", 0).AsString(), "0003 - 0000000014");
    EXPECT_EQ(Field(problems, "CDOBJETO", 1).AsString(), "0003 - 0000000015");
    EXPECT_EQ(Field(problems, "CDOBJETO4", 1).AsString(), "0001"); // the item
    // An unticked document's errors are not the entry's.
    EXPECT_EQ(Status(Generate({Product{}}, {"0000000015"})), "ErroAvis");
    db_->Execute(
        "UPDATE ITEMPRODUTO SET IDAVISOSITEM = '0' WHERE CDFILIAL = '0003' AND NRLANCTONF = '0000000015'");
    db_->Execute(
        "UPDATE NOTAFISCAL SET IDAVISOS = '02' WHERE CDFILIAL = '0003' AND NRLANCTONF = '0000000014'");

    db_->Execute("UPDATE FILIAL SET CDSERIE = NULL WHERE CDFILIAL = '0003'");
    answer = Generate({Product{}});
    EXPECT_EQ(Status(answer), "Serie_NCad");
    ExpectNothingRecorded("Serie_NCad");

    db_->Execute("UPDATE FILIAL SET CDSERIE = '3' WHERE CDFILIAL = '0003'");
    EXPECT_EQ(Status(Generate({Product{}})), "OK"); // warnings alone do not stop it
}

TEST_F(OutsourcingEntry, ARepeatedRequestIsAnsweredAgainWithoutASecondEntry) {
    Variant first, again;
    {
        net::RetryTokenScope scope; // as the retry policy repeats a call whose answer was lost
        first = Generate({Product{}});
        scope.Restart();
        again = Generate({Product{}});
    }
    EXPECT_EQ(Status(first), "OK");
    EXPECT_EQ(again, first);
    EXPECT_EQ(Count("MOVESTOQUE"), 1);
    EXPECT_EQ(Count("ITEMMOVESTOQUE"), 1);

    // A new request for the same processing is refused: its goods already entered.
    EXPECT_EQ(RefusalOf(Generate({Product{}})),
              "Entrada no estoque do lançamento 0003/0000000016 já gerada (movimento 0003/0000000001).");
    // And a return document goes into one entry only.
    db_->Execute(
        "INSERT INTO NOTAFISCAL (CDFILIAL, NRLANCTONF, CDEMPRESA, CDFILIRECE, IDENTRSAIDOP, CDTIPOOPER,"
        " IDORIGDESTNF, CDFORNECED, IDTPIJURNF, NRINSJURNF, NRNOTAFISC, VRNOTAFISC) VALUES ('0003',"
        " '0000000017', '01', '0003', 'E', '21', 'F', 'J45128763000150', 'J', '45128763000150',"
        " '000000801', 300)");
    EXPECT_EQ(RefusalOf(Generate(Variant(ToDataPacket(Ticked({"0000000014"}))),
                                 Variant(ToDataPacket(Products({Product{}}))), "0000000017")),
              "Nota fiscal 000000781 (lançamento 0003/0000000014) já utilizada no movimento de estoque "
              "0003/0000000001.");
    EXPECT_EQ(Count("MOVESTOQUE"), 1);
}

TEST_F(OutsourcingEntry, AFailureWhileRecordingKeepsNothing) {
    db_->ExecuteScript("CREATE TRIGGER FALHA BEFORE INSERT ON ITEMMOVESTOQUE WHEN NEW.NRSEQITMOV = '0002'"
                       " BEGIN SELECT RAISE(ABORT, 'falha simulada'); END");
    EXPECT_NE(RefusalOf(Generate({Product{}, Product{.quantity = 5}})).find("falha simulada"),
              std::string::npos);
    ExpectNothingRecorded("rolled back");
}

TEST_F(OutsourcingEntry, AMalformedRequestIsRefusedWithAClearTextAndTheServerStaysUp) {
    const Variant ticked(ToDataPacket(Ticked({"0000000014"})));
    const Variant products(ToDataPacket(Products({Product{}})));
    Packet noQuantity = Products({Product{}});
    noQuantity.fields.pop_back();
    for (PacketRow& row : noQuantity.rows)
        row.values.pop_back();
    Packet longCode = Products({Product{.product = "00000010581"}});
    Packet nullQuantity = Products({Product{}});
    nullQuantity.rows[0].values.back() = Variant::Null();
    const struct {
        Variant answer;
        const char* refusal;
    } cases[] = {
        {gera_.Call("GeraEntradaEstoque", net::CallArgs().Str("0003").Str("0000000016")), "espera 5"},
        {Generate(ticked, Variant("x")), "(dados dos produtos) de GeraEntradaEstoque deve ser um pacote"},
        {Generate(ticked, Variant(DataPacket("lixo"))), "não é um pacote de dados válido"},
        {Generate(ticked, Variant(ToDataPacket(noQuantity))), "não tem o campo QTITEMPROD"},
        {Generate(ticked, Variant(ToDataPacket(longCode))), "linha 1: CDPRODUTO tem mais de 10 caracteres"},
        {Generate(ticked, Variant(ToDataPacket(nullQuantity))), "quantidade não informada"},
        {Generate({Product{.quantity = 0}}), "quantidade deve ser maior que zero"},
        {Generate({Product{.quantity = -3}}), "quantidade deve ser maior que zero"},
        {Generate({Product{.product = ""}}), "produto não informado"},
        {Generate({}), "Nenhum produto informado"},
        {Generate({Product{}}, {"0000000014", "0000000014"}), "linha 2: lançamento repetido"},
        {Generate(ticked, products, "0000000016", ""), "Operador não informado"},
        {Generate(ticked, products, "0000000555"), "Lançamento 0003/0000000555 não encontrado"},
        {Generate(ticked, products, "0000000014"), "não é de industrialização por terceiros"},
        {Generate({Product{}}, {"0000000016"}), "0003/0000000016 não é um retorno de industrialização"},
        {Generate({Product{}}, {"0000000005"}), "0003/0000000005 não é um retorno de industrialização"},
    };
    for (const auto& c : cases)
        EXPECT_NE(RefusalOf(c.answer).find(c.refusal), std::string::npos)
            << c.refusal << ": " << RefusalOf(c.answer);
    ExpectNothingRecorded("refused");
    EXPECT_EQ(Status(Generate({Product{}})), "OK");
}

// The same entry on PostgreSQL: the schema, the demo and the write, the lot it registers included.
TEST(OutsourcingEntryOnPostgres, RecordsOnceAsOnSqlite) {
    std::string whyNot;
    const auto cluster = db::testing::PostgresCluster::Start(whyNot);
    if (!cluster) GTEST_SKIP() << whyNot;
    const std::string target = cluster->NewDatabase();
    ApplyMigrations(*db::OpenDatabase(target), EmbeddedSchemaFiles(), true);
    EmbeddedServer server(db::OpenDatabase(target));
    net::TNetConnection gera(net::kGeraMoviEstTer), stock(net::kEstoque);
    for (auto* c : {&gera, &stock}) {
        c->SetHost(std::string(net::kInProcessHost));
        c->Connect();
    }
    Packet ticked;
    ticked.fields = {{"CDFILIAL", FieldType::String, 4}, {"NRLANCTONF", FieldType::String, 10}};
    ticked.rows.push_back({RowStatus::Unmodified, {Variant("0003"), Variant("0000000014")}, {}});
    Packet products;
    for (const char* name :
         {"CDPRODUTO", "CDFILIMOVI", "CDALMOXARIFE", "CDLOCALESTOQ", "NRLOTEESTQ", "NRSUBLOTE"})
        products.fields.push_back({name, FieldType::String, 20});
    products.fields.push_back({"QTITEMPROD", FieldType::Float});
    products.rows.push_back({RowStatus::Unmodified,
                             {Variant("0000000101"), Variant("0003"), Variant("000001"), Variant("000001"),
                              Variant("LNOVO"), Variant("0001"), Variant(12.5)},
                             {}});
    const auto generate = [&] {
        return gera.Call("GeraEntradaEstoque", net::CallArgs()
                                                   .Str("0003")
                                                   .Str("0000000016")
                                                   .Var(Variant(ToDataPacket(ticked)))
                                                   .Var(Variant(ToDataPacket(products)))
                                                   .Str("ADMIN"));
    };
    EXPECT_EQ(net::CheckResultServ(generate()).AsArray()[0], Variant("OK"));
    EXPECT_THROW(net::CheckResultServ(generate()), net::ServerRefusal);
    const Packet lots = FromDataPacket(
        net::CheckResultServ(stock.Call("GetLotesEstoque", net::CallArgs().Str("0003").Str("0000000101")))
            .AsPacket());
    EXPECT_TRUE(std::any_of(lots.rows.begin(), lots.rows.end(),
                            [](const PacketRow& r) { return r.values[0] == Variant("LNOVO"); }));
    EXPECT_EQ(
        net::CheckResultServ(stock.Call("Produto_Ctrl_Lote", net::CallArgs().Str("0003").Str("0000000101"))),
        Variant("S"));
}

} // namespace
} // namespace dfe::appserver
