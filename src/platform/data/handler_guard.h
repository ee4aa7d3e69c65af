#pragma once

#include <utility>

namespace dfe {

// Detaches an event handler for a scope and puts it back whatever happens, so that bulk work (copying rows,
// a search that posts) does not run the rules attached to each row:
//     DetachedHandler quiet(cdsItemNotaFisc.BeforePost);
template <class Handler> class DetachedHandler {
public:
    explicit DetachedHandler(Handler& slot) : slot_(slot), saved_(std::exchange(slot, Handler{})) {}
    ~DetachedHandler() { slot_ = std::move(saved_); }
    DetachedHandler(const DetachedHandler&) = delete;
    DetachedHandler& operator=(const DetachedHandler&) = delete;

private:
    Handler& slot_;
    Handler saved_;
};

} // namespace dfe
