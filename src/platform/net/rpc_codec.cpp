#include "platform/net/rpc_codec.h"

#include "platform/core/text.h"

#include <algorithm>

namespace dfe::net {
namespace {

enum class Tag : uint8_t {
    Unassigned = 0,
    Null = 1,
    Boolean = 2,
    Integer = 3,
    Double = 4,
    String = 5,
    DateTime = 6,
    Array = 7,
    Packet = 8
};

constexpr uint8_t kRequestKind = 1;
constexpr uint8_t kResponseKind = 2;

void EncodeVariantAt(ByteWriter& out, const Variant& v, int depth) {
    if (depth > kMaxVariantDepth) throw WireError("vetor aninhado demais");
    switch (v.Type()) {
    case VariantType::Unassigned:
        out.U8(static_cast<uint8_t>(Tag::Unassigned));
        return;
    case VariantType::Null:
        out.U8(static_cast<uint8_t>(Tag::Null));
        return;
    case VariantType::Boolean:
        out.U8(static_cast<uint8_t>(Tag::Boolean));
        out.U8(v.AsBoolean() ? 1 : 0);
        return;
    case VariantType::Integer:
        out.U8(static_cast<uint8_t>(Tag::Integer));
        out.I64(v.AsInteger());
        return;
    case VariantType::Double:
        out.U8(static_cast<uint8_t>(Tag::Double));
        out.F64(v.AsFloat());
        return;
    case VariantType::String:
        out.U8(static_cast<uint8_t>(Tag::String));
        out.Bytes(v.AsString());
        return;
    case VariantType::DateTime:
        out.U8(static_cast<uint8_t>(Tag::DateTime));
        out.F64(v.AsDateTime().Days());
        return;
    case VariantType::Packet:
        out.U8(static_cast<uint8_t>(Tag::Packet));
        out.Bytes(v.AsPacket().Bytes());
        return;
    case VariantType::Array: {
        const VariantArray& a = v.AsArray();
        out.U8(static_cast<uint8_t>(Tag::Array));
        out.I32(a.LowBound());
        out.U32(static_cast<uint32_t>(a.Size()));
        for (const Variant& item : a.Items())
            EncodeVariantAt(out, item, depth + 1);
        return;
    }
    }
}

std::string ReadText(ByteReader& in) {
    std::string_view s = in.Bytes();
    if (!text::IsValidUtf8(s)) throw WireError("texto que não é UTF-8 válido");
    return std::string(s);
}

struct DecodeBudget {
    size_t valuesLeft = kMaxDecodedValues;
};

Variant DecodeVariantAt(ByteReader& in, int depth, DecodeBudget& budget) {
    if (depth > kMaxVariantDepth) throw WireError("vetor aninhado demais");
    if (budget.valuesLeft == 0) throw WireError("valores demais numa mensagem");
    --budget.valuesLeft;
    const uint8_t tag = in.U8();
    switch (static_cast<Tag>(tag)) {
    case Tag::Unassigned:
        return Variant();
    case Tag::Null:
        return Variant::Null();
    case Tag::Boolean: {
        const uint8_t b = in.U8();
        if (b > 1) throw WireError("valor lógico inválido");
        return Variant(b == 1);
    }
    case Tag::Integer:
        return Variant(in.I64());
    case Tag::Double:
        return Variant(in.F64());
    case Tag::String:
        return Variant(ReadText(in));
    case Tag::DateTime:
        return Variant(DateTime(in.F64()));
    case Tag::Packet:
        return Variant(DataPacket(std::string(in.Bytes())));
    case Tag::Array: {
        const int32_t low = in.I32();
        const uint32_t count = in.U32();
        // Each element takes at least one byte, so a count beyond the input is a lie, not a reason to
        // allocate.
        if (count > in.Remaining()) throw WireError("vetor com mais elementos do que a mensagem contém");
        std::vector<Variant> items;
        items.reserve(std::min<size_t>(count, 1024)); // grows with what really decodes, not with the claim
        for (uint32_t i = 0; i < count; ++i)
            items.push_back(DecodeVariantAt(in, depth + 1, budget));
        return Variant::Array(std::move(items), low);
    }
    }
    throw WireError("tipo de valor desconhecido: " + std::to_string(tag));
}

bool ValueFitsArgType(ArgType type, const Variant& v) {
    switch (type) {
    case ArgType::Variant:
        return true;
    case ArgType::String:
        return v.Type() == VariantType::String;
    case ArgType::Date:
        return v.Type() == VariantType::DateTime;
    case ArgType::Double:
        return v.Type() == VariantType::Double;
    case ArgType::Boolean:
        return v.Type() == VariantType::Boolean;
    case ArgType::Integer:
        return v.Type() == VariantType::Integer;
    }
    return false;
}

ArgType ReadArgType(ByteReader& in) {
    const uint8_t raw = in.U8();
    if (raw < 1 || raw > 6) throw WireError("tipo de argumento desconhecido: " + std::to_string(raw));
    return static_cast<ArgType>(raw);
}

void ExpectEnd(const ByteReader& in) {
    if (!in.AtEnd()) throw WireError("bytes a mais depois da mensagem");
}

} // namespace

const char* ArgTypeName(ArgType type) {
    switch (type) {
    case ArgType::String:
        return "string";
    case ArgType::Date:
        return "date";
    case ArgType::Double:
        return "double";
    case ArgType::Variant:
        return "variant";
    case ArgType::Boolean:
        return "boolean";
    case ArgType::Integer:
        return "integer";
    }
    return "?";
}

void EncodeVariant(ByteWriter& out, const Variant& value) {
    EncodeVariantAt(out, value, 0);
}

Variant DecodeVariant(ByteReader& in) {
    DecodeBudget budget;
    return DecodeVariantAt(in, 0, budget);
}

std::string EncodeRequest(const RpcRequest& request) {
    if (request.args.size() > UINT16_MAX) throw WireError("argumentos demais");
    ByteWriter out;
    out.U8(kRequestKind);
    out.Raw(std::string_view(reinterpret_cast<const char*>(request.token.data()), request.token.size()));
    out.Bytes(request.connection);
    out.Bytes(request.method);
    out.U16(static_cast<uint16_t>(request.args.size()));
    for (const RpcArg& arg : request.args) {
        if (!ValueFitsArgType(arg.type, arg.value)) {
            throw WireError(std::string("argumento do tipo ") + ArgTypeName(arg.type) + " com valor " +
                            VariantTypeName(arg.value.Type()));
        }
        out.U8(static_cast<uint8_t>(arg.type));
        out.U8(arg.byRef ? 1 : 0);
        EncodeVariant(out, arg.value);
    }
    return out.Take();
}

RpcRequest DecodeRequest(std::string_view payload) {
    ByteReader in(payload);
    if (in.U8() != kRequestKind) throw WireError("a mensagem não é uma chamada");
    RpcRequest request;
    DecodeBudget budget; // shared by every argument of the message
    std::string_view token = in.Raw(request.token.size());
    for (size_t i = 0; i < token.size(); ++i)
        request.token[i] = static_cast<uint8_t>(token[i]);
    request.connection = ReadText(in);
    request.method = ReadText(in);
    const uint16_t count = in.U16();
    if (count > in.Remaining()) throw WireError("mais argumentos do que a mensagem contém");
    request.args.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        RpcArg arg;
        arg.type = ReadArgType(in);
        const uint8_t byRef = in.U8();
        if (byRef > 1) throw WireError("indicador de referência inválido");
        arg.byRef = byRef == 1;
        arg.value = DecodeVariantAt(in, 0, budget);
        if (!ValueFitsArgType(arg.type, arg.value)) {
            throw WireError(std::string("argumento ") + std::to_string(i + 1) + " declarado " +
                            ArgTypeName(arg.type) + " traz " + VariantTypeName(arg.value.Type()));
        }
        request.args.push_back(std::move(arg));
    }
    ExpectEnd(in);
    return request;
}

