#include "platform/net/call_args.h"

#include "platform/net/byte_io.h"

namespace dfe::net {

CallArgs& CallArgs::Add(ArgType type, dfe::Variant value) {
    args_.push_back(RpcArg{type, false, std::move(value)});
    targets_.emplace_back();
    return *this;
}

CallArgs& CallArgs::AddRef(ArgType type, dfe::Variant value, Target target) {
    args_.push_back(RpcArg{type, true, std::move(value)});
    targets_.push_back(target);
    return *this;
}

void CallArgs::ApplyRefs(const std::vector<RefUpdate>& refs) const {
    for (const RefUpdate& ref : refs) {
        if (ref.index >= targets_.size() || std::holds_alternative<std::monostate>(targets_[ref.index])) {
            throw WireError("o servidor devolveu o argumento " + std::to_string(ref.index + 1) +
                            ", que não é por referência");
        }
        const Target& target = targets_[ref.index];
        if (auto* s = std::get_if<std::string*>(&target))
            **s = ref.value.AsString();
        else if (auto* d = std::get_if<DateTime*>(&target))
            **d = ref.value.AsDateTime();
        else if (auto* f = std::get_if<double*>(&target))
            **f = ref.value.AsFloat();
        else if (auto* v = std::get_if<dfe::Variant*>(&target))
            **v = ref.value;
    }
}

} // namespace dfe::net
