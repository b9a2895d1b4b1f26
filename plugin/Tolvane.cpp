// The Tolvane plug-in: registers the class TolvaneVrek with the host and, for its methods, posts
// keyboard and mouse events through the platform's event-posting calls.
#include "plugin/Tolvane.h"

#include "platform/InputEvents.h"

#include <cstring>

static_assert(sizeof(REALclassDefinition) == 25 * sizeof(void*), "the class definition is 25 words");
static_assert(sizeof(REALproperty) == 10 * sizeof(void*), "a property record is 10 words");
static_assert(sizeof(REALmethodDefinition) == 4 * sizeof(void*), "a method record is 4 words");

namespace {

// The record version, which is also the plug-in version told to the host.
constexpr intptr_t kVersion = 9;

// Byte offsets of the properties inside the 32 bytes of instance data; the bytes between a
// Boolean and the next property are unused.
constexpr intptr_t kShift = 0;
constexpr intptr_t kCharcode = 4;
constexpr intptr_t kCommand = 8;
constexpr intptr_t kKeycode = 12;
constexpr intptr_t kControl = 16;
constexpr intptr_t kVirtualCode = 20;
constexpr intptr_t kOption = 24;
constexpr intptr_t kLasterror = 28;
constexpr intptr_t kInstanceDataSize = 32;
constexpr intptr_t kBooleans[] = {kShift, kCommand, kControl, kOption};
constexpr intptr_t kIntegers[] = {kCharcode, kKeycode, kVirtualCode, kLasterror};

constexpr intptr_t kClassFlags = 4;
constexpr intptr_t kPropertyFlags = 6;
constexpr intptr_t kMethodFlags = 4;

void* resolve(const char* name) {
    return gResolver ? gResolver(name) : nullptr;
}

} // namespace

REALresolver gResolver = nullptr;

REALproperty TolvaneProperties[8] = {
    // group, name, type, flags, getter, setter, offset, three unused words
    {nullptr, "Shift", "Boolean", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kShift, 0, 0, 0},
    {nullptr, "Command", "Boolean", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kCommand, 0, 0, 0},
    {nullptr, "Control", "Boolean", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kControl, 0, 0, 0},
    {nullptr, "Option", "Boolean", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kOption, 0, 0, 0},
    {nullptr, "Charcode", "integer", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kCharcode, 0, 0, 0},
    {nullptr, "Keycode", "integer", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kKeycode, 0, 0, 0},
    {nullptr, "VirtualCode", "integer", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kVirtualCode, 0,
     0, 0},
    {nullptr, "Lasterror", "integer", kPropertyFlags, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, kLasterror, 0, 0,
     0},
};

// The declarations are the contract with the application, which binds each method by them. The
// casts stay in the initializers, where the compiler folds them into the static data.
REALmethodDefinition TolvaneMethods[8] = {
    {reinterpret_cast<REALproc>(tolvane), nullptr, "Press", kMethodFlags},
    {reinterpret_cast<REALproc>(tolvaneraw), nullptr, "PressRaw(down as boolean)", kMethodFlags},
    {reinterpret_cast<REALproc>(tolvane_clear), nullptr, "Clear", kMethodFlags},
    {reinterpret_cast<REALproc>(mousemove), nullptr, "MouseMove(globalx as integer,globaly as integer)",
     kMethodFlags},
    {reinterpret_cast<REALproc>(pressmouse), nullptr, "MouseClick(down as boolean)", kMethodFlags},
    {reinterpret_cast<REALproc>(pressmouse2), nullptr,
     "MouseMoveClick(globalx as integer,globaly as integer,down as boolean)", kMethodFlags},
    {reinterpret_cast<REALproc>(pressmouse3), nullptr, "MouseClick(down as boolean, rightdown as boolean)",
     kMethodFlags},
    {reinterpret_cast<REALproc>(pressmouse4), nullptr,
     "MouseMoveClick(globalx as integer,globaly as integer,down as boolean, rightdown as boolean)",
     kMethodFlags},
};

// Writable: the size may be rounded before registration, and the host writes the data offset.
REALclassDefinition TolvaneClass = {
    .version = kVersion,
    .name = "TolvaneVrek",
    .superName = nullptr,
    .dataSize = kInstanceDataSize,
    .dataOffset = 0,
    .constructor = reinterpret_cast<REALproc>(TolvaneConstructor),
    .destructor = reinterpret_cast<REALproc>(TolvaneDestructor),
    .properties = TolvaneProperties,
    .propertyCount = 8,
    .methods = TolvaneMethods,
    .methodCount = 8,
    .reserved11 = {},
    .classFlags = kClassFlags,
    .reserved21 = {},
};

void REALPluginMain(REALresolver resolver) {
    gResolver = resolver;
    // A host without this entry point would otherwise have the plug-in call null.
    if (auto registerVersion =
            reinterpret_cast<REALRegisterPluginVersionProc>(resolve("RegisterPluginVersion"))) {
        registerVersion(kVersion);
    }
    PluginEntry();
}

void PluginEntry() {
    MyREALRegisterClass(&TolvaneClass);
    MyPluginEnde();
}

