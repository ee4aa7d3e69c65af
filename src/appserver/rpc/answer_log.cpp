#include "appserver/rpc/answer_log.h"

#include "platform/net/rpc_codec.h"

namespace dfe::appserver {
namespace {

constexpr char kHex[] = "0123456789abcdef";

// Stored as hexadecimal text so that the same column type works in every backend.
std::string ToHex(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexValue(hex[i]), lo = HexValue(hex[i + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

} // namespace

std::string TokenText(const net::RequestToken& token) {
    return ToHex(std::string_view(reinterpret_cast<const char*>(token.data()), token.size()));
}

std::optional<net::RpcResponse> FindLoggedAnswer(db::Database& db, const net::RequestToken& token) {
    const Packet p = db.Query("SELECT DSRESPOSTA FROM RPC_RESPOSTA WHERE TOKEN = :P_TOKEN",
                              {{"P_TOKEN", TokenText(token)}});
    if (p.rows.empty()) return std::nullopt;
    const auto bytes = FromHex(p.rows[0].values[0].AsString());
    if (!bytes) return std::nullopt;
    return net::DecodeResponse(*bytes);
}

void LogAnswer(db::Database& db, const net::RpcRequest& request, const net::RpcResponse& response) {
    db.Execute("INSERT INTO RPC_RESPOSTA (TOKEN, CDCONEXAO, NMMETODO, DSRESPOSTA, DTREGISTRO)"
               " VALUES (:P_TOKEN, :P_CONEXAO, :P_METODO, :P_RESPOSTA, :P_DATA)",
               {{"P_TOKEN", TokenText(request.token)},
                {"P_CONEXAO", request.connection},
                {"P_METODO", request.method},
                {"P_RESPOSTA", ToHex(net::EncodeResponse(response))},
                {"P_DATA", DateTime::Now()}});
}

int64_t PurgeOldAnswers(db::Database& db, int days) {
    return db.Execute("DELETE FROM RPC_RESPOSTA WHERE DTREGISTRO < :P_LIMITE",
                      {{"P_LIMITE", DateTime::Now().AddDays(-days)}});
}

} // namespace dfe::appserver
