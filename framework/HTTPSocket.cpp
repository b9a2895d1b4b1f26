#include "framework/HTTPSocket.h"

#include "framework/PropertyTable.h"
#include "framework/qt/HTTPSocketBridge.h"

namespace fw {

ClassRecord HTTPSocket::describe() {
    using detail::accessor;
    return detail::classOf<HTTPSocket>("HTTPSocket", Control::Class(),
                                       {
                                           accessor("Yield", &HTTPSocket::Yield, &HTTPSocket::setYield),
                                           accessor("Port", &HTTPSocket::Port, &HTTPSocket::setPort),
                                           accessor("Address", &HTTPSocket::Address, &HTTPSocket::setAddress),
                                       });
}

HTTPSocket::HTTPSocket() : bridge_(std::make_unique<detail::HTTPSocketBridge>(*this)) {}

HTTPSocket::~HTTPSocket() = default;

void HTTPSocket::Get(const String& url) {
    bridge_->get(url);
}

void HTTPSocket::Disconnect() {
    bridge_->drop();
}

bool HTTPSocket::isBusy() const {
    return bridge_->busy();
}

void HTTPSocket::detach() {
    // A request under way goes with its window: nothing reaches the window's handlers afterwards.
    bridge_->drop();
    Control::detach();
}

} // namespace fw
