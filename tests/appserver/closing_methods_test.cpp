#include "appserver/modules/closing_checks.h"
#include "closing_draft.h"
#include "demo_server.h"
#include "platform/net/request_token.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dfe::appserver {
namespace {

using testing::DraftItem;
using testing::PostingDraft;
using testing::ThreeItemPurchase;

class Closing : public testing::DemoServer {
protected:
    Packet Close(net::FechaNotaFiscalArgs a) { return Rows(Call(a.kMethod, net::ToCallArgs(a))); }
    Packet Close(const PostingDraft& d) { return Close(testing::ClosingOf(d)); }
    static std::vector<std::string> Codes(const Packet& p) {
        std::vector<std::string> out;
        for (size_t r = 0; r < p.rows.size(); ++r)
            out.push_back(Field(p, "CDERRO", r).AsString());
        return out;
    }
    static std::string Object(const Packet& p, const std::string& code, const char* field = "CDOBJETO") {
        for (size_t r = 0; r < p.rows.size(); ++r)
            if (Field(p, "CDERRO", r).AsString() == code) return Field(p, field, r).AsString();
        return "(sem " + code + ")";
    }
    Packet Sql(const std::string& sql, const db::SqlParams& params = {}) {
        if (!reader_) reader_ = temp_.Open();
        return reader_->Query(sql, params);
    }
    double Number(const std::string& sql, const db::SqlParams& params = {}) {
        const Packet p = Sql(sql, params);
        return p.rows.empty() || p.rows[0].values[0].IsNull() ? 0 : p.rows[0].values[0].AsFloat();
    }
    // Every table a closing writes, counted: nothing may change when it fails.
    std::vector<double> Footprint() {
        std::vector<double> out;
        for (const char* table : {"NOTAFISCAL", "ITEMPRODUTO", "ITEMPROIMPOS", "IMPOSNFTOT", "CONTAPAGAR",
                                  "LANCESTOQUE", "ITLANCESTOQUE", "SALDOESTOQUE", "TITULOPAGAR",
                                  "LIVROENTRADA", "ITLIVROENTRADA", "NUMERACAOFIL"})
            out.push_back(Number(std::string("SELECT COUNT(*) FROM ") + table));
        return out;
    }
    std::unique_ptr<db::Database> reader_;
};

TEST_F(Closing, NewPurchaseIsNumberedStoredAndPosted) {
    const PostingDraft d = ThreeItemPurchase();
    const Packet answer = Close(d);
    ASSERT_EQ(Codes(answer), (std::vector<std::string>{"NRLANCTONF", "NRLANCESTQ"}));
    const std::string number = Object(answer, "NRLANCTONF");
    const std::string stock = Object(answer, "NRLANCESTQ");
    // The branch's highest demo number is 0000000096 (NF-e sales); both numbers are new to the branch.
    EXPECT_EQ(number, "0000000097");
    EXPECT_EQ(stock, "0000000093"); // numbered apart: the demo postings hold stock numbers up to 92
    const db::SqlParams key = {{"B", "0001"}, {"N", number}};

    EXPECT_EQ(Number("SELECT VRNOTAFISC FROM NOTAFISCAL WHERE CDFILIAL = :B AND NRLANCTONF = :N", key),
              1091.76);
    EXPECT_EQ(Sql("SELECT NRLANCESTQ, CDOPERADOR, IDENTRSAIDOP FROM NOTAFISCAL WHERE CDFILIAL = :B AND"
                  " NRLANCTONF = :N",
                  key)
                  .rows[0]
                  .values,
              (std::vector<Variant>{Variant(stock), Variant("MSOUZA"), Variant("E")}));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM ITEMPRODUTO WHERE CDFILIAL = :B AND NRLANCTONF = :N", key), 3);
    // The working tax rows land in the item taxes under the table's names.
    EXPECT_EQ(
        Number("SELECT SUM(VRIMPOSTOIT) FROM ITEMPROIMPOS WHERE CDFILIAL = :B AND NRLANCTONF = :N"
               " AND CDIMPOSTO = '01'",
               key),
        Number(
            "SELECT VRTOTIMPONF FROM IMPOSNFTOT WHERE CDFILIAL = :B AND NRLANCTONF = :N AND CDIMPOSTO = '01'",
            key));
    EXPECT_EQ(Number("SELECT VRBASECALCIT FROM ITEMPROIMPOS WHERE CDFILIAL = :B AND NRLANCTONF = :N"
                     " AND NRSEQITPROD = '0002' AND CDIMPOSTO = '04'",
                     key),
              460);

    // Stock: one movement per item, in the placement typed, the balance their sum.
    EXPECT_EQ(Number("SELECT COUNT(*) FROM ITLANCESTOQUE WHERE CDFILIAL = '0001' AND NRLANCESTQ = :S",
                     {{"S", stock}}),
              3);
    EXPECT_EQ(Number("SELECT QTSALDO FROM SALDOESTOQUE WHERE CDFILIAL = '0001' AND CDPRODUTO = '0000000101'"
                     " AND CDALMOXARIFE = 'ALM002' AND CDLOCALESTOQ = 'LOC001'"),
              100);
    // Payables: the installments, to the cent.
    EXPECT_EQ(Number("SELECT COUNT(*) FROM TITULOPAGAR WHERE CDFILIAL = :B AND NRLANCTONF = :N", key), 2);
    EXPECT_EQ(Number("SELECT SUM(VRTITULO) FROM TITULOPAGAR WHERE CDFILIAL = :B AND NRLANCTONF = :N", key),
              1091.76);
    // The fiscal book: the record and a line per tax and CFOP.
    EXPECT_EQ(Number("SELECT VRCONTABIL FROM LIVROENTRADA WHERE CDFILIAL = :B AND NRLANCTONF = :N", key),
              1091.76);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM ITLIVROENTRADA WHERE CDFILIAL = :B AND NRLANCTONF = :N", key), 3);
    EXPECT_EQ(
        Number("SELECT VRIMPOSTO FROM ITLIVROENTRADA WHERE CDFILIAL = :B AND NRLANCTONF = :N"
               " AND CDIMPOSTO = '01' AND CDFISCOPER = '2102'",
               key),
        Number(
            "SELECT VRTOTIMPONF FROM IMPOSNFTOT WHERE CDFILIAL = :B AND NRLANCTONF = :N AND CDIMPOSTO = '01'",
            key));

    // The next closing takes the next number.
    EXPECT_EQ(Object(Close(ThreeItemPurchase("000050002")), "NRLANCTONF"), "0000000098");
}

TEST_F(Closing, ClosedPostingLoadsBackAsSent) {
    const Packet answer = Close(ThreeItemPurchase());
    const std::string number = Object(answer, "NRLANCTONF");
    std::string branch = "0001", posting = number, origin, type;
    const Packet items = Rows(Call("GetItemProduto", net::CallArgs()
                                                         .StrRef(branch)
                                                         .StrRef(posting)
                                                         .StrRef(origin)
                                                         .StrRef(type)
                                                         .Var(Variant("N"))
                                                         .Var(Variant("N"))));
    ASSERT_EQ(items.rows.size(), 3u);
    EXPECT_EQ(Field(items, "CDPRODUTO", 1), Variant("0000000102"));
    EXPECT_EQ(Field(items, "QTITEMPROD", 2), Variant(24.0));
    EXPECT_EQ(Field(items, "VRTOTAITEM", 2), Variant(311.76));
    EXPECT_EQ(Field(items, "CDALMOXARIFE", 0), Variant("ALM002"));
}

// Each check: the change that trips it, the row it answers, and the release code that accepts it (none for
// an error). A refused closing changes nothing at all.
struct CheckCase {
    const char* name;
    void (*change)(PostingDraft&, db::Database&);
    const char* code;
    const char* object;
    const char* release;
};

const CheckCase kChecks[] = {
    {"duplicate number",
     [](PostingDraft& d, db::Database&) {
         d.document = "12345";
     }, // Serra Azul's 000012345 is posting 0000000001
     "DFE11000_2", "0001", "#DFE11000_1#"},
    {"closed stock period",
     [](PostingDraft&, db::Database& db) {
         db.Execute("INSERT INTO FECHAESTOQUE (CDFILIAL, DTFECHAMENTO) VALUES ('0001', '2026-12-10')");
     },
     "LIB00200_2", "0001", "#DFE11000_1##LIB00200_2#"},
    {"CFOP of another operation", [](PostingDraft& d, db::Database&) { d.items[1].cfop = "1556"; },
     "1CFOPINV", "0000000102", nullptr},
    {"series not registered", [](PostingDraft& d, db::Database&) { d.series = "9"; }, "DFE11000_4", "9",
     nullptr},
    {"product inactive at the branch",
     [](PostingDraft&, db::Database& db) {
         db.Execute(
             "UPDATE PRODUTOFILIAL SET IDATIVO = 'N' WHERE CDFILIAL = '0001' AND CDPRODUTO = '0000000103'");
     },
     "DFE11000_3", "0000000103", nullptr},
    {"stock product the branch keeps no stock of",
     [](PostingDraft&, db::Database& db) {
         db.Execute("UPDATE PRODUTOFILIAL SET IDCTRLESTOQUE = 'N' WHERE CDFILIAL = '0001' AND CDPRODUTO = "
                    "'0000000101'");
     },
     "DFE11000_5", "0000000101", nullptr},
    {"product not registered", [](PostingDraft& d, db::Database&) { d.items[2].product = "0000999999"; },
     "9F007", "F0070000999999", nullptr},
    {"installments above what is owed", [](PostingDraft& d, db::Database&) { d.installmentsValue = 2000; },
     "4F002", "F002", nullptr},
    {"retained tax above the document",
     [](PostingDraft& d, db::Database&) {
         d.items[0].taxes.push_back({"07", 1000});
     },
     "2F004", "F004IRRF", nullptr},
    {"supplier's value limit",
     [](PostingDraft&, db::Database& db) {
         db.Execute("INSERT INTO LIMITEFORN (CDFORNECED, VRLIMITENF) VALUES ('J11222333000181', 1000)");
     },
     "BloqLimit", "J11222333000181", nullptr},
};

TEST_F(Closing, EachCheckRefusesWithItsRowAndChangesNothing) {
    for (const CheckCase& c : kChecks) {
        SCOPED_TRACE(c.name);
        // A fresh demo database per case: every connection to the last one closed first.
        reader_.reset();
        lanc_.Disconnect();
        server_.reset();
        SetUp();
        PostingDraft d = ThreeItemPurchase();
        c.change(d, *temp_.Open());
        const std::vector<double> before = Footprint();
        const Packet refused = Close(d);
        EXPECT_EQ(Object(refused, c.code), c.object);
        EXPECT_EQ(Codes(refused).back(), "OCORR_ERRO");
        EXPECT_EQ(Footprint(), before);
        if (c.release) {
            d.releaseCodes = c.release;
            const Packet accepted = Close(d);
            EXPECT_EQ(Object(accepted, "AVISO_ERRO"), c.code);
            EXPECT_EQ(Object(accepted, "NRLANCTONF"), "0000000097");
        }
    }
}

// The products' value against the items: apart is refused, zero (not given) is not checked.
TEST_F(Closing, ItemsApartFromTheProductsValueAreRefused) {
    for (const double products : {1000.0, 0.0}) {
        auto a = testing::ClosingOf(ThreeItemPurchase(products == 0 ? "000050003" : "000050002"));
        Packet header = FromDataPacket(a.header.AsPacket());
        header.rows[0].values[static_cast<size_t>(header.FieldIndex("VRPRODUTOS"))] = Variant(products);
        a.header = Variant(ToDataPacket(header));
        const Packet answer = Close(a);
        EXPECT_EQ(Object(answer, "3F001"), products == 0 ? "(sem 3F001)" : "F001") << products;
    }
}

TEST_F(Closing, SupplierLimitIsSkippedWhenTheClerkAcceptedExceedingIt) {
    temp_.Open()->Execute("INSERT INTO LIMITEFORN (CDFORNECED, VRLIMITENF) VALUES ('J11222333000181', 1000)");
    PostingDraft d = ThreeItemPurchase();
    d.supplierLimit = "N";
    EXPECT_EQ(Codes(Close(d)), (std::vector<std::string>{"NRLANCTONF", "NRLANCESTQ"}));
}

TEST_F(Closing, ReleaseCodesAreReadFromTheClerksText) {
    EXPECT_EQ(ParseReleaseCodes("0"), (std::set<std::string>{}));
    EXPECT_EQ(ParseReleaseCodes("#DFE11000_1##LIB00200_2#LIB00200_3#"),
              (std::set<std::string>{"DFE11000_1", "LIB00200_2", "LIB00200_3"}));
    EXPECT_EQ(ParseReleaseCodes("0#LIB00200_2#"), (std::set<std::string>{"LIB00200_2"}));
}

// The same closing arriving again (the answer lost after the commit) is answered from the record.
TEST_F(Closing, RepeatedRequestIsAnsweredFromTheRecordAndPostsOnce) {
    auto a = testing::ClosingOf(ThreeItemPurchase());
    net::RetryTokenScope retry;
    const Packet first = Close(a);
    retry.Restart();
    const Packet again = Close(a);
    EXPECT_EQ(again, first);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM NOTAFISCAL WHERE NRNOTAFISC = '000050001'"), 1);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM TITULOPAGAR WHERE NRNOTAFISC = '000050001'"), 2);
}

