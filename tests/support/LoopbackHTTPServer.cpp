#include "tests/support/LoopbackHTTPServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int listenOnLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("no socket");
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot listen on the loopback");
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

// Reads up to the empty line that ends the request (or until the client stops sending).
std::string readRequest(int fd, const std::atomic<bool>& stopping) {
    std::string request;
    char buffer[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (request.find("\r\n\r\n") == std::string::npos && !stopping &&
           std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    return request;
}

} // namespace

bool LoopbackHTTPServer::Connection::send(const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

bool LoopbackHTTPServer::Connection::pause(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < until) {
        if (stopping_)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(milliseconds, 5)));
    }
    return !stopping_;
}

LoopbackHTTPServer::LoopbackHTTPServer(std::vector<Reply> script) : script_(std::move(script)) {
    if (script_.empty())
        script_.push_back(Reply{});
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { serve(); });
}

LoopbackHTTPServer::~LoopbackHTTPServer() {
    stopping_ = true;
    thread_.join();
    for (std::thread& t : talks_)
        t.join();
    ::close(listener_);
}

std::vector<std::string> LoopbackHTTPServer::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int LoopbackHTTPServer::unusedPort() {
    int port = 0;
    ::close(listenOnLoopback(port));
    return port;
}

void LoopbackHTTPServer::serve() {
    while (!stopping_) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0)
            continue;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int index = connections_++;
        const Reply& reply =
            script_[std::min<std::size_t>(static_cast<std::size_t>(index), script_.size() - 1)];
        // Each connection talks on a thread of its own, so a slow one holds up no other.
        talks_.emplace_back([this, fd, &reply] { answer(fd, reply); });
    }
}

void LoopbackHTTPServer::answer(int fd, const Reply& reply) {
    Connection connection(fd, stopping_);
    {
        std::string request = readRequest(fd, stopping_);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(std::move(request));
        }
        if (reply.talk) {
            reply.talk(connection);
        } else if (reply.chunkSize > 0) {
            for (std::size_t at = 0; at < reply.bytes.size(); at += static_cast<std::size_t>(reply.chunkSize))
                if (!connection.send(reply.bytes.substr(at, static_cast<std::size_t>(reply.chunkSize))) ||
                    !connection.pause(reply.chunkPauseMs))
                    break;
        } else {
            connection.send(reply.bytes);
        }
        if (reply.hold)
            while (connection.pause(10)) {
            }
    }
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
}
