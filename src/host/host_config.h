#pragma once

#include "platform/ui/host_context.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::host {

// Where a screen of the menu lives: its package and the creator the package exports.
struct ScreenEntry {
    std::string package;
    std::string creator;
};

// The host's settings: the session context, where packages are and which screens the menu offers.
struct HostConfig {
    HostContext context;
    std::vector<std::filesystem::path> packageDirs;
    std::map<std::string, ScreenEntry> screens{{"DFE11000", {"Pkg_dfe11000", "CriaLancNFEntrada"}}};
};

// Applies one "key = value" setting (the config file's and the command line's keys are the same):
// operator, branch, fixed_branch, processing_date, processing_date.BRANCH, server, database, packages,
// screen.CODE (value "Package:Creator"). Returns the reason when the key or value is refused.
std::optional<std::string> ApplySetting(HostConfig& config, std::string_view key, std::string_view value);

// Reads a config file of "key = value" lines ('#' starts a comment line). Errors name the file and line.
std::optional<std::string> LoadConfigFile(HostConfig& config, const std::filesystem::path& file);

// "1" becomes "0001"; refuses what is not 1 to 4 letters or digits.
std::optional<std::string> NormalizeBranch(std::string_view text);
// "dd/mm/yyyy" or "yyyy-mm-dd".
std::optional<DateTime> ParseConfigDate(std::string_view text);

} // namespace dfe::host
