#include "support/keep_connected.h"

namespace dfe::support {
namespace {
bool gKeep = true;
}

bool KeepConnected() {
    return gKeep;
}
void SetKeepConnected(bool keep) {
    gKeep = keep;
}

} // namespace dfe::support
