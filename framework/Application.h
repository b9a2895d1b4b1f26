// The application object: its menu bar, its menu handlers and the running version.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "framework/Delegate.h"
#include "framework/Forward.h"
#include "framework/Menu.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class Application : public Registered<Application, Object> {
  public:
    static ClassRecord describe();

    // The application's Open event, raised once when the event loop starts.
    virtual void Event_Open() {}

    Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
    void setMenuBar(Ref<fw::MenuBar> bar);

    void _AddMenuHandler(const String& commandName, Ref<Delegate> handler);
    Ref<Delegate> menuHandler(const String& commandName) const;
    // The runtime lets the application go: its handlers hold it as their target, so they go first.
    void _RemoveMenuHandlers();

    // The running version, from the version data the program handed over at start-up.
    int32_t MajorVersion() const;
    int32_t MinorVersion() const;
    int32_t BugVersion() const;
    String ShortVersion() const;
    String LongVersion() const;

  private:
    Ref<fw::MenuBar> menuBar_;
    std::map<std::string, Ref<Delegate>> handlers_; // keyed by the lower-case command name
};

} // namespace fw
