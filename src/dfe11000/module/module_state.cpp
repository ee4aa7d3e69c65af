#include "dfe11000/module/module_state.h"

#include "support/db_picture.h"

namespace dfe::dfe11000 {
namespace {
ModuleState gState;
}

ModuleState& Cli_dfe11000() {
    return gState;
}

void InitializeModuleState() {
    gState = ModuleState();
}

} // namespace dfe::dfe11000
