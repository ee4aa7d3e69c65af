#include "appserver/modules/parameter_methods.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

// The parameter methods as the client sees them: through the in-process transport, which encodes every call.
class ParameterMethods : public ::testing::Test {
protected:
    void SetUp() override {
        auto db = temp_.OpenDemo();
        server_ = std::make_unique<EmbeddedServer>(std::move(db));
        for (auto* c : {&lanc_, &docFisc_}) {
            c->SetHost(std::string(net::kInProcessHost));
            c->Connect();
        }
    }

    static Packet Rows(const Variant& answer) {
        return FromDataPacket(net::CheckResultServ(answer).AsPacket());
    }
    static Variant Field(const Packet& p, std::string_view name, size_t row = 0) {
        const int i = p.FieldIndex(name);
        EXPECT_GE(i, 0) << name;
        return i < 0 ? Variant() : p.rows.at(row).values[static_cast<size_t>(i)];
    }

    testing::TempDatabase temp_;
    std::unique_ptr<EmbeddedServer> server_;
    net::TNetConnection lanc_{net::kLancNFEntrada};
    net::TNetConnection docFisc_{net::kDocFiscEntrada};
};

TEST_F(ParameterMethods, GetParamDFEAnswersTheBranchWithItsProcessingDate) {
    std::string branch = "0002";
    const Packet p = Rows(docFisc_.Call("GetParamDFE", net::CallArgs().StrRef(branch)));
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(Field(p, "CDFILIAL"), Variant("0002"));
    EXPECT_EQ(Field(p, "IDTPLANCDESC"), Variant("P"));
    EXPECT_EQ(Field(p, "IDCONSFORNFJ"), Variant("N"));
    EXPECT_EQ(Field(p, "DTPROCESSA"), Variant(DateTime::FromDate(2026, 12, 10)));
    EXPECT_EQ(p.fields[static_cast<size_t>(p.FieldIndex("NRTAMNUMNFUT"))].type, FieldType::Integer);
    EXPECT_EQ(branch, "0002");
}

TEST_F(ParameterMethods, UnknownBranchIsARefusalShownAsItself) {
    std::string branch = "9999";
    const Variant answer = docFisc_.Call("GetParamDFE", net::CallArgs().StrRef(branch));
    EXPECT_THROW(
        {
            try {
                net::CheckResultServ(answer);
            } catch (const net::ServerRefusal& e) {
                EXPECT_EQ(std::string(e.what()),
                          "Parâmetros do lançamento de notas fiscais não cadastrados para a filial 9999.");
                throw;
            }
        },
        net::ServerRefusal);
}

TEST_F(ParameterMethods, GetImpFiliListsTheTaxesOfTheBranchFiscalGroups) {
    std::string branch = "0003";
    const Packet p = Rows(lanc_.Call("GetImpFili", net::CallArgs().StrRef(branch)));
    ASSERT_EQ(p.rows.size(), 4u);
    EXPECT_EQ(p.fields[0].name, "CDIMPOSTO");
    EXPECT_EQ(p.fields[1].name, "CDGRUPOFISC");
    EXPECT_EQ(Field(p, "CDGRUPOFISC", 0), Variant("PR1"));
}

TEST_F(ParameterMethods, GetParamFornAnswersByTheSupplierKind) {
    struct Case {
        std::string supplier;
        size_t paramRows;
        std::string mode;
        size_t ruleRows;
        std::string homologated;
    };
    const Case cases[] = {
        {"J11222333000181", 1, kUsesProdXForn, 9, "S"}, // the demo's first three and its catalogue's six
        {"J12ABC34501DE35", 1, kNoProdXForn, 0, "N"},
        {"J67890123000116", 1, kNoProdXForn, 0, "S"}, // no parameter row: defaults
        {"J00000000000000", 0, kNoProdXForn, 0, ""},  // unknown supplier
        {"", 0, kNoProdXForn, 0, ""},
    };
    for (const Case& c : cases) {
        std::string supplier = c.supplier;
        const Variant answer =
            net::CheckResultServ(lanc_.Call("GetParamForn", net::CallArgs().StrRef(supplier)));
        const VariantArray& a = answer.AsArray();
        ASSERT_EQ(a.Size(), 4u) << c.supplier;
        EXPECT_EQ(a[0], Variant("S"));
        const Packet params = FromDataPacket(a[1].AsPacket());
        ASSERT_EQ(params.rows.size(), c.paramRows) << c.supplier;
        if (c.paramRows) {
            EXPECT_EQ(Field(params, "IDFORNEHOMO"), Variant(c.homologated)) << c.supplier;
            EXPECT_EQ(Field(params, "CDFORNECED"), Variant(c.supplier));
            EXPECT_FALSE(Field(params, "VRMAXPERMFORN").IsNull());
        }
        EXPECT_EQ(a[2], Variant(c.mode)) << c.supplier;
        EXPECT_EQ(FromDataPacket(a[3].AsPacket()).rows.size(), c.ruleRows) << c.supplier;
    }
}

TEST_F(ParameterMethods, GetParamFornRefusesACodeThatCannotBeASupplier) {
    std::string supplier(30, '9');
    const Variant answer = net::CheckResultServ(lanc_.Call("GetParamForn", net::CallArgs().StrRef(supplier)));
    EXPECT_EQ(answer.AsArray()[0], Variant("N"));
    EXPECT_FALSE(answer.AsArray()[1].AsString().empty());
}

TEST_F(ParameterMethods, CompanyGeneralAndXmlTaxParameters) {
    std::string company = "01";
    const Packet empresa = Rows(lanc_.Call("GetParamEmpresa", net::CallArgs().StrRef(company)));
    EXPECT_EQ(Field(empresa, "IDOBRIGNATFRETE"), Variant("S"));

    const Packet geral = Rows(lanc_.Call("GetParamGeral"));
    ASSERT_EQ(geral.rows.size(), 1u);
    for (const char* name : {"IDBLOQLANCNFOPFIL", "IDPERAPROVNFXML", "IDCALCVRTOTANFE", "IDUTCFOPXMLLANNF",
                             "IDPERMRELPRAFNF", "IDAGRUPPRODAFNF", "IDUTRELPRODSERV", "DSMENSAGEMRELAC"}) {
        EXPECT_FALSE(Field(geral, name).IsNull()) << name;
    }
    EXPECT_EQ(geral.fields[static_cast<size_t>(geral.FieldIndex("DSMENSAGEMRELAC"))].type, FieldType::Memo);

    const Packet impImpo = Rows(lanc_.Call("GetImpImpo"));
    ASSERT_EQ(impImpo.rows.size(), 2u);
    EXPECT_EQ(impImpo.fields[1].name, "CDENCARGOIMPXML");
}

TEST_F(ParameterMethods, ThrowExceptionTurnsARefusalIntoAnException) {
    lanc_.SetThrowException(true);
    EXPECT_THROW(lanc_.Call("NaoExiste"), net::ServerRefusal);
    EXPECT_TRUE(lanc_.Connected()); // a refusal is not a connection failure
}

} // namespace
} // namespace dfe::appserver
