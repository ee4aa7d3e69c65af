#include "host/embedded_default.h"

namespace dfe::host {

std::filesystem::path DefaultDataDir(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome) return std::filesystem::path(xdgDataHome) / "quilmar";
    if (home && *home) return std::filesystem::path(home) / ".local" / "share" / "quilmar";
    return std::filesystem::path("quilmar-data");
}

} // namespace dfe::host
