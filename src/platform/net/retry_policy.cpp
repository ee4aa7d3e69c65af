#include "platform/net/retry_policy.h"

#include "platform/core/abort.h"
#include "platform/net/net_errors.h"
#include "platform/net/request_token.h"

namespace dfe::net {
namespace {

struct BusyShown {
    explicit BusyShown(const RetryHooks& hooks) : hooks_(hooks) {
        if (hooks_.busy) hooks_.busy(true);
    }
    ~BusyShown() {
        if (hooks_.busy) hooks_.busy(false);
    }
    const RetryHooks& hooks_;
};

void ReconnectQuietly(const std::vector<TNetConnection*>& connections, const RetryHooks& hooks) {
    BusyShown busy(hooks);
    for (TNetConnection* connection : connections) {
        try {
            connection->Reconnect();
        } catch (const ConnectionError&) {
            // The next attempt fails on the closed connection and is counted like any other failure.
        }
    }
}

} // namespace

std::string ReconnectQuestion(const std::string& errorMessage) {
    return std::string(kErrConexText) + "\n\n" + kDsErroText + errorMessage + "\n\n" + kReestabConexText;
}

void RunWithRetry(TNetConnection& connection, const std::function<void()>& sequence,
                  const RetryHooks& hooks) {
    RunWithRetry(std::vector<TNetConnection*>{&connection}, sequence, hooks);
}

void RunWithRetry(const std::vector<TNetConnection*>& connections, const std::function<void()>& sequence,
                  const RetryHooks& hooks) {
    RetryTokenScope tokens;
    int failures = 0;
    for (;;) {
        tokens.Restart();
        try {
            sequence();
            return;
        } catch (const ConnectionError& e) {
            if (failures < kSilentRetries) {
                ++failures;
            } else if (!hooks.askReconnect || !hooks.askReconnect(ReconnectQuestion(e.what()))) {
                ThrowAbort();
            }
        }
        ReconnectQuietly(connections, hooks);
    }
}

} // namespace dfe::net
