// The icon every window of the program shows, in the task bar and the window list.
#pragma once

#include <cstdint>
#include <span>

namespace fw {

// One size of the icon: width x height pixels, row by row, each 0xAARRGGBB with the colour not
// premultiplied. The build draws them from the program's SVG document (framework/qt/tools), so
// that nothing is drawn, and no SVG renderer loaded, at start-up.
struct IconBitmap {
    int32_t width;
    int32_t height;
    const uint32_t* pixels;
};

// Sets the program's icon from its bitmaps, one for each size desktops ask for. Call it after
// RuntimeInit, before the first window opens. False when there is no usable bitmap; the windows
// then keep the toolkit's own icon.
bool setApplicationIcon(std::span<const IconBitmap> sizes);

} // namespace fw
