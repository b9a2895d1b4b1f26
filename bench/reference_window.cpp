// The bare Qt window the benchmark compares the panel with: plain Qt, written the way a small Qt
// program would be, linked with Qt Widgets alone and nothing of the framework, so that its start-up
// and memory are the floor. It shows a window of the panel's size with one label whose number
// changes every second, and runs until it is ended.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
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
