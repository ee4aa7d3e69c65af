#pragma once

// The support library's fiscal routines of package Lib00201 that the screens call by these names.

#include <string>
#include <string_view>

namespace dfe::support::lib00201 {

// True when the 44-digit NF-e access key ends with the check digit of its first 43 digits; false for anything
// that is not 44 digits (a blank, a letter, the mask's dots, another length).
bool Verifica_DigitoVerificadorNFe(std::string_view key);

// The fiscal group of a document: for the participant kind ("F", "C", "L"), the participant's code, the
// receiving branch, the direction ("E" entry), the operation type and the branch's default group.
std::string Consulta_GrupoFiscal(std::string_view participantKind, std::string_view participant,
                                 std::string_view branch, std::string_view direction,
                                 std::string_view operationType, std::string_view defaultGroup);

} // namespace dfe::support::lib00201
