// A web server on 127.0.0.1 and a port the system picks, for the HTTP client's tests: it notes
// each request's bytes and answers each connection with the next reply of its script (the last
// one again once the script runs out). It runs on a thread of its own, so the tests' event loop
// stays free for the client.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHTTPServer {
  public:
    // One connection's side of the talk.
    class Connection {
      public:
        explicit Connection(int fd, const std::atomic<bool>& stopping) : fd_(fd), stopping_(stopping) {}
        // False once the client has gone.
        bool send(const std::string& bytes);
        // Waits, unless the server is stopping; false when it is.
        bool pause(int milliseconds);

      private:
        int fd_;
        const std::atomic<bool>& stopping_;
    };

    struct Reply {
        std::string bytes{};  // sent as it is, after the request has been read; then the
                              // connection closes (nothing sent: closed without an answer)
        int chunkSize = 0;    // > 0: sent this many bytes at a time...
        int chunkPauseMs = 0; // ...with this pause between them
        bool hold = false;    // after sending, keeps the connection open until the server stops
        std::function<void(Connection&)> talk{}; // when set, talks instead of sending `bytes`
    };

    explicit LoopbackHTTPServer(std::vector<Reply> script);
    ~LoopbackHTTPServer();
    LoopbackHTTPServer(const LoopbackHTTPServer&) = delete;
    LoopbackHTTPServer& operator=(const LoopbackHTTPServer&) = delete;

    int port() const { return port_; }
    // The requests read so far, each up to its empty line.
    std::vector<std::string> requests() const;
    int connections() const { return connections_; }

    // A port on 127.0.0.1 where nothing listens (it was free a moment ago).
    static int unusedPort();

  private:
    void serve();
    void answer(int fd, const Reply& reply);

    std::vector<Reply> script_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<std::thread> talks_;
    std::thread thread_;
};
