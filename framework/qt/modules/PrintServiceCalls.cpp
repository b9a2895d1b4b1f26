// The toolkit's calls into the print service, kept off the event loop's thread. Qt's CUPS support
// makes them on the thread that runs the windows, with the client library's default connection,
// whose waits last a minute each; it offers no way to bound them. So this module defines the four
// calls of the client library that it makes and that wait on the service, and makes itself part of
// the process's global scope before the toolkit loads its CUPS support: the toolkit's calls come
// here. Made on the loop's thread, each runs on a thread of its own over a bounded connection
// while the loop goes on as in a modal wait; made on any other thread, each goes to the client
// library as it is.
#include <dlfcn.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <cups/ppd.h>

#include "framework/qt/modules/PrintService.h"

namespace fw::detail {

namespace {

// Set once on the loop's thread; read on any thread the toolkit calls from.
std::atomic<ModalWait> gWait = nullptr;
PrintServiceState gAttempt = PrintServiceState::Answers;
QString gJobRefusal;

bool onLoopThread() {
    return gWait && QCoreApplication::instance() && QThread::currentThread() == qApp->thread();
}

// Password questions cannot be asked from a thread of the print service's: declined, the request
// fails as the service's refusal says.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

// Why a call that was made failed: the service could not be reached, or what the client library
// told on the call's thread (empty when it told nothing).
struct CallFailure {
    bool reached = true;
    std::string error;
};

// One call on its way: what the thread found, and whether the loop still wants it.
template <class Result> struct Call {
    std::mutex mutex;
    bool finished = false;
    bool abandoned = false;
    bool gaveUp = false;
    Result result{};
    CallFailure failure;
    std::atomic<bool> stop = false;
};

// Runs `ask` over a bounded connection on a thread of its own through `wait`; the result, or
// nothing when the call was given up (a result that comes too late is let go with `release`), and
// why it failed.
template <class Result, class Ask, class Release>
std::optional<Result> offLoop(ModalWait wait, Ask ask, Release release, CallFailure* failed = nullptr) {
    if (gAttempt != PrintServiceState::Answers)
        return std::nullopt;
    auto call = std::make_shared<Call<Result>>();
    const bool ended = !wait(
        [call, ask, release] {
            cupsSetPasswordCB2(&noPassword, nullptr);
            Result result{};
            bool gaveUp = false;
            CallFailure failure;
            {
                BoundedConnection connection(call->stop);
                if (connection.http())
                    result = ask(connection.http());
                gaveUp = connection.gaveUp();
                failure.reached = connection.http() != nullptr;
                if (failure.reached && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
                    cupsLastErrorString())
                    failure.error = cupsLastErrorString();
            }
            std::lock_guard lock(call->mutex);
            call->finished = true;
            if (call->abandoned) {
                release(result);
                return;
            }
            call->result = result;
            call->gaveUp = gaveUp;
            call->failure = std::move(failure);
        },
        [call] { call->stop = true; });
    std::lock_guard lock(call->mutex);
    if (ended || !call->finished || call->gaveUp) {
        gAttempt = ended || !call->finished ? PrintServiceState::Abandoned : PrintServiceState::Silent;
        call->abandoned = true;
        if (call->finished)
            release(call->result);
        return std::nullopt;
    }
    if (failed)
        *failed = call->failure;
    return call->result;
}

template <class Function> Function realCall(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

struct Dests {
    int count = 0;
    cups_dest_t* dests = nullptr;
};

struct Options {
    int count = 0;
    cups_option_t* options = nullptr;
    Options() = default;
    ~Options() { cupsFreeOptions(count, options); }
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
};

} // namespace

bool keepPrintServiceOffLoop(ModalWait wait) {
    static const bool reached = [] {
        // Promoted to the global scope, the module comes before the client library in every later
        // lookup of these names: the toolkit's CUPS support is loaded after this.
        Dl_info self{};
        if (!dladdr(reinterpret_cast<void*>(&keepPrintServiceOffLoop), &self) || !self.dli_fname ||
            !dlopen(self.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_GLOBAL))
            return false;
        return dlsym(RTLD_DEFAULT, "cupsGetDests") == reinterpret_cast<void*>(&::cupsGetDests);
    }();
    if (reached)
        gWait = wait;
    return reached;
}

PrintServiceState askPrintService(ModalWait wait) {
    beginPrintServiceAttempt();
    auto ask = [](http_t* http) {
        ippDelete(cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
        return true;
    };
    auto nothingToRelease = [](bool&) {};
    CallFailure failure;
    if (!offLoop<bool>(wait, ask, nothingToRelease, &failure))
        return printServiceAttempt();
    return failure.reached ? PrintServiceState::Answers : PrintServiceState::Absent;
}

void beginPrintServiceAttempt() {
    gAttempt = PrintServiceState::Answers;
}

PrintServiceState printServiceAttempt() {
    return gAttempt;
}

QString jobRefusal() {
    return gJobRefusal;
}

void clearJobRefusal() {
    gJobRefusal.clear();
}

} // namespace fw::detail

using fw::detail::onLoopThread;

extern "C" {

__attribute__((visibility("default"))) int cupsGetDests(cups_dest_t** dests) {
    if (!onLoopThread())
        return cupsGetDests2(CUPS_HTTP_DEFAULT, dests);
    using fw::detail::Dests;
    const std::optional<Dests> found = fw::detail::offLoop<Dests>(
        fw::detail::gWait,
        [](http_t* http) {
            Dests d;
            d.count = cupsGetDests2(http, &d.dests);
            return d;
        },
        [](Dests& d) { cupsFreeDests(d.count, d.dests); });
    *dests = found ? found->dests : nullptr;
    return found ? found->count : 0;
}

__attribute__((visibility("default"))) cups_dest_t* cupsGetNamedDest(http_t* http, const char* name,
                                                                     const char* instance) {
    using Real = cups_dest_t* (*)(http_t*, const char*, const char*);
    static const Real real = fw::detail::realCall<Real>("cupsGetNamedDest");
    if (!real)
        return nullptr;
    if (!onLoopThread() || http != CUPS_HTTP_DEFAULT)
        return real(http, name, instance);
    const std::string wanted = name ? name : "";
    const std::string copy = instance ? instance : "";
    const bool named = name, ofInstance = instance;
    return fw::detail::offLoop<cups_dest_t*>(
               fw::detail::gWait,
               [wanted, copy, named, ofInstance](http_t* bounded) {
                   return real(bounded, named ? wanted.c_str() : nullptr,
                               ofInstance ? copy.c_str() : nullptr);
               },
               [](cups_dest_t*& dest) { cupsFreeDests(dest ? 1 : 0, dest); })
        .value_or(nullptr);
}

// The toolkit still fetches printer descriptions this way, which the client library has marked as
// old: kept as the toolkit calls it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
__attribute__((visibility("default"))) const char* cupsGetPPD(const char* name) {
    if (!onLoopThread())
        return cupsGetPPD2(CUPS_HTTP_DEFAULT, name);
    // The client library keeps the name in its own per-thread storage, gone with the thread; the
    // caller reads it before the next call, as with the library's own.
    static std::string kept;
    const std::string printer = name ? name : "";
    const std::optional<std::string> file = fw::detail::offLoop<std::string>(
        fw::detail::gWait,
        [printer](http_t* http) {
            const char* fetched = cupsGetPPD2(http, printer.c_str());
            return std::string(fetched ? fetched : "");
        },
        [](std::string& fetched) {
            if (!fetched.empty())
                unlink(fetched.c_str());
        });
    if (!file || file->empty())
        return nullptr;
    kept = *file;
    return kept.c_str();
}
#pragma GCC diagnostic pop

__attribute__((visibility("default"))) int cupsPrintFile(const char* printer, const char* filename,
                                                         const char* title, int num_options,
                                                         cups_option_t* options) {
    if (!onLoopThread())
        return cupsPrintFile2(CUPS_HTTP_DEFAULT, printer, filename, title, num_options, options);
    // Copied: the thread may outlive the caller's strings once the call is given up.
    const std::string destination = printer ? printer : "", file = filename ? filename : "",
                      name = title ? title : "";
    auto copied = std::make_shared<fw::detail::Options>();
    for (int i = 0; i < num_options; ++i)
        copied->count = cupsAddOption(options[i].name, options[i].value, copied->count, &copied->options);
    fw::detail::CallFailure failure;
    const std::optional<int> job = fw::detail::offLoop<int>(
        fw::detail::gWait,
        [destination, file, name, copied](http_t* http) {
            return cupsPrintFile2(http, destination.c_str(), file.c_str(), name.c_str(), copied->count,
                                  copied->options);
        },
        [](int&) {}, &failure);
    if (!job)
        fw::detail::gJobRefusal = fw::detail::gAttempt == fw::detail::PrintServiceState::Silent
                                      ? QString::fromUtf8(fw::detail::kPrintServiceSilent)
                                      : QStringLiteral("The job was not handed over: the program quits.");
    else if (*job == 0 && !failure.reached)
        fw::detail::gJobRefusal = QStringLiteral("The print service cannot be reached.");
    else if (*job == 0)
        fw::detail::gJobRefusal = QStringLiteral("The print service refused the job: %1")
                                      .arg(failure.error.empty() ? QStringLiteral("no reason given.")
                                                                 : QString::fromStdString(failure.error));
    return job.value_or(0);
}

} // extern "C"
