// The toolkit side of HTTPSocket: one connection of the network module per request.
#pragma once

#include <memory>

#include "framework/HTTPReply.h"
#include "framework/HTTPSocket.h"
#include "framework/qt/modules/NetworkModule.h"

namespace fw::detail {

class HTTPSocketBridge final : private ConnectionListener {
  public:
    explicit HTTPSocketBridge(HTTPSocket& owner);
    ~HTTPSocketBridge();
    HTTPSocketBridge(const HTTPSocketBridge&) = delete;
    HTTPSocketBridge& operator=(const HTTPSocketBridge&) = delete;

    void get(const String& url);
    // Drops the request under way without an event.
    void drop();
    bool busy() const { return connection_ != nullptr; }

  private:
    void connected() override;
    void received(std::string_view bytes) override;
    void failed(int32_t code) override;
    void closed() override;
    // Ends the request and raises its one event.
    void finishWithPage();
    void finishWithError(int32_t code);
    // An event raised on the next pass of the loop: Get always returns before any event.
    void raiseLater(int32_t code);

    HTTPSocket& owner_; // the socket owns this bridge
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<HTTPReplyReader> reply_;
    String url_;
    std::string request_;
    uint64_t generation_ = 0; // counts requests, so that a late call finds its own gone
};

} // namespace fw::detail
