// Label over a QLabel that shows its text as plain text, whatever it looks like.
#include <QLabel>

#include "framework/Label.h"
#include "framework/Window.h"
#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

namespace {
constexpr Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

class LabelBridge : public ControlBridgeOf<Label, QLabel> {
  public:
    LabelBridge(Label& label, QWidget* content) : ControlBridgeOf(label, new QLabel(content)) {
        view()->setTextFormat(Qt::PlainText);
    }

  protected:
    void syncOwn() override {
        const Label& label = control();
        view()->setText(linesToQt(label.Text()));
        const int32_t align = label.TextAlign();
        view()->setAlignment((align >= 0 && align < 3 ? kAlignments[align] : Qt::AlignLeft) |
                             Qt::AlignVCenter);
        QPalette palette = view()->palette();
        palette.setColor(QPalette::WindowText, toQt(label.TextColor()));
        view()->setPalette(palette);
        view()->setWordWrap(label.Multiline());
        view()->setTextInteractionFlags(label.Selectable() ? Qt::TextSelectableByMouse
                                                           : Qt::NoTextInteraction);
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ControlBridge> Label::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::LabelBridge>(window, *this);
}
} // namespace fw
