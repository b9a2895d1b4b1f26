#include "framework/qt/WindowBridge.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <optional>

#include "framework/Menu.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/Screens.h"
#include "framework/qt/Convert.h"
#include "framework/qt/FreedMemory.h"
#include "framework/qt/MenuBridge.h"
#include "framework/qt/X11Server.h"

namespace fw::detail {

// The top-level widget; forwards the user's close box, activation and resizing to its bridge
// until the bridge lets it go.
class WindowWidget : public QWidget {
  public:
    explicit WindowWidget(WindowBridge* bridge) : bridge_(bridge) {}
    void detach() { bridge_ = nullptr; }

  protected:
    void closeEvent(QCloseEvent* event) override {
        // The framework decides: Close runs the window's Close event and then hides this widget.
        event->ignore();
        if (bridge_)
            bridge_->closeRequested();
    }
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (bridge_ && event->type() == QEvent::ActivationChange && isActiveWindow())
            bridge_->activated();
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (bridge_)
            bridge_->resized();
    }
    // The first paint comes once the window is mapped, with its frame around it; the bridge
    // hears of it after the paint, if it is still there.
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (bridge_ && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, [this] {
                if (bridge_)
                    bridge_->firstPainted();
            });
        }
    }
    // Keys no control took: Return and Enter press the default button, Escape the cancel button.
    void keyPressEvent(QKeyEvent* event) override {
        const bool cancel = event->key() == Qt::Key_Escape;
        const bool accept = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (bridge_ && (cancel || accept) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            bridge_->pressButton(cancel)) {
            event->accept();
            return;
        }
        QWidget::keyPressEvent(event);
    }

  private:
    WindowBridge* bridge_;
    bool painted_ = false;
};

namespace {

// When the screens change while the program runs (a monitor unplugged, a smaller size), every
// shown window comes back wholly onto a screen, as at its first show.
void keepWindowsOnChangedScreens() {
    // Queued: the toolkit moves and resizes screens one step at a time; act once they have settled.
    QTimer::singleShot(0, qApp, [] {
        for (const Ref<Window>& window : openWindows())
            if (window->isShown())
                window->bridge().keepOnScreen();
    });
}

void watchScreens() {
    static bool watching = false;
    if (watching || !qApp)
        return;
    watching = true;
    auto watch = [](QScreen* screen) {
        QObject::connect(screen, &QScreen::availableGeometryChanged, qApp, &keepWindowsOnChangedScreens);
        QObject::connect(screen, &QScreen::geometryChanged, qApp, &keepWindowsOnChangedScreens);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, [watch](QScreen* screen) {
        watch(screen);
        keepWindowsOnChangedScreens();
    });
    QObject::connect(qApp, &QGuiApplication::screenRemoved, qApp, &keepWindowsOnChangedScreens);
}

// The frame's widths in the toolkit's units, from the window server's device pixels.
QMargins toUnits(const detail::x11::FrameExtents& e, qreal scale) {
    auto units = [scale](int32_t device) { return qRound(device / scale); };
    return {units(e.left), units(e.top), units(e.right), units(e.bottom)};
}

} // namespace

std::unique_ptr<ToolkitWindow> makeToolkitWindow(Window& owner) {
    return std::make_unique<WindowBridge>(owner);
}

WindowBridge::WindowBridge(Window& owner) : owner_(owner) {}

WindowBridge::~WindowBridge() {
    destroy();
}

void WindowBridge::open() {
    closed_ = false;
    positioned_ = false;
    correctAfterMap_ = false;
}

void WindowBridge::destroy() {
    closed_ = true;
    menus_.reset();
    menusFor_ = nullptr;
    if (widget_) {
        widget_->detach();
        widget_->hide();
        // The close may come from inside one of the widget's own events (its close box, a menu).
        widget_->deleteLater();
        // Its controls go then, and its drawing buffers right after, once the loop comes round.
        QObject::connect(widget_, &QObject::destroyed, [] {
            if (QCoreApplication* app = QCoreApplication::instance())
                QTimer::singleShot(0, app, [] { giveFreedMemoryBack(); });
        });
    }
    widget_ = nullptr;
    content_ = nullptr;
}

void WindowBridge::create() {
    watchScreens();
    widget_ = new WindowWidget(this);
    content_ = new QWidget(widget_);
    apply();
    rebuildMenuBar();
}

