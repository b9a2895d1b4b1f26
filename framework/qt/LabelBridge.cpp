// Label over a QLabel that shows its text as plain text, whatever it looks like.
#include <QLabel>
#include <QStyle>

#include "framework/Label.h"
#include "framework/Window.h"
#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

namespace {
// Where a control beneath draws: a label its text alone, any other control its whole rectangle.
QRect drawnArea(const QWidget* control) {
    const auto* label = qobject_cast<const QLabel*>(control);
    if (!label)
        return control->geometry();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect text = label->style()->itemTextRect(label->fontMetrics(), label->contentsRect(), flags,
                                                    label->isEnabled(), label->text());
    return text.translated(label->pos());
}

// Whether the widget lies over what a control created before it draws.
bool overDrawnArea(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return false;
    for (const QObject* child : parent->children()) {
        if (child == widget)
            return false; // the ones after lie above it
        const auto* other = qobject_cast<const QWidget*>(child);
        if (other && drawnArea(other).intersects(widget->geometry()))
            return true;
    }
    return false;
}

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
        // repaints the label alone, not the window and the controls beneath it. Over another
        // control's text it is drawn transparent all the same: its fill would hide that text.
        const bool fill = !label.Transparent() && !overDrawnArea(view);
        if (view->autoFillBackground() != fill)
            view->setAutoFillBackground(fill);
    }
};
} // namespace

} // namespace fw::detail

namespace fw {
std::unique_ptr<detail::ToolkitControl> Label::makeBridge(fw::Window& window) {
    return detail::bridgeIn<detail::LabelBridge>(window, *this);
}
} // namespace fw
