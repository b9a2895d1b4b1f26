/* The host's plug-in interface: the records a plug-in describes its classes with, and the
 * one entry point it exports. Plain C so that modules can be written in C or C++.
 * Every field is one pointer-sized word, in record order. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* An object of a plug-in class as the host hands it to the plug-in's functions. The
 * plug-in's instance data lies at the offset the host writes into the class definition. */
typedef struct REALobjectStruct REALobjectStruct;
typedef REALobjectStruct* REALobject;

/* A Boolean as plug-in functions take it: one byte, 0 false, anything else true. */
typedef unsigned char RBBoolean;

/* Untyped function address in a record; the declaration string tells its real signature. */
typedef void (*REALproc)(void);

/* Looks a host entry point up by name; null when the host has none by that name. */
typedef void* (*REALresolver)(const char* entryName);

/* Marks a getter or setter word as "none": the host reads and writes the value itself. */
#define REAL_NO_ACCESSOR ((REALproc)(intptr_t)-1)

typedef struct REALproperty {
    const char* group;   /* 0: unused, null */
    const char* name;    /* 1: property name */
    const char* type;    /* 2: type name, "Boolean" or "integer" */
    intptr_t flags;      /* 3 */
    REALproc getter;     /* 4: REAL_NO_ACCESSOR for direct storage */
    REALproc setter;     /* 5: REAL_NO_ACCESSOR for direct storage */
    intptr_t dataOffset; /* 6: byte offset of the value inside the instance data */
    intptr_t reserved7;  /* 7-9: zero */
    intptr_t reserved8;
    intptr_t reserved9;
} REALproperty;

typedef struct REALmethodDefinition {
    REALproc function;       /* 0: takes the object, then the declared parameters */
    REALproc secondFunction; /* 1: null */
    const char* declaration; /* 2: the contract string, for example "MouseClick(down as boolean)" */
    intptr_t flags;          /* 3 */
} REALmethodDefinition;

typedef struct REALclassDefinition {
    intptr_t version;              /* 0: record version, also passed to RegisterPluginVersion */
    const char* name;              /* 1: class name */
    const char* superName;         /* 2: null when the class has no superclass */
    intptr_t dataSize;             /* 3: instance-data size in bytes */
    intptr_t dataOffset;           /* 4: written by the host: instance data's offset in an object */
    REALproc constructor;          /* 5: takes the new object */
    REALproc destructor;           /* 6: takes the object being freed */
    REALproperty* properties;      /* 7 */
    intptr_t propertyCount;        /* 8 */
    REALmethodDefinition* methods; /* 9 */
    intptr_t methodCount;          /* 10 */
    intptr_t reserved11[9];        /* 11-19: zero */
    intptr_t classFlags;           /* 20 */
    intptr_t reserved21[4];        /* 21-24: zero */
} REALclassDefinition;

/* Host entry points a plug-in resolves by these names. */
typedef intptr_t (*REALRegisterPluginVersionProc)(intptr_t version);
typedef intptr_t (*REALPluginRegisterClassProc)(REALclassDefinition* definition);

/* The one export of every plug-in module. */
#if defined(__GNUC__)
#define REAL_PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define REAL_PLUGIN_EXPORT
#endif
REAL_PLUGIN_EXPORT void REALPluginMain(REALresolver resolver);

#ifdef __cplusplus
}
#endif
