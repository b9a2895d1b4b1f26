// The plug-in's records and functions, shared by its own sources and by the tests that link a
// build of them. The module itself exports none of these: only REALPluginMain.
#pragma once

#include "framework/PluginInterface.h"

#include <cstdint>

extern REALclassDefinition TolvaneClass;
extern REALproperty TolvaneProperties[8];
extern REALmethodDefinition TolvaneMethods[8];
extern REALresolver gResolver;

void PluginEntry();
intptr_t MyREALRegisterClass(REALclassDefinition* definition);
intptr_t REALRegisterClass(REALclassDefinition* definition);
void MyPluginEnde();

void TolvaneConstructor(REALobject instance);
void TolvaneDestructor(REALobject instance);

// "Press"
void tolvane(REALobject instance);
// "PressRaw(down as boolean)"
void tolvaneraw(REALobject instance, RBBoolean down);
// "Clear"
void tolvane_clear(REALobject instance);
// "MouseMove(globalx as integer,globaly as integer)"
void mousemove(REALobject instance, int32_t globalx, int32_t globaly);
// "MouseClick(down as boolean)"
void pressmouse(REALobject instance, RBBoolean down);
// "MouseMoveClick(globalx as integer,globaly as integer,down as boolean)"
void pressmouse2(REALobject instance, int32_t globalx, int32_t globaly, RBBoolean down);
// "MouseClick(down as boolean, rightdown as boolean)"
void pressmouse3(REALobject instance, RBBoolean down, RBBoolean rightdown);
// "MouseMoveClick(globalx as integer,globaly as integer,down as boolean, rightdown as boolean)"
void pressmouse4(REALobject instance, int32_t globalx, int32_t globaly, RBBoolean down, RBBoolean rightdown);
