// The toolkit side of a window's menu bar: a QMenuBar built from the MenuItem tree, whose actions
// route the chosen item and whose menus enable their AutoEnable items as they open.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <vector>

#include "framework/Menu.h"
#include "framework/Window.h"

namespace fw::detail {

class MenuBridge {
  public:
    MenuBridge(Window& window, QWidget* parent, const MenuItem& bar);
    ~MenuBridge();
    MenuBridge(const MenuBridge&) = delete;
    MenuBridge& operator=(const MenuBridge&) = delete;

    QMenuBar* bar() const { return bar_; }
    // Enables each AutoEnable item of the menu by whether anything serves it now; runs as the menu
    // opens, so that a shortcut is left to the routing, which serves only what is there.
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
    QObject receiver_;
};

} // namespace fw::detail
