#include "framework/qt/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"

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

bool openURL(const String& address) {
    return QDesktopServices::openUrl(QUrl(toQt(address)));
}

} // namespace fw::detail
