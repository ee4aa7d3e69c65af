#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dfe::appserver {
class EmbeddedServer;
}

namespace dfe::host {

// The per-user data folder: $XDG_DATA_HOME/quilmar, else $HOME/.local/share/quilmar, else ./quilmar-data.
std::filesystem::path DefaultDataDir(const char* xdgDataHome, const char* home);

// The embedded default: the demo database (created with its demo data on first run, brought to the current
// schema on later ones) and the application server running in this process over it, registered as the
// in-process server for as long as this object lives.
class EmbeddedDefault {
public:
    // Throws std::runtime_error (with the path) when the folder or the database cannot be made.
    explicit EmbeddedDefault(const std::filesystem::path& database);
    EmbeddedDefault(const EmbeddedDefault&) = delete;
    EmbeddedDefault& operator=(const EmbeddedDefault&) = delete;
    ~EmbeddedDefault();

    const std::filesystem::path& Database() const { return database_; }
    // The schema and demo files this start applied (all of them on the first run, none later).
    const std::vector<std::string>& Applied() const { return applied_; }

private:
    std::filesystem::path database_;
    std::vector<std::string> applied_;
    std::unique_ptr<appserver::EmbeddedServer> server_;
};

} // namespace dfe::host
