#include "framework/qt/MenuBridge.h"

#include <QApplication>
#include <algorithm>

#include "framework/Runtime.h"
#include "framework/qt/Convert.h"
#include "framework/qt/EditCommands.h"

namespace fw::detail {

namespace {
std::vector<MenuBridge*>& liveBridges() {
    static auto* bridges = new std::vector<MenuBridge*>();
    return *bridges;
}
} // namespace

MenuBridge::MenuBridge(Window& window, QWidget* parent, const MenuItem& bar)
    : window_(&window), bar_(new QMenuBar(parent)) {
    // Always inside the window: the content's screen position is computed below the bar.
    bar_->setNativeMenuBar(false);
    for (int32_t i = 0; i < bar.Count(); ++i)
        add(bar_, bar.Item(i));
    // The Edit items follow the focus into and out of text widgets. Of the focus, that is all
    // they depend on: a move between two other widgets, or out of and back into a window as a
    // click activates it, leaves every item as it is.
    QObject::connect(qApp, &QApplication::focusChanged, &receiver_, [this] {
        if (textHasFocus() != textFocused_)
            refresh(nullptr);
    });
    liveBridges().push_back(this);
    refresh(nullptr);
}

MenuBridge::~MenuBridge() {
    std::erase(liveBridges(), this);
    // A menu action may be what led here (Quit closes every window): the bar goes once control is
    // back in the event loop.
    if (bar_) {
        bar_->hide();
        bar_->deleteLater();
    }
}

void MenuBridge::add(QWidget* container, const Ref<MenuItem>& item) {
    if (item->isSeparator()) {
        auto* separator = new QAction(container);
        separator->setSeparator(true);
        container->addAction(separator);
        return;
    }
    if (item->Count() > 0) {
        auto* menu = new QMenu(toQt(item->Text()), container);
        container->addAction(menu->menuAction());
        QObject::connect(menu, &QMenu::aboutToShow, &receiver_, [this, menu] { refresh(menu); });
        for (int32_t i = 0; i < item->Count(); ++i)
            add(menu, item->Item(i));
        return;
    }
    auto* action = new QAction(toQt(item->Text()), container);
    if (!item->KeyboardShortcut().empty())
        action->setShortcut(shortcutToQt(item->KeyboardShortcut()));
    container->addAction(action);
    entries_.push_back({action, container, WeakRef<MenuItem>(item)});
    // The action is the connection's context, not this bridge: the command may close the window
    // and with it this bridge while the action is still emitting.
    QObject::connect(action, &QAction::triggered, action,
                     [window = window_, weakItem = WeakRef<MenuItem>(item)] {
                         dispatch([&] {
                             Ref<Window> protector = window.lock();
                             if (Ref<MenuItem> chosen = weakItem.lock())
                                 routeMenuCommand(protector.get(), *chosen);
                         });
                     });
}

void MenuBridge::refresh(const QMenu* menu) {
    if (!bar_)
        return; // the actions went with the bar
    Ref<Window> window = window_.lock();
    if (!menu)
        textFocused_ = textHasFocus();
    for (const Entry& entry : entries_) {
        if (menu && entry.container != menu)
            continue;
        Ref<MenuItem> item = entry.item.lock();
        if (item && item->AutoEnable())
            entry.action->setEnabled(menuCommandAvailable(window.get(), *item));
    }
}

QAction* MenuBridge::action(const String& itemName) const {
    for (const Entry& entry : entries_)
        if (Ref<MenuItem> item = entry.item.lock(); item && item->Name() == itemName)
            return entry.action;
    return nullptr;
}

std::vector<QMenu*> MenuBridge::menus() const {
    if (!bar_)
        return {};
    QList<QMenu*> found = bar_->findChildren<QMenu*>();
    return std::vector<QMenu*>(found.begin(), found.end());
}

void refreshMenus() {
    for (MenuBridge* bridge : liveBridges())
        bridge->refresh(nullptr);
}

} // namespace fw::detail
