#include "platform/net/tcp_transport.h"

#include "platform/net/in_process_transport.h"
#include "platform/net/net_errors.h"

namespace dfe::net {

void TcpTransport::Open() {
    socket_ = Socket::ConnectTcp(host_, port_, options_.connectTimeout);
    socket_.SetTimeout(options_.callTimeout);
}

std::string TcpTransport::Exchange(std::string_view requestPayload) {
    if (!socket_.Valid()) throw ConnectionError("Conexão com o servidor fechada");
    const std::string frame = EncodeFrame(requestPayload, options_.maxFrameSize);
    try {
        socket_.SendAll(frame);
        auto answer = ReadFrame(socket_, options_.maxFrameSize);
        if (!answer) throw ConnectionError("O servidor encerrou a conexão");
        return std::move(*answer);
    } catch (const ConnectionError&) {
        // After a broken exchange the stream position is unknown; only a new connection can be trusted.
        socket_.Close();
        throw;
    } catch (const WireError& e) {
        socket_.Close();
        throw ConnectionError(std::string("Resposta inválida do servidor: ") + e.what());
    }
}

std::unique_ptr<Transport> MakeDefaultTransport(const std::string& host, int port) {
    if (host.empty() || host == kInProcessHost) return std::make_unique<InProcessTransport>();
    return std::make_unique<TcpTransport>(host, port);
}

} // namespace dfe::net
