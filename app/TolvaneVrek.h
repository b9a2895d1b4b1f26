// The application's side of the plug-in class TolvaneVrek: the entry-point table filled by
// declaration string, and the class whose methods call through it.
#pragma once

#include <cstdint>

#include "framework/Object.h"

namespace ambrel {

class TolvaneVrek : public fw::Object {
  public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& classRecord() const override { return Class(); }
    static const fw::ClassRecord& __Lookup() { return Class(); }
    static void __ctblinit() { Class(); }

    // The eight methods, in slot order.
    virtual void Press();
    virtual void PressRaw(bool down);
    virtual void Clear();
    virtual void MouseMove(int32_t globalx, int32_t globaly);
    virtual void MouseClick(bool down);
    virtual void MouseMoveClick(int32_t globalx, int32_t globaly, bool down);
    virtual void MouseClick(bool down, bool rightdown);
    virtual void MouseMoveClick(int32_t globalx, int32_t globaly, bool down, bool rightdown);

    // The property accessors; the integer argument is ignored.
    bool Shift_Get(int32_t) const;
    void Shift_Set(int32_t, bool value);
    bool Command_Get(int32_t) const;
    void Command_Set(int32_t, bool value);
    bool Control_Get(int32_t) const;
    void Control_Set(int32_t, bool value);
    bool Option_Get(int32_t) const;
    void Option_Set(int32_t, bool value);
    int32_t Charcode_Get(int32_t) const;
    void Charcode_Set(int32_t, int32_t value);
    int32_t Keycode_Get(int32_t) const;
    void Keycode_Set(int32_t, int32_t value);
    int32_t VirtualCode_Get(int32_t) const;
    void VirtualCode_Set(int32_t, int32_t value);
    int32_t Lasterror_Get(int32_t) const;
    void Lasterror_Set(int32_t, int32_t value);

    // Where the plug-in's 32 bytes lie; the framework reports this offset to the plug-in.
    const unsigned char* pluginData() const { return pluginData_; }

  private:
    alignas(8) unsigned char pluginData_[32] = {};
};

// Fills the entry-point table; once per process, before the App object exists.
void _InitPluginEntrypoints();

// The declaration strings of the table, in slot order.
inline constexpr const char* kPluginEntrypointDeclarations[] = {
    "MD5(data As String) As String",
    "EncodeBase64(data As String, lineWrap As Integer = 76) As String",
    "TolvaneVrek.__init",
    "TolvaneVrek.__exit",
    "TolvaneVrek.Press",
    "TolvaneVrek.PressRaw(down as boolean)",
    "TolvaneVrek.Clear",
    "TolvaneVrek.MouseMove(globalx as integer,globaly as integer)",
    "TolvaneVrek.MouseClick(down as boolean)",
    "TolvaneVrek.MouseMoveClick(globalx as integer,globaly as integer,down as boolean)",
    "TolvaneVrek.MouseClick(down as boolean, rightdown as boolean)",
    "TolvaneVrek.MouseMoveClick(globalx as integer,globaly as integer,down as boolean, rightdown as boolean)",
};
inline constexpr int32_t kPluginEntrypointCount =
    static_cast<int32_t>(sizeof kPluginEntrypointDeclarations / sizeof *kPluginEntrypointDeclarations);

// The table itself, for the binding's tests.
void** pluginEntrypoints();
bool didInitializePluginDependencies();

} // namespace ambrel