// Delta of an existing posting: its items changed (one more, one fewer, one quantity edited).
net::FechaNotaFiscalArgs EditOf(const PostingDraft& d, const std::string& number) {
    PostingDraft stored = d;
    stored.number = number;
    auto a = testing::ClosingOf(stored);
    Packet items = FromDataPacket(a.allItems.AsPacket());
    Packet delta = items;
    delta.isDelta = true;
    delta.rows.clear();
    // Item 1: 100 → 40 units.
    PacketRow changed{RowStatus::Modified, items.rows[0].values, items.rows[0].values};
    changed.values[static_cast<size_t>(items.FieldIndex("QTITEMPROD"))] = Variant(40.0);
    changed.values[static_cast<size_t>(items.FieldIndex("VRTOTAITEM"))] = Variant(128.0);
    delta.rows.push_back(changed);
    // Item 3 removed.
    delta.rows.push_back({RowStatus::Deleted, items.rows[2].values, {}});
    a.items = Variant(ToDataPacket(delta));
    items.rows[0] = {RowStatus::Unmodified, changed.values, {}};
    items.rows.pop_back();
    a.allItems = Variant(ToDataPacket(items));
    Packet taxes = FromDataPacket(a.itemTaxes.AsPacket());
    std::erase_if(taxes.rows, [&](const PacketRow& r) { return r.values[2] == Variant("0003"); });
    a.itemTaxes = Variant(ToDataPacket(taxes));
    // Header: the products' value follows; nothing else changes.
    Packet header = FromDataPacket(a.header.AsPacket());
    PacketRow h{RowStatus::Modified, header.rows[0].values, header.rows[0].values};
    h.values[static_cast<size_t>(header.FieldIndex("VRPRODUTOS"))] = Variant(588.0);
    h.values[static_cast<size_t>(header.FieldIndex("VRNOTAFISC"))] = Variant(588.0);
    for (auto* row : {&h.values, &h.original})
        (*row)[static_cast<size_t>(header.FieldIndex("NRLANCESTQ"))] = Variant::Null();
    header.rows = {h};
    a.header = Variant(ToDataPacket(header));
    a.installments = Variant::Null();
    a.taxTotals = Variant::Null();
    a.documentValue = 588;
    a.productsValue = 588;
    return a;
}

