#include "tests/support/SocketFront.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <vector>

namespace {

sockaddr_un addressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return address;
}

// Moves what one side sent to the other; false once either side has ended.
bool pass(int from, int to) {
    char buffer[16384];
    const ssize_t n = read(from, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    for (ssize_t sent = 0; sent < n;) {
        const ssize_t w = write(to, buffer + sent, static_cast<size_t>(n - sent));
        if (w <= 0)
            return false;
        sent += w;
    }
    return true;
}

} // namespace

SocketFront::SocketFront(const std::string& path, const std::string& server, Later later)
    : path_(path), server_(server), later_(later) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = addressOf(path);
    if (fd < 0 || pipe2(wake_, O_CLOEXEC) != 0 ||
        bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0) {
        if (fd >= 0)
            close(fd);
        return;
    }
    listener_ = fd;
    thread_ = std::thread([this] { run(); });
}

SocketFront::~SocketFront() {
    if (thread_.joinable()) {
        const char byte = 1;
        [[maybe_unused]] ssize_t written = write(wake_[1], &byte, 1);
        thread_.join();
    }
    if (listener_ >= 0) {
        close(listener_);
        unlink(path_.c_str());
    }
    for (int fd : wake_)
        if (fd >= 0)
            close(fd);
}

void SocketFront::run() {
    int client = -1, server = -1; // the first connection, handed through
    std::vector<int> held;        // the later ones, never answered
    for (;;) {
        std::vector<pollfd> watched = {{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        if (client >= 0)
            watched.insert(watched.end(), {{client, POLLIN, 0}, {server, POLLIN, 0}});
        if (poll(watched.data(), watched.size(), -1) < 0)
            continue;
        if (watched[0].revents)
            break;
        if (watched[1].revents & POLLIN) {
            const int accepted = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (accepted >= 0 && ++connections_ == 1) {
                const sockaddr_un address = addressOf(server_);
                server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
                if (server >= 0 &&
                    connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
                    client = accepted;
                } else {
                    close(accepted);
                    if (server >= 0)
                        close(server);
                    server = -1;
                }
            } else if (accepted >= 0 && later_ == Unanswered) {
                held.push_back(accepted);
            } else if (accepted >= 0) {
                close(accepted);
            }
        }
        if (client >= 0 && watched.size() > 2) {
            const bool open = !(watched[2].revents & (POLLIN | POLLHUP | POLLERR)) || pass(client, server);
            const bool stillOpen =
                open && (!(watched[3].revents & (POLLIN | POLLHUP | POLLERR)) || pass(server, client));
            if (!stillOpen) {
                close(client);
                close(server);
                client = server = -1;
            }
        }
    }
    for (int fd : held)
        close(fd);
    if (client >= 0) {
        close(client);
        close(server);
    }
}
