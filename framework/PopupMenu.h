#pragma once

#include <vector>

#include "framework/RectControl.h"

namespace fw {

// A popup of text rows. Change (event 15) follows every change of the selected row.
class PopupMenu : public Registered<PopupMenu, TextControl> {
  public:
    static ClassRecord describe();

    // Rows separated by carriage returns; the empty string is a list without rows.
    void setInitialValue(const String& rows);
    String InitialValue() const;
    int32_t ListIndex() const { return listIndex_; }
    void setListIndex(int32_t index);
    int32_t ListCount() const { return static_cast<int32_t>(rows_.size()); }
    String List(int32_t row) const;
    // The text of the selected row; empty when none is selected.
    String Text() const;

  protected:
    std::unique_ptr<detail::ToolkitControl> makeBridge(fw::Window& window) override;

  private:
    friend class detail::ControlBridge;
    std::vector<String> rows_;
    int32_t listIndex_ = -1;
};

} // namespace fw
