#include "appserver/rpc/method_registry.h"

#include "platform/core/text.h"

#include <stdexcept>

namespace dfe::appserver {

void MethodRegistry::Add(std::string connection, std::string name, MethodKind kind, MethodFunction function) {
    if (Find(connection, name))
        throw std::logic_error("Método registrado duas vezes: " + connection + "." + name);
    index_.emplace(Key(connection, name), methods_.size());
    methods_.push_back({std::move(connection), std::move(name), kind, std::move(function)});
}

std::string MethodRegistry::Key(std::string_view connection, std::string_view name) {
    return text::Upper(connection) + '\n' + text::Upper(name);
}

const RemoteMethod* MethodRegistry::Find(std::string_view connection, std::string_view name) const {
    const auto it = index_.find(Key(connection, name));
    return it == index_.end() ? nullptr : &methods_[it->second];
}

bool MethodRegistry::HasConnection(std::string_view connection) const {
    for (const RemoteMethod& m : methods_) {
        if (text::SameText(m.connection, connection)) return true;
    }
    return false;
}

} // namespace dfe::appserver
