// A small plug-in module that registers a class as a faulty or foreign module might: built once
// for each fault, its record fields given by the build (FAKE_CLASS, FAKE_VERSION, FAKE_DATA_SIZE,
// FAKE_LAST_OFFSET: the offset of its last property, FAKE_METHODS: how many of the eight methods
// it has). Its functions do nothing.
#include "framework/PluginInterface.h"

namespace {

void nothing(REALobject) {}
void withFlag(REALobject, RBBoolean) {}
void withPoint(REALobject, int32_t, int32_t) {}
void withPointAndFlag(REALobject, int32_t, int32_t, RBBoolean) {}
void withTwoFlags(REALobject, RBBoolean, RBBoolean) {}
void withPointAndTwoFlags(REALobject, int32_t, int32_t, RBBoolean, RBBoolean) {}

template <class F> REALproc proc(F* function) {
    return reinterpret_cast<REALproc>(function);
}

REALproperty properties[] = {
    {nullptr, "Shift", "Boolean", 6, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, 0, 0, 0, 0},
    {nullptr, "Lasterror", "integer", 6, REAL_NO_ACCESSOR, REAL_NO_ACCESSOR, FAKE_LAST_OFFSET, 0, 0, 0},
};

REALmethodDefinition methods[] = {
    {proc(&nothing), nullptr, "Press", 4},
    {proc(&withFlag), nullptr, "PressRaw(down as boolean)", 4},
    {proc(&nothing), nullptr, "Clear", 4},
    {proc(&withPoint), nullptr, "MouseMove(globalx as integer,globaly as integer)", 4},
    {proc(&withFlag), nullptr, "MouseClick(down as boolean)", 4},
    {proc(&withPointAndFlag), nullptr,
     "MouseMoveClick(globalx as integer,globaly as integer,down as boolean)", 4},
    {proc(&withTwoFlags), nullptr, "MouseClick(down as boolean, rightdown as boolean)", 4},
    {proc(&withPointAndTwoFlags), nullptr,
     "MouseMoveClick(globalx as integer,globaly as integer,down as boolean, rightdown as boolean)", 4},
};
static_assert(FAKE_METHODS <= sizeof methods / sizeof methods[0]);

REALclassDefinition fakeClass = {
    FAKE_VERSION,
    FAKE_CLASS,
    nullptr,
    FAKE_DATA_SIZE,
    0,
    proc(&nothing),
    proc(&nothing),
    properties,
    2,
    methods,
    FAKE_METHODS,
    {},
    4,
    {},
};

} // namespace

extern "C" void REALPluginMain(REALresolver resolver) {
    reinterpret_cast<REALRegisterPluginVersionProc>(resolver("RegisterPluginVersion"))(FAKE_VERSION);
    if (auto registerClass = reinterpret_cast<REALPluginRegisterClassProc>(resolver("PluginRegisterClass")))
        registerClass(&fakeClass);
}
