#pragma once

// The host's context as the modules read it: who operates, the branch in process and its processing date,
// whether the module runs for that branch only, where the server is, the product-code mask, other modules
// by name and the keyboard-hook slot. Read from the host the package was handed; without a host (tests,
// tools) from a local context that the caller may fill.

#include "platform/core/date_time.h"
#include "platform/ui/application.h"
#include "platform/ui/host_context.h"

#include <string>
#include <string_view>

namespace dfe::support::zymora {

std::string Operador();
std::string FiliProc();
// The processing date of a branch (the branch in process when empty).
DateTime DataProc(std::string_view branch = {});
bool ModuFili();
std::string WebURL();
int WebPort();
// The edit mask of product codes (CDARVPROD), one group of digits per level of the product tree.
std::string DBPict();
void SetDBPict(std::string mask);

// Opens another module by its screen code, as the host's menu does. A module that is not installed gives
// the clerk the host's message (with where it was looked for) and false; never a crash.
bool LoadBPL(std::string_view package, std::string_view arguments = {});

// The keyboard-hook slot of the host's message loop.
void SetMsgEventForm(MessageHook hook);
void ClearMsgEventForm();

// The context used when no host is present.
HostContext& LocalContext();

} // namespace dfe::support::zymora
