/* The plug-in interface compiled as C, so that a module written in C sees the same records. */
#include "framework/PluginInterface.h"

#include <stddef.h>

size_t interfaceAsC_classDefinitionSize(void) {
    return sizeof(REALclassDefinition);
}
size_t interfaceAsC_propertySize(void) {
    return sizeof(REALproperty);
}
size_t interfaceAsC_methodSize(void) {
    return sizeof(REALmethodDefinition);
}
size_t interfaceAsC_classFlagsOffset(void) {
    return offsetof(REALclassDefinition, classFlags);
}
uintptr_t interfaceAsC_noAccessor(void) {
    return (uintptr_t)REAL_NO_ACCESSOR;
}
