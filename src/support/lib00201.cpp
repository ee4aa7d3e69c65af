#include "support/lib00201.h"

#include "platform/core/nfe_access_key.h"

namespace dfe::support::lib00201 {

bool Verifica_DigitoVerificadorNFe(std::string_view key) {
    return nfe::IsValidAccessKey(key);
}

std::string Consulta_GrupoFiscal(std::string_view, std::string_view, std::string_view, std::string_view,
                                 std::string_view, std::string_view defaultGroup) {
    return std::string(defaultGroup);
}

} // namespace dfe::support::lib00201
