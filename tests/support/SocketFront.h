// A socket that stands in front of a server's (the print service's, the X server's): it hands its
// first connection through to the server, and takes the later ones only to hold them unanswered,
// or to close them at once, as a server that stops answering does.
#pragma once

#include <atomic>
#include <string>
#include <thread>

class SocketFront {
  public:
    enum Later { Unanswered, Closed };
    // Listens at `path`, in front of the Unix socket `server`.
    SocketFront(const std::string& path, const std::string& server, Later later);
    ~SocketFront();
    SocketFront(const SocketFront&) = delete;
    SocketFront& operator=(const SocketFront&) = delete;

    bool listening() const { return listener_ >= 0; }
    // How many connections came, the first included.
    int connections() const { return connections_; }

  private:
    void run();

    std::string path_, server_;
    Later later_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};
    std::atomic<int> connections_ = 0;
    std::thread thread_;
};
