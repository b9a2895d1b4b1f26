// What goes wrong around a print job, made on purpose: a disk that fills up, a print service that
// does not answer, a FIFO where a file was expected.
#pragma once

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
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

// A FIFO whose reader comes only after a while (at once, with no wait): a writer that opens it
// blocks until then. What is written into it is counted.
class Fifo {
  public:
    Fifo(const std::string& path, std::chrono::milliseconds readerAfter) : path_(path) {
        made_ = mkfifo(path.c_str(), 0600) == 0;
        if (made_)
            reader_ = std::thread([this, readerAfter] { read(readerAfter); });
    }
    ~Fifo() {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        if (reader_.joinable())
            reader_.join();
    }
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;

    bool made() const { return made_; }
    std::size_t bytesRead() {
        std::lock_guard lock(mutex_);
        return read_;
    }

  private:
    void read(std::chrono::milliseconds after) {
        std::unique_lock lock(mutex_);
        if (changed_.wait_for(lock, after, [this] { return stopped_; }))
            return;
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        char buffer[4096];
        while (fd >= 0 && !stopped_) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0)
                read_ += static_cast<std::size_t>(n);
            else
                changed_.wait_for(lock, std::chrono::milliseconds(20), [this] { return stopped_; });
        }
        if (fd >= 0)
            ::close(fd);
    }

    std::string path_;
    bool made_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopped_ = false;
    std::size_t read_ = 0;
    std::thread reader_;
};