QWidget* WindowBridge::widget() {
    if (!widget_ && !closed_)
        create();
    return widget_;
}

QWidget* WindowBridge::content() {
    widget();
    return content_;
}

int WindowBridge::menuBarHeight() const {
    if (!menus_ || !menus_->bar() || !owner_.menuBarVisible_)
        return 0;
    return menus_->bar()->sizeHint().height();
}

void WindowBridge::apply() {
    QWidget* w = widget();
    if (!w)
        return;
    // Frame 1 is a dialog that is not modal: the windows behind it stay usable.
    Qt::WindowFlags flags = (owner_.frame_ == 1 ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (owner_.closeButton_)
        flags |= Qt::WindowCloseButtonHint;
    if (owner_.minimizeButton_)
        flags |= Qt::WindowMinimizeButtonHint;
    if (owner_.maximizeButton_ && owner_.resizeable_)
        flags |= Qt::WindowMaximizeButtonHint;
    if (w->windowFlags() != flags) {
        // Changing the flags of a shown window hides it.
        const bool shown = w->isVisible();
        w->setWindowFlags(flags);
        if (shown)
            w->show();
    }
    w->setWindowTitle(toQt(owner_.title_));
    content_->setAutoFillBackground(owner_.hasBackColor_);
    if (owner_.hasBackColor_) {
        QPalette palette = content_->palette();
        palette.setColor(QPalette::Window, toQt(owner_.backColor_));
        content_->setPalette(palette);
    }
    if (menus_ && menus_->bar())
        menus_->bar()->setVisible(owner_.menuBarVisible_);

    const int bar = menuBarHeight();
    const QSize size(owner_.width_, owner_.height_ + bar);
    if (owner_.resizeable_) {
        w->setMinimumSize(owner_.minWidth_, owner_.minHeight_ + bar);
        w->setMaximumSize(owner_.maxWidth_, owner_.maxHeight_ + bar);
        w->resize(size);
    } else {
        // Without this Qt widens a small top-level window to its own default minimum.
        w->setMinimumSize(0, 0);
        w->setFixedSize(size);
    }
    placeChildren();
}

void WindowBridge::placeChildren() {
    if (!widget_)
        return;
    const int bar = menuBarHeight();
    if (menus_ && menus_->bar())
        menus_->bar()->setGeometry(0, 0, widget_->width(), bar);
    content_->setGeometry(0, bar, widget_->width(), widget_->height() - bar);
}

void WindowBridge::rebuildMenuBar() {
    QWidget* w = widget();
    if (!w)
        return;
    // Built once for each bar the window is given: building asks the style for the menus'
    // icons, which loads the image plug-ins.
    if (!menus_ || menusFor_ != owner_.menuBar_) {
        menus_.reset();
        menusFor_ = owner_.menuBar_;
        if (Ref<MenuBar> bar = owner_.menuBar_) {
            menus_ = std::make_unique<MenuBridge>(owner_, w, *bar);
            menus_->bar()->setVisible(owner_.menuBarVisible_);
        }
    }
    apply();
}

void WindowBridge::show() {
    QWidget* w = widget();
    if (!w)
        return;
    rebuildMenuBar();
    if (!w->isVisible())
        placeForFirstShow();
    // Show on a minimised window gives it back to the user.
    if (w->isMinimized())
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->show();
    activate();
}

// A window without a place of its own is the window manager's to place; without one it opens in
// the middle of the screen the user works on. A window the program placed keeps its content where
// it was put unless its frame, title bar included, would leave the screen: the frame's widths are
// asked for before the window is mapped, or else looked at once it is.
void WindowBridge::placeForFirstShow() {
    correctAfterMap_ = false;
    if (!positioned_) {
        if (!x11::windowManagerRunning())
            centreOnScreen();
        return;
    }
    if (!x11::available()) {
        keepOnScreen();
        return;
    }
    widget_->winId(); // the native window, not yet mapped, for the window manager to look at
    if (const std::optional<x11::FrameExtents> told = x11::requestFrameExtents(nativeId())) {
        keepFrameOnScreen(toUnits(*told, widget_->devicePixelRatioF()));
        return;
    }
    keepOnScreen();
    correctAfterMap_ = true;
}

void WindowBridge::centreOnScreen() {
    // The screen of the window in front, where the user just chose what opens this one.
    const QScreen* screen = nullptr;
    for (const Ref<Window>& other : openWindows())
        if (&other->bridge() != this && other->isShown()) {
            screen = QGuiApplication::screenAt(other->bridge().widget()->frameGeometry().center());
            break;
        }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = widget_->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    widget_->move(frame.topLeft());
    keepOnScreen();
}

void WindowBridge::firstPainted() {
    if (!correctAfterMap_)
        return;
    correctAfterMap_ = false;
    if (const std::optional<x11::FrameExtents> told = x11::frameExtents(nativeId()))
        keepFrameOnScreen(toUnits(*told, widget_->devicePixelRatioF()));
}

void WindowBridge::activate() {
    if (!widget_)
        return;
    widget_->raise();
    widget_->activateWindow();
    noteActivated(owner_);
}

bool WindowBridge::isShown() const {
    return widget_ && widget_->isVisible();
}

bool WindowBridge::isActive() const {
    return widget_ && widget_->isActiveWindow();
}

ScreenPoint WindowBridge::contentOrigin() {
    QWidget* c = content();
    return fromQt(c ? c->mapToGlobal(QPoint(0, 0)) : QPoint());
}

void WindowBridge::moveContentTo(ScreenPoint to) {
    QWidget* w = widget();
    if (!w)
        return;
    // A stored position can be any integer; Qt's geometry arithmetic overflows near the ends of
    // the range. Far beyond any screen is as good as the ends: the window comes back on show.
    constexpr int kFar = 1 << 20;
    const QPoint origin(std::clamp(to.x, -kFar, kFar), std::clamp(to.y, -kFar, kFar));
    // Client geometry, not the frame: the content keeps its place under the menu bar.
    w->setGeometry(w->geometry().translated(origin - toQt(contentOrigin())));
    positioned_ = true;
}

void WindowBridge::keepOnScreen() {
    if (!widget_)
        return;
    const QRect frame = widget_->frameGeometry(), client = widget_->geometry();
    keepFrameOnScreen(QMargins(client.left() - frame.left(), client.top() - frame.top(),
                               frame.right() - client.right(), frame.bottom() - client.bottom()));
}

void WindowBridge::keepFrameOnScreen(QMargins widths) {
    const QRect client = widget_->geometry();
    const QRect frame = client.marginsAdded(widths);
    const ScreenPoint to =
        placeWhollyOnAScreen({frame.x(), frame.y(), frame.width(), frame.height()}, screenAreas());
    if (toQt(to) != frame.topLeft())
        widget_->setGeometry(client.translated(toQt(to) - frame.topLeft()));
}

bool WindowBridge::showsScreenPoint(ScreenPoint point) {
    if (!widget_ || !widget_->isVisible())
        return false;
    if (x11::available())
        return x11::showsAt(nativeId(), DevicePixel(point));
    // Without a window server to ask, the toolkit knows only its own windows.
    return QApplication::topLevelAt(toQt(point)) == widget_;
}

uint32_t WindowBridge::nativeId() const {
    if (!widget_ || !widget_->testAttribute(Qt::WA_WState_Created) || !x11::available())
        return 0;
    return static_cast<uint32_t>(widget_->winId());
}

void WindowBridge::closeRequested() {
    dispatch([this] {
        Ref<Window> protector(&owner_);
        protector->Close();
    });
}

bool WindowBridge::pressButton(bool cancel) {
    Ref<PushButton> found;
    for (const Ref<Control>& control : owner_.controls()) {
        auto* button = dynamic_cast<PushButton*>(control.get());
        if (button && (cancel ? button->Cancel() : button->Default()) && button->Enabled() &&
            button->Visible()) {
            found = Ref<PushButton>(button);
            break;
        }
    }
    if (!found)
        return false;
    dispatch([&] { found->Push(); });
    return true;
}

void WindowBridge::activated() {
    noteActivated(owner_);
}

void WindowBridge::resized() {
    placeChildren();
    // The user can resize only a resizeable window; its record sizes follow the content.
    if (owner_.resizeable_ && content_) {
        owner_.width_ = content_->width();
        owner_.height_ = content_->height();
    }
}

} // namespace fw::detail

namespace fw {
detail::WindowBridge& Window::bridge() const {
    // The toolkit window is always the bridge (makeToolkitWindow).
    return static_cast<detail::WindowBridge&>(*bridge_);
}
} // namespace fw
