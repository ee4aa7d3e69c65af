#pragma once

#include "platform/db/database.h"
#include "platform/net/rpc_message.h"

#include <optional>
#include <string>

namespace dfe::appserver {

// The answers of committed writes, by request token (table RPC_RESPOSTA). Used inside the write's
// transaction, so the answer is recorded if and only if the work is committed.
std::optional<net::RpcResponse> FindLoggedAnswer(db::Database& db, const net::RequestToken& token);
void LogAnswer(db::Database& db, const net::RpcRequest& request, const net::RpcResponse& response);

std::string TokenText(const net::RequestToken& token);

// A client repeats a call within minutes; answers older than this are only weight.
inline constexpr int kAnswerLogDays = 7;
// Drops the answers recorded more than `days` days ago; returns how many.
int64_t PurgeOldAnswers(db::Database& db, int days = kAnswerLogDays);

} // namespace dfe::appserver
