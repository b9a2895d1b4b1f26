#include "framework/PopupMenu.h"

#include "framework/PropertyTable.h"

namespace fw {

namespace {
constexpr char kRowSeparator = '\r';
} // namespace

ClassRecord PopupMenu::describe() {
    return detail::classOf<PopupMenu>(
        "PopupMenu", TextControl::Class(),
        {
            detail::accessor("InitialValue", &PopupMenu::InitialValue, &PopupMenu::setInitialValue),
            detail::accessor("ListIndex", &PopupMenu::ListIndex, &PopupMenu::setListIndex),
        });
}

void PopupMenu::setInitialValue(const String& rows) {
    rows_.clear();
    const std::string& text = rows.bytes();
    // The separators belong to no row; the empty string is a list without rows.
    for (std::size_t start = 0; !text.empty() && start <= text.size();) {
        std::size_t end = text.find(kRowSeparator, start);
        if (end == std::string::npos)
            end = text.size();
        rows_.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    sync();
    // The selected row may have gone with the old rows.
    if (listIndex_ >= ListCount())
        setListIndex(-1);
}

String PopupMenu::InitialValue() const {
    std::string text;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (i > 0)
            text += kRowSeparator;
        text += rows_[i].bytes();
    }
    return String(std::move(text));
}

void PopupMenu::setListIndex(int32_t index) {
    // An index that names no row selects nothing (an empty popup's record still says 0).
    if (index < 0 || index >= ListCount())
        index = -1;
    if (index == listIndex_)
        return;
    listIndex_ = index;
    sync();
    raiseEvent(kPopupMenuChange, {Ref<PopupMenu>(this)});
}

String PopupMenu::List(int32_t row) const {
    if (row < 0 || row >= ListCount())
        return String();
    return rows_[static_cast<std::size_t>(row)];
}

String PopupMenu::Text() const {
    return List(listIndex_);
}

} // namespace fw
