#include "appserver/rpc/method_registry.h"

#include "platform/core/text.h"

#include <stdexcept>

namespace dfe::appserver {

void MethodRegistry::Add(std::string connection, std::string name, MethodKind kind, MethodFunction function) {
    if (Find(connection, name)) throw std::logic_error("Método registrado duas vezes: " + connection + "." + name);
    methods_.push_back({std::move(connection), std::move(name), kind, std::move(function)});
}

const RemoteMethod* MethodRegistry::Find(std::string_view connection, std::string_view name) const {
    for (const RemoteMethod& m : methods_) {
        if (text::SameText(m.connection, connection) && text::SameText(m.name, name)) return &m;
    }
    return nullptr;
}

bool MethodRegistry::HasConnection(std::string_view connection) const {
    for (const RemoteMethod& m : methods_) {
        if (text::SameText(m.connection, connection)) return true;
    }
    return false;
}

} // namespace dfe::appserver
