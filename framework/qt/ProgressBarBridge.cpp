// ProgressBar over a QProgressBar; the range 0 to 0 is Qt's busy indicator, which the style
// animates while the bar is shown.
#include <QProgressBar>
#include <algorithm>

#include "framework/ProgressBar.h"
#include "framework/Window.h"
#include "framework/qt/ControlBridge.h"

namespace fw::detail {

namespace {
class ProgressBarBridge : public ControlBridgeOf<ProgressBar, QProgressBar> {
  public:
    ProgressBarBridge(ProgressBar& bar, QWidget* content) : ControlBridgeOf(bar, new QProgressBar(content)) {
        view()->setTextVisible(false);
    }

  protected:
    void syncOwn() override {
        const ProgressBar& bar = control();
        view()->setRange(0, bar.Maximum());
        if (!bar.isIndeterminate())
            view()->setValue(std::clamp(bar.Value(), 0, bar.Maximum()));
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ToolkitControl> ProgressBar::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::ProgressBarBridge>(window, *this);
}
} // namespace fw
