#pragma once

#include "appserver/rpc/method_context.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dfe::appserver {

// Reads run in a read transaction. Writes run in a write transaction and record their answer under the
// request token, so that a repeated request is answered from the record instead of being done again.
// A work write is a write of rows the client can have computed again (an item's last taxes): its commit is
// not waited onto the disk, so a machine crash may lose it, never corrupt it.
enum class MethodKind { Read, Write, WorkWrite };

using MethodFunction = std::function<Variant(MethodContext&)>;

struct RemoteMethod {
    std::string connection; // "Dfe11000.rdmLancNFEntrada"
    std::string name;
    MethodKind kind = MethodKind::Read;
    MethodFunction function;
};

// The remote data modules: named methods under connection names, found without regard to case.
class MethodRegistry {
public:
    void Add(std::string connection, std::string name, MethodKind kind, MethodFunction function);
    const RemoteMethod* Find(std::string_view connection, std::string_view name) const;
    bool HasConnection(std::string_view connection) const;
    const std::vector<RemoteMethod>& Methods() const { return methods_; }

private:
    static std::string Key(std::string_view connection, std::string_view name);

    std::vector<RemoteMethod> methods_;
    std::unordered_map<std::string, size_t> index_; // Key() to position in methods_
};

} // namespace dfe::appserver
