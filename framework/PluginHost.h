// The plug-in host: loads plug-in modules, registers their classes, and hands the application the
// functions registered under each declaration string.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "framework/ModuleLoader.h"
#include "framework/Object.h"
#include "framework/PluginInterface.h"
#include "framework/String.h"

namespace fw {

// Where a plug-in's instance data begins in every framework object: right after the header.
constexpr int32_t kPluginDataOffset = kObjectHeaderSize;
// The room a plug-in class's instance data has there.
constexpr int32_t kPluginDataRoom = 32;
// The one version of the class-definition record this host reads.
constexpr intptr_t kPluginRecordVersion = 9;

// Something that keeps a plug-in from working, for the start-up report.
using PluginProblem = ModuleProblem;

// Loads one module (loadModuleFile) and calls its REALPluginMain with the host's resolver. False
// (and a problem noted for the start-up report) when the module is missing, damaged (checkModule)
// or has no entry point. A class the module registers is taken only when its record is of
// kPluginRecordVersion, its instance data fits kPluginDataRoom, every property lies inside that
// data, and it has every method the program binds (ApplicationSettings::pluginDeclarations); else
// it is refused, and why is noted for the start-up report.
bool loadPluginModule(const std::filesystem::path& module);
// Loads the application's own plug-ins, by name (Tolvane.so for Tolvane), from the folder; any
// other file there is passed over.
void loadPluginsFrom(const std::filesystem::path& folder);
// Loads the plug-ins from the application's own plug-in folder only: the installed library folder
// relative to the executable when there is one, else the executable's own folder.
void loadInstalledPlugins();

// The application's table of plug-in entry points, kept for the life of the process.
void** RuntimeAllocatePluginEntrypointsTable(int32_t slotCount);
// The function registered under exactly that declaration string ("TolvaneVrek.Clear"), or the
// framework's own global functions ("MD5(...)", "EncodeBase64(...)"). A string nothing registered
// gives a function of the declaration's own signature that does nothing (PluginDeclaration.h), or
// null for a declaration of another form, and is noted for the start-up report unless its class
// was refused, which is noted already.
void* RuntimeLookupPluginEntrypoint(const String& declaration);

// Problems met while loading plug-ins and binding their entry points, in the order met, for the
// start-up report.
const std::vector<PluginProblem>& pluginProblems();
void clearPluginProblems();

void RuntimeLockObject(Object* object);
void RuntimeUnlockObject(Object* object);

// Field access at a byte offset inside an object: a one-byte Boolean, a 32-bit signed integer.
bool boolGetter(Object* object, int32_t offset);
void boolSetter(Object* object, int32_t offset, bool value);
int32_t intGetter(Object* object, int32_t offset);
void intSetter(Object* object, int32_t offset, int32_t value);

} // namespace fw
