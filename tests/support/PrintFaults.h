// What goes wrong around a print job, made on purpose: a disk that fills up, a print service that
// does not answer.
#pragma once

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A disk that fills up while the job is written: files of this process end at `bytes`.
class FullDisk {
  public:
    explicit FullDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN); // a write past the end fails instead
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

// A print service that takes the connection and never replies (a scheduler stopped with SIGSTOP
// does just that): its socket, listening, never accepted.
class SilentPrintService {
  public:
    explicit SilentPrintService(const std::string& path) : fd_(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        listening_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     listen(fd_, 8) == 0;
    }
    ~SilentPrintService() {
        if (fd_ >= 0)
            close(fd_);
    }
    SilentPrintService(const SilentPrintService&) = delete;
    SilentPrintService& operator=(const SilentPrintService&) = delete;
    bool listening() const { return listening_; }

  private:
    int fd_;
    bool listening_ = false;
};
