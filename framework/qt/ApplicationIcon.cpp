#include "framework/ApplicationIcon.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace fw {

bool setApplicationIcon(std::span<const IconBitmap> sizes) {
    QIcon icon;
    for (const IconBitmap& size : sizes) {
        if (!size.pixels || size.width <= 0 || size.height <= 0)
            continue;
        // The image only looks at the pixels; the pixmap takes a copy.
        const QImage image(reinterpret_cast<const uchar*>(size.pixels), size.width, size.height,
                           size.width * 4, QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    if (icon.isNull())
        return false;
    QApplication::setWindowIcon(icon);
    return true;
}

} // namespace fw