std::string EncodeResponse(const RpcResponse& response) {
    ByteWriter out;
    out.U8(kResponseKind);
    out.U8(static_cast<uint8_t>(response.status));
    if (response.status == RpcStatus::Ok) {
        EncodeVariant(out, response.result);
        if (response.refs.size() > UINT16_MAX) throw WireError("argumentos demais");
        out.U16(static_cast<uint16_t>(response.refs.size()));
        for (const RefUpdate& ref : response.refs) {
            out.U16(ref.index);
            EncodeVariant(out, ref.value);
        }
    } else {
        out.Bytes(response.message);
    }
    return out.Take();
}

RpcResponse DecodeResponse(std::string_view payload) {
    ByteReader in(payload);
    if (in.U8() != kResponseKind) throw WireError("a mensagem não é uma resposta");
    RpcResponse response;
    DecodeBudget budget; // shared by the result and the by-reference values
    const uint8_t status = in.U8();
    if (status > static_cast<uint8_t>(RpcStatus::ProtocolError))
        throw WireError("situação de resposta inválida");
    response.status = static_cast<RpcStatus>(status);
    if (response.status == RpcStatus::Ok) {
        response.result = DecodeVariantAt(in, 0, budget);
        const uint16_t count = in.U16();
        if (count > in.Remaining()) throw WireError("mais argumentos do que a mensagem contém");
        for (uint16_t i = 0; i < count; ++i) {
            RefUpdate ref;
            ref.index = in.U16();
            ref.value = DecodeVariantAt(in, 0, budget);
            response.refs.push_back(std::move(ref));
        }
    } else {
        response.message = ReadText(in);
    }
    ExpectEnd(in);
    return response;
}

} // namespace dfe::net
