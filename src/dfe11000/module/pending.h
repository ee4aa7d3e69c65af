#pragma once

// Operations of the posting screen that later work fills in (docs/pending.md lists each with its issue).
// Each tells the clerk plainly that it is not available yet; none pretends to succeed.

#include <string_view>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

inline constexpr const char* kNotAvailableCode = "Nao_Disp";

// Shows "<operation>: operação ainda não disponível nesta versão." and abandons the caller (Abort).
[[noreturn]] void NotAvailableYet(std::string_view operation);

} // namespace dfe::dfe11000
