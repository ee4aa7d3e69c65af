#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe::net {

// Carries one encoded request to the server and brings its answer back. Failures are ConnectionError.
class Transport {
public:
    virtual ~Transport() = default;
    virtual void Open() = 0;
    virtual void Close() noexcept = 0;
    virtual bool IsOpen() const = 0;
    // Frames the request payload, sends it and returns the answer's payload.
    virtual std::string Exchange(std::string_view requestPayload) = 0;
};

using TransportFactory = std::function<std::unique_ptr<Transport>(const std::string& host, int port)>;

// The host name that selects the server running in this process.
inline constexpr std::string_view kInProcessHost = "inproc";

// In-process when the host is empty or "inproc", TCP otherwise.
std::unique_ptr<Transport> MakeDefaultTransport(const std::string& host, int port);

} // namespace dfe::net