TEST_F(Closing, EditedPostingIsReversedAndPostedAgain) {
    const PostingDraft d = ThreeItemPurchase();
    const std::string number = Object(Close(d), "NRLANCTONF");
    const std::string stock =
        Sql("SELECT NRLANCESTQ FROM NOTAFISCAL WHERE CDFILIAL = '0001' AND NRLANCTONF = :N", {{"N", number}})
            .rows[0]
            .values[0]
            .AsString();
    // The installments of 1091.76 no longer fit a document of 588: the clerk's edit replaces them.
    auto edit = EditOf(d, number);
    Packet installments = FromDataPacket(testing::ClosingOf(d).installments.AsPacket());
    for (PacketRow& r : installments.rows) {
        r.status = RowStatus::Deleted;
        r.values[1] = Variant(number);
    }
    installments.rows.push_back({RowStatus::Inserted, installments.rows[0].values, {}});
    installments.rows.back().values[2] = Variant("01");
    installments.rows.back().values[5] = Variant(588.0);
    edit.installments = Variant(ToDataPacket(installments));

    const Packet answer = Close(edit);
    ASSERT_EQ(Object(answer, "NRLANCTONF"), number) << Object(answer, "ERROOUTRO");
    EXPECT_EQ(Object(answer, "NRLANCESTQ"), stock);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM ITLANCESTOQUE WHERE NRLANCESTQ = :S", {{"S", stock}}), 2);
    EXPECT_EQ(Number("SELECT QTSALDO FROM SALDOESTOQUE WHERE CDPRODUTO = '0000000101'"), 40);
    EXPECT_EQ(Number("SELECT QTSALDO FROM SALDOESTOQUE WHERE CDPRODUTO = '0000000103'"), 0);
    EXPECT_EQ(Number("SELECT SUM(VRTITULO) FROM TITULOPAGAR WHERE NRLANCTONF = :N", {{"N", number}}), 588);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM ITEMPROIMPOS WHERE NRLANCTONF = :N AND CDFILIAL = '0001'",
                     {{"N", number}}),
              6);
    EXPECT_EQ(Number("SELECT COUNT(*) FROM LIVROENTRADA WHERE NRLANCTONF = :N AND CDFILIAL = '0001'",
                     {{"N", number}}),
              1);

    // The same edit sent again under another token finds the posting already as it says: same figures.
    const Packet again = Close(edit);
    EXPECT_EQ(Object(again, "NRLANCTONF"), number) << Object(again, "ERROOUTRO");
    EXPECT_EQ(Number("SELECT QTSALDO FROM SALDOESTOQUE WHERE CDPRODUTO = '0000000101'"), 40);
    EXPECT_EQ(Number("SELECT SUM(VRTITULO) FROM TITULOPAGAR WHERE NRLANCTONF = :N", {{"N", number}}), 588);
}

