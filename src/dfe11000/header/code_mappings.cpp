#include "dfe11000/header/code_mappings.h"

namespace dfe::dfe11000 {
namespace {

constexpr CodeText kFreteContaEntries[] = {
    {"0", "Contratação do Frete por Conta do Remetente (CIF)"},
    {"1", "Contratação do Frete por Conta do Destinatário (FOB)"},
    {"2", "Contratação do Frete por Conta de Terceiros"},
    {"3", "Transporte Próprio por Conta do Remetente"},
    {"4", "Transporte Próprio por Conta do Destinatário"},
    {"9", "Sem Ocorrência de Transporte"},
};

constexpr CodeText kTipoCteEntries[] = {
    {"0", "0 - CT-e Normal"},
    {"1", "1 - CT-e de Complemento de Valores"},
    {"2", "2 - CT-e de Anulação de Valores"},
    {"3", "3 - CT-e Substituto"},
};

constexpr CodeText kFinEmisDocEntries[] = {
    {"1", "1 - Normal"},
    {"2", "2 - Substituição"},
    {"3", "3 - Normal com Ajuste"},
};

constexpr CodeText kModDocArrecEntries[] = {
    {"0", "0 - Documento Estadual de Arrecadação"},
    {"1", "1 - GNRE"},
};

constexpr CodeText kNatFreteCTeEntries[] = {
    {"0", "0 - Operações de vendas, com ônus suportado pelo estabelecimento vendedor."},
    {"1", "1 - Operações de vendas, com ônus suportado pelo adquirente."},
    {"2", "2 - Operações de compras (bens para revenda, matérias-prima e outros produtos, geradores de "
          "crédito)."},
    {"3", "3 - Operações de compras (bens para revenda, matérias-prima e outros produtos, não geradores de "
          "crédito)."},
    {"4", "4 - Transferência de produtos acabados entre estabelecimentos da pessoa jurídica."},
    {"5", "5 - Transferência de produtos em elaboração entre estabelecimentos da pessoa jurídica."},
    {"9", "9 - Outras."},
};

} // namespace

const CodeMapping kFreteConta{"IDPGTOFRETE", "cbbFreteConta", false, kFreteContaEntries};
const CodeMapping kTipoCte{"CDTIPOCTE", "cbbTipoCte", true, kTipoCteEntries};
const CodeMapping kFinEmisDoc{"CDFINEMIDOCNF", "cbbFinEmisDoc", true, kFinEmisDocEntries};
const CodeMapping kModDocArrec{"CDMODDOCARREC", "cbbModDocArrec", true, kModDocArrecEntries};
const CodeMapping kNatFreteCTe{"IDNATFRETECTE", "cbbNatFreteCTe", true, kNatFreteCTeEntries};

std::span<const CodeMapping* const> CodeMappings() {
    static const CodeMapping* const all[] = {&kFreteConta, &kTipoCte, &kFinEmisDoc, &kModDocArrec,
                                             &kNatFreteCTe};
    return all;
}

std::vector<std::string> ListItems(const CodeMapping& mapping) {
    std::vector<std::string> items;
    if (mapping.emptyItem) items.emplace_back();
    for (const CodeText& entry : mapping.entries)
        items.emplace_back(entry.text);
    return items;
}

std::string TextOfCode(const CodeMapping& mapping, std::string_view code) {
    for (const CodeText& entry : mapping.entries) {
        if (entry.code == code) return std::string(entry.text);
    }
    return {};
}

std::optional<std::string> CodeOfText(const CodeMapping& mapping, std::string_view text) {
    if (text.empty()) return std::string();
    for (const CodeText& entry : mapping.entries) {
        if (entry.text == text) return std::string(entry.code);
    }
    return std::nullopt;
}

} // namespace dfe::dfe11000
