#include "framework/qt/FreedMemory.h"

#include <malloc.h>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace fw::detail {

namespace {
// One thread, started at the first use and kept: its heap stays its own while it lives. A thread
// for each use would leave its heap to the next new thread of the toolkit's, and the next use
// would begin another.
class ApartThread {
  public:
    // False when no thread could be started.
    bool run(const std::function<void()>& work) {
        const std::lock_guard one(caller_);
        std::unique_lock lock(mutex_);
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread([this] { serve(); });
            } catch (const std::system_error&) {
                return false;
            }
        }
        job_ = &work;
        failed_ = nullptr;
        wake_.notify_one();
        done_.wait(lock, [this] { return job_ == nullptr; });
        if (failed_)
            std::rethrow_exception(failed_);
        return true;
    }

  private:
    void serve() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [this] { return job_ != nullptr; });
            try {
                (*job_)();
            } catch (...) {
                failed_ = std::current_exception();
            }
            job_ = nullptr;
            done_.notify_one();
        }
    }

    std::mutex caller_; // held by the one caller whose work is run
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::thread thread_;
    const std::function<void()>* job_ = nullptr; // the caller's, who waits for it
    std::exception_ptr failed_;
};
} // namespace

void giveFreedMemoryBack() {
    malloc_trim(0);
}

void runApart(const std::function<void()>& work) {
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer's allocator keeps no heap for each thread, so a thread of its own gains
    // nothing; and the leak check at exit cannot always stop one that waits.
    work();
#else
    // Never destroyed: what is freed apart may be freed by a static destructor. The thread waits
    // idle meanwhile and ends with the process.
    static auto* apart = new ApartThread();
    // Without a thread the blocks go among the program's own, which costs memory, not the result.
    if (!apart->run(work))
        work();
#endif
}

} // namespace fw::detail
