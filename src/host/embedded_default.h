#pragma once

#include <filesystem>

namespace dfe::host {

// The per-user data folder where a bare quilmar keeps its demo database: $XDG_DATA_HOME/quilmar, else
// $HOME/.local/share/quilmar, else ./quilmar-data.
std::filesystem::path DefaultDataDir(const char* xdgDataHome, const char* home);

} // namespace dfe::host
