// The application's side of the plug-in class TolvaneVrek: the entry-point table filled by
// declaration string, and the class whose methods call through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "framework/Object.h"
#include "framework/PluginDeclaration.h"

namespace ambrel {

// The plug-in's instance data: its eight properties in 32 bytes.
inline constexpr std::size_t kPluginDataSize = 32;

class TolvaneVrek : public fw::Registered<TolvaneVrek, fw::Object> {
  public:
    static fw::ClassRecord describe();
    static const fw::ClassRecord& __Lookup() { return Class(); }
    static void __ctblinit() { Class(); }

    // The eight methods, in slot order. Points are in the framework's units (those of Window.Left
    // and Top), whatever the screen's scale.
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
    alignas(8) unsigned char pluginData_[kPluginDataSize] = {};
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

// The table's slots by name, in the order of the declarations above.
enum PluginEntrypoint : int32_t {
    kMD5Slot,
    kEncodeBase64Slot,
    kInitSlot,
    kExitSlot,
    kPressSlot,
    kPressRawSlot,
    kClearSlot,
    kMouseMoveSlot,
    kMouseClickSlot,
    kMouseMoveClickSlot,
    kMouseClickWithRightSlot,
    kMouseMoveClickWithRightSlot,
    kPluginEntrypointCount
};
static_assert(std::size(kPluginEntrypointDeclarations) == kPluginEntrypointCount,
              "one slot name for each declaration");

// Whether the slot's declaration is of that name with that many parameters: keeps each slot name
// on its row, the overloads included.
constexpr bool declares(PluginEntrypoint slot, std::string_view name, int parameters) {
    const std::string_view declaration = kPluginEntrypointDeclarations[slot];
    if (!declaration.starts_with(name))
        return false;
    const std::string_view rest = declaration.substr(name.size());
    if (rest.empty())
        return parameters == 0;
    int commas = 0;
    for (char c : rest)
        commas += c == ',';
    return rest.front() == '(' && commas + 1 == parameters;
}
static_assert(declares(kMD5Slot, "MD5", 1) && declares(kEncodeBase64Slot, "EncodeBase64", 2) &&
                  declares(kInitSlot, "TolvaneVrek.__init", 0) &&
                  declares(kExitSlot, "TolvaneVrek.__exit", 0) &&
                  declares(kPressSlot, "TolvaneVrek.Press", 0) &&
                  declares(kPressRawSlot, "TolvaneVrek.PressRaw", 1) &&
                  declares(kClearSlot, "TolvaneVrek.Clear", 0) &&
                  declares(kMouseMoveSlot, "TolvaneVrek.MouseMove", 2) &&
                  declares(kMouseClickSlot, "TolvaneVrek.MouseClick", 1) &&
                  declares(kMouseMoveClickSlot, "TolvaneVrek.MouseMoveClick", 3) &&
                  declares(kMouseClickWithRightSlot, "TolvaneVrek.MouseClick", 2) &&
                  declares(kMouseMoveClickWithRightSlot, "TolvaneVrek.MouseMoveClick", 4),
              "each slot name stands on its declaration's row");

// The type of the function in a plug-in method's slot, read from its declaration as the host reads
// it (the host's stand-in for a missing one has this type too).
template <PluginEntrypoint Slot>
using SlotFunction = fw::PluginFunction<fw::pluginSignature(kPluginEntrypointDeclarations[Slot])>;

} // namespace ambrel
