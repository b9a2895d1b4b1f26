// A moment: the current date and time when made.
#pragma once

#include <cstdint>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class Date : public Registered<Date, Object> {
  public:
    static ClassRecord describe();
    Date();

    // In the system locale's short formats.
    String ShortTime() const;
    String ShortDate() const;

  private:
    int64_t msecs_;
};

} // namespace fw
