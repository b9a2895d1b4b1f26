#include "framework/testing/Inspect.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"
#include "framework/qt/MenuBridge.h"
#include "framework/qt/WindowBridge.h"

namespace fw::inspect {

namespace {
Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QWidget* widgetOf(const RectControl& control) {
    return control.bridge() ? control.bridge()->widget() : nullptr;
}

detail::MenuBridge* menusOf(Window& window) {
    return window.bridge().menus();
}
} // namespace

WindowView view(Window& window) {
    WindowView v;
    QWidget* w = window.bridge().widget();
    QWidget* content = window.bridge().content();
    if (!w || !content)
        return v;
    v.frame = toRect(w->geometry());
    v.content = toRect(QRect(content->mapToGlobal(QPoint(0, 0)), content->size()));
    v.menuBarHeight = window.bridge().menuBarHeight();
    v.fixedSize = w->minimumSize() == w->maximumSize();
    v.shown = w->isVisible();
    v.active = w->isActiveWindow();
    v.title = detail::fromQt(w->windowTitle());
    return v;
}

std::vector<Rect> screens() {
    std::vector<Rect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(toRect(screen->availableGeometry()));
    return areas;
}

String shownText(const RectControl& control) {
    QWidget* w = widgetOf(control);
    QAccessibleInterface* accessible = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    if (!accessible)
        return String();
    const QString name = accessible->text(QAccessible::Name);
    return detail::fromQt(name.isEmpty() ? accessible->text(QAccessible::Value) : name);
}

MenuEntryView menuEntry(Window& window, const String& itemName) {
    MenuEntryView v;
    detail::MenuBridge* menus = menusOf(window);
    QAction* action = menus ? menus->action(itemName) : nullptr;
    if (!action)
        return v;
    v.present = true;
    v.enabled = action->isEnabled();
    v.text = detail::fromQt(action->text());
    v.shortcut = detail::fromQt(action->shortcut().toString(QKeySequence::PortableText));
    return v;
}

std::vector<String> menuTitles(Window& window) {
    std::vector<String> titles;
    if (detail::MenuBridge* menus = menusOf(window))
        for (const QAction* action : menus->bar()->actions())
            titles.push_back(detail::fromQt(action->text()));
    return titles;
}

void openMenus(Window& window) {
    if (detail::MenuBridge* menus = menusOf(window))
        for (QMenu* menu : menus->menus())
            emit menu->aboutToShow();
}

bool chooseMenuItem(Window& window, const String& itemName) {
    detail::MenuBridge* menus = menusOf(window);
    QAction* action = menus ? menus->action(itemName) : nullptr;
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

void pickRow(PopupMenu& popup, int32_t row) {
    if (auto* combo = qobject_cast<QComboBox*>(widgetOf(popup)))
        combo->setCurrentIndex(row);
}

void click(CheckBox& box) {
    if (auto* check = qobject_cast<QCheckBox*>(widgetOf(box)))
        check->click();
}

void clickCloseBox(Window& window) {
    if (QWidget* w = window.bridge().widget())
        w->close();
}

} // namespace fw::inspect
