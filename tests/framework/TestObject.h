// Test classes register like the framework's own: Self::describe() gives the record, built once.
#pragma once

#include "framework/Object.h"

template <class Self, class Base = fw::Object> class TestObject : public Base {
  public:
    static const fw::ClassRecord& Class() {
        static const fw::ClassRecord& record = fw::registerClass(Self::describe());
        return record;
    }
    const fw::ClassRecord& classRecord() const override { return Class(); }
};
