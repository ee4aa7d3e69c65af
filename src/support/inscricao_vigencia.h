#pragma once

#include "platform/core/date_time.h"

#include <string>

namespace dfe::support {

// Whether the company's state registration is in force on the date (its validity's start and end days
// included; an open end never ends). A registration the company does not have is not in force; no
// registration at all leaves nothing to check.
bool Verifica_Vigencia_Insc(const std::string& registration, const std::string& company, DateTime date);

} // namespace dfe::support
