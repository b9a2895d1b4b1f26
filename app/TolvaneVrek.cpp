#include "app/TolvaneVrek.h"

#include "app/TestHooks.h"
#include "framework/Exceptions.h"
#include "framework/PluginDeclaration.h"
#include "framework/PluginHost.h"
#include "framework/PluginInterface.h"
#include "framework/Screens.h"
#include "framework/Value.h"

namespace ambrel {

namespace {

void** gPluginEntrypoints = nullptr;
bool gDidInitializePluginDependencies = false;

REALobject asPluginObject(const fw::Object* object) {
    return reinterpret_cast<REALobject>(const_cast<fw::Object*>(object));
}

// Calling a stub is calling the registered function itself, with the same arguments, by the type
// its declaration gives: the type of the host's stand-in when nothing registered it.
template <PluginEntrypoint Slot, class... A> void glink(A... args) {
    if (!gPluginEntrypoints)
        throw fw::RuntimeException("The plug-in entry points are not bound yet.");
    reinterpret_cast<SlotFunction<Slot>>(gPluginEntrypoints[Slot])(args...);
}

// Holds a reference for the length of a call into the plug-in; released on the way out,
// exceptions included.
class ObjectLock {
  public:
    explicit ObjectLock(const fw::Object* object) : object_(const_cast<fw::Object*>(object)) {
        fw::RuntimeLockObject(object_);
    }
    ~ObjectLock() { fw::RuntimeUnlockObject(object_); }
    ObjectLock(const ObjectLock&) = delete;
    ObjectLock& operator=(const ObjectLock&) = delete;

