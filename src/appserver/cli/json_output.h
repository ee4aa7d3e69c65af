#pragma once

#include "platform/core/variant.h"

#include <string>

namespace dfe::appserver {

// An answer as JSON for administrators and scripts: arrays as arrays, data packets as arrays of row objects
// (field name to value), dates as "yyyy-mm-dd" or "yyyy-mm-ddThh:nn:ss", null and unassigned as null.
std::string AnswerToJson(const Variant& answer);

} // namespace dfe::appserver
