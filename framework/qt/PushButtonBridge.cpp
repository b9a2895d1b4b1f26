// PushButton over a QPushButton. Return and Escape are the window's business (WindowBridge): the
// button only draws itself as the default one.
#include <QPushButton>

#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

namespace {
class PushButtonBridge : public ControlBridgeOf<PushButton, QPushButton> {
  public:
    PushButtonBridge(PushButton& button, QWidget* content)
        : ControlBridgeOf(button, new QPushButton(content)) {
        // Outside a dialog Qt would not press a focused button on Return by itself; the window does.
        view()->setAutoDefault(false);
        QObject::connect(view(), &QPushButton::clicked, receiver(), [this] {
            dispatch([&] {
                Ref<PushButton> protector(&control());
                protector->Push();
            });
        });
    }

  protected:
    void syncOwn() override {
        view()->setText(captionToQt(control().Caption()));
        view()->setDefault(control().Default());
        view()->setFocusPolicy(control().TabStop() ? Qt::StrongFocus : Qt::NoFocus);
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ToolkitControl> PushButton::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::PushButtonBridge>(window, *this);
}
} // namespace fw
