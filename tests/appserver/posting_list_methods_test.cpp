#include "demo_server.h"

#include "platform/data/packet.h"

#include <optional>
#include <vector>

namespace dfe::appserver {
namespace {

// The twelve arguments of GetRomaneioNF as the filter dialog builds them.
struct ListArgs {
    std::string branch = "0001";
    std::string series = "T";
    std::string operations;
    std::string participant;
    std::string issuingBranch;
    DateTime entryFrom, entryTo, issueFrom, issueTo;
    std::string kind;
    std::string allDates = "T";
    std::string customer;
};

DateTime Day(int day, int month = 12) {
    return DateTime::FromDate(2026, month, day);
}

class PostingList : public testing::DemoServer {
protected:
    Variant List(ListArgs a) {
        return Call("GetRomaneioNF", net::CallArgs()
                                         .StrRef(a.branch)
                                         .StrRef(a.series)
                                         .StrRef(a.operations)
                                         .StrRef(a.participant)
                                         .StrRef(a.issuingBranch)
                                         .DateRef(a.entryFrom)
                                         .DateRef(a.entryTo)
                                         .DateRef(a.issueFrom)
                                         .DateRef(a.issueTo)
                                         .StrRef(a.kind)
                                         .StrRef(a.allDates)
                                         .StrRef(a.customer));
    }
    // The posting numbers of the list, without their leading zeros, in the list's order.
    std::vector<int> Numbers(const ListArgs& a) {
        const Packet p = Rows(List(a));
        std::vector<int> numbers;
        for (size_t r = 0; r < p.rows.size(); ++r)
            numbers.push_back(std::stoi(Field(p, "NRLANCTONF", r).AsString()));
        return numbers;
    }
};

struct FilterCase {
    const char* name;
    ListArgs args;
    std::vector<int> expected;
};

ListArgs With(void (*change)(ListArgs&)) {
    ListArgs a;
    change(a);
    return a;
}

// Branch 0001's incoming postings by entry date: 4 (21/11), 1 (3/12), 3 (4/12), 10 (5/12), 2 and 7 (8/12),
// 5 and 8 (9/12), 6, 9 and 11 (10/12); its outgoing sales (90 to 92) never list.
const FilterCase kFilterCases[] = {
    {"everything", ListArgs{}, {4, 1, 3, 10, 2, 7, 5, 8, 6, 9, 11}},
    {"one series", With([](ListArgs& a) { a.series = "2"; }), {2, 8}},
    {"series list with blanks and quotes", With([](ListArgs& a) { a.series = " '2' ; U "; }), {2, 7, 8}},
    {"SQL in the series list is a code", With([](ListArgs& a) { a.series = "1';--"; }), {}},
    {"series list holding an empty code", With([](ListArgs& a) { a.series = "U,,"; }), {7}},
    {"one operation type", With([](ListArgs& a) { a.operations = "07"; }), {7, 5}},
    {"operation types", With([](ListArgs& a) { a.operations = "09,10"; }), {3, 10}},
    {"customers", With([](ListArgs& a) { a.kind = "C"; }), {7, 5}},
    {"one customer by number", With([](ListArgs& a) { a.kind = "C", a.participant = "98765432100"; }), {7}},
    {"one customer by code",
     With(
         [](ListArgs& a) { a.kind = "C", a.participant = "89012345000179", a.customer = "J89012345000179"; }),
     {5}},
    {"customer number and another customer's code",
     With([](ListArgs& a) { a.kind = "C", a.participant = "98765432100", a.customer = "J89012345000179"; }),
     {}},
    {"suppliers", With([](ListArgs& a) { a.kind = "F"; }), {4, 1, 3, 2, 8, 6, 9, 11}},
    {"one supplier", With([](ListArgs& a) { a.kind = "F", a.participant = "45678901000175"; }), {2, 9}},
    {"a supplier's number is not a customer's",
     With([](ListArgs& a) { a.kind = "C", a.participant = "45678901000175"; }),
     {}},
    {"branches", With([](ListArgs& a) { a.kind = "L"; }), {10}},
    {"one issuing branch", With([](ListArgs& a) { a.kind = "L", a.issuingBranch = "0002"; }), {10}},
    {"another issuing branch", With([](ListArgs& a) { a.kind = "L", a.issuingBranch = "0003"; }), {}},
    {"entry range, both days included",
     With([](ListArgs& a) { a.entryFrom = Day(8), a.entryTo = Day(9); }),
     {2, 7, 5, 8}},
    {"entry from the processing date", With([](ListArgs& a) { a.entryFrom = Day(10); }), {6, 9, 11}},
    {"entry up to a day", With([](ListArgs& a) { a.entryTo = Day(4); }), {4, 1, 3}},
    {"entry up to a day with a time",
     With([](ListArgs& a) { a.entryTo = DateTime::FromDateTime(2026, 12, 9, 8, 30, 0); }),
     {4, 1, 3, 10, 2, 7, 5, 8}},
    {"issue range",
     With([](ListArgs& a) { a.issueFrom = Day(8), a.issueTo = Day(9), a.allDates = ""; }),
     {8, 6, 9, 11}},
    {"issue range ignored for all dates",
     With([](ListArgs& a) { a.issueFrom = Day(8), a.issueTo = Day(9); }),
     {4, 1, 3, 10, 2, 7, 5, 8, 6, 9, 11}},
    {"every filter at once",
     With([](ListArgs& a) {
         a.series = "1,2", a.operations = "01", a.kind = "F", a.participant = "45678901000175";
         a.entryFrom = Day(1), a.entryTo = Day(10), a.issueFrom = Day(9), a.issueTo = Day(9), a.allDates = "";
     }),
     {9}},
    // Campinas also has the deliveries and entries without invoice of demo 0021 (20 to 25).
    {"another branch",
     With([](ListArgs& a) { a.branch = "0002"; }),
     {20, 21, 22, 24, 23, 2, 25, 1, 8, 9, 3, 5, 4, 6, 7, 10}},
    {"unknown branch", With([](ListArgs& a) { a.branch = "0009"; }), {}},
};

TEST_F(PostingList, FiltersAsTheDialogAsks) {
    for (const FilterCase& c : kFilterCases) {
        EXPECT_EQ(Numbers(c.args), c.expected) << c.name;
    }
}

TEST_F(PostingList, RowsCarryTheRegisterNamesCutToTheListWidths) {
    const Packet p = Rows(List(ListArgs{}));
    const auto row = [&](int number) {
        for (size_t r = 0; r < p.rows.size(); ++r)
            if (std::stoi(Field(p, "NRLANCTONF", r).AsString()) == number) return r;
        ADD_FAILURE() << number;
        return size_t{0};
    };
    // 42 characters in the register, 40 in the list, counted as characters and not bytes.
    EXPECT_EQ(Field(p, "NMRAZSOCFORN", row(2)), Variant("Moinho Paulista Indústria de Farinhas Lt"));
    EXPECT_EQ(Field(p, "NMTIPOOPER", row(2)), Variant("Compra para comercialização"));
    EXPECT_EQ(Field(p, "NMRAZSOCEMPR", row(2)), Variant("Quilmar Distribuidora de Alimentos Ltda"));
    EXPECT_EQ(Field(p, "NMRAZSOCCLIE", row(7)), Variant("Maria Aparecida Souza"));
    EXPECT_TRUE(Field(p, "NMRAZSOCFORN", row(7)).IsNull());
    EXPECT_EQ(Field(p, "NMFILIAL", row(10)), Variant("Filial Campinas"));
    EXPECT_EQ(Field(p, "DTENTRSAID", row(6)), Variant(Day(10)));
    EXPECT_EQ(Field(p, "VRNOTAFISC", row(1)), Variant(4463.50));
    EXPECT_NO_THROW(ValidatePacket(p));
}

// The list shows every case of the status texts: the client draws them from these fields.
TEST_F(PostingList, DemoListHoldsEveryDisplayCase) {
    ListArgs all;
    const Packet p0001 = Rows(List(all));
    all.branch = "0003";
    const Packet p0003 = Rows(List(all));
    const auto has = [&](const Packet& p, auto predicate) {
        for (size_t r = 0; r < p.rows.size(); ++r)
            if (predicate(r)) return true;
        return false;
    };
    const auto text = [&](const Packet& p, const char* f, size_t r) { return Field(p, f, r).AsString(); };
    EXPECT_TRUE(has(p0001, [&](size_t r) { return text(p0001, "IDBLOQUEADO", r) == "S"; }));
    EXPECT_TRUE(has(p0001, [&](size_t r) {
        return text(p0001, "IDSTATUS", r) == "C" && text(p0001, "CDTIPOOPER", r) != "10";
    }));
    EXPECT_TRUE(has(p0001, [&](size_t r) {
        return text(p0001, "IDSTATUS", r) == "C" && text(p0001, "CDTIPOOPER", r) == "10";
    }));
    EXPECT_TRUE(has(p0001, [&](size_t r) {
        return text(p0001, "IDSTATUS", r) == "P" && text(p0001, "IDNFDEVOOL", r) == "S";
    }));
    EXPECT_TRUE(has(p0003, [&](size_t r) { return text(p0003, "IDSTATUS", r) == "D"; }));
    EXPECT_TRUE(has(p0001, [&](size_t r) { return !text(p0001, "IDDOCREPLIC", r).empty(); }));
    EXPECT_TRUE(has(p0001, [&](size_t r) { return !text(p0001, "DSNOTAFISORIGOL", r).empty(); }));
    for (const char* kind : {"C", "F", "L"}) {
        EXPECT_TRUE(has(p0001, [&](size_t r) { return text(p0001, "IDORIGDESTNF", r) == kind; })) << kind;
    }
    EXPECT_TRUE(has(p0001, [&](size_t r) { return text(p0001, "IDTPIJURNF", r) == "F"; }));
}

struct MalformedCase {
    const char* name;
    ListArgs args;
    const char* refusal; // part of the text
};

const MalformedCase kMalformedCases[] = {
    {"branch too long", With([](ListArgs& a) { a.branch = "00001"; }), "(filial)"},
    {"no branch", With([](ListArgs& a) { a.branch = ""; }), "filial dos lançamentos"},
    {"series code too long", With([](ListArgs& a) { a.series = "1,123456"; }), "\"123456\""},
    {"SQL as an operation type", With([](ListArgs& a) { a.operations = "01') OR ('1'='1"; }),
     "tipos de operação"},
    {"participant kind", With([](ListArgs& a) { a.kind = "X"; }), "Tipo de participante inválido"},
    {"participant too long", With([](ListArgs& a) { a.participant = std::string(22, '1'); }),
     "(participante)"},
};

TEST_F(PostingList, MalformedArgumentsAreRefusedAndTheServerStaysUp) {
    for (const MalformedCase& c : kMalformedCases) {
        EXPECT_NE(RefusalOf(List(c.args)).find(c.refusal), std::string::npos) << c.name;
    }
    std::string branch = "0001", text = "T";
    EXPECT_NE(RefusalOf(Call("GetRomaneioNF", net::CallArgs().StrRef(branch).StrRef(text))).find("espera 12"),
              std::string::npos);
    net::CallArgs wrongDate;
    std::string s[12] = {"0001", "T", "", "", "", "31/12/2026"};
    for (std::string& v : s)
        wrongDate.StrRef(v);
    EXPECT_NE(RefusalOf(Call("GetRomaneioNF", std::move(wrongDate))).find("não é uma data válida"),
              std::string::npos);
    net::CallArgs packetAsBranch;
    packetAsBranch.Var(Variant(ToDataPacket(Packet{})));
    for (int i = 0; i < 11; ++i)
        packetAsBranch.Str("");
    EXPECT_NE(RefusalOf(Call("GetRomaneioNF", std::move(packetAsBranch))).find("deve ser um texto"),
              std::string::npos);
    EXPECT_EQ(Numbers(ListArgs{}).size(), 11u);
}

} // namespace
} // namespace dfe::appserver
