#include "builders/MenuBuilder.h"

namespace ambrel {

namespace {
fw::Ref<fw::MenuItem> newItem(const MenuRow& row) {
    fw::Ref<fw::MenuItem> item = fw::checkCast<fw::MenuItem>(fw::RuntimeNewObject(row.cls()));
    item->Constructor();
    item->setName(row.name);
    item->setAutoEnable(true);
    item->setText(row.text);
    if (row.shortcut)
        item->setKeyboardShortcut(row.shortcut);
    return item;
}
} // namespace

void buildMenu(fw::MenuBar& bar, std::span<const MenuRow> rows) {
    if (rows.empty())
        return;
    const char* menuName = rows.front().name;
    bar.Append(newItem(rows.front()));
    for (const MenuRow& row : rows.subspan(1)) {
        fw::Ref<fw::MenuItem> item = newItem(row);
        fw::Ref<fw::MenuItem> menu = bar.Child(menuName);
        menu->Append(item); // a menu that is not found raises NilObjectException here
    }
}

} // namespace ambrel
