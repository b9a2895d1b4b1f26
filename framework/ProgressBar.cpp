#include "framework/ProgressBar.h"

#include "framework/PropertyTable.h"

namespace fw {

ClassRecord ProgressBar::describe() {
    using detail::accessor;
    return detail::classOf<ProgressBar>(
        "ProgressBar", RectControl::Class(),
        {
            accessor("Maximum", &ProgressBar::Maximum, &ProgressBar::setMaximum),
            accessor("Value", &ProgressBar::Value, &ProgressBar::setValue),
        });
}

void ProgressBar::setMaximum(int32_t maximum) {
    // A negative maximum is no range to show: it counts as 0, activity without progress.
    maximum_ = std::max(maximum, 0);
    sync();
}

void ProgressBar::setValue(int32_t value) {
    value_ = value;
    sync();
}

} // namespace fw
