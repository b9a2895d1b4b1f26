// Plain Qt, written the way a small Qt program would be, with nothing of the framework in between:
// the floor the panel's cost is measured against.
#include "bench/ReferenceWindow.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace fw::reference {

int runReferenceWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Reference"));
    window.setFixedSize(171, 80);
    QLabel label(&window);
    label.setGeometry(135, 1, 32, 20);
    label.setAlignment(Qt::AlignCenter);
    int count = 60;
    label.setText(QString::number(count));
    QTimer timer;
    timer.setInterval(1000);
    QObject::connect(&timer, &QTimer::timeout, &label, [&] {
        count = count > 1 ? count - 1 : 60;
        label.setText(QString::number(count));
    });
    window.show();
    timer.start();
    return QApplication::exec();
}

} // namespace fw::reference
