// Property records: the byte format in which window and control layouts are written as data.
//
// An entry is the property name in ASCII, one blank, then the value, encoded by the declared type of
// that property in the target's class: Integer 4 bytes big-endian, Boolean 1 byte, Color 3 bytes
// (red, green, blue), String a big-endian 32-bit byte count and that many UTF-8 bytes. No header,
// no separators, no terminator.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Value.h"

namespace fw {

// Applies the entries to the target in record order. Names match the target's properties
// regardless of letter case. An unknown name, or a record that ends inside a value, raises
// PropertyRecordException: a loader never drops what it does not understand.
void _SetProperties(Object& target, const String& record);

// One entry of a record as the program writes it.
class RecordEntry {
  public:
    RecordEntry(const char* name, int32_t value) : name_(name), value_(value) {}
    RecordEntry(const char* name, bool value) : name_(name), value_(value) {}
    RecordEntry(const char* name, Color value) : name_(name), value_(value) {}
    RecordEntry(const char* name, const char* value) : name_(name), value_(std::string(value)) {}
    RecordEntry(const char* name, std::string value) : name_(name), value_(std::move(value)) {}

    const char* name() const { return name_; }
    void appendTo(std::string& out) const;

  private:
    const char* name_;
    std::variant<int32_t, bool, Color, std::string> value_;
};

// Encodes the entries, in order, into a record's bytes.
String encodeRecord(std::initializer_list<RecordEntry> entries);

} // namespace fw
