#pragma once

#include "platform/net/retry_policy.h"

namespace dfe::support {

// The retry policy's hooks on the current dialog service: the reconnection question ("Sim"/"Não",
// information style, code "Err_Conex") and the busy animation while reconnecting.
net::RetryHooks DialogRetryHooks();

} // namespace dfe::support
