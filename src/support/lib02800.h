#pragma once

// The support library's bank collection routines (package Lib02800): the 44-digit bar code of a bank slip
// ("boleto", issued by a bank) or of a collection slip (utilities and taxes, beginning with 8), checked by
// its check digits, and the typeable line printed above it.

#include <string>
#include <string_view>

namespace dfe::support::lib02800 {

// Why the bar code is not valid; empty when it is.
std::string BarCodeFault(std::string_view code);
// Shows the fault and abandons (Abort) for an invalid bar code.
void Vd_CodigoBarras(std::string_view code);
// The typeable line of a valid bar code: a bank slip's five fields ("00190.00009 01234.567004 01234.567891 1
// 23450000010000", 54 characters) or a collection slip's four blocks with their digits (55 characters).
// Empty for an invalid bar code.
std::string TransformaBarraLinhaDigi(std::string_view code);

} // namespace dfe::support::lib02800
