// Test classes register like the framework's own: Self::describe() gives the record, built once.
#pragma once

#include "framework/Object.h"

template <class Self, class Base = fw::Object> using TestObject = fw::Registered<Self, Base>;
