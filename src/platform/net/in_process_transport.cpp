#include "platform/net/in_process_transport.h"

#include "platform/net/frame.h"
#include "platform/net/net_errors.h"

#include <mutex>

namespace dfe::net {
namespace {

std::mutex& RegistryMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<const FrameHandler>& Registered() {
    static std::shared_ptr<const FrameHandler> handler;
    return handler;
}

} // namespace

void RegisterInProcessServer(std::shared_ptr<const FrameHandler> handler) {
    std::lock_guard lock(RegistryMutex());
    Registered() = std::move(handler);
}

std::shared_ptr<const FrameHandler> InProcessServer() {
    std::lock_guard lock(RegistryMutex());
    return Registered();
}

void InProcessTransport::Open() {
    handler_ = fixed_ ? fixed_ : InProcessServer();
    if (!handler_) throw ConnectionError("Servidor de aplicação embutido não está em execução");
}

std::string InProcessTransport::Exchange(std::string_view requestPayload) {
    if (!handler_) throw ConnectionError("Conexão com o servidor fechada");
    try {
        const std::string answer = (*handler_)(EncodeFrame(requestPayload));
        return std::string(UnwrapFrame(answer));
    } catch (const WireError& e) {
        throw ConnectionError(std::string("Resposta inválida do servidor: ") + e.what());
    }
}

} // namespace dfe::net
