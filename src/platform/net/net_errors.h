#pragma once

#include <stdexcept>
#include <string>

namespace dfe::net {

// The server could not be reached or the conversation broke (refused, dropped, timed out, garbled answer).
// Only this kind of failure is worth a reconnection.
class ConnectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server answered and refused the call; its text is meant for the clerk, as it is.
class ServerRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server answered, but not in the shape of the method's answer (an older or newer server, a broken
// method). Its text names the method and the element, for the clerk to report.
class AnswerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace dfe::net
