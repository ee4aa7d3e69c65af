#include "support/lib00201.h"

#include "platform/core/nfe_access_key.h"

namespace dfe::support::lib00201 {

bool Verifica_DigitoVerificadorNFe(std::string_view key) {
    return nfe::IsValidAccessKey(key);
}

} // namespace dfe::support::lib00201
