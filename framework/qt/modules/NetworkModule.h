// What the network module (framework-network.so, over Qt Network) offers the framework: one TCP
// connection to a host and port, told by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fw::detail {

// What happens on a connection, told on the event loop. After failed or closed nothing more comes.
class ConnectionListener {
  public:
    virtual void connected() = 0;
    virtual void received(std::string_view bytes) = 0;
    // The connection could not be made; the code is one of HTTPSocket's error codes.
    virtual void failed(int32_t code) = 0;
    // The connection, once made, ended: closed by the peer or lost. Every byte that came has been
    // received before.
    virtual void closed() = 0;

  protected:
    ~ConnectionListener() = default;
};

class Connection {
  public:
    // Drops the connection; nothing more is told. Safe from inside the listener's calls.
    virtual ~Connection() = default;
    virtual void send(std::string_view bytes) = 0;
};

struct NetworkCalls {
    // Starts connecting; the listener outlives the connection.
    std::unique_ptr<Connection> (*connect)(const std::string& host, uint16_t port,
                                           ConnectionListener& listener);
};

inline constexpr const char* kNetworkModule = "framework-network";
inline constexpr const char* kNetworkEntry = "fwNetworkCalls";

} // namespace fw::detail
