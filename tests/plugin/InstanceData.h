// TolvaneVrek's 32 bytes of instance data as the tests reach them: each property at its byte
// offset, a Boolean in one byte, an integer in four.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace properties {
constexpr std::size_t kShift = 0, kCharcode = 4, kCommand = 8, kKeycode = 12, kControl = 16,
                      kVirtualCode = 20, kOption = 24, kLasterror = 28;
constexpr std::size_t kBooleans[] = {kShift, kCommand, kControl, kOption};
constexpr std::size_t kIntegers[] = {kCharcode, kKeycode, kVirtualCode, kLasterror};
} // namespace properties

class InstanceData {
  public:
    explicit InstanceData(unsigned char* bytes) : bytes_(bytes) {}

    unsigned char& operator[](std::size_t offset) { return bytes_[offset]; }
    void setInteger(std::size_t offset, int32_t value) { std::memcpy(bytes_ + offset, &value, sizeof value); }
    int32_t integer(std::size_t offset) const {
        int32_t value;
        std::memcpy(&value, bytes_ + offset, sizeof value);
        return value;
    }

  private:
    unsigned char* bytes_;
};
