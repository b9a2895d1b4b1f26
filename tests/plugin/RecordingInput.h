// A stand-in for the input layer, for tests that link the plug-in's sources: it records each
// call, answers with scripted results and pointer positions, and notes the watched object's
// Lasterror at the moment of each call.
#pragma once

#include "framework/PluginInterface.h"
#include "platform/InputEvents.h"

#include <deque>
#include <ostream>
#include <vector>

struct InputCall {
    enum class Verb { Keyboard, Mouse, Warp, ReadPointer };
    Verb verb;
    CGCharCode charCode = 0;
    CGKeyCode keyCode = 0;
    boolean_t keyDown = 0;
    float x = 0;
    float y = 0;
    boolean_t movePointer = 0;
    CGButtonCount buttonCount = 0;
    boolean_t buttons[2] = {0, 0};

    bool operator==(const InputCall&) const = default;
};

InputCall key(CGCharCode charCode, CGKeyCode keyCode, boolean_t down);
InputCall click(float x, float y, boolean_t button1);
InputCall click(float x, float y, boolean_t button1, boolean_t button2);
InputCall warp(float x, float y);
InputCall readPointer();

void PrintTo(const InputCall& call, std::ostream* out);

struct RecordingInput {
    std::vector<InputCall> calls;
    // The watched object's Lasterror during each call, read through the class's data offset.
    std::vector<int32_t> lasterrorDuring;
    std::deque<CGError> results; // answers of the calls that return one; 0 once used up
    std::deque<Point> pointers;  // answers of GetGlobalMouse; (0, 0) once used up
    REALobject watched = nullptr;
};

// The stand-in's record, emptied by each test.
RecordingInput& recording();
