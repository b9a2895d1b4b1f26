#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/Screens.h"
#include "framework/qt/Convert.h"

namespace fw {

std::vector<ScreenRect> screenAreas() {
    std::vector<ScreenRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect a = screen->availableGeometry();
        areas.push_back({a.x(), a.y(), a.width(), a.height()});
    }
    return areas;
}

namespace {
const QScreen* screenFor(QPoint point) {
    if (const QScreen* under = QGuiApplication::screenAt(point))
        return under;
    const QScreen* nearest = nullptr;
    double nearestGap = std::numeric_limits<double>::max();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        const double dx = std::max({double(g.left()) - point.x(), double(point.x()) - g.right(), 0.0});
        const double dy = std::max({double(g.top()) - point.y(), double(point.y()) - g.bottom(), 0.0});
        if (dx * dx + dy * dy < nearestGap) {
            nearestGap = dx * dx + dy * dy;
            nearest = screen;
        }
    }
    return nearest;
}

// Each screen is scaled about its own top-left corner, which both spaces share; the middle of the
// framework's pixel lands inside the device pixels that show it at any scale, 1.5 included.
int32_t toDevice(int32_t position, int origin, double scale) {
    const double device = origin + std::floor((double(position) - origin + 0.5) * scale);
    return static_cast<int32_t>(std::clamp(device, double(INT32_MIN), double(INT32_MAX)));
}
} // namespace

ScreenPoint DevicePixel(ScreenPoint point) {
    const QScreen* screen = screenFor(detail::toQt(point));
    if (!screen)
        return point;
    const double scale = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();
    return {toDevice(point.x, origin.x(), scale), toDevice(point.y, origin.y(), scale)};
}

} // namespace fw
