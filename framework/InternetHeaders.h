// The header lines of an HTTP reply, looked up by name regardless of letter case.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class InternetHeaders : public Registered<InternetHeaders, Object> {
  public:
    static ClassRecord describe();

    void AppendHeader(const String& name, const String& value);
    // The value of the first header of that name; empty when there is none.
    String Value(const String& name) const;
    // How many header lines there are.
    int32_t Count() const { return static_cast<int32_t>(lines_.size()); }

  private:
    std::vector<std::pair<String, String>> lines_;
};

} // namespace fw
