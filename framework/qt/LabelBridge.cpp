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
        // Each setter runs only for a value that changed: a label whose text changes every
        // second would otherwise be laid out and repainted more than once a tick.
        const Label& label = control();
        QLabel* view = this->view();
        view->setText(linesToQt(label.Text()));
        const int32_t align = label.TextAlign();
        view->setAlignment((align >= 0 && align < 3 ? kAlignments[align] : Qt::AlignLeft) | Qt::AlignVCenter);
        const QColor color = toQt(label.TextColor());
        if (view->palette().color(QPalette::WindowText) != color) {
            QPalette palette = view->palette();
            palette.setColor(QPalette::WindowText, color);
            view->setPalette(palette);
        }
        if (view->wordWrap() != label.Multiline())
            view->setWordWrap(label.Multiline());
        view->setTextInteractionFlags(label.Selectable() ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
        // An opaque label fills its rectangle with the window's colour, so a change of its text
        // repaints the label alone, not the window and the controls beneath it.
        view->setAutoFillBackground(!label.Transparent());
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ControlBridge> Label::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::LabelBridge>(window, *this);
}
} // namespace fw