  private:
    fw::Object* object_;
};

// Every call into the plug-in: the object held for the call, then passed first.
template <PluginEntrypoint Slot, class... A> void callPlugin(const fw::Object* object, A... args) {
    ObjectLock lock(object);
    glink<Slot>(asPluginObject(object), args...);
}

// A call with a point: the program's points are in the framework's units, and the X server takes
// device pixels, which differ on a scaled screen.
template <PluginEntrypoint Slot, class... A>
void callPluginAt(const fw::Object* object, int32_t globalx, int32_t globaly, A... args) {
    const fw::ScreenPoint device = fw::DevicePixel({globalx, globaly});
    callPlugin<Slot>(object, device.x, device.y, args...);
}

RBBoolean bit(bool value) {
    return static_cast<RBBoolean>(value & 1);
}

void initHook(fw::Object& object) {
    gDidInitializePluginDependencies = true;
    callPlugin<kInitSlot>(&object);
}

void exitHook(fw::Object& object) {
    callPlugin<kExitSlot>(&object);
}

// Object offsets of the properties: each one's offset in the plug-in's data, which follows the
// object header.
enum Offset : int32_t {
    kShift = fw::kPluginDataOffset + 0,
    kCharcode = fw::kPluginDataOffset + 4,
    kCommand = fw::kPluginDataOffset + 8,
    kKeycode = fw::kPluginDataOffset + 12,
    kControl = fw::kPluginDataOffset + 16,
    kVirtualCode = fw::kPluginDataOffset + 20,
    kOption = fw::kPluginDataOffset + 24,
    kLasterror = fw::kPluginDataOffset + 28
};

bool getBool(const fw::Object* o, int32_t offset) {
    ObjectLock lock(o);
    return fw::boolGetter(const_cast<fw::Object*>(o), offset) & 1;
}
void setBool(fw::Object* o, int32_t offset, bool value) {
    ObjectLock lock(o);
    fw::boolSetter(o, offset, value & 1);
}
int32_t getInt(const fw::Object* o, int32_t offset) {
    ObjectLock lock(o);
    return fw::intGetter(const_cast<fw::Object*>(o), offset);
}
void setInt(fw::Object* o, int32_t offset, int32_t value) {
    ObjectLock lock(o);
    fw::intSetter(o, offset, value);
}

// The eight methods are public and flagged; the hooks and accessors are private.
fw::MemberInfo member(const char* name, const char* signature, bool isPublic) {
    return isPublic ? fw::scopedMember(name, signature, "Public", 1)
                    : fw::scopedMember(name, signature, "Private");
}

fw::PropertyInfo property(const char* name, int32_t offset, bool boolean) {
    fw::PropertyInfo p;
    p.name = name;
    p.typeCode = boolean ? "b" : "i4";
    p.type = boolean ? fw::PropertyType::Boolean : fw::PropertyType::Integer;
    p.flags = 5;
    p.offset = fw::kPluginDataOffset;
    p.attributes = {{"__Scope", "Public"}};
    if (boolean) {
        p.get = [offset](const fw::Object& o) { return fw::Value(getBool(&o, offset)); };
        p.set = [offset](fw::Object& o, const fw::Value& v) { setBool(&o, offset, v.asBoolean()); };
    } else {
        p.get = [offset](const fw::Object& o) { return fw::Value(getInt(&o, offset)); };
        p.set = [offset](fw::Object& o, const fw::Value& v) { setInt(&o, offset, v.asInteger()); };
    }
    return p;
}

} // namespace

static_assert(kPluginDataSize == fw::kPluginDataRoom,
              "the plug-in's data fills the room the host checks against");
// The record's instance size: the object header, then the plug-in's 32 bytes.
static_assert(sizeof(TolvaneVrek) == fw::kPluginDataOffset + kPluginDataSize,
              "the plug-in's data must follow the header");

fw::ClassRecord TolvaneVrek::describe() {
    return {
        .name = "TolvaneVrek",
        .super = nullptr,
        .create = fw::factoryOf<TolvaneVrek>(),
        .initHook = &initHook,
        .exitHook = &exitHook,
        .instanceSize = fw::kPluginDataOffset + kPluginDataSize,
        .members =
            {
                member("__init", "%%", false),
                member("__exit", "%%", false),
                member("Press", "%%", true),
                member("PressRaw", "%%b", true),
                member("Clear", "%%", true),
                member("MouseMove", "%%i4i4", true),
                member("MouseClick", "%%b", true),
                member("MouseMoveClick", "%%i4i4b", true),
                member("MouseClick", "%%bb", true),
                member("MouseMoveClick", "%%i4i4bb", true),
                member("Shift.Get", "%b%i4", false),
                member("Shift.Set", "%%i4b", false),
                member("Command.Get", "%b%i4", false),
                member("Command.Set", "%%i4b", false),
                member("Control.Get", "%b%i4", false),
                member("Control.Set", "%%i4b", false),
                member("Option.Get", "%b%i4", false),
                member("Option.Set", "%%i4b", false),
                member("Charcode.Get", "%i4%i4", false),
                member("Charcode.Set", "%%i4i4", false),
                member("Keycode.Get", "%i4%i4", false),
                member("Keycode.Set", "%%i4i4", false),
                member("VirtualCode.Get", "%i4%i4", false),
                member("VirtualCode.Set", "%%i4i4", false),
                member("Lasterror.Get", "%i4%i4", false),
                member("Lasterror.Set", "%%i4i4", false),
            },
        .properties =
            {
                property("Shift", kShift, true),
                property("Command", kCommand, true),
                property("Control", kControl, true),
                property("Option", kOption, true),
                property("Charcode", kCharcode, false),
                property("Keycode", kKeycode, false),
                property("VirtualCode", kVirtualCode, false),
                property("Lasterror", kLasterror, false),
            },
        .attributes = {},
    };
}

void TolvaneVrek::Press() {
    callPlugin<kPressSlot>(this);
}

void TolvaneVrek::PressRaw(bool down) {
    callPlugin<kPressRawSlot>(this, bit(down));
}

void TolvaneVrek::Clear() {
    callPlugin<kClearSlot>(this);
}

void TolvaneVrek::MouseMove(int32_t globalx, int32_t globaly) {
    callPluginAt<kMouseMoveSlot>(this, globalx, globaly);
}

void TolvaneVrek::MouseClick(bool down) {
    callPlugin<kMouseClickSlot>(this, bit(down));
}

void TolvaneVrek::MouseMoveClick(int32_t globalx, int32_t globaly, bool down) {
    callPluginAt<kMouseMoveClickSlot>(this, globalx, globaly, bit(down));
}

void TolvaneVrek::MouseClick(bool down, bool rightdown) {
    callPlugin<kMouseClickWithRightSlot>(this, bit(down), bit(rightdown));
}

void TolvaneVrek::MouseMoveClick(int32_t globalx, int32_t globaly, bool down, bool rightdown) {
    callPluginAt<kMouseMoveClickWithRightSlot>(this, globalx, globaly, bit(down), bit(rightdown));
}

bool TolvaneVrek::Shift_Get(int32_t) const {
    return getBool(this, kShift);
}
void TolvaneVrek::Shift_Set(int32_t, bool value) {
    setBool(this, kShift, value);
}
bool TolvaneVrek::Command_Get(int32_t) const {
    return getBool(this, kCommand);
}
void TolvaneVrek::Command_Set(int32_t, bool value) {
    setBool(this, kCommand, value);
}
bool TolvaneVrek::Control_Get(int32_t) const {
    return getBool(this, kControl);
}
void TolvaneVrek::Control_Set(int32_t, bool value) {
    setBool(this, kControl, value);
}
bool TolvaneVrek::Option_Get(int32_t) const {
    return getBool(this, kOption);
}
void TolvaneVrek::Option_Set(int32_t, bool value) {
    setBool(this, kOption, value);
}
int32_t TolvaneVrek::Charcode_Get(int32_t) const {
    return getInt(this, kCharcode);
}
void TolvaneVrek::Charcode_Set(int32_t, int32_t value) {
    setInt(this, kCharcode, value);
}
int32_t TolvaneVrek::Keycode_Get(int32_t) const {
    return getInt(this, kKeycode);
}
void TolvaneVrek::Keycode_Set(int32_t, int32_t value) {
    setInt(this, kKeycode, value);
}
int32_t TolvaneVrek::VirtualCode_Get(int32_t) const {
    return getInt(this, kVirtualCode);
}
void TolvaneVrek::VirtualCode_Set(int32_t, int32_t value) {
    setInt(this, kVirtualCode, value);
}
int32_t TolvaneVrek::Lasterror_Get(int32_t) const {
    return getInt(this, kLasterror);
}
void TolvaneVrek::Lasterror_Set(int32_t, int32_t value) {
    setInt(this, kLasterror, value);
}

void _InitPluginEntrypoints() {
    gPluginEntrypoints = fw::RuntimeAllocatePluginEntrypointsTable(kPluginEntrypointCount);
    for (int32_t slot = 0; slot < kPluginEntrypointCount; ++slot)
        gPluginEntrypoints[slot] = fw::RuntimeLookupPluginEntrypoint(kPluginEntrypointDeclarations[slot]);
}

void** pluginEntrypoints() {
    return gPluginEntrypoints;
}
bool didInitializePluginDependencies() {
    return gDidInitializePluginDependencies;
}

} // namespace ambrel
