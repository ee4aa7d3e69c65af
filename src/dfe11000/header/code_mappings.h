#pragma once

// The header fields that hold a code and show a text: each code's text and its item in the drop-down list.
// The lists and the fields' get-text and set-text handlers are built from these tables, so a code, its text
// and its place in the list cannot drift apart.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::dfe11000 {

struct CodeText {
    std::string_view code;
    std::string_view text;
};

struct CodeMapping {
    const char* field; // of cdsNotaFiscal
    const char* combo;
    // The list starts with an empty item, which clears the field.
    bool emptyItem;
    std::span<const CodeText> entries;
};

extern const CodeMapping kFreteConta;  // IDPGTOFRETE
extern const CodeMapping kTipoCte;     // CDTIPOCTE
extern const CodeMapping kFinEmisDoc;  // CDFINEMIDOCNF
extern const CodeMapping kModDocArrec; // CDMODDOCARREC
extern const CodeMapping kNatFreteCTe; // IDNATFRETECTE
std::span<const CodeMapping* const> CodeMappings();

// The drop-down list's items in order.
std::vector<std::string> ListItems(const CodeMapping& mapping);
// The text a code shows; empty for no code and for a code not listed.
std::string TextOfCode(const CodeMapping& mapping, std::string_view code);
// The code an item's text stores: empty for the empty text, nothing for a text not listed.
std::optional<std::string> CodeOfText(const CodeMapping& mapping, std::string_view text);

} // namespace dfe::dfe11000
