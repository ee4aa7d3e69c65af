#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace dfe::appserver::testing {

inline std::filesystem::path SourceDir() {
    const char* dir = std::getenv("DFE_SOURCE_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::current_path();
}

// The public samples live beside the clone, not in it; empty when that folder is absent.
inline std::filesystem::path SharedSamples() {
    const auto dir = SourceDir() / ".." / "shared" / "nfe" / "samples";
    return std::filesystem::is_directory(dir) ? dir : std::filesystem::path();
}

inline std::filesystem::path DemoNfe(const std::string& name) {
    return SourceDir() / "src" / "appserver" / "schema" / "nfe" / name;
}

inline std::filesystem::path TestNfe(const std::string& name) {
    return SourceDir() / "tests" / "appserver" / "data" / "nfe" / name;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

} // namespace dfe::appserver::testing
