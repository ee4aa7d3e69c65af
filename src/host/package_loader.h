#pragma once

#include "platform/ui/host_services.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::host {

// Loads module packages: shared libraries named lib<Package>.so, searched in the configured folders and
// then next to the program. Each is loaded once and stays loaded for the life of the process (the forms it
// creates keep pointing into it). A package must export DfePackageAbiVersion and DfeAttachHost; the loader
// hands it the host right after loading.
class PackageLoader {
public:
    PackageLoader(std::vector<std::filesystem::path> searchDirs, HostServices& host);
    PackageLoader(const PackageLoader&) = delete;
    PackageLoader& operator=(const PackageLoader&) = delete;

    // Throws PackageError: not installed, not a package, built for another version, bad name.
    void Load(std::string_view name);
    bool IsLoaded(std::string_view name) const;
    // Loads the package when needed.
    void* Symbol(std::string_view package, std::string_view symbol);

    static std::string LibraryFileName(std::string_view package);
    const std::vector<std::filesystem::path>& SearchDirs() const { return searchDirs_; }

private:
    std::filesystem::path Locate(std::string_view name) const;

    std::vector<std::filesystem::path> searchDirs_;
    HostServices& host_;
    std::map<std::string, void*> handles_;
};

// The folder of the running program.
std::filesystem::path ProgramDir();

} // namespace dfe::host
