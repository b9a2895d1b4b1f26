// Menus: named items in a tree. An item's name is the command name its handlers are bound under.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Forward.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class MenuItem : public Registered<MenuItem, Object> {
  public:
    static ClassRecord describe();
    ~MenuItem() override;

    // The default constructor a menu class may stand in for (a menu bar builds its menus here).
    virtual void Constructor() {}

    String Name() const { return name_; }
    void setName(const String& name) { name_ = name; }
    // "&" marks the access key that follows it; "-" is a separator line.
    String Text() const { return text_; }
    void setText(const String& text);
    // "Cmd+" and a capital letter: the command key with that letter (Ctrl here).
    String KeyboardShortcut() const { return shortcut_; }
    void setKeyboardShortcut(const String& shortcut);
    bool AutoEnable() const { return autoEnable_; }
    void setAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    bool isSeparator() const;

    // Adds the item as the last child.
    void Append(Ref<MenuItem> item);
    // The direct child with that name, or nil.
    Ref<MenuItem> Child(const String& name) const;
    // The item with that name anywhere below, or nil.
    Ref<MenuItem> _Lookup(const String& name) const;
    int32_t Count() const { return static_cast<int32_t>(children_.size()); }
    Ref<MenuItem> Item(int32_t index) const;
    MenuItem* parent() const { return parent_; }

  private:
    String name_, text_, shortcut_;
    bool autoEnable_ = false;
    std::vector<Ref<MenuItem>> children_;
    MenuItem* parent_ = nullptr; // children never outlive their parent's reference to them
};

// A menu bar: its direct children are the menus.
class MenuBar : public Registered<MenuBar, MenuItem> {
  public:
    static ClassRecord describe();
};

// An item for the application's own menu on macOS; an ordinary item here.
class AppleMenuItem : public Registered<AppleMenuItem, MenuItem> {
  public:
    static ClassRecord describe();
};

// The framework's item whose own action quits the application.
class QuitMenuItem : public Registered<QuitMenuItem, MenuItem> {
  public:
    static ClassRecord describe();
};

// Routes a chosen item: the window's own handler for its name, then the application's, then the
// framework's own service (quit, the Edit commands on the focused text control). True when served.
bool routeMenuCommand(Window* window, const MenuItem& item);
// Whether an AutoEnable item is served by anything in reach of the window.
bool menuCommandAvailable(Window* window, const MenuItem& item);

} // namespace fw
