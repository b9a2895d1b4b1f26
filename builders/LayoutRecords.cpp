#include "builders/LayoutRecords.h"

#include <climits>

#include "framework/Properties.h"

namespace ambrel {

fw::String windowRecord(int32_t width, int32_t height, const char* title, int32_t frame,
                        bool minimizeButton) {
    return fw::encodeRecord({
        {"Placement", 0},
        {"Width", width},
        {"Height", height},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", frame},
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
        {"MinimizeButton", minimizeButton},
        {"MacProcID", 0},
    });
}

fw::String pushButtonRecord(const ButtonPlace& p) {
    return fw::encodeRecord({
        {"Name", p.name},
        {"Index", INT32_MIN},
        {"Left", p.left},
        {"Top", p.top},
        {"Width", p.width},
        {"Height", p.height},
        {"LockLeft", true},
        {"LockTop", true},
        {"LockRight", p.lockRightAndBottom},
        {"LockBottom", p.lockRightAndBottom},
        {"TabPanelIndex", 0},
        {"TabIndex", p.tabIndex},
        {"TabStop", true},
        {"Caption", p.caption},
        {"Default", false},
        {"Cancel", false},
        {"Enabled", true},
        {"Visible", true},
        {"HelpTag", ""},
        {"AutoDeactivate", true},
        {"ButtonStyle", 0},
        {"TextFont", "System"},
        {"Bold", p.bold},
        {"Italic", false},
        {"Underline", false},
        {"InitialParent", ""},
    });
}

} // namespace ambrel
