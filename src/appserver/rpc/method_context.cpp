#include "appserver/rpc/method_context.h"

namespace dfe::appserver {

void MethodContext::ExpectArgs(size_t count) const {
    if (args_.size() < count) {
        throw MethodRefusal("O método " + method_ + " espera " + std::to_string(count) + " argumento(s) e recebeu " +
                            std::to_string(args_.size()));
    }
}

const Variant& MethodContext::Arg(size_t index) const {
    ExpectArgs(index + 1);
    return args_[index].value;
}

void MethodContext::SetArg(size_t index, Variant value) {
    ExpectArgs(index + 1);
    args_[index].value = std::move(value);
}

} // namespace dfe::appserver
