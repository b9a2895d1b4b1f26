// PopupMenu over a QComboBox: the program's rows and selection go to the combo; the user's pick
// comes back as a ListIndex change, which raises Change.
#include <QComboBox>

#include "framework/PopupMenu.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

namespace {
class PopupMenuBridge : public ControlBridgeOf<PopupMenu, QComboBox> {
  public:
    PopupMenuBridge(PopupMenu& popup, QWidget* content) : ControlBridgeOf(popup, new QComboBox(content)) {
        QObject::connect(view(), &QComboBox::currentIndexChanged, receiver(), [this](int row) {
            dispatch([&] {
                Ref<PopupMenu> protector(&control());
                protector->setListIndex(row);
            });
        });
    }

  protected:
    void syncOwn() override {
        QStringList rows;
        for (int32_t i = 0; i < control().ListCount(); ++i)
            rows << toQt(control().List(i));
        QStringList shown;
        for (int i = 0; i < view()->count(); ++i)
            shown << view()->itemText(i);
        if (rows != shown) {
            view()->clear();
            view()->addItems(rows);
        }
        view()->setCurrentIndex(control().ListIndex());
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ToolkitControl> PopupMenu::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::PopupMenuBridge>(window, *this);
}
} // namespace fw
