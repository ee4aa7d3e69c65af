#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace dfe::net {

// A TCP socket owned by value. Failures throw ConnectionError with the system's reason.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd) : fd_(fd) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    Socket(Socket&& other) noexcept : fd_(other.Release()) {}
    Socket& operator=(Socket&& other) noexcept;
    ~Socket() { Close(); }

    static Socket ConnectTcp(const std::string& host, int port, std::chrono::milliseconds timeout);
    // Port 0 lets the system choose; LocalPort() tells which.
    static Socket ListenTcp(const std::string& host, int port, int backlog = 64);

    // Waits for the next client of a listening socket; an invalid socket when the accept failed.
    Socket Accept() const;

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    int Release() noexcept;
    void Close() noexcept;
    // Wakes a thread blocked on this socket (reads see end of stream).
    void Shutdown() noexcept;
    int LocalPort() const;
    // Zero means wait forever.
    void SetTimeout(std::chrono::milliseconds timeout);
    void SetNoDelay();

    void SendAll(std::string_view bytes);
    // Fills `count` bytes. Returns false when the peer closed before the first byte; a close in the middle, a
    // timeout or an error throws.
    bool RecvExact(char* out, size_t count);

private:
    int fd_ = -1;
};

// One frame from the stream: its payload, or nothing when the peer closed cleanly between frames. A bad
// header throws FrameError; a stream cut inside a frame throws ConnectionError.
std::optional<std::string> ReadFrame(Socket& socket, size_t maxPayload);

} // namespace dfe::net
