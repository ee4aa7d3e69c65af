#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dfe::db::testing {

// A private PostgreSQL server for one test program: a fresh cluster in a temporary folder, on a free port,
// reached through a Unix socket in that folder, removed at the end. Run as the "postgres" user when the tests
// run as root (the server refuses root).
class PostgresCluster {
public:
    // Nothing (and the reason) when this machine cannot run one.
    static std::unique_ptr<PostgresCluster> Start(std::string& whyNot) {
        const std::string bin = FindBin();
        if (bin.empty()) {
            whyNot = "PostgreSQL não instalado (initdb não encontrado)";
            return nullptr;
        }
        auto cluster = std::unique_ptr<PostgresCluster>(new PostgresCluster(bin));
        if (!cluster->Init(whyNot)) return nullptr;
        return cluster;
    }
    ~PostgresCluster() {
        Run(bin_ + "/pg_ctl -D " + dir_ + "/data -m immediate -w stop >/dev/null 2>&1");
        std::filesystem::remove_all(dir_);
    }
    // A connection string to a new, empty database of this cluster.
    std::string NewDatabase() {
        const std::string name = "dfe_" + std::to_string(++databases_);
        Run(bin_ + "/createdb -h " + dir_ + " -p " + std::to_string(port_) + " -U dfe " + name);
        return "host=" + dir_ + " port=" + std::to_string(port_) + " user=dfe dbname=" + name;
    }

private:
    explicit PostgresCluster(std::string bin) : bin_(std::move(bin)) {}

    static std::string FindBin() {
        const std::filesystem::path root = "/usr/lib/postgresql";
        std::error_code ec;
        for (const auto& version : std::filesystem::directory_iterator(root, ec)) {
            if (std::filesystem::exists(version.path() / "bin" / "initdb"))
                return (version.path() / "bin").string();
        }
        return {};
    }
    static int FreePort() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof(addr);
        int port = 0;
        if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
            port = ntohs(addr.sin_port);
        }
        close(fd);
        return port;
    }
    int Run(const std::string& command) const {
        const std::string full = geteuid() == 0 ? "runuser -u postgres -- " + command : command;
        return std::system(full.c_str());
    }
    bool Init(std::string& whyNot) {
        char pattern[] = "/tmp/dfe_pg_XXXXXX";
        if (!mkdtemp(pattern)) {
            whyNot = "sem pasta temporária";
            return false;
        }
        dir_ = pattern;
        if (geteuid() == 0 && std::system(("chown postgres " + dir_).c_str()) != 0) {
            whyNot = "usuário postgres ausente";
            return false;
        }
        port_ = FreePort();
        if (Run(bin_ + "/initdb -D " + dir_ + "/data -A trust -U dfe -E UTF8 --no-sync >" + dir_ +
                "/initdb.log 2>&1") != 0) {
            whyNot = "initdb falhou (" + dir_ + "/initdb.log)";
            return false;
        }
        if (Run(bin_ + "/pg_ctl -D " + dir_ + "/data -l " + dir_ + "/server.log -w -o \"-p " +
                std::to_string(port_) + " -k " + dir_ +
                " -c listen_addresses='' -c fsync=off\" start >/dev/null") != 0) {
            whyNot = "o servidor PostgreSQL não iniciou (" + dir_ + "/server.log)";
            return false;
        }
        return true;
    }

    std::string bin_;
    std::string dir_;
    int port_ = 0;
    int databases_ = 0;
};

} // namespace dfe::db::testing
