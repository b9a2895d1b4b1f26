#include "framework/Screens.h"

#include <algorithm>

namespace fw {

namespace {
// The start that puts a length inside the area, or the area's own start when it cannot fit.
int64_t clampInto(int64_t start, int64_t length, int64_t areaStart, int64_t areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}
} // namespace

ScreenPoint placeWhollyOnAScreen(const ScreenRect& frame, const std::vector<ScreenRect>& screens) {
    // 64-bit: a stored position may be anything an integer holds.
    ScreenPoint best{frame.left, frame.top};
    double bestMove = -1;
    for (const ScreenRect& s : screens) {
        if (s.width <= 0 || s.height <= 0)
            continue;
        const int64_t x = clampInto(frame.left, frame.width, s.left, s.width);
        const int64_t y = clampInto(frame.top, frame.height, s.top, s.height);
        const double dx = static_cast<double>(x - frame.left), dy = static_cast<double>(y - frame.top);
        const double move = dx * dx + dy * dy;
        if (bestMove < 0 || move < bestMove) {
            bestMove = move;
            best = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
        }
    }
    return best;
}

} // namespace fw
