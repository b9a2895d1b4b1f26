#include "app/WindowRecord.h"

#include "framework/Properties.h"

namespace ambrel {

fw::String windowRecord(int32_t width, int32_t height, const char* title) {
    return fw::encodeRecord({
        {"Placement", 0},
        {"Width", width},
        {"Height", height},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", 0},
        {"Composite", false},
        {"HasBackColor", false},
        {"BackColor", fw::RGB(255, 255, 255)},
        {"Title", title},
        {"Visible", true},
        {"FullScreen", false},
        {"MenuBarVisible", true},
        {"CloseButton", true},
        {"Resizeable", false},
        {"LiveResize", false},
        {"MaximizeButton", false},
        {"MinimizeButton", false},
        {"MacProcID", 0},
    });
}

} // namespace ambrel