TEST_F(Closing, EditThatWouldTakeStockBelowZeroNeedsItsRelease) {
    const PostingDraft d = ThreeItemPurchase();
    const std::string number = Object(Close(d), "NRLANCTONF");
    // 70 of the 100 units of milk left the stock meanwhile.
    {
        auto db = temp_.Open();
        db->Execute("INSERT INTO LANCESTOQUE (CDFILIAL, NRLANCESTQ, CDFILLANC, NRLANCTONF) VALUES"
                    " ('0001', '0000009000', '0001', '0000000001')");
        db->Execute(
            "INSERT INTO ITLANCESTOQUE (CDFILIAL, NRLANCESTQ, NRSEQITPROD, CDPRODUTO, CDFILIMOVI,"
            " CDALMOXARIFE, CDLOCALESTOQ, QTMOVIMENTO, VRMOVIMENTO) VALUES ('0001', '0000009000', '0001',"
            " '0000000101', '0001', 'ALM002', 'LOC001', -70, -224)");
        db->Execute("UPDATE SALDOESTOQUE SET QTSALDO = QTSALDO - 70, VRSALDO = VRSALDO - 224"
                    " WHERE CDPRODUTO = '0000000101'");
    }
    auto edit = EditOf(d, number);
    edit.installments = Variant::Null();
    temp_.Open()->Execute("DELETE FROM CONTAPAGAR");
    const std::vector<double> before = Footprint();
    const Packet refused = Close(edit);
    EXPECT_EQ(Object(refused, "LIB00200_3"), "0000000101");
    EXPECT_EQ(Footprint(), before);
    edit.releaseCodes = "#DFE11000_1##LIB00200_2#LIB00200_3#";
    const Packet accepted = Close(edit);
    EXPECT_EQ(Object(accepted, "AVISO_ERRO"), "LIB00200_3");
    EXPECT_EQ(Number("SELECT QTSALDO FROM SALDOESTOQUE WHERE CDPRODUTO = '0000000101'"), -30);
}

