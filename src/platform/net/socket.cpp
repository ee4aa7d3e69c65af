#include "platform/net/socket.h"

#include "platform/net/frame.h"
#include "platform/net/net_errors.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dfe::net {
namespace {

[[noreturn]] void FailErrno(const std::string& what, int err) {
    throw ConnectionError(what + ": " + std::strerror(err));
}

struct AddrInfo {
    addrinfo* list = nullptr;
    ~AddrInfo() {
        if (list) freeaddrinfo(list);
    }
};

AddrInfo Resolve(const std::string& host, int port, bool passive) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    if (passive) hints.ai_flags = AI_PASSIVE;
    AddrInfo result;
    const std::string service = std::to_string(port);
    const int rc = getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &result.list);
    if (rc != 0) {
        throw ConnectionError("Endereço do servidor inválido (" + host + ":" + service +
                              "): " + gai_strerror(rc));
    }
    return result;
}

void SetBlocking(int fd, bool blocking) {
    const int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK));
}

// Connects with a deadline so that an unreachable host does not hang the clerk's screen.
bool ConnectWithin(int fd, const sockaddr* addr, socklen_t len, std::chrono::milliseconds timeout, int& err) {
    SetBlocking(fd, false);
    if (connect(fd, addr, len) == 0) {
        SetBlocking(fd, true);
        return true;
    }
    if (errno != EINPROGRESS) {
        err = errno;
        return false;
    }
    pollfd p{fd, POLLOUT, 0};
    const int ms = timeout.count() > 0 ? static_cast<int>(timeout.count()) : -1;
    int rc;
    do {
        rc = poll(&p, 1, ms);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0) {
        err = ETIMEDOUT;
        return false;
    }
    socklen_t errLen = sizeof(err);
    if (rc < 0 || getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &errLen) != 0) err = errno;
    if (err != 0) return false;
    SetBlocking(fd, true);
    return true;
}

} // namespace

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

int Socket::Release() noexcept {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void Socket::Close() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void Socket::Shutdown() noexcept {
    if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
}

Socket Socket::ConnectTcp(const std::string& host, int port, std::chrono::milliseconds timeout) {
    AddrInfo addrs = Resolve(host, port, false);
    int err = ECONNREFUSED;
    for (addrinfo* a = addrs.list; a; a = a->ai_next) {
        Socket s(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
        if (!s.Valid()) {
            err = errno;
            continue;
        }
        if (ConnectWithin(s.Fd(), a->ai_addr, a->ai_addrlen, timeout, err)) {
            s.SetNoDelay();
            return s;
        }
    }
    FailErrno("Não foi possível conectar ao servidor " + host + ":" + std::to_string(port), err);
}

Socket Socket::ListenTcp(const std::string& host, int port, int backlog) {
    AddrInfo addrs = Resolve(host, port, true);
    int err = EADDRNOTAVAIL;
    for (addrinfo* a = addrs.list; a; a = a->ai_next) {
        Socket s(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
        if (!s.Valid()) {
            err = errno;
            continue;
        }
        const int one = 1;
        setsockopt(s.Fd(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        if (::bind(s.Fd(), a->ai_addr, a->ai_addrlen) == 0 && ::listen(s.Fd(), backlog) == 0) return s;
        err = errno;
    }
    FailErrno("Não foi possível escutar em " + host + ":" + std::to_string(port), err);
}

Socket Socket::Accept() const {
    return Socket(accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC));
}

int Socket::LocalPort() const {
    sockaddr_storage addr{};
    socklen_t len = sizeof(addr);
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return 0;
    if (addr.ss_family == AF_INET) return ntohs(reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
    if (addr.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port);
    return 0;
}

void Socket::SetTimeout(std::chrono::milliseconds timeout) {
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    tv.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
}

void Socket::SetNoDelay() {
    const int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
}

void Socket::SendAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            FailErrno("Falha ao enviar ao servidor", errno);
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

bool Socket::RecvExact(char* out, size_t count) {
    size_t got = 0;
    while (got < count) {
        const ssize_t n = ::recv(fd_, out + got, count - got, 0);
        if (n == 0) {
            if (got == 0) return false;
            throw ConnectionError("A conexão foi encerrada no meio de uma mensagem");
        }
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) throw ConnectionError("Tempo de espera esgotado");
            FailErrno("Falha ao receber do servidor", errno);
        }
        got += static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::string> ReadFrame(Socket& socket, size_t maxPayload) {
    char header[kFrameHeaderSize];
    if (!socket.RecvExact(header, sizeof(header))) return std::nullopt;
    const size_t size = ParseFrameHeader(std::string_view(header, sizeof(header)), maxPayload);
    std::string payload(size, '\0');
    if (size > 0 && !socket.RecvExact(payload.data(), size)) {
        throw ConnectionError("A conexão foi encerrada no meio de uma mensagem");
    }
    return payload;
}

} // namespace dfe::net
