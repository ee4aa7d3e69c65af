#include "demo_server.h"

#include "platform/data/packet.h"

#include <functional>

namespace dfe::appserver {
namespace {

class PostingLoad : public testing::DemoServer {
protected:
    // GetNFDadosGerais as the page change calls it for a supplier's posting.
    Variant GeneralData(std::string branch, std::string number, std::string kind = "F") {
        std::string tpOper = "N", state = "BROWSE", listDevol;
        return Call("GetNFDadosGerais", net::CallArgs()
                                            .Str(branch)
                                            .Str(number)
                                            .Str("J")
                                            .Str("11222333000181")
                                            .Str("")
                                            .StrRef(tpOper)
                                            .Var(Variant("N"))
                                            .Var(Variant("N"))
                                            .Str(kind)
                                            .Var(Variant("N"))
                                            .StrRef(state)
                                            .StrRef(listDevol));
    }
    Packet Part(const char* method, std::string branch, std::string number) {
        return Rows(Call(method, net::CallArgs().StrRef(branch).StrRef(number)));
    }
};

TEST_F(PostingLoad, GeneralDataAnswersTheWholePostingInTheClientsOrder) {
    const Variant answer = GeneralData("0001", "0000000001");
    ASSERT_TRUE(answer.IsArray());
    const VariantArray& a = answer.AsArray();
    ASSERT_EQ(a.Size(), 15u);
    EXPECT_EQ(a[0], Variant("S"));
    EXPECT_EQ(a[1], Variant(""));
    // Header, related documents, items, charges, installments, additional data, document taxes, item taxes,
    // origin documents, authorization relation.
    const size_t rows[] = {1, 0, 2, 2, 2, 2, 3, 6, 0, 0};
    for (int i = 2; i <= 11; ++i) {
        ASSERT_TRUE(a[i].IsPacket()) << i;
        EXPECT_EQ(PacketOf(a[i]).rows.size(), rows[i - 2]) << i;
    }
    const Packet header = PacketOf(a[2]);
    EXPECT_EQ(Field(header, "NRNOTAFISC"), Variant("000012345"));
    EXPECT_EQ(Field(header, "DSMODDOCFISC"), Variant("Nota Fiscal Eletrônica"));
    EXPECT_EQ(Field(header, "NMESTADO"), Variant("São Paulo"));
    EXPECT_EQ(Field(header, "NMMUNICIPIO"), Variant("Ribeirão Preto"));
    EXPECT_EQ(Field(header, "DTHRPROTOCOLNFE"), Variant(DateTime::FromDateTime(2026, 12, 1, 18, 22, 41)));
    // The supplier's parameters, as GetParamForn answers them.
    ASSERT_TRUE(a[12].IsPacket());
    EXPECT_EQ(Field(PacketOf(a[12]), "CDFORNECED"), Variant("J11222333000181"));
    EXPECT_EQ(a[13].Type(), VariantType::String);
    EXPECT_TRUE(a[14].IsPacket());
    std::string supplier = "J11222333000181";
    const Variant param = Call("GetParamForn", net::CallArgs().StrRef(supplier));
    EXPECT_EQ(a[12], param.AsArray()[1]);
    EXPECT_EQ(a[13], param.AsArray()[2]);
    EXPECT_EQ(a[14], param.AsArray()[3]);
}

TEST_F(PostingLoad, GeneralDataOfACustomersReturnCarriesItsOriginsAndEmptySupplierParameters) {
    const Variant answer = GeneralData("0001", "0000000007", "C");
    const VariantArray& a = answer.AsArray();
    ASSERT_EQ(a.Size(), 15u);
    EXPECT_EQ(PacketOf(a[3]).rows.size(), 2u);  // related documents
    EXPECT_EQ(PacketOf(a[10]).rows.size(), 2u); // origin documents
    EXPECT_TRUE(PacketOf(a[12]).rows.empty());
    EXPECT_TRUE(PacketOf(a[14]).rows.empty());
}

TEST_F(PostingLoad, AMissingPostingIsARefusalWithItsText) {
    // 0000000093 is one of the branch's outgoing sales: no posting of this screen.
    for (const char* number : {"0000009999", "NOVOCODIGO", "", "0000000093"}) {
        const Variant answer = GeneralData("0001", number);
        ASSERT_TRUE(answer.IsArray()) << number;
        const VariantArray& a = answer.AsArray();
        ASSERT_EQ(a.Size(), 2u);
        EXPECT_EQ(a[0], Variant("N"));
        EXPECT_NE(a[1].AsString().find("não encontrado"), std::string::npos) << a[1].AsString();
    }
}

TEST_F(PostingLoad, MalformedGeneralDataCallsAreRefused) {
    std::string branch = "0001", number = "0000000001";
    EXPECT_NE(
        RefusalOf(Call("GetNFDadosGerais", net::CallArgs().StrRef(branch).StrRef(number))).find("espera 12"),
        std::string::npos);
    EXPECT_NE(RefusalOf(GeneralData("0001", "00000000001")).find("número do lançamento"), std::string::npos);
    EXPECT_NE(RefusalOf(GeneralData("0001", "0000000001", "FF")).find("tipo de participante"),
              std::string::npos);
    EXPECT_EQ(GeneralData("0001", "0000000001").AsArray()[0], Variant("S"));
}

struct PartCase {
    const char* name;
    std::function<Variant(PostingLoad&)> call;
    size_t rows;
    const char* field; // checked on the first row
    Variant value;
};

TEST_F(PostingLoad, EachPartLoaderAnswersThePostingsRows) {
    const auto key = [](const char* method, const char* branch, const char* number) {
        return [=](PostingLoad& t) {
            std::string b = branch, n = number;
            return t.Call(method, net::CallArgs().StrRef(b).StrRef(n));
        };
    };
    const PartCase cases[] = {
        {"header", key("GetNotaFiscal", "0001", "0000000001"), 1, "VRNOTAFISC", Variant(4463.50)},
        {"charges", key("GetItemEncargo", "0001", "0000000001"), 2, "NMENCARGO", Variant("Frete")},
        {"installments", key("GetContaPagar", "0001", "0000000001"), 2, "DTORIGVENPAG",
         Variant(DateTime::FromDate(2026, 12, 29))},
        {"additional data", key("GetDadosAdic", "0001", "0000000001"), 2, "NRDADOADIC", Variant("001")},
        {"item taxes", key("GetItemProImpos", "0001", "0000000001"), 6, "SGIMPOSTO", Variant("ICMS")},
        {"origin documents", key("GetItensNFOrig", "0001", "0000000007"), 2, "NRLANCTONFIT",
         Variant("0000000091")},
        {"authorization relation", key("GetNFRelacAF", "0001", "0000000006"), 1, "NRAUTOFORN",
         Variant("0000000412")},
        {"no installments", key("GetContaPagar", "0001", "0000000005"), 0, nullptr, Variant()},
        {"installments of a row without number", key("GetContaPagar", "0001", ""), 0, nullptr, Variant()},
        {"document taxes with the supplier",
         [](PostingLoad& t) {
             std::string b = "0001", n = "0000000001", supplier = "J11222333000181";
             return t.Call("GetImposNFTot", net::CallArgs().StrRef(b).StrRef(n).StrRef(supplier));
         },
         3, "VRTOTIMPONF", Variant(510.0)},
        {"items",
         [](PostingLoad& t) {
             std::string b = "0001", n = "0000000001", orig = "N", tpOper = "N";
             return t.Call("GetItemProduto", net::CallArgs()
                                                 .StrRef(b)
                                                 .StrRef(n)
                                                 .StrRef(orig)
                                                 .StrRef(tpOper)
                                                 .Var(Variant("N"))
                                                 .Var(Variant("N")));
         },
         2, "NMPRODUTO", Variant("Leite integral UHT 1 L")},
        {"related documents of a freight bill",
         [](PostingLoad& t) {
             std::string tp = "J", nr = "56789012000100", fili;
             return t.Call("GetItemNotaFisc",
                           net::CallArgs().Str("0001").Str("0000000003").StrRef(tp).StrRef(nr).StrRef(fili));
         },
         2, "LANCAMENTO", Variant("0001 - 0000000001")},
        {"single origin's items",
         [](PostingLoad& t) {
             std::string list = "N", b = "0001", n = "0000000090";
             return t.Call("GetItemNFOrigem", net::CallArgs().StrRef(list).StrRef(b).StrRef(n));
         },
         1, "CDARVPROD", Variant("1.01.003")},
        {"origin list's items",
         [](PostingLoad& t) {
             std::string list = "0001 - 0000000091_0001 - 0000000092_", b, n;
             return t.Call("GetItemNFOrigem", net::CallArgs().StrRef(list).StrRef(b).StrRef(n));
         },
         2, "CDNVPRODUTO", Variant("3")},
        {"service codes", [](PostingLoad& t) { return t.Call("GetListServProd", net::CallArgs()); }, 91,
         "CDSERVICOPROD", Variant("01.01")},
    };
    for (const PartCase& c : cases) {
        const Packet p = Rows(c.call(*this));
        EXPECT_EQ(p.rows.size(), c.rows) << c.name;
        if (c.field) {
            EXPECT_EQ(Field(p, c.field), c.value) << c.name;
        }
        EXPECT_NO_THROW(ValidatePacket(p)) << c.name;
    }
}

TEST_F(PostingLoad, RelatedDocumentsNameTheRelatedPostingsParticipant) {
    std::string tp = "J", nr = "56789012000100", fili;
    const Packet p = Rows(Call(
        "GetItemNotaFisc", net::CallArgs().Str("0001").Str("0000000003").StrRef(tp).StrRef(nr).StrRef(fili)));
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(Field(p, "NMRAZSOCFORN", 0), Variant("Laticínios Serra Azul S.A."));
    EXPECT_EQ(Field(p, "VRNOTAFISC", 0), Variant(4463.50));
    EXPECT_EQ(Field(p, "NRINSJURNF", 1), Variant("45678901000175"));
    EXPECT_EQ(Field(p, "NRNOTAFISC", 1), Variant("000000877"));
}

TEST_F(PostingLoad, CountsTheOriginDocumentsOfAPosting) {
    const struct {
        const char* branch;
        const char* number;
        int64_t count;
    } cases[] = {{"0001", "0000000007", 2}, {"0001", "0000000005", 1}, {"0002", "0000000004", 1},
                 {"0001", "0000000001", 0}, {"0001", "NOVOCODIGO", 0}, {"", "", 0}};
    for (const auto& c : cases) {
        std::string b = c.branch, n = c.number;
        const Packet p = Rows(Call("GetCountNFOrig", net::CallArgs().StrRef(b).StrRef(n)));
        ASSERT_EQ(p.rows.size(), 1u);
        EXPECT_EQ(Field(p, "NRREGISTROS"), Variant(c.count)) << c.number;
    }
}

TEST_F(PostingLoad, MalformedPartCallsAreRefused) {
    const struct {
        const char* name;
        std::function<Variant(PostingLoad&)> call;
        const char* refusal;
    } cases[] = {
        {"one argument", [](PostingLoad& t) { return t.Call("GetContaPagar", net::CallArgs().Str("0001")); },
         "espera 2"},
        {"branch too long",
         [](PostingLoad& t) { return t.Call("GetItemEncargo", net::CallArgs().Str("00001").Str("1")); },
         "(filial)"},
        {"number as a packet",
         [](PostingLoad& t) {
             return t.Call("GetDadosAdic", net::CallArgs().Str("0001").Var(Variant(ToDataPacket(Packet{}))));
         },
         "deve ser um texto"},
        {"origin list that is not one",
         [](PostingLoad& t) {
             return t.Call("GetItemNFOrigem",
                           net::CallArgs().Str("x; DROP TABLE NOTAFISCAL").Str("").Str(""));
         },
         "Documento de origem inválido"},
        {"argument to the service list",
         [](PostingLoad& t) { return t.Call("GetListServProd", net::CallArgs().Str("1")); }, "espera 0"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(RefusalOf(c.call(*this)).find(c.refusal), std::string::npos) << c.name;
    }
    EXPECT_EQ(Part("GetNotaFiscal", "0001", "0000000001").rows.size(), 1u);
}

} // namespace
} // namespace dfe::appserver
