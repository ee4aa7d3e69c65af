#pragma once

#include "host/host_config.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dfe::host {

// What quilmar was asked to do.
struct HostOptions {
    bool help = false;
    bool headless = false;
    std::optional<std::filesystem::path> configFile;
    std::optional<std::filesystem::path> script;
    std::optional<std::string> openScreen;
    // Windowed: a picture of the screen once it is up, and whether to quit right after it.
    std::optional<std::filesystem::path> screenshot;
    bool quitAfterScreenshot = false;
    // Settings given on the command line; they win over the config file.
    std::vector<std::pair<std::string, std::string>> settings;
};

struct CommandLineResult {
    HostOptions options;
    std::string error;
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& args);
std::string Usage();

// The config file to read: --config, else $QUILMAR_CONFIG, else quilmar.conf next to the program when there.
// A file named explicitly must exist.
std::optional<std::filesystem::path> ChooseConfigFile(const HostOptions& options,
                                                      const char* environmentValue,
                                                      const std::filesystem::path& programDir);

// Builds the configuration: defaults, then the file, then the command line. Returns the error, if any.
std::optional<std::string> BuildConfig(HostConfig& config, const HostOptions& options,
                                       const std::optional<std::filesystem::path>& file);

} // namespace dfe::host
