#pragma once

// The support library's fiscal routines of package Lib00201 that the screens call by these names.

#include <string_view>

namespace dfe::support::lib00201 {

// True when the 44-digit NF-e access key ends with the check digit of its first 43 digits; false for anything
// that is not 44 digits (a blank, a letter, the mask's dots, another length).
bool Verifica_DigitoVerificadorNFe(std::string_view key);

} // namespace dfe::support::lib00201
