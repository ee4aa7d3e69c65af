#include "platform/net/connection_references.h"

namespace dfe::net {

int& ConnectionReferences::Slot(const std::string& serverName) {
    for (auto& [name, count] : counts_) {
        if (name == serverName) return count;
    }
    counts_.emplace_back(serverName, 0);
    return counts_.back().second;
}

void ConnectionReferences::ConnectServer(TNetConnection& connection, bool connect) {
    int& count = Slot(connection.ServerName());
    if (connect) {
        if (count == 0 || !connection.Connected()) connection.Connect();
        ++count;
        return;
    }
    if (count > 0) --count;
    if (count == 0) connection.Disconnect();
}

int ConnectionReferences::Count(const std::string& serverName) const {
    for (const auto& [name, count] : counts_) {
        if (name == serverName) return count;
    }
    return 0;
}

std::vector<std::string> ConnectionReferences::Entries() const {
    std::vector<std::string> out;
    for (const auto& [name, count] : counts_)
        out.push_back(name + "=" + std::to_string(count));
    return out;
}

ConnectionReference::ConnectionReference(ConnectionReferences& references, TNetConnection& connection)
    : references_(references), connection_(connection) {
    references_.ConnectServer(connection_, true);
}

ConnectionReference::~ConnectionReference() {
    references_.ConnectServer(connection_, false);
}

} // namespace dfe::net
