#include "dfe11000/closing/error_rows.h"
#include "support/format_msg.h"
#include "support/roti_fiscal.h"

#include <gtest/gtest.h>

namespace dfe::dfe11000 {
namespace {

// The form's two tables as the error list fills them, and a product mask of levels 1, 2 and 3.
class ErrorRows : public ::testing::Test {
protected:
    ErrorRows() {
        first.AddLines(kErrorListMessages);
        second.AddLines(kErrorListMessages2);
    }
    RowOutcome Describe(const ClosingRow& row) const { return DescribeClosingRow(row, texts); }
    RowOutcome Follow(const ClosingRow& row) const { return FollowClosingRow(row, texts); }

    support::TMessages first;
    support::TMessages second;
    ErrorTexts texts{first, second, "9.99.999;1;_"};
};

TEST_F(ErrorRows, EachListedCodeGivesItsPositionAndText) {
    const struct {
        ClosingRow row;
        const char* position;
        std::string text;
    } cases[] = {
        {{"DFE11000_2", "0001", "10/12/2026"},
         "8",
         "Documento informado já cadastrado para a filial 0001, data de entrada 10/12/2026."},
        {{"LIB00200_2"}, "7", "Implantação (último lançamento do dia) já realizada para a data informada."},
        {{"LIB00200_5"}, "9", "Estoque já atualizado para a data de entrada informada."},
        {{"DFE11000_3", "0000000042"}, "9", "Produto 0000000042 encontra-se inativo para a filial."},
        {{"DFE11000_4"}, "0", "Operação não realizada. Não há série padrão relacionada a filial."},
        {{"DFE11000_5", "0000000042"}, "A", "Produto 0000000042 não controla estoque na filial."},
        {{"DFE11000_6"}, "B", "Existe inventário pendente para a filial na data de entrada."},
        {{"DFE11000_7"}, "7", "Data de entrada fora do período contábil de integração."},
        {{"ORC1", "", "", "3"},
         "C",
         "Operação bloqueada! Lançamento de entrada excede valor de consumo orçado para o mês de março."},
        // A month sent with its leading zero is the same month.
        {{"ORC2", "", "", "012"},
         "D",
         "Operação bloqueada! Lançamento de entrada excede valor de despesa por entrada orçado para o mês de "
         "dezembro."},
        {{"ORC3", "0001", "", "", "", 85.5},
         "E",
         "Filial 0001 já atingiu 85,5 % do valor orçado para o consumo do mês."},
        {{"ORC4", "0002", "", "", "", 100},
         "F",
         "Filial 0002 já atingiu 100 % do valor orçado para despesas com lançamentos de entrada do mês."},
        {{"SEMIMPOBRI", "IPI", "101001"}, "G", "Produto 1.01.001 sem o imposto obrigatório IPI."},
        {{"CORPONF", "ICMS"}, "G", "Imposto ICMS obrigatório no corpo da nota fiscal."},
        {{"CSTINVALID", "101001", "090", "ICMS"},
         "9",
         "Produto 1.01.001: situação tributária 090 inválida para o imposto ICMS."},
        {{"CSTEMPTINV", "101001", "x", "PIS"},
         "9",
         "Produto 1.01.001: situação tributária do imposto PIS deve ser informada."},
        {{"CSTVRIMP", "101001", "041"},
         "9",
         "Situação tributária 041 não permite valor de imposto no produto 1.01.001."},
        {{"1CFOPINV", "101001"}, "9", "Produto 1.01.001 com CFOP inválido para a operação de entrada."},
        {{"CSTICMSST"}, "9", "Existem produtos sem situação tributária de ICMS ST informada."},
        {{"TERCEEMPTY"}, "9", "Agente terceiro da nota fiscal deve ser informado."},
        {{"PRBLO", "101001"}, "W", "Produto controlado 1.01.001 bloqueado para movimentação."},
        {{"FORNA", "101001"}, "W", "Fornecedor sem autorização para o produto controlado 1.01.001."},
        {{"DTALV"}, "W", "Alvará do fornecedor com validade vencida."},
        {{"PRSAL", "101001"}, "W", "Produto controlado 1.01.001 sem saldo autorizado."},
        {{"DTALF"}, "W", "Alvará da filial com validade vencida."},
        {{"FILA", "101001"}, "W", "Filial sem autorização para o produto controlado 1.01.001."},
        {{"DTALT"}, "W", "Alvará da transportadora com validade vencida."},
        {{"TRAA", "101001"}, "W", "Transportadora sem autorização para o produto controlado 1.01.001."},
        {{"PESO_LIQ"}, "X", "Peso líquido da nota fiscal deve ser informado."},
        {{"BLOQ_REPE"}, "X", "Operação bloqueada! Existem produtos repetidos na nota fiscal."},
        {{"Enc_XML", "Frete"},
         "H",
         "Encargo Frete informado difere do encargo da nota fiscal eletrônica (arquivo XML)."},
        {{"Enc_N_XML", "Seguro"}, "H", "Encargo Seguro não consta na nota fiscal eletrônica (arquivo XML)."},
        {{"Enc_Dif", "Frete"},
         "H",
         "Valor do encargo Frete difere do valor da nota fiscal eletrônica (arquivo XML)."},
        {{"BloqIgual", "0001", "0000000007"},
         "8",
         "Operação bloqueada! Já existe lançamento com o mesmo documento (0001 - 0000000007)"},
        {{"ITSEMAF", "3", "0000000042"}, "8", "Item sem AF relacionada: 3 - 0000000042."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.code);
        const RowOutcome out = Describe(c.row);
        EXPECT_EQ(out.kind, RowKind::Visible);
        EXPECT_EQ(out.position, c.position);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.tax, "");
        EXPECT_FALSE(out.irregularProduct);
    }
}

TEST_F(ErrorRows, StoppingCodesShowTheirMessage) {
    const struct {
        ClosingRow row;
        const char* code;
        std::string text;
    } cases[] = {
        {{"NSaida"}, "NSaida", "Operação Bloqueada! Chave de acesso não encontrada na filial de origem."},
        {{"NF_LancAG"}, "NF_LancAG", second.Msg("NF_LancAG")},
        {{"Lanc_Aprov"}, "Lanc_Aprov", "Operação bloqueada. Nota Fiscal está aprovada ou transmitida."},
        {{"REMRELAC", "0002", "0000000031", "01/12/2026"},
         "REMRELAC",
         "Operação bloqueada! Nota fiscal relacionada a nota fiscal de remessa filial 0002, lançamento "
         "0000000031 e data 01/12/2026."},
        {{"VrNF_VrXml"}, "VrNota_VrXml", second.Msg("VrNota_VrXml")},
        {{"Prod_NOrAF"}, "Prod_NOriAF", first.Msg("Prod_NOriAF")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.code);
        const RowOutcome out = Describe(c.row);
        EXPECT_EQ(out.kind, RowKind::Stop);
        EXPECT_EQ(out.messageCode, c.code);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.text.find('['), std::string::npos) << "a text is missing";
    }
}

