#pragma once

#include "platform/net/rpc_message.h"

#include <string>
#include <variant>
#include <vector>

namespace dfe::net {

// The positional arguments of one late-bound call. By-reference arguments keep the address of the caller's
// variable, which receives the server's final value when the answer arrives.
class CallArgs {
public:
    CallArgs& Str(std::string value) { return Add(ArgType::String, Variant(std::move(value))); }
    CallArgs& StrRef(std::string& target) { return AddRef(ArgType::String, Variant(target), &target); }
    CallArgs& Date(DateTime value) { return Add(ArgType::Date, Variant(value)); }
    CallArgs& DateRef(DateTime& target) { return AddRef(ArgType::Date, Variant(target), &target); }
    CallArgs& Float(double value) { return Add(ArgType::Double, Variant(value)); }
    CallArgs& FloatRef(double& target) { return AddRef(ArgType::Double, Variant(target), &target); }
    CallArgs& Var(dfe::Variant value) { return Add(ArgType::Variant, std::move(value)); }
    CallArgs& VarRef(dfe::Variant& target) { return AddRef(ArgType::Variant, target, &target); }
    CallArgs& Bool(bool value) { return Add(ArgType::Boolean, dfe::Variant(value)); }
    CallArgs& Int(int64_t value) { return Add(ArgType::Integer, dfe::Variant(value)); }

    const std::vector<RpcArg>& Args() const { return args_; }
    // Copies the server's final values into the caller's variables; throws ConversionError when a value does
    // not fit, or WireError for an index that is not a by-reference argument.
    void ApplyRefs(const std::vector<RefUpdate>& refs) const;

private:
    using Target = std::variant<std::monostate, std::string*, DateTime*, double*, dfe::Variant*>;
    CallArgs& Add(ArgType type, dfe::Variant value);
    CallArgs& AddRef(ArgType type, dfe::Variant value, Target target);

    std::vector<RpcArg> args_;
    std::vector<Target> targets_;
};

} // namespace dfe::net