TEST_F(Closing, ConflictingEditAndFailureMidwayKeepNothing) {
    const std::string number = Object(Close(ThreeItemPurchase()), "NRLANCTONF");
    // Another station changed the first item after this one read it.
    temp_.Open()->Execute(
        "UPDATE ITEMPRODUTO SET QTITEMPROD = 99 WHERE NRLANCTONF = :N AND NRSEQITPROD = '0001'",
        {{"N", number}});
    const std::vector<double> before = Footprint();
    const Packet conflict = Close(EditOf(ThreeItemPurchase(), number));
    EXPECT_NE(Object(conflict, "ERROOUTRO").find("outra estação"), std::string::npos);
    EXPECT_EQ(Codes(conflict).back(), "OCORR_ERRO");
    EXPECT_EQ(Footprint(), before);

    // A tax the register does not know fails inside the database, after the header and items were written.
    PostingDraft d = ThreeItemPurchase("000050009");
    d.items[2].taxes.push_back({"99", 1});
    const Packet failed = Close(d);
    EXPECT_EQ(Codes(failed), (std::vector<std::string>{"ERROOUTRO", "OCORR_ERRO"}));
    EXPECT_EQ(Footprint(), before);
}

// ---- The calls after the closing

TEST_F(Closing, FollowUpsWorkOnTheClosedPosting) {
    const std::string number = Object(Close(ThreeItemPurchase()), "NRLANCTONF");
    net::CheckResultServ(
        Call(net::kGeraArqExp, net::CallArgs().Str("0001").Date(DateTime::FromDate(2026, 12, 10))));
    EXPECT_EQ(
        Number("SELECT VRCONTABIL FROM ARQEXPFISCAL WHERE CDFILIAL = '0001' AND DTREFERENCIA = '2026-12-10'"),
        1091.76);

    // Authorization 0001/0000000412, named by the first item, written off only when the clerk asks so.
    Packet items = FromDataPacket(testing::ClosingOf(ThreeItemPurchase()).allItems.AsPacket());
    items.fields.push_back(testing::Str("CDFILDEST", 4));
    items.fields.push_back(testing::Str("NRAUTOFORN", 10));
    for (PacketRow& r : items.rows)
        r.values.insert(r.values.end(), {Variant::Null(), Variant::Null()});
    items.rows[0].values.end()[-2] = Variant("0001");
    items.rows[0].values.back() = Variant("0000000412");
    const Variant sent(ToDataPacket(items));
    const auto writeOff = [&](bool whole, const std::string& posting) {
        return Call(net::kGeraBaixaTotal,
                    net::CallArgs().Var(sent).Var(Variant::Null()).Bool(whole).Str("0001").Str(posting));
    };
    const std::string writtenOff =
        "SELECT COUNT(*) FROM AUTORIZFORN WHERE IDBAIXATOTAL = 'S' AND NRLANCBAIXA = :N";
    net::CheckResultServ(writeOff(false, number));
    EXPECT_EQ(Number(writtenOff, {{"N", number}}), 0);
    net::CheckResultServ(writeOff(true, number));
    EXPECT_EQ(Number(writtenOff, {{"N", number}}), 1);
    EXPECT_NE(RefusalOf(writeOff(true, "0000099999")), "");

    net::GetOcorrAtendArgs occurrence{"F",    "",       "J11222333000181", "",     "",    "",
                                      "0001", "MSOUZA", "Marcos Souza",    "0001", number};
    for (int i = 0; i < 2; ++i)
        net::CheckResultServ(Call(occurrence.kMethod, net::ToCallArgs(occurrence)));
    EXPECT_EQ(Number("SELECT COUNT(*) FROM OCORRATEND WHERE NRLANCTONF = :N", {{"N", number}}), 1);

    net::AprovaNotaFiscalArgs approval{"0001", number, "0001", "MSOUZA", "0001", "01", "J11222333000181",
                                       "01"};
    EXPECT_EQ(net::CheckResultServ(Call(approval.kMethod, net::ToCallArgs(approval))), Variant(false));
    approval.postingNumber = "0000000006"; // generated from an NF-e file
    EXPECT_EQ(net::CheckResultServ(Call(approval.kMethod, net::ToCallArgs(approval))), Variant(true));
    EXPECT_EQ(Sql("SELECT IDAPROVADA, CDOPERAPROV FROM NOTAFISCAL WHERE NRLANCTONF = '0000000006'"
                  " AND CDFILIAL = '0001'")
                  .rows[0]
                  .values,
              (std::vector<Variant>{Variant("S"), Variant("MSOUZA")}));
}

TEST_F(Closing, AnalysisVersionInForce) {
    const struct {
        const char* branch;
        const char* answer;
    } cases[] = {{"0001", "ok"}, {"0002", "sem_vigencia"}, {"0003", "nada"}};
    for (const auto& c : cases) {
        EXPECT_EQ(
            net::CheckResultServ(Call(net::kGetVersaoAna, net::CallArgs().Str("0000000001").Str(c.branch))),
            Variant(c.answer))
            << c.branch;
    }
}

} // namespace
} // namespace dfe::appserver