TEST_F(ErrorRows, RowsOfTheRunItselfAndTheMonthlyBaseGiveNoRow) {
    for (const char* code :
         {"NRLANCESTQ", "NRLANCTONF", "NOTAFISCAL", "LIB00200_4", "AVISO_ERRO", "OCORR_ERRO"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Describe({code, "ICMS"}).kind, RowKind::Silent);
    }
    EXPECT_EQ(Describe({"BCMENSAL"}).kind, RowKind::MonthlyBase);
}

TEST_F(ErrorRows, TheIrregularStockRowNamesItsProductAndIsShownOnce) {
    const RowOutcome out = Describe({"LIB00200_3", "0000000042"});
    EXPECT_EQ(out.kind, RowKind::Visible);
    EXPECT_EQ(out.position, "5");
    EXPECT_EQ(out.text, first.Msg("Irreg_Prod_Est"));
    EXPECT_TRUE(out.irregularProduct);
    EXPECT_TRUE(out.once);
}

// A code no table lists is a fiscal routine's finding: its first character is the position, the object
// holds the message code and the tax.
TEST_F(ErrorRows, AnUnlistedCodeIsAFiscalFinding) {
    const struct {
        ClosingRow row;
        const char *position, *text, *tax;
    } cases[] = {
        {{"1ERRO", "F003ICMS"}, "1", "F003", "ICMS"},
        {{"2X", "F004"}, "2", "F004", ""},
        {{"NFCREDST", "0001"}, "N", "0001", ""},
        {{"RECESTOQUE", ""}, "R", "", ""},
        {{"", "F001"}, "", "F001", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.code);
        const RowOutcome out = Describe(c.row);
        EXPECT_EQ(out.kind, RowKind::Visible);
        EXPECT_EQ(out.position, c.position);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.tax, c.tax);
    }
}

