#include "framework/qt/Desktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"
#include "framework/qt/ProcessEnvironment.h"
#include "framework/qt/Toolkit.h"

namespace fw::detail {

void showPlainMessage(const String& message) {
    QMessageBox box;
    box.setWindowTitle(QApplication::applicationName());
    box.setTextFormat(Qt::PlainText);
    box.setText(toQt(message));
    runModal(box);
}

void beep() {
    QApplication::beep();
}

namespace {

using Failed = std::function<void(const std::string&)>;

// Told from the event loop, never from inside the call that started the opener.
void tellLater(Failed failed, std::string reason) {
    postToLoop([failed = std::move(failed), reason = std::move(reason)] { failed(reason); });
}

// Watches one opener until it ends, through a descriptor of the process, and reaps it. A watch
// that goes first (the program ends) leaves the process be, unlike a QProcess, which kills it.
class OpenerWatch : public QSocketNotifier {
  public:
    OpenerWatch(int pidfd, Failed failed)
        : QSocketNotifier(pidfd, QSocketNotifier::Read, qApp), pidfd_(pidfd) {
        connect(this, &QSocketNotifier::activated, this, [this, failed = std::move(failed)] {
            setEnabled(false);
            siginfo_t ended{};
            if (::waitid(P_PIDFD, id_t(pidfd_), &ended, WEXITED) == 0) {
                if (ended.si_code != CLD_EXITED)
                    failed("xdg-open was ended by signal " + std::to_string(ended.si_status));
                else if (ended.si_status != 0)
                    failed("xdg-open exited with status " + std::to_string(ended.si_status));
            }
            deleteLater();
        });
    }
    ~OpenerWatch() override { ::close(pidfd_); }

  private:
    int pidfd_;
};

} // namespace

void openURL(const String& address, Failed failed) {
    const std::string opener = QStandardPaths::findExecutable("xdg-open").toStdString();
    if (opener.empty())
        return tellLater(std::move(failed), "no xdg-open on the PATH");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::string argument = address.bytes();
    char* argv[] = {const_cast<char*>("xdg-open"), argument.data(), nullptr};
    std::vector<std::string> environment = childEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, opener.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return tellLater(std::move(failed),
                         "xdg-open could not be started: " + std::string(std::strerror(error)));
    // By the system call: the C library of Debian 12 declares pidfd_open without C linkage.
    const int pidfd = int(::syscall(SYS_pidfd_open, pid, 0));
    // Without a descriptor of the process its ending cannot be heard; it has started, at least.
    if (pidfd < 0)
        return;
    new OpenerWatch(pidfd, std::move(failed));
}

} // namespace fw::detail
