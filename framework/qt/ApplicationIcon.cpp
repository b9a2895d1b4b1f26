#include "framework/ApplicationIcon.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace fw {

namespace {
// Drawn from the document at each size rather than scaled from one bitmap, so that the small ones
// stay sharp.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128};
} // namespace

bool setApplicationIcon(std::string_view svg) {
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid())
        return false;
    QIcon icon;
    for (int size : kIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    QApplication::setWindowIcon(icon);
    return true;
}

} // namespace fw
