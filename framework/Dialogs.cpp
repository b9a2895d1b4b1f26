#include "framework/Dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>

#include "framework/ApplicationSettings.h"
#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"

namespace fw {

namespace {
std::function<void(const String&)>& presenter() {
    static auto* p = new std::function<void(const String&)>();
    return *p;
}

std::function<void(const String&)>& urlPresenter() {
    static auto* p = new std::function<void(const String&)>();
    return *p;
}
} // namespace

void MsgBox(const String& message) {
    if (presenter()) {
        presenter()(message);
        return;
    }
    if (!qApp) {
        // Before the runtime is up (or after it is gone) there is no screen to show it on.
        std::fprintf(stderr, "%s\n", message.c_str());
        return;
    }
    QMessageBox box;
    box.setWindowTitle(QApplication::applicationName());
    box.setTextFormat(Qt::PlainText);
    box.setText(detail::toQt(message));
    detail::runModal(box);
}

void setMessagePresenter(std::function<void(const String&)> p) {
    presenter() = std::move(p);
}

void Beep() {
    QApplication::beep();
}

void ShowURL(const String& address) {
    if (urlPresenter()) {
        urlPresenter()(address);
        return;
    }
    // The callers have no use for a failure; it is written down rather than lost.
    if (!QDesktopServices::openUrl(QUrl(detail::toQt(address))))
        std::fprintf(stderr, "%s could not open %s\n", applicationSettings().name.c_str(), address.c_str());
}

void setURLPresenter(std::function<void(const String&)> p) {
    urlPresenter() = std::move(p);
}

} // namespace fw
