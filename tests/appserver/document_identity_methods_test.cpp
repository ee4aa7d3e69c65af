#include "demo_server.h"

#include "platform/data/packet.h"
#include "platform/net/posting_calls.h"

#include <functional>

namespace dfe::appserver {
namespace {

class DocumentIdentity : public testing::DemoServer {
protected:
    static std::string Column(const Packet& p, std::string_view field) {
        std::string values;
        for (size_t row = 0; row < p.rows.size(); ++row) {
            if (!values.empty()) values += ",";
            values += Field(p, field, row).AsString();
        }
        return values;
    }
    Packet Models(const char* method, const char* model, const char* all, const char* kind,
                  const char* type) {
        return Rows(Call(method, net::CallArgs().Str(model).Str(all).Str(kind).Str(type)));
    }
};

// Demo models: 01, 04 and 99 on paper, 55 and 57 electronic; type 09 allows only 57, type 17 only 04 and 55.
TEST_F(DocumentIdentity, ModelsAreThoseTheOperationTypeAllowsElectronicOnlyForGetModFiscEle) {
    const struct {
        const char *method, *model, *all, *kind, *type, *models;
    } cases[] = {
        {"GetModFiscEle", "", "T", "S", "", "55,57"}, {"GetModFiscEle", "55", "", "S", "", "55"},
        {"GetModFiscEle", "01", "", "S", "", ""},     {"GetModFiscEle", "", "T", "S", "09", "57"},
        {"GetModFiscEle", "", "T", "S", "17", "55"},  {"GetModFiscEle", "04", "", "S", "17", ""},
        {"GetModFiscEle", "", "T", "T", "", "55,57"}, {"GetModDocFis", "", "T", "T", "", "01,04,55,57,99"},
        {"GetModDocFis", "04", "", "T", "17", "04"},  {"GetModDocFis", "01", "", "T", "17", ""},
        {"GetModDocFis", "57", "T", "T", "09", "57"}, {"GetModDocFis", "", "T", "T", "09", "57"},
        {"GetModDocFis", "", "", "T", "", ""},        {"GetModDocFis", "", "T", "S", "17", "55"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Column(Models(c.method, c.model, c.all, c.kind, c.type), "CDMODDOCFISC"), c.models)
            << c.method << " " << c.model << "/" << c.all << "/" << c.kind << "/" << c.type;
    }
    const Packet p = Models("GetModDocFis", "55", "", "T", "01");
    ASSERT_EQ(p.fields.size(), 3u);
    EXPECT_EQ(p.fields[2].name, "IDMODDOCNFE");
    EXPECT_EQ(Field(p, "DSMODDOCFISC"), Variant("Nota Fiscal Eletrônica"));
    EXPECT_EQ(Field(p, "IDMODDOCNFE"), Variant("S"));
}

// Earlier postings of a document: Moinho Paulista's 000000877 (series 2, model 01) at São Paulo on 12-08 and
// Campinas on 12-09; Dist. Horizonte's 000078002 (series 2) at São Paulo, Campinas and Curitiba (typed on
// the web); Embalagens Nova Era's 000000310 only in a cancelled posting.
TEST_F(DocumentIdentity, GetNrFornFindsTheSuppliersEarlierPostingsButNotThePostingBeingChanged) {
    const struct {
        const char* name;
        net::GetNrFornArgs args;
        const char* branches;
    } cases[] = {
        {"new posting",
         {.supplier = "J45678901000175", .series = "2", .number = "000000877", .scope = "T"},
         "0001,0002"},
        {"number without its zeros",
         {.supplier = "J45678901000175", .series = "2", .number = "877", .scope = "T"},
         "0001,0002"},
        {"same model",
         {.supplier = "J45678901000175", .series = "2", .number = "877", .scope = "T", .model = "01"},
         "0001,0002"},
        {"other model",
         {.supplier = "J45678901000175", .series = "2", .number = "877", .scope = "T", .model = "55"},
         ""},
        {"other operation type and branch in process",
         {.supplier = "J45678901000175",
          .series = "2",
          .number = "877",
          .scope = "T",
          .operationType = "05",
          .branchInProcess = "0003"},
         "0001,0002"},
        {"changing São Paulo's",
         {.supplier = "J45678901000175",
          .series = "2",
          .number = "000000877",
          .scope = "N",
          .postingBranch = "0001",
          .postingNumber = "0000000002",
          .newPosting = false},
         "0002"},
        {"changing Campinas'",
         {.supplier = "J45678901000175",
          .series = "2",
          .number = "000000877",
          .scope = "N",
          .postingBranch = "0002",
          .postingNumber = "0000000005",
          .newPosting = false},
         "0001"},
        {"other series", {.supplier = "J45678901000175", .series = "1", .number = "877", .scope = "T"}, ""},
        {"other supplier", {.supplier = "J11222333000181", .series = "2", .number = "877", .scope = "T"}, ""},
        {"a posting typed on the web counts",
         {.supplier = "J67890123000116",
          .series = "2",
          .number = "000078002",
          .scope = "N",
          .postingBranch = "0001",
          .postingNumber = "0000000008",
          .newPosting = false},
         "0002,0003"},
        {"a cancelled posting does not",
         {.supplier = "J12ABC34501DE35", .series = "1", .number = "310", .scope = "T"},
         ""},
        {"free number",
         {.supplier = "J45678901000175", .series = "2", .number = "000000878", .scope = "T"},
         ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Column(Rows(Call("GetNrForn", net::ToCallArgs(c.args))), "CDFILIRECE"), c.branches)
            << c.name;
    }
    const Packet p = Rows(Call("GetNrForn", net::ToCallArgs(cases[5].args)));
    ASSERT_EQ(p.fields.size(), 2u);
    EXPECT_EQ(p.fields[1].name, "DTENTRSAID");
    EXPECT_EQ(Field(p, "DTENTRSAID"), Variant(DateTime::FromDate(2026, 12, 9)));
}

// Pão Dourado's return 000001203 at Curitiba (12-08) and São Paulo (12-09); the head office's transfer
// 000045001 at Campinas (12-07) and Curitiba (12-08).
TEST_F(DocumentIdentity, GetNrClieAndGetNrFilialFindTheCustomersAndTheIssuingBranchsEarlierPostings) {
    const struct {
        const char* method;
        net::DuplicateNumberArgs args;
        const char* branches;
    } cases[] = {
        {net::kGetNrClie, {"J89012345000179", "1", "000001203", "T", "", "", true, "0001"}, "0003,0001"},
        {net::kGetNrClie,
         {"J89012345000179", "1", "000001203", "N", "0001", "0000000005", false, "0001"},
         "0003"},
        {net::kGetNrClie, {"J89012345000179", "1", "000001204", "T", "", "", true, "0001"}, ""},
        {net::kGetNrClie, {"F98765432100", "1", "000001203", "T", "", "", true, "0001"}, ""},
        {net::kGetNrFilial, {"0001", "1", "000045001", "T", "", "", true, "0003"}, "0002,0003"},
        {net::kGetNrFilial, {"0001", "1", "000045001", "N", "0003", "0000000004", false, "0003"}, "0002"},
        {net::kGetNrFilial, {"0002", "1", "000045001", "T", "", "", true, "0003"}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Column(Rows(Call(c.method, net::ToCallArgs(c.args))), "CDFILIRECE"), c.branches)
            << c.method << " " << c.args.participant << " " << c.args.scope;
    }
    const Packet p = Rows(Call(net::kGetNrFilial, net::ToCallArgs(cases[5].args)));
    EXPECT_EQ(Field(p, "DTENTRSAID"), Variant(DateTime::FromDate(2026, 12, 7)));
}

TEST_F(DocumentIdentity, MalformedCallsAreRefused) {
    using T = DocumentIdentity;
    const net::DuplicateNumberArgs ok{"J89012345000179", "1", "000001203", "T", "", "", true, "0001"};
    auto clie = [ok](std::function<void(net::DuplicateNumberArgs&)> change) {
        net::DuplicateNumberArgs a = ok;
        change(a);
        return net::ToCallArgs(a);
    };
    const struct {
        const char* name;
        std::function<Variant(T&)> call;
        const char* refusal;
    } cases[] = {
        {"models with three arguments",
         [](T& t) { return t.Call("GetModFiscEle", net::CallArgs().Str("").Str("T").Str("S")); }, "espera 4"},
        {"model kind neither S nor T",
         [](T& t) { return t.Call("GetModDocFis", net::CallArgs().Str("").Str("T").Str("X").Str("")); },
         "(tipo de modelo)"},
        {"model too long",
         [](T& t) { return t.Call("GetModDocFis", net::CallArgs().Str("550").Str("").Str("T").Str("")); },
         "(modelo)"},
        {"scope neither T nor N",
         [clie](T& t) { return t.Call(net::kGetNrClie, clie([](auto& a) { a.scope = "X"; })); },
         "(abrangência)"},
        {"change without the posting",
         [clie](T& t) { return t.Call(net::kGetNrClie, clie([](auto& a) { a.scope = "N"; })); },
         "lançamento alterado devem ser informados"},
        {"empty number",
         [clie](T& t) { return t.Call(net::kGetNrClie, clie([](auto& a) { a.number = ""; })); },
         "número do documento deve ser informado"},
        {"empty customer",
         [clie](T& t) { return t.Call(net::kGetNrClie, clie([](auto& a) { a.participant = ""; })); },
         "participante do documento deve ser informado"},
        {"number too long",
         [clie](T& t) {
             return t.Call(net::kGetNrClie, clie([](auto& a) { a.number = "123456789012345678901"; }));
         },
         "(número)"},
        {"issuing branch too long",
         [clie](T& t) { return t.Call(net::kGetNrFilial, clie([](auto& a) { a.participant = "00001"; })); },
         "(filial emitente)"},
        {"new-posting flag as text",
         [](T& t) {
             return t.Call(net::kGetNrClie, net::CallArgs()
                                                .Str("J89012345000179")
                                                .Str("1")
                                                .Str("1203")
                                                .Str("T")
                                                .Str("")
                                                .Str("")
                                                .Str("S")
                                                .Str("0001"));
         },
         "deve ser verdadeiro ou falso"},
        {"supplier call with the customer's arguments",
         [clie](T& t) { return t.Call("GetNrForn", clie([](auto&) {})); }, "espera 10"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(RefusalOf(c.call(*this)).find(c.refusal), std::string::npos)
            << c.name << ": " << RefusalOf(c.call(*this));
    }
}

} // namespace
} // namespace dfe::appserver
