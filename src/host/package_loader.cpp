#include "host/package_loader.h"

#include <dlfcn.h>

namespace dfe::host {
namespace {

bool IsPackageName(std::string_view name) {
    if (name.empty() || name.size() > 64) return false;
    for (char ch : name) {
        bool ok =
            (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
        if (!ok) return false;
    }
    return true;
}

std::string LastDlError() {
    const char* error = dlerror();
    return error ? error : "";
}

} // namespace

std::filesystem::path ProgramDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

PackageLoader::PackageLoader(std::vector<std::filesystem::path> searchDirs, HostServices& host)
    : searchDirs_(std::move(searchDirs)), host_(host) {}

std::string PackageLoader::LibraryFileName(std::string_view package) {
    return "lib" + std::string(package) + ".so";
}

bool PackageLoader::IsLoaded(std::string_view name) const {
    return handles_.count(std::string(name)) > 0;
}

std::filesystem::path PackageLoader::Locate(std::string_view name) const {
    const std::string file = LibraryFileName(name);
    std::error_code ec;
    for (const auto& dir : searchDirs_) {
        auto candidate = dir / file;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return {};
}

void PackageLoader::Load(std::string_view name) {
    if (!IsPackageName(name)) throw PackageError("Nome de pacote inválido: \"" + std::string(name) + "\".");
    if (IsLoaded(name)) return;
    const std::string package(name);
    auto path = Locate(name);
    if (path.empty()) {
        std::string searched;
        for (const auto& dir : searchDirs_)
            searched += (searched.empty() ? "" : ", ") + dir.string();
        throw PackageError("O pacote " + package + " não está instalado.",
                           LibraryFileName(name) + " não foi encontrado em: " + searched);
    }
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw PackageError("O pacote " + package + " não pôde ser carregado.", LastDlError());
    auto refuse = [&](const std::string& message, const std::string& detail) {
        dlclose(handle);
        throw PackageError(message, detail);
    };
    using VersionFn = int (*)();
    using AttachFn = void (*)(HostServices*);
    auto version = reinterpret_cast<VersionFn>(dlsym(handle, "DfePackageAbiVersion"));
    auto attach = reinterpret_cast<AttachFn>(dlsym(handle, "DfeAttachHost"));
    if (!version || !attach)
        refuse("O arquivo " + path.filename().string() + " não é um pacote do Quilmar.",
               "faltam DfePackageAbiVersion e DfeAttachHost em " + path.string());
    if (int v = version(); v != kPackageAbiVersion)
        refuse("O pacote " + package + " foi feito para outra versão do Quilmar.",
               "versão " + std::to_string(v) + ", esperada " + std::to_string(kPackageAbiVersion));
    attach(&host_);
    handles_.emplace(package, handle);
}

void* PackageLoader::Symbol(std::string_view package, std::string_view symbol) {
    Load(package);
    dlerror();
    void* address = dlsym(handles_.at(std::string(package)), std::string(symbol).c_str());
    if (!address)
        throw PackageError("O pacote " + std::string(package) + " não tem a rotina " + std::string(symbol) +
                               ".",
                           LastDlError());
    return address;
}

} // namespace dfe::host
