#pragma once

// The support library's fiscal routines of package Lib00201 that the screens call by these names.

#include <string>
#include <string_view>

namespace dfe::support::lib00201 {

// True when the 44-digit NF-e access key ends with the check digit of its first 43 digits; false for anything
// that is not 44 digits (a blank, a letter, the mask's dots, another length).
bool Verifica_DigitoVerificadorNFe(std::string_view key);

// The fiscal group of an operation: the receiving branch's group for the direction ("E" entry, "S" exit),
// operation type and kind of participant (origDest "F", "C", "L"; a row for any kind counts when none is for
// this kind), from GRUPOFISCOPER through the lookup database; else `defaultGroup` (the branch parameter).
// The participant's code decides nothing in these tables; it is taken so the callers keep their arguments.
std::string Consulta_GrupoFiscal(std::string_view origDest, std::string_view originCode,
                                 std::string_view receivingBranch, std::string_view direction,
                                 std::string_view operationType, std::string_view defaultGroup);

} // namespace dfe::support::lib00201
