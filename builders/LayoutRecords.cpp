#include "builders/LayoutRecords.h"

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ambrel {

namespace {
using Entries = std::vector<fw::RecordEntry>;

fw::String encodeEntries(const Entries& entries) {
    fw::String record;
    for (const fw::RecordEntry& entry : entries)
        record = record + fw::encodeRecord({entry});
    return record;
}

Entries placeEntries(const Place& p) {
    return {
        {"Name", p.name},
        {"Index", INT32_MIN},
        {"Left", p.left},
        {"Top", p.top},
        {"Width", p.width},
        {"Height", p.height},
        {"LockLeft", p.lockLeftAndTop},
        {"LockTop", p.lockLeftAndTop},
        {"LockRight", p.lockRightAndBottom},
        {"LockBottom", p.lockRightAndBottom},
        {"TabPanelIndex", 0},
        {"TabIndex", p.tabIndex},
    };
}

// A plain face of the font, bold where asked.
Entries fontEntries(const char* font, bool bold) {
    return {{"TextFont", font}, {"Bold", bold}, {"Italic", false}, {"Underline", false}};
}

// No data binding, no parent control.
Entries dataEntries() {
    return {{"DataSource", ""}, {"DataField", ""}, {"InitialParent", ""}};
}

Entries joined(std::initializer_list<Entries> groups) {
    Entries all;
    for (const Entries& group : groups)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}
} // namespace

fw::String windowRecord(const WindowRecord& w) {
    return fw::encodeRecord({
        {"Placement", 0},
        {"Width", w.width},
        {"Height", w.height},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", w.frame},
        {"Composite", false},
        {"HasBackColor", false},
        {"BackColor", fw::RGB(255, 255, 255)},
        {"Title", w.title},
        {"Visible", true},
        {"FullScreen", false},
        {"MenuBarVisible", true},
        {"CloseButton", true},
        {"Resizeable", false},
        {"LiveResize", false},
        {"MaximizeButton", false},
        {"MinimizeButton", w.minimizeButton},
        {"MacProcID", 0},
    });
}

Entries buttonEntries(const ButtonRecord& b) {
    return joined({placeEntries(b.place),
                   {
                       {"TabStop", true},
                       {"Caption", b.caption},
                       {"Default", b.isDefault},
                       {"Cancel", b.isCancel},
                       {"Enabled", true},
                       {"Visible", true},
                       {"HelpTag", ""},
                       {"AutoDeactivate", true},
                       {"ButtonStyle", 0},
                   },
                   fontEntries("System", b.bold),
                   {{"InitialParent", ""}}});
}

fw::String buttonRecord(const ButtonRecord& button) {
    return encodeEntries(buttonEntries(button));
}

Entries labelEntries(const LabelRecord& l) {
    Entries tabStop;
    if (l.tabStop == LabelTabStop::First)
        tabStop.emplace_back("TabStop", true);
    return joined({tabStop,
                   placeEntries(l.place),
                   {
                       {"Text", l.text},
                       {"TextAlign", l.align},
                       {"TextColor", fw::RGB(0, 0, 0)},
                       {"Multiline", l.multiline},
                       {"Enabled", true},
                       {"Visible", true},
                       {"Selectable", false},
                       {"Transparent", false},
                       {"HelpTag", ""},
                       {"AutoDeactivate", true},
                   },
                   fontEntries(l.font, l.bold),
                   dataEntries()});
}

fw::String labelRecord(const LabelRecord& label) {
    return encodeEntries(labelEntries(label));
}

fw::String popupRecord(const PopupRecord& p) {
    return encodeEntries(joined({placeEntries(p.place),
                                 {
                                     {"TabStop", true},
                                     {"Enabled", true},
                                     {"InitialValue", p.rows},
                                     {"ListIndex", 0},
                                     {"Visible", true},
                                     {"HelpTag", ""},
                                     {"AutoDeactivate", true},
                                 },
                                 fontEntries("System", p.bold),
                                 dataEntries()}));
}

fw::String checkBoxRecord(const CheckBoxRecord& c) {
    return encodeEntries(joined({placeEntries(c.place),
                                 {
                                     {"TabStop", true},
                                     {"Caption", c.caption},
                                     {"Enabled", true},
                                     {"Visible", true},
                                     {"HelpTag", ""},
                                     {"AutoDeactivate", true},
                                 },
                                 fontEntries("System", c.bold),
                                 {{"State", c.state}, {"Value", c.state == 1}},
                                 dataEntries()}));
}

fw::String textAreaRecord(const TextAreaRecord& t) {
    return encodeEntries(joined({placeEntries(t.place),
                                 {
                                     {"TabStop", true},
                                     {"Border", true},
                                     {"Multiline", true},
                                     {"ScrollbarHorizontal", false},
                                     {"ScrollbarVertical", true},
                                     {"Styled", true},
                                     {"UseFocusRing", true},
                                     {"TextColor", fw::RGB(0, 0, 0)},
                                     {"BackColor", fw::RGB(255, 255, 255)},
                                     {"Enabled", true},
                                     {"Format", ""},
                                     {"Visible", true},
                                     {"HelpTag", ""},
                                     {"AutoDeactivate", true},
                                     {"HideSelection", true},
                                 },
                                 fontEntries("System", false),
                                 {
                                     {"Text", t.text},
                                     {"Mask", ""},
                                     {"ReadOnly", false},
                                     {"LimitText", 0},
                                     {"AcceptTabs", false},
                                     {"Alignment", 0},
                                     {"AutomaticallyCheckSpelling", true},
                                 },
                                 dataEntries()}));
}

Entries progressBarEntries(const ProgressBarRecord& b) {
    return joined({placeEntries(b.place),
                   {
                       {"TabStop", true},
                       {"Maximum", b.maximum},
                       {"Value", b.value},
                       {"Enabled", true},
                       {"Visible", true},
                       {"HelpTag", ""},
                       {"AutoDeactivate", true},
                       {"InitialParent", ""},
                   }});
}

fw::String recordInOrder(const Entries& entries, std::initializer_list<const char*> names) {
    if (names.size() != entries.size())
        throw std::logic_error("A record's order names " + std::to_string(names.size()) + " entries of " +
                               std::to_string(entries.size()) + ".");
    Entries ordered;
    std::vector<std::string_view> named;
    for (std::string_view name : names) {
        if (std::find(named.begin(), named.end(), name) != named.end())
            throw std::logic_error("A record's order names " + std::string(name) + " twice.");
        named.push_back(name);
        std::size_t found = 0;
        for (const fw::RecordEntry& entry : entries)
            if (name == entry.name()) {
                ordered.push_back(entry);
                ++found;
            }
        if (found != 1)
            throw std::logic_error("A record's order names " + std::string(name) + ", which it has " +
                                   std::to_string(found) + " times.");
    }
    return encodeEntries(ordered);
}

} // namespace ambrel
