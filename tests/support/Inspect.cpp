#include "tests/support/Inspect.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <fstream>
#include <set>

#include "framework/qt/ControlBridge.h"
#include "framework/qt/Convert.h"
#include "framework/qt/MenuBridge.h"
#include "framework/qt/WindowBridge.h"

namespace fw::inspect {

namespace {
Rect toRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QWidget* widgetOf(const RectControl& control) {
    return control.bridge() ? control.bridge()->widget() : nullptr;
}

detail::MenuBridge* menusOf(Window& window) {
    return window.bridge().menus();
}

MenuEntryView entryView(const QAction& action) {
    return {.present = true,
            .enabled = action.isEnabled(),
            .text = action.isSeparator() ? String("-") : detail::fromQt(action.text()),
            .shortcut = detail::fromQt(action.shortcut().toString(QKeySequence::PortableText))};
}

// The entry of the menu bar with that text under the menu with that title, or null.
QAction* entryAction(Window& window, const String& menuTitle, const String& entryText) {
    detail::MenuBridge* menus = menusOf(window);
    if (!menus)
        return nullptr;
    for (const QAction* title : menus->bar()->actions())
        if (title->menu() && detail::fromQt(title->text()).sameBytes(menuTitle))
            for (QAction* entry : title->menu()->actions())
                if (!entry->isSeparator() && detail::fromQt(entry->text()).sameBytes(entryText))
                    return entry;
    return nullptr;
}

// A key without text pressed and released on the widget.
void typeKey(QWidget* target, Qt::Key key) {
    QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    if (!guard)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void sendKey(QWidget* target, Key key) {
    static constexpr struct {
        Key key;
        Qt::Key qt;
        Qt::KeyboardModifiers modifiers;
        const char* text;
    } kKeys[] = {{Key::Return, Qt::Key_Return, Qt::NoModifier, "\r"},
                 {Key::Enter, Qt::Key_Enter, Qt::KeypadModifier, "\r"},
                 {Key::Escape, Qt::Key_Escape, Qt::NoModifier, "\x1b"},
                 {Key::Space, Qt::Key_Space, Qt::NoModifier, " "}};
    for (const auto& k : kKeys) {
        if (k.key != key)
            continue;
        QPointer<QWidget> guard(target);
        QKeyEvent press(QEvent::KeyPress, k.qt, k.modifiers, QString::fromLatin1(k.text));
        QApplication::sendEvent(target, &press);
        if (!guard)
            return;
        QKeyEvent release(QEvent::KeyRelease, k.qt, k.modifiers, QString::fromLatin1(k.text));
        QApplication::sendEvent(target, &release);
    }
}

// The innermost modal box that is shown.
QDialog* modalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    return qobject_cast<QDialog*>(modal);
}

QList<QPushButton*> shownButtons(QDialog* box) {
    QList<QPushButton*> shown;
    for (QPushButton* b : box->findChildren<QPushButton*>())
        if (b->isVisibleTo(box))
            shown << b;
    std::sort(shown.begin(), shown.end(), [](QPushButton* a, QPushButton* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    return shown;
}
} // namespace

WindowView view(Window& window) {
    WindowView v;
    QWidget* w = window.bridge().widget();
    QWidget* content = window.bridge().content();
    if (!w || !content)
        return v;
    v.frame = toRect(w->geometry());
    v.content = toRect(QRect(content->mapToGlobal(QPoint(0, 0)), content->size()));
    v.menuBarHeight = window.bridge().menuBarHeight();
    v.fixedSize = w->minimumSize() == w->maximumSize();
    v.shown = w->isVisible();
    v.minimised = w->isMinimized();
    v.active = w->isActiveWindow();
    v.title = detail::fromQt(w->windowTitle());
    v.dialog = w->windowType() == Qt::Dialog;
    v.modal = w->windowModality() != Qt::NonModal;
    return v;
}

ProgressView progress(ProgressBar& bar) {
    ProgressView v;
    if (auto* p = qobject_cast<QProgressBar*>(widgetOf(bar))) {
        v.minimum = p->minimum();
        v.maximum = p->maximum();
        v.value = p->value();
        v.busy = p->minimum() == 0 && p->maximum() == 0;
    }
    return v;
}

std::vector<Rect> screens() {
    std::vector<Rect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(toRect(screen->availableGeometry()));
    return areas;
}

String shownText(const RectControl& control) {
    QWidget* w = widgetOf(control);
    QAccessibleInterface* accessible = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    if (!accessible)
        return String();
    const QString name = accessible->text(QAccessible::Name);
    return detail::fromQt(name.isEmpty() ? accessible->text(QAccessible::Value) : name);
}

int32_t shownTextWidth(const RectControl& control) {
    QWidget* w = widgetOf(control);
    if (!w)
        return 0;
    const QFontMetrics metrics(w->font());
    int32_t widest = 0;
    for (const QString& line :
         shownText(control).bytes().empty() ? QStringList() : detail::toQt(shownText(control)).split('\n'))
        widest = std::max<int32_t>(widest, metrics.horizontalAdvance(line));
    return widest;
}

int32_t shownFontPixels(const RectControl& control) {
    QWidget* w = widgetOf(control);
    return w ? QFontInfo(w->font()).pixelSize() : 0;
}

struct PaintLog::Recorder : QObject {
    std::set<const QObject*> painted;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
};

PaintLog::PaintLog(Window& window) : recorder_(std::make_unique<Recorder>()) {
    if (QWidget* w = window.bridge().widget()) {
        w->installEventFilter(recorder_.get());
        for (QWidget* part : w->findChildren<QWidget*>())
            part->installEventFilter(recorder_.get());
    }
}

PaintLog::~PaintLog() = default;

int32_t PaintLog::paintedParts() const {
    return static_cast<int32_t>(recorder_->painted.size());
}

bool PaintLog::painted(const RectControl& control) const {
    return recorder_->painted.count(widgetOf(control)) != 0;
}

void PaintLog::reset() {
    recorder_->painted.clear();
}

int32_t pixelsUnlikeFreshDrawing(Window& window) {
    QWidget* w = window.bridge().widget();
    if (!w || !w->screen())
        return -1;
    const QImage shown = w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage fresh = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (shown.size() != fresh.size())
        return static_cast<int32_t>(fresh.width() * fresh.height());
    int32_t differing = 0;
    for (int y = 0; y < fresh.height(); ++y)
        for (int x = 0; x < fresh.width(); ++x)
            differing += shown.pixel(x, y) != fresh.pixel(x, y);
    return differing;
}

int32_t textPixelsHidden(const RectControl& control) {
    QWidget* w = widgetOf(control);
    QWidget* content = w ? w->parentWidget() : nullptr;
    if (!w || !content)
        return -1;
    // The control drawn alone on its background, and the same rectangle of its window drawn whole.
    const QImage alone = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage whole = content->grab(w->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    if (alone.size() != whole.size())
        return -1;
    const QRgb background = alone.pixel(0, 0);
    int32_t hidden = 0;
    for (int y = 0; y < alone.height(); ++y)
        for (int x = 0; x < alone.width(); ++x)
            hidden += alone.pixel(x, y) != background && whole.pixel(x, y) != alone.pixel(x, y);
    return hidden;
}

uint32_t nativeId(Window& window) {
    return window.bridge().nativeId();
}

MenuEntryView menuEntry(Window& window, const String& itemName) {
    detail::MenuBridge* menus = menusOf(window);
    QAction* action = menus ? menus->action(itemName) : nullptr;
    return action ? entryView(*action) : MenuEntryView{};
}

std::vector<MenuView> menuBarView(Window& window) {
    std::vector<MenuView> view;
    if (detail::MenuBridge* menus = menusOf(window))
        for (const QAction* title : menus->bar()->actions())
            if (const QMenu* menu = title->menu()) {
                MenuView& shown = view.emplace_back(MenuView{detail::fromQt(title->text()), {}});
                for (const QAction* entry : menu->actions())
                    shown.entries.push_back(entryView(*entry));
            }
    return view;
}

std::vector<String> menuTitles(Window& window) {
    std::vector<String> titles;
    if (detail::MenuBridge* menus = menusOf(window))
        for (const QAction* action : menus->bar()->actions())
            titles.push_back(detail::fromQt(action->text()));
    return titles;
}

std::vector<std::pair<int32_t, int32_t>> menuBarExtensionArrowSizes(Window& window) {
    std::vector<std::pair<int32_t, int32_t>> sizes;
    detail::MenuBridge* menus = menusOf(window);
    const auto* button =
        menus ? menus->bar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")) : nullptr;
    if (button)
        for (const QSize& size : button->icon().availableSizes())
            sizes.emplace_back(size.width(), size.height());
    return sizes;
}

bool imageFormatPluginsLoaded() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("/imageformats/") != std::string::npos)
            return true;
    return false;
}

void openMenus(Window& window) {
    if (detail::MenuBridge* menus = menusOf(window))
        for (QMenu* menu : menus->menus())
            emit menu->aboutToShow();
}

namespace {
bool choose(QAction* action) {
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}
} // namespace

bool chooseMenuItem(Window& window, const String& itemName) {
    detail::MenuBridge* menus = menusOf(window);
    return choose(menus ? menus->action(itemName) : nullptr);
}

bool chooseMenuEntry(Window& window, const String& menuTitle, const String& entryText) {
    QAction* entry = entryAction(window, menuTitle, entryText);
    // The user opens the menu first: what it shows enabled is worked out then.
    if (auto* menu = entry ? qobject_cast<QMenu*>(entry->parent()) : nullptr)
        emit menu->aboutToShow();
    return choose(entry);
}

void pickRow(PopupMenu& popup, int32_t row) {
    auto* combo = qobject_cast<QComboBox*>(widgetOf(popup));
    if (!combo || row < 0 || row >= combo->count())
        return;
    // As the user does with the keys: Space opens the list, Home and the arrow keys walk to the
    // row, Return takes it.
    typeKey(combo, Qt::Key_Space);
    QAbstractItemView* list = combo->view();
    if (!list || !list->isVisible())
        return;
    typeKey(list, Qt::Key_Home);
    for (int32_t i = 0; i < row; ++i)
        typeKey(list, Qt::Key_Down);
    typeKey(list, Qt::Key_Return);
}

void click(CheckBox& box) {
    if (auto* check = qobject_cast<QCheckBox*>(widgetOf(box)))
        check->click();
}

void clickCloseBox(Window& window) {
    if (QWidget* w = window.bridge().widget())
        w->close();
}

void click(PushButton& button) {
    if (auto* b = qobject_cast<QPushButton*>(widgetOf(button)))
        b->click();
}

void pressKey(Window& window, Key key) {
    QWidget* w = window.bridge().widget();
    if (!w)
        return;
    sendKey(w->focusWidget() ? w->focusWidget() : w, key);
}

void clickAt(RectControl& control) {
    QWidget* w = widgetOf(control);
    if (!w)
        return;
    QPointer<QWidget> guard(w);
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    if (!guard)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

ModalView modalBox() {
    ModalView v;
    QDialog* box = modalDialog();
    if (!box)
        return v;
    v.present = true;
    v.title = detail::fromQt(box->windowTitle());
    if (auto* standard = qobject_cast<QMessageBox*>(box)) {
        v.message = detail::fromQt(standard->text());
        v.explanation = detail::fromQt(standard->informativeText());
    } else {
        if (auto* message = box->findChild<QTextEdit*>(QStringLiteral("message")))
            v.message = detail::fromQt(message->toPlainText());
        if (auto* explanation = box->findChild<QTextEdit*>(QStringLiteral("explanation")))
            v.explanation = detail::fromQt(explanation->toPlainText());
    }
    v.area = toRect(box->geometry());
    v.nativeId = box->testAttribute(Qt::WA_WState_Created) ? static_cast<uint32_t>(box->winId()) : 0;
    for (QPushButton* b : shownButtons(box))
        v.buttonAreas.push_back(toRect(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())));
    for (QPushButton* b : shownButtons(box)) {
        const String caption = detail::fromQt(b->text().replace(QLatin1String("&&"), QLatin1String("&")));
        v.buttons.push_back(caption);
        if (b->isDefault())
            v.defaultButton = caption;
    }
    return v;
}

bool pressModalButton(const String& caption) {
    QDialog* box = modalDialog();
    if (!box)
        return false;
    for (QPushButton* b : shownButtons(box)) {
        if (detail::fromQt(b->text().replace(QLatin1String("&&"), QLatin1String("&"))).sameBytes(caption)) {
            b->click();
            return true;
        }
    }
    return false;
}

bool pressModalKey(Key key) {
    QDialog* box = modalDialog();
    if (!box)
        return false;
    sendKey(box->focusWidget() ? box->focusWidget() : box, key);
    return true;
}

bool closeModalBox() {
    QDialog* box = modalDialog();
    if (!box)
        return false;
    box->close();
    return true;
}

} // namespace fw::inspect
