#pragma once

#include "platform/ui/application.h"
#include "platform/ui/dialog_service.h"

namespace dfe::support {

// The application the support routines work on: the host's (handed to the package) or the test's.
// Throws std::logic_error when there is none, which only a misbuilt program can cause.
Application& CurrentApp();
DialogService& CurrentDialogs();

} // namespace dfe::support
