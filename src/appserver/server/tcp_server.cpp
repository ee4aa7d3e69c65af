#include "appserver/server/tcp_server.h"

#include "platform/net/net_errors.h"
#include "platform/net/rpc_codec.h"

#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace dfe::appserver {
namespace {

void Log(const std::string& line) {
    std::cerr << "dfe-server: " << line << std::endl;
}

std::string ProtocolErrorFrame(const std::string& message) {
    return net::EncodeFrame(net::EncodeResponse(ProtocolErrorResponse(message)));
}

} // namespace

TcpServer::TcpServer(const Dispatcher& dispatcher, DatabaseOpener openDatabase, ServeOptions options)
    : dispatcher_(dispatcher), openDatabase_(std::move(openDatabase)), options_(std::move(options)) {
    if (pipe2(stopPipe_, O_CLOEXEC) != 0)
        throw std::runtime_error("Não foi possível criar o canal de parada");
}

TcpServer::~TcpServer() {
    Stop();
    JoinFinished(true);
    close(stopPipe_[0]);
    close(stopPipe_[1]);
}

void TcpServer::Listen() {
    listener_ = net::Socket::ListenTcp(options_.host, options_.port);
    port_ = listener_.LocalPort();
}

void TcpServer::Stop() noexcept {
    const char byte = 1;
    // The pipe is never drained: once written, every poll on it reports "stop" for good.
    [[maybe_unused]] const ssize_t n = write(stopPipe_[1], &byte, 1);
}

bool TcpServer::WaitReadable(int fd) const {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    for (;;) {
        const int rc = poll(fds, 2, -1);
        if (rc < 0 && errno == EINTR) continue;
        if (rc < 0 || (fds[1].revents & POLLIN)) return false;
        if (fds[0].revents) return true;
    }
}

void TcpServer::JoinFinished(bool all) {
    std::lock_guard lock(clientsMutex_);
    for (auto it = clients_.begin(); it != clients_.end();) {
        if (all || it->done) {
            if (it->thread.joinable()) it->thread.join();
            it = clients_.erase(it);
        } else {
            ++it;
        }
    }
}

void TcpServer::Run() {
    if (!listener_.Valid()) Listen();
    while (WaitReadable(listener_.Fd())) {
        net::Socket client = listener_.Accept();
        if (!client.Valid()) {
            // Out of descriptors or an aborted handshake: give the system a moment instead of spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        JoinFinished(false);
        std::lock_guard lock(clientsMutex_);
        if (static_cast<int>(clients_.size()) >= options_.maxClients) {
            try {
                client.SendAll(ProtocolErrorFrame("Servidor ocupado: limite de clientes atingido"));
            } catch (const net::ConnectionError&) {
            }
            continue;
        }
        Client& slot = clients_.emplace_back();
        slot.thread =
            std::thread([this, &slot, s = std::move(client)]() mutable { Serve(std::move(s), slot); });
    }
    listener_.Close();
    JoinFinished(true);
}

void TcpServer::Serve(net::Socket socket, Client& self) {
    socket.SetNoDelay();
    socket.SetTimeout(options_.frameTimeout);
    std::unique_ptr<db::Database> db;
    try {
        while (WaitReadable(socket.Fd())) {
            std::optional<std::string> payload;
            try {
                payload = net::ReadFrame(socket, options_.maxFrameSize);
            } catch (const net::FrameError& e) {
                Log(std::string("quadro recusado: ") + e.what());
                socket.SendAll(ProtocolErrorFrame(std::string("Quadro inválido: ") + e.what()));
                break;
            }
            if (!payload) break;
            if (!db) db = openDatabase_();
            bool fatal = false;
            std::string answer = dispatcher_.HandlePayload(*payload, *db, fatal);
            if (answer.size() > options_.maxFrameSize) {
                answer =
                    net::EncodeResponse(ProtocolErrorResponse("Resposta maior do que o limite do protocolo"));
            }
            socket.SendAll(net::EncodeFrame(answer, options_.maxFrameSize));
            if (fatal) break;
        }
    } catch (const net::ConnectionError& e) {
        Log(std::string("cliente desconectado: ") + e.what());
    } catch (const std::exception& e) {
        Log(std::string("erro ao atender cliente: ") + e.what());
        try {
            socket.SendAll(ProtocolErrorFrame(std::string("Erro no servidor: ") + e.what()));
        } catch (const std::exception&) {
        }
    }
    self.done = true;
}

} // namespace dfe::appserver
