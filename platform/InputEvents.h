/* The platform's event-posting and pointer calls, as the plug-in makes them.
 * Implemented over X11 with the XTest extension on the display named by DISPLAY. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CGPoint {
    float x;
    float y;
} CGPoint;

/* QuickDraw point: vertical first. */
typedef struct Point {
    int16_t v;
    int16_t h;
} Point;

typedef uint16_t CGCharCode;
typedef uint16_t CGKeyCode;
typedef uint32_t CGButtonCount;
typedef uint32_t boolean_t;
typedef int32_t CGError;

enum {
    kCGErrorSuccess = 0,
    kCGErrorFailure = 1000,         /* no display could be opened */
    kCGErrorIllegalArgument = 1001, /* key code or button count that cannot be mapped */
    kCGErrorNotImplemented = 1006,  /* the X server has no XTest extension */
};

CGError CGPostKeyboardEvent(CGCharCode charCode, CGKeyCode virtualKey, boolean_t keyDown);
/* After buttonCount come that many boolean_t states: button 1 primary, button 2 secondary. */
CGError CGPostMouseEvent(CGPoint position, boolean_t updateMouseCursorPosition, CGButtonCount buttonCount,
                         boolean_t mouseButtonDown, ...);
CGError CGWarpMouseCursorPosition(CGPoint newCursorPosition);
void GetGlobalMouse(Point* globalMouse);

#ifdef __cplusplus
}
#endif
