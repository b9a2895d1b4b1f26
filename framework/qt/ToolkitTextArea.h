// What a TextArea asks of its text widget (TextAreaBridge), without the toolkit's headers.
#pragma once

#include <cstdint>

#include "framework/String.h"

namespace fw::detail {

class ToolkitTextArea {
  public:
    virtual ~ToolkitTextArea() = default;
    virtual String text() const = 0;
    virtual void setText(const String& text) = 0;
    // In characters from 0.
    virtual int32_t selectionStart() const = 0;
    virtual int32_t selectionLength() const = 0;
    virtual void select(int32_t start, int32_t length) = 0;
};

} // namespace fw::detail