intptr_t MyREALRegisterClass(REALclassDefinition* definition) {
    // Unsigned arithmetic: rounding must not overflow whatever size it is given.
    auto size = static_cast<uintptr_t>(definition->dataSize);
    definition->dataSize = static_cast<intptr_t>((size + 15) & ~uintptr_t{15});
    return REALRegisterClass(definition);
}

intptr_t REALRegisterClass(REALclassDefinition* definition) {
    // Kept once found; while the host has none, every call asks again.
    static REALPluginRegisterClassProc pRegisterClass = nullptr;
    if (!pRegisterClass) {
        pRegisterClass = reinterpret_cast<REALPluginRegisterClassProc>(resolve("PluginRegisterClass"));
    }
    if (!pRegisterClass) {
        return 0;
    }
    return pRegisterClass(definition);
}

void MyPluginEnde() {}

void TolvaneConstructor(REALobject) {}

void TolvaneDestructor(REALobject) {}

namespace {

// The host may place the instance data anywhere in its objects and says where in word 4, so the
// offset is read at every access; values are copied bytewise as nothing promises their alignment.
unsigned char* instanceData(REALobject instance) {
    return reinterpret_cast<unsigned char*>(instance) + TolvaneClass.dataOffset;
}

bool boolean(REALobject instance, intptr_t offset) {
    return instanceData(instance)[offset] != 0;
}

int32_t integer(REALobject instance, intptr_t offset) {
    int32_t value;
    std::memcpy(&value, instanceData(instance) + offset, sizeof value);
    return value;
}

void setInteger(REALobject instance, intptr_t offset, int32_t value) {
    std::memcpy(instanceData(instance) + offset, &value, sizeof value);
}

uint16_t low16(REALobject instance, intptr_t offset) {
    return static_cast<uint16_t>(integer(instance, offset));
}

// A Boolean argument goes on as its byte widened with its sign: 0 stays 0, 1 stays 1.
boolean_t widen(RBBoolean value) {
    return static_cast<boolean_t>(static_cast<int32_t>(static_cast<int8_t>(value)));
}

CGPoint at(int32_t x, int32_t y) {
    return CGPoint{static_cast<float>(x), static_cast<float>(y)};
}

CGPoint pointer() {
    Point where{0, 0};
    GetGlobalMouse(&where);
    return CGPoint{static_cast<float>(where.h), static_cast<float>(where.v)};
}

// Every method but Clear: Lasterror is -1 while the platform calls run, then what they report.
template <typename Calls> void withLasterror(REALobject instance, Calls calls) {
    setInteger(instance, kLasterror, -1);
    CGError result = calls();
    setInteger(instance, kLasterror, result);
}

CGError postKey(REALobject instance, boolean_t down) {
    return CGPostKeyboardEvent(low16(instance, kCharcode), low16(instance, kKeycode), down);
}

struct Modifier {
    intptr_t property;
    CGKeyCode key;
};

constexpr Modifier kModifiers[] = {{kShift, 0x38}, {kCommand, 0x37}, {kControl, 0x3B}, {kOption, 0x3A}};

// Releases go in the same order as the presses, not reversed.
void postModifiers(REALobject instance, boolean_t down) {
    for (const Modifier& modifier : kModifiers) {
        if (boolean(instance, modifier.property)) {
            CGPostKeyboardEvent(0, modifier.key, down);
        }
    }
}

} // namespace

void tolvane(REALobject instance) {
    setInteger(instance, kLasterror, -1);
    postModifiers(instance, 1);
    setInteger(instance, kLasterror, postKey(instance, 1));
    // The release's result is dropped: Lasterror keeps the press's from here on.
    postKey(instance, 0);
    postModifiers(instance, 0);
}

void tolvaneraw(REALobject instance, RBBoolean down) {
    withLasterror(instance, [=] { return postKey(instance, widen(down)); });
}

void tolvane_clear(REALobject instance) {
    for (intptr_t property : kBooleans) {
        instanceData(instance)[property] = 0;
    }
    for (intptr_t property : kIntegers) {
        setInteger(instance, property, 0);
    }
}

void mousemove(REALobject instance, int32_t globalx, int32_t globaly) {
    withLasterror(instance, [=] {
        // A move always reports success, whatever the warp says.
        CGWarpMouseCursorPosition(at(globalx, globaly));
        return kCGErrorSuccess;
    });
}

void pressmouse(REALobject instance, RBBoolean down) {
    withLasterror(instance, [=] { return CGPostMouseEvent(pointer(), 1, 1, widen(down)); });
}

void pressmouse2(REALobject instance, int32_t globalx, int32_t globaly, RBBoolean down) {
    withLasterror(instance, [=] { return CGPostMouseEvent(at(globalx, globaly), 1, 1, widen(down)); });
}

void pressmouse3(REALobject instance, RBBoolean down, RBBoolean rightdown) {
    withLasterror(instance, [=] { return CGPostMouseEvent(pointer(), 1, 2, widen(down), widen(rightdown)); });
}

void pressmouse4(REALobject instance, int32_t globalx, int32_t globaly, RBBoolean down, RBBoolean rightdown) {
    withLasterror(instance, [=] {
        return CGPostMouseEvent(at(globalx, globaly), 1, 2, widen(down), widen(rightdown));
    });
}
