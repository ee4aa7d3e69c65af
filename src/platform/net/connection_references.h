#pragma once

#include "platform/net/net_connection.h"

#include <string>
#include <utility>
#include <vector>

namespace dfe::net {

// The form's list of connection references (entries "name=count"): a connection opens with its first
// reference and closes with its last, so nested calls share one connection.
class ConnectionReferences {
public:
    // connect true: opens the connection when its count is 0, then counts one more (a failed open counts
    // nothing and propagates). connect false: counts one less, never below 0, and closes at 0.
    void ConnectServer(TNetConnection& connection, bool connect);
    int Count(const std::string& serverName) const;
    std::vector<std::string> Entries() const;

private:
    int& Slot(const std::string& serverName);
    std::vector<std::pair<std::string, int>> counts_;
};

// A reference held for the duration of one call, released also when the call fails.
class ConnectionReference {
public:
    ConnectionReference(ConnectionReferences& references, TNetConnection& connection);
    ~ConnectionReference();
    ConnectionReference(const ConnectionReference&) = delete;
    ConnectionReference& operator=(const ConnectionReference&) = delete;

private:
    ConnectionReferences& references_;
    TNetConnection& connection_;
};

} // namespace dfe::net