TEST_F(ErrorRows, WhatARowAsksAfterTheList) {
    const RowOutcome credit = Follow({"NFCREDST", "0001", "0000000055", "05/12/2026"});
    EXPECT_EQ(credit.kind, RowKind::Visible);
    EXPECT_EQ(credit.position, "8");
    EXPECT_EQ(credit.text, second.Msg("NFRefMsg") + " NF: 0000000055 Filial: 0001 Data Entrada: 05/12/2026.");

    EXPECT_EQ(Follow({"AVISO_ERRO", "ITEMPRODUTO"}).kind, RowKind::Mark);
    EXPECT_EQ(Follow({"NOTAFISCAL", "5102"}).kind, RowKind::Mark);
    const struct {
        ClosingRow row;
        const char* code;
    } stops[] = {{{"RECESTOQUE"}, "Indice_Fin"},
                 {{"SEMIMPOSTO"}, "Sem_Imposto"},
                 {{"BloqLimit", "Sem_Grupo"}, "BloqLimit"}};
    for (const auto& s : stops) {
        const RowOutcome out = Follow(s.row);
        EXPECT_EQ(out.kind, RowKind::Stop) << s.row.code;
        EXPECT_EQ(out.messageCode, s.code);
        EXPECT_EQ(out.text.find('['), std::string::npos);
    }
    EXPECT_EQ(Follow({"BloqLimit", "GRUPO1"}).kind, RowKind::LimitAsk);
    EXPECT_EQ(Follow({"DFE11000_4"}).kind, RowKind::Silent);
    EXPECT_EQ(Follow({"bloqlimit"}).kind, RowKind::Silent);
}

TEST(FormatMsg, FillsPlaceholdersInOrderAndTellsWhenArgumentsRanOut) {
    bool complete = false;
    EXPECT_EQ(support::FormatMsg("a %s b %s", {"1", "2", "3"}, &complete), "a 1 b 2");
    EXPECT_TRUE(complete);
    EXPECT_EQ(support::FormatMsg("a %s b %s", {"1"}, &complete), "a 1 b ");
    EXPECT_FALSE(complete);
    EXPECT_EQ(support::FormatMsg("100%% de %s; 5% e %d", {"x"}, &complete), "100% de x; 5% e %d");
    EXPECT_TRUE(complete);
    EXPECT_EQ(support::FormatMsg("fim %", {}), "fim %");
}

TEST(RotiFiscal, ShowsAFiscalCodesTextCompletedWithTheTax) {
    const support::TdtmRotiFiscal fiscal;
    EXPECT_EQ(fiscal.Msg("F003"), "F003Total do imposto %s difere da soma dos itens.");
    EXPECT_EQ(fiscal.Msg("f003"), fiscal.Msg("F003"));
    EXPECT_EQ(fiscal.Msg("F999"), "");
    EXPECT_EQ(fiscal.Msg(""), "");
    const struct {
        const char *stored, *tax, *shown;
    } cases[] = {
        {"F003", "ICMS", "Total do imposto ICMS difere da soma dos itens."},
        {"F001", "ICMS", "Soma dos itens difere do valor dos produtos da nota fiscal."},
        // Not a code: the finished text of a listed row.
        {"Estoque já atualizado.", "", "Estoque já atualizado."},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fiscal.DisplayText(c.stored, c.tax), c.shown) << c.stored;
}

} // namespace
} // namespace dfe::dfe11000
