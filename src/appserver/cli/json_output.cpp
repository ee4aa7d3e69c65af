#include "appserver/cli/json_output.h"

#include "platform/core/decimal.h"
#include "platform/data/packet.h"

#include <cmath>
#include <cstdio>

namespace dfe::appserver {
namespace {

void AppendString(std::string& out, std::string_view s) {
    out += '"';
    for (char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof(buf), "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void AppendDate(std::string& out, DateTime d) {
    if (d.IsEmpty()) {
        out += "null";
        return;
    }
    AppendString(out, d.TimePart() == 0.0 ? d.Format("yyyy-mm-dd")
                                          : d.Format("yyyy-mm-dd") + "T" + d.Format("hh:nn:ss"));
}

void AppendVariant(std::string& out, const Variant& v, const std::string& indent);

void AppendPacket(std::string& out, const DataPacket& bytes, const std::string& indent) {
    Packet p;
    try {
        p = FromDataPacket(bytes);
    } catch (const PacketError& e) {
        AppendString(out, std::string("<pacote ilegível: ") + e.what() + ">");
        return;
    }
    if (p.rows.empty()) {
        out += "[]";
        return;
    }
    const std::string inner = indent + "  ";
    out += "[\n";
    for (size_t r = 0; r < p.rows.size(); ++r) {
        out += inner + "{";
        for (size_t f = 0; f < p.fields.size(); ++f) {
            if (f) out += ", ";
            AppendString(out, p.fields[f].name);
            out += ": ";
            AppendVariant(out, p.rows[r].values[f], inner);
        }
        out += r + 1 < p.rows.size() ? "},\n" : "}\n";
    }
    out += indent + "]";
}

void AppendVariant(std::string& out, const Variant& v, const std::string& indent) {
    switch (v.Type()) {
    case VariantType::Unassigned:
    case VariantType::Null:
        out += "null";
        return;
    case VariantType::Boolean:
        out += v.AsBoolean() ? "true" : "false";
        return;
    case VariantType::Integer:
        out += std::to_string(v.AsInteger());
        return;
    case VariantType::Double: {
        const double d = v.AsFloat();
        out += std::isfinite(d) ? decimal::ToShortest(d) : "null";
        return;
    }
    case VariantType::String:
        AppendString(out, v.AsString());
        return;
    case VariantType::DateTime:
        AppendDate(out, v.AsDateTime());
        return;
    case VariantType::Packet:
        AppendPacket(out, v.AsPacket(), indent);
        return;
    case VariantType::Array: {
        const std::string inner = indent + "  ";
        const auto& items = v.AsArray().Items();
        out += "[\n";
        for (size_t i = 0; i < items.size(); ++i) {
            out += inner;
            AppendVariant(out, items[i], inner);
            out += i + 1 < items.size() ? ",\n" : "\n";
        }
        out += indent + "]";
        return;
    }
    }
}

} // namespace

std::string AnswerToJson(const Variant& answer) {
    std::string out;
    AppendVariant(out, answer, "");
    return out;
}

} // namespace dfe::appserver
