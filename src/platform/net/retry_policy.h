#pragma once

#include "platform/net/net_connection.h"

#include <functional>
#include <string>
#include <vector>

namespace dfe::net {

// Message codes and texts of the reconnection question.
inline constexpr const char* kErrConexCode = "Err_Conex";
inline constexpr const char* kErrConexText = "Ocorreu um erro na conexão com o servidor:";
inline constexpr const char* kDsErroCode = "DsErro";
inline constexpr const char* kDsErroText = "Erro: ";
inline constexpr const char* kReestabConexCode = "Reestab_Conex";
inline constexpr const char* kReestabConexText = "Deseja reestabelecer essa conexão?";

// Failures repeated without asking before the clerk is asked.
inline constexpr int kSilentRetries = 3;

std::string ReconnectQuestion(const std::string& errorMessage);

struct RetryHooks {
    // Shows the question (information style, buttons "Sim" and "Não"); true is "Sim". Required.
    std::function<bool(const std::string& question)> askReconnect;
    // Shows (true) and hides (false) the busy animation around a reconnection. Optional.
    std::function<void(bool shown)> busy;
};

// Runs `sequence` until it succeeds. Only ConnectionError is retried: the first kSilentRetries failures
// reconnect `connection` silently and repeat; each further failure asks, "Sim" reconnects and repeats, "Não"
// abandons silently (Abort). Any other exception, a server refusal included, propagates at once. Each attempt
// repeats the same request tokens, so writes the server already committed are not done twice.
void RunWithRetry(TNetConnection& connection, const std::function<void()>& sequence, const RetryHooks& hooks);
// The same for a sequence that calls through several connections: each is reconnected before a repetition.
void RunWithRetry(const std::vector<TNetConnection*>& connections, const std::function<void()>& sequence,
                  const RetryHooks& hooks);

} // namespace dfe::net
