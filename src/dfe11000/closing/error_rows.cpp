// The closing rows' table: each code's place in the visible list and its text, or its stop.
#include "dfe11000/closing/error_rows.h"

#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/format_msg.h"

#include <vector>

namespace dfe::dfe11000 {

const std::vector<std::string> kErrorListMessages = {
    "Erro|Ocorreu um erro inesperado na tentativa de Fechamento da Nota Fiscal.",
    "NSaida|Operação Bloqueada! Chave de acesso não encontrada na filial de origem.",
    "Lanc_Aprov|Operação bloqueada. Nota Fiscal está aprovada ou transmitida.",
    "Prod_NOriAF|Operação bloqueada! Existem produtos na nota fiscal que não foram originados da AF.",
    "Irreg_Prod_Est|A confirmação da operação fará com que a posição de estoque de alguns produtos se torne "
    "irregular.",
    "Implan_Rea|Implantação (último lançamento do dia) já realizada para a data informada.",
    "Est_Atu|Estoque já atualizado para a data de entrada informada.",
    "Prod_Inat|Produto %s encontra-se inativo para a filial.",
    "Serie_NCad|Operação não realizada. Não há série padrão relacionada a filial.",
    "Prod_NEst|Produto %s não controla estoque na filial.",
    "Inve_Pend|Existe inventário pendente para a filial na data de entrada.",
    "DtInteg|Data de entrada fora do período contábil de integração.",
    "LancC_Bloq|Operação bloqueada! Lançamento de entrada excede valor de consumo orçado para o mês de %s.",
    "LancD_Bloq|Operação bloqueada! Lançamento de entrada excede valor de despesa por entrada orçado para o "
    "mês "
    "de %s.",
    "Alert_Cons|Filial %s já atingiu %s %s do valor orçado para o consumo do mês.",
    "Alert_Desp|Filial %s já atingiu %s %s do valor orçado para despesas com lançamentos de entrada do mês.",
    "Indice_Fin|Operação bloqueada! Não há índice financeiro cadastrado para a data de entrada.",
    "1|janeiro",
    "2|fevereiro",
    "3|março",
    "4|abril",
    "5|maio",
    "6|junho",
    "7|julho",
    "8|agosto",
    "9|setembro",
    "10|outubro",
    "11|novembro",
    "12|dezembro",
};

const std::vector<std::string> kErrorListMessages2 = {
    "Doc_Inf_P|Documento informado já cadastrado para a filial",
    "Data_Ent|data de entrada",
    "NF_LancAG|Operação Bloqueada! Existe uma nota fiscal de retorno de armazenagem associada. A mesma "
    "deverá "
    "ser excluída para que seja possível efetuar alteração/exclusão.",
    "REMRELAC|Operação bloqueada! Nota fiscal relacionada a nota fiscal de remessa filial %s, lançamento %s "
    "e "
    "data %s.",
    "VrNota_VrXml|Operação bloqueada! Valor da nota fiscal difere do valor da nota fiscal eletrônica "
    "(arquivo "
    "XML).",
    "Sem_ImpoObrig|Produto %s sem o imposto obrigatório %s.",
    "CorpoNf_Obrig|Imposto %s obrigatório no corpo da nota fiscal.",
    "CSTINVALID|Produto %s: situação tributária %s inválida para o imposto %s.",
    "CSTEMPTINV|Produto %s: situação tributária do imposto %s deve ser informada.",
    "CSTVRIMP|Situação tributária %s não permite valor de imposto no produto %s.",
    "1CFOPINV|Produto %s com CFOP inválido para a operação de entrada.",
    "Sem_CstIcmsSt|Existem produtos sem situação tributária de ICMS ST informada.",
    "AGENTE_TERCE_EMPTY|Agente terceiro da nota fiscal deve ser informado.",
    "PRBLO|Produto controlado %s bloqueado para movimentação.",
    "FORNA|Fornecedor sem autorização para o produto controlado %s.",
    "DTALV|Alvará do fornecedor com validade vencida.",
    "PRSAL|Produto controlado %s sem saldo autorizado.",
    "DTALF|Alvará da filial com validade vencida.",
    "FILA|Filial sem autorização para o produto controlado %s.",
    "DTALT|Alvará da transportadora com validade vencida.",
    "TRAA|Transportadora sem autorização para o produto controlado %s.",
    "PESO_LIQ|Peso líquido da nota fiscal deve ser informado.",
    "Bloq_Item_Repete|Operação bloqueada! Existem produtos repetidos na nota fiscal.",
    "Enc_XML|Encargo %s informado difere do encargo da nota fiscal eletrônica (arquivo XML).",
    "Enc_N_XML|Encargo %s não consta na nota fiscal eletrônica (arquivo XML).",
    "Enc_Dif|Valor do encargo %s difere do valor da nota fiscal eletrônica (arquivo XML).",
    "Bloq_Igual|Operação bloqueada! Já existe lançamento com o mesmo documento",
    "ITSEMAF|Item sem AF relacionada: %s.",
    "NFRefMsg|Nota fiscal de crédito de ICMS ST já referenciada em outro lançamento.",
    "Sem_Imposto|Operação bloqueada! Nota fiscal sem impostos gerados.",
    "BloqLimit|Operação bloqueada! Fornecedor sem grupo de limite de compras cadastrado.",
    "Lim_Ult|O valor da nota fiscal ultrapassa o limite de compras do fornecedor. Deseja continuar?",
};

namespace {

using Text = std::string (*)(const ClosingRow&, const ErrorTexts&, const std::string& message);

struct Line {
    const char* code;
    RowKind kind;
    const char* position;
    int table; // 1 msgPadrao, 2 msgPadrao2
    const char* message;
    Text text;
    bool irregular = false;
    bool once = false;
};

// The product code with the tree's literals put in (the mask that does not keep them in the value).
std::string Masked(const ErrorTexts& t, const std::string& code) {
    const std::string digits = t.productMask.substr(0, t.productMask.find(';'));
    return digits.empty() ? code : support::FormatMaskText(digits + ";0;_", code);
}

// The budget's month arrives as its number; "01" is January as "1" is.
std::string Month(const ErrorTexts& t, const std::string& number) {
    const std::string trimmed = text::Trim(number);
    if (!text::IsDigits(trimmed)) return trimmed;
    const size_t first = trimmed.find_first_not_of('0');
    const std::string plain = first == std::string::npos ? std::string("0") : trimmed.substr(first);
    return t.first.Has(plain) && plain.size() <= 2 ? t.first.Msg(plain) : trimmed;
}

std::string Plain(const ClosingRow&, const ErrorTexts&, const std::string& m) {
    return m;
}
std::string WithObject(const ClosingRow& r, const ErrorTexts&, const std::string& m) {
    return support::FormatMsg(m, {r.object});
}
std::string WithProduct(const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
    return support::FormatMsg(m, {Masked(t, r.object)});
}
std::string WithMonth(const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
    return support::FormatMsg(m, {Month(t, r.object3)});
}
std::string WithShare(const ClosingRow& r, const ErrorTexts&, const std::string& m) {
    return support::FormatMsg(m, {r.object, decimal::ToDisplay(r.value), "%"});
}

const Line kTable[] = {
    {"DFE11000_2", RowKind::Visible, "8", 2, "Doc_Inf_P",
     [](const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
         return m + " " + r.object + ", " + t.second.Msg("Data_Ent") + " " + r.object2 + ".";
     }},
    {"NF_LancAG", RowKind::Stop, "", 2, "NF_LancAG", Plain},
    {"Lanc_Aprov", RowKind::Stop, "", 1, "Lanc_Aprov", Plain},
    {"REMRELAC", RowKind::Stop, "", 2, "REMRELAC",
     [](const ClosingRow& r, const ErrorTexts&, const std::string& m) {
         return support::FormatMsg(m, {r.object, r.object2, r.object3});
     }},
    {"VrNF_VrXml", RowKind::Stop, "", 2, "VrNota_VrXml", Plain},
    {"Prod_NOrAF", RowKind::Stop, "", 1, "Prod_NOriAF", Plain},
    {"LIB00200_3", RowKind::Visible, "5", 1, "Irreg_Prod_Est", Plain, true, true},
    {"LIB00200_2", RowKind::Visible, "7", 1, "Implan_Rea", Plain},
    {"LIB00200_5", RowKind::Visible, "9", 1, "Est_Atu", Plain},
    {"DFE11000_3", RowKind::Visible, "9", 1, "Prod_Inat", WithObject},
    {"DFE11000_4", RowKind::Visible, "0", 1, "Serie_NCad", Plain},
    {"DFE11000_5", RowKind::Visible, "A", 1, "Prod_NEst", WithObject},
    {"DFE11000_6", RowKind::Visible, "B", 1, "Inve_Pend", Plain},
    {"DFE11000_7", RowKind::Visible, "7", 1, "DtInteg", Plain},
    {"ORC1", RowKind::Visible, "C", 1, "LancC_Bloq", WithMonth},
    {"ORC2", RowKind::Visible, "D", 1, "LancD_Bloq", WithMonth},
    {"ORC3", RowKind::Visible, "E", 1, "Alert_Cons", WithShare},
    {"ORC4", RowKind::Visible, "F", 1, "Alert_Desp", WithShare},
    {"SEMIMPOBRI", RowKind::Visible, "G", 2, "Sem_ImpoObrig",
     [](const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
         return support::FormatMsg(m, {Masked(t, r.object2), r.object});
     }},
    {"CORPONF", RowKind::Visible, "G", 2, "CorpoNf_Obrig", WithObject},
    {"CSTINVALID", RowKind::Visible, "9", 2, "CSTINVALID",
     [](const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
         return support::FormatMsg(m, {Masked(t, r.object), r.object2, r.object3});
     }},
    {"CSTEMPTINV", RowKind::Visible, "9", 2, "CSTEMPTINV",
     [](const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
         return support::FormatMsg(m, {Masked(t, r.object), r.object3});
     }},
    {"CSTVRIMP", RowKind::Visible, "9", 2, "CSTVRIMP",
     [](const ClosingRow& r, const ErrorTexts& t, const std::string& m) {
         return support::FormatMsg(m, {r.object2, Masked(t, r.object)});
     }},
    {"1CFOPINV", RowKind::Visible, "9", 2, "1CFOPINV", WithProduct},
    {"CSTICMSST", RowKind::Visible, "9", 2, "Sem_CstIcmsSt", Plain},
    {"TERCEEMPTY", RowKind::Visible, "9", 2, "AGENTE_TERCE_EMPTY", Plain},
    {"BCMENSAL", RowKind::MonthlyBase, "", 0, "", nullptr},
    {"PRBLO", RowKind::Visible, "W", 2, "PRBLO", WithProduct},
    {"FORNA", RowKind::Visible, "W", 2, "FORNA", WithProduct},
    {"DTALV", RowKind::Visible, "W", 2, "DTALV", Plain},
    {"PRSAL", RowKind::Visible, "W", 2, "PRSAL", WithProduct},
    {"DTALF", RowKind::Visible, "W", 2, "DTALF", Plain},
    {"FILA", RowKind::Visible, "W", 2, "FILA", WithProduct},
    {"DTALT", RowKind::Visible, "W", 2, "DTALT", Plain},
    {"TRAA", RowKind::Visible, "W", 2, "TRAA", WithProduct},
    {"PESO_LIQ", RowKind::Visible, "X", 2, "PESO_LIQ", Plain},
    {"BLOQ_REPE", RowKind::Visible, "X", 2, "Bloq_Item_Repete", Plain},
    {"Enc_XML", RowKind::Visible, "H", 2, "Enc_XML", WithObject},
    {"Enc_N_XML", RowKind::Visible, "H", 2, "Enc_N_XML", WithObject},
    {"Enc_Dif", RowKind::Visible, "H", 2, "Enc_Dif", WithObject},
    {"BloqIgual", RowKind::Visible, "8", 2, "Bloq_Igual",
     [](const ClosingRow& r, const ErrorTexts&, const std::string& m) {
         return m + " (" + r.object + " - " + r.object2 + ")";
     }},
    {"ITSEMAF", RowKind::Visible, "8", 2, "ITSEMAF",
     [](const ClosingRow& r, const ErrorTexts&, const std::string& m) {
         return support::FormatMsg(m, {r.object + " - " + r.object2});
     }},
};

// Rows that carry numbers or marks for the closing run, not messages.
constexpr const char* kWithoutRow[] = {"NRLANCESTQ", "NRLANCTONF", "NOTAFISCAL",
                                       "LIB00200_4", "AVISO_ERRO", "OCORR_ERRO"};

RowOutcome Stop(const ErrorTexts& t, const char* code, int table) {
    RowOutcome out;
    out.kind = RowKind::Stop;
    out.messageCode = code;
    out.text = (table == 1 ? t.first : t.second).Msg(code);
    return out;
}

} // namespace

RowOutcome DescribeClosingRow(const ClosingRow& row, const ErrorTexts& texts) {
    if (row.code == "NSaida") return Stop(texts, "NSaida", 1);
    for (const char* code : kWithoutRow) {
        if (row.code == code) return {};
    }
    for (const Line& line : kTable) {
        if (row.code != line.code) continue;
        RowOutcome out;
        out.kind = line.kind;
        out.position = line.position;
        out.messageCode = line.message;
        out.irregularProduct = line.irregular;
        out.once = line.once;
        if (line.text)
            out.text =
                line.text(row, texts, (line.table == 1 ? texts.first : texts.second).Msg(line.message));
        return out;
    }
    // A fiscal routine's finding: its message code and the tax it names.
    RowOutcome out;
    out.kind = RowKind::Visible;
    out.position = text::Left(row.code, 1);
    out.text = text::Left(row.object, 4);
    out.tax = text::Mid(row.object, 4);
    return out;
}

RowOutcome FollowClosingRow(const ClosingRow& row, const ErrorTexts& texts) {
    if (row.code == "NFCREDST") {
        RowOutcome out;
        out.kind = RowKind::Visible;
        out.position = "8";
        out.text = texts.second.Msg("NFRefMsg") + " NF: " + row.object2 + " Filial: " + row.object +
                   " Data Entrada: " + row.object3 + ".";
        return out;
    }
    if (row.code == "AVISO_ERRO" || row.code == "NOTAFISCAL") {
        RowOutcome out;
        out.kind = RowKind::Mark;
        return out;
    }
    if (row.code == "RECESTOQUE") return Stop(texts, "Indice_Fin", 1);
    if (row.code == "SEMIMPOSTO") return Stop(texts, "Sem_Imposto", 2);
    if (row.code == "BloqLimit") {
        if (row.object == "Sem_Grupo") return Stop(texts, "BloqLimit", 2);
        RowOutcome out;
        out.kind = RowKind::LimitAsk;
        out.messageCode = "Lim_Ult";
        return out;
    }
    return {};
}

} // namespace dfe::dfe11000
