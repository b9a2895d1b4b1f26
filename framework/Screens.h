// The screens: where they lie in the framework's units, how those units meet the window server's
// device pixels, and where a window goes to lie wholly on one of them.
#pragma once

#include <cstdint>
#include <vector>

namespace fw {

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The usable area of each screen (without the window manager's panels and docks).
std::vector<ScreenRect> screenAreas();

// The device pixel that the window server knows for a point in the framework's units (those of
// Window.Top and Left), by the scale of the screen under the point, or else of the nearest one.
ScreenPoint DevicePixel(ScreenPoint point);

// Where the top-left corner of a window with this frame goes: where it is, when the frame lies
// wholly on one screen; otherwise the least move that puts it wholly on one, which is the nearest.
// A frame larger than every screen keeps its top-left corner on the screen.
ScreenPoint placeWhollyOnAScreen(const ScreenRect& frame, const std::vector<ScreenRect>& screens);

} // namespace fw
