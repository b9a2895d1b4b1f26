// CheckBox over a QCheckBox; the user's click comes back as a State change.
#include <QCheckBox>

#include "framework/CheckBox.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

namespace {
constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};

class CheckBoxBridge : public ControlBridgeOf<CheckBox, QCheckBox> {
  public:
    CheckBoxBridge(CheckBox& box, QWidget* content) : ControlBridgeOf(box, new QCheckBox(content)) {
        QObject::connect(view(), &QCheckBox::stateChanged, receiver(), [this](int state) {
            dispatch([&] {
                Ref<CheckBox> protector(&control());
                protector->setState(state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0);
            });
        });
    }

  protected:
    void syncOwn() override {
        view()->setText(captionToQt(control().Caption()));
        // Only a box the program put in the mixed state offers it to the user.
        view()->setTristate(control().State() == 2);
        view()->setCheckState(kStates[control().State()]);
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ToolkitControl> CheckBox::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::CheckBoxBridge>(window, *this);
}
} // namespace fw
