// The toolkit side of a window's menu bar: a QMenuBar built from the MenuItem tree, whose actions
// route the chosen item. AutoEnable items are enabled by what serves them now, kept current as the
// focus moves and handlers come and go, so that a shortcut works without its menu being opened.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <vector>

#include "framework/Menu.h"
#include "framework/Window.h"
#include "framework/qt/MenuRefresh.h"

namespace fw::detail {

class MenuBridge {
  public:
    MenuBridge(Window& window, QWidget* parent, const MenuItem& bar);
    ~MenuBridge();
    MenuBridge(const MenuBridge&) = delete;
    MenuBridge& operator=(const MenuBridge&) = delete;

    QMenuBar* bar() const { return bar_; }
    // Enables each AutoEnable item of the menu (of every menu, given null) by whether anything
    // serves it now.
    void refresh(const QMenu* menu);
    // The action of the item with that name, or null.
    QAction* action(const String& itemName) const;
    std::vector<QMenu*> menus() const;

  private:
    void add(QWidget* container, const Ref<MenuItem>& item);

    struct Entry {
        QAction* action; // owned by its container
        const QWidget* container;
        WeakRef<MenuItem> item;
    };
    WeakRef<Window> window_;
    QPointer<QMenuBar> bar_;
    std::vector<Entry> entries_;
    bool textFocused_ = false; // the focus the last refresh of every menu saw
    QObject receiver_;
};

} // namespace fw::detail
