#include "builders/LayoutRecords.h"

#include <algorithm>
#include <climits>
#include <span>
#include <vector>

#include "framework/Properties.h"

namespace ambrel {

namespace {
fw::String encodeEntries(std::span<const fw::RecordEntry> entries) {
    fw::String record;
    for (const fw::RecordEntry& entry : entries)
        record = record + fw::encodeRecord({entry});
    return record;
}

// Where a control sits and how it follows its window's edges: how every control record begins.
std::vector<fw::RecordEntry> placeEntries(const char* name, int32_t left, int32_t top, int32_t width,
                                          int32_t height, bool lockLeftAndTop, bool lockRightAndBottom,
                                          int32_t tabIndex) {
    return {
        {"Name", name},
        {"Index", INT32_MIN},
        {"Left", left},
        {"Top", top},
        {"Width", width},
        {"Height", height},
        {"LockLeft", lockLeftAndTop},
        {"LockTop", lockLeftAndTop},
        {"LockRight", lockRightAndBottom},
        {"LockBottom", lockRightAndBottom},
        {"TabPanelIndex", 0},
        {"TabIndex", tabIndex},
    };
}

} // namespace

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

fw::String buttonRecord(const ButtonPlace& p) {
    std::vector<fw::RecordEntry> entries =
        placeEntries(p.name, p.left, p.top, p.width, p.height, true, p.lockRightAndBottom, p.tabIndex);
    entries.insert(entries.end(), {
                                      {"TabStop", true},
                                      {"Caption", p.caption},
                                      {"Default", p.isDefault},
                                      {"Cancel", p.isCancel},
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
    if (p.order == EntryOrder::Reversed)
        std::reverse(entries.begin(), entries.end());
    return encodeEntries(entries);
}

fw::String labelRecord(const LabelPlace& p) {
    std::vector<fw::RecordEntry> entries =
        placeEntries(p.name, p.left, p.top, p.width, p.height, p.lockLeftAndTop, false, p.tabIndex);
    entries.insert(entries.end(), {
                                      {"Text", p.text},
                                      {"TextAlign", p.align},
                                      {"TextColor", fw::RGB(0, 0, 0)},
                                      {"Multiline", p.multiline},
                                      {"Enabled", true},
                                      {"Visible", true},
                                      {"Selectable", false},
                                      {"Transparent", false},
                                      {"HelpTag", ""},
                                      {"AutoDeactivate", true},
                                      {"TextFont", p.font},
                                      {"Bold", p.bold},
                                      {"Italic", false},
                                      {"Underline", false},
                                      {"DataSource", ""},
                                      {"DataField", ""},
                                      {"InitialParent", ""},
                                  });
    const fw::String record = encodeEntries(entries);
    if (p.tabStop == LabelTabStop::First)
        return fw::encodeRecord({{"TabStop", true}}) + record;
    return record;
}

} // namespace ambrel
