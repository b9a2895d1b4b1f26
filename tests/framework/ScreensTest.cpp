// Where a window goes to lie wholly on one screen, for sets of screens.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "framework/Screens.h"

namespace fw {
// Found by GoogleTest beside the type.
void PrintTo(const ScreenPoint& p, std::ostream* out);
void PrintTo(const ScreenPoint& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}
} // namespace fw

namespace {

using fw::ScreenPoint;
using fw::ScreenRect;

TEST(ScreenPlacement, AFrameGoesWhereStoredOnlyWhenWhollyOnOneScreen) {
    const std::vector<ScreenRect> one = {{0, 0, 1280, 1024}};
    // Side by side, the right one larger and with a gap below the left one.
    const std::vector<ScreenRect> two = {{0, 0, 1280, 1024}, {1280, 0, 1920, 1200}};
    // One above the other, the upper at negative coordinates.
    const std::vector<ScreenRect> stacked = {{0, 0, 1920, 1080}, {0, -1024, 1280, 1024}};
    const int32_t w = 171, h = 99; // the panel with its menu bar

    struct Case {
        const char* what;
        const std::vector<ScreenRect>& screens;
        ScreenRect frame;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {"wholly on", one, {400, 300, w, h}, {400, 300}},
        {"touching every edge", one, {0, 0, 1280, 1024}, {0, 0}},
        {"a corner left on screen", one, {-165, 1042 - 19, w, h}, {0, 1024 - h}},
        {"menu bar above the top", one, {300, -9, w, h}, {300, 0}},
        {"over the right edge", one, {1200, 500, w, h}, {1280 - w, 500}},
        {"far off at the ends of the range", one, {INT32_MIN, INT32_MAX, w, h}, {0, 1024 - h}},
        {"larger than the screen keeps its corner on it", one, {100, 100, 2000, 2000}, {0, 0}},
        {"wholly on the second screen", two, {2000, 1100, w, h}, {2000, 1100}},
        {"across the seam, mostly right", two, {1250, 100, w, h}, {1280, 100}},
        {"across the seam, mostly left", two, {1150, 100, w, h}, {1280 - w, 100}},
        {"below the shorter screen", two, {500, 1100, w, h}, {500, 1024 - h}},
        {"off to the right of both", two, {5000, 50, w, h}, {3200 - w, 50}},
        {"on the upper screen", stacked, {100, -500, w, h}, {100, -500}},
        {"beside the upper screen, nearer it than the lower", stacked, {1500, -600, w, h}, {1280 - w, -600}},
        {"beside the upper screen, nearer the lower", stacked, {1500, -100, w, h}, {1500, 0}},
        {"left of the upper screen", stacked, {-300, -600, w, h}, {0, -600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fw::placeWhollyOnAScreen(c.frame, c.screens), c.expected) << c.what;
}

TEST(ScreenPlacement, WithoutScreensAFrameStaysAndEmptyScreensDoNotCount) {
    EXPECT_EQ(fw::placeWhollyOnAScreen({-500, -500, 171, 99}, {}), (ScreenPoint{-500, -500}));
    EXPECT_EQ(fw::placeWhollyOnAScreen({-500, -500, 171, 99}, {{-1000, -1000, 0, 0}, {0, 0, 800, 600}}),
              (ScreenPoint{0, 0}));
}

} // namespace
