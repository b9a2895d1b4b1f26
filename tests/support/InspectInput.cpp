// The user's key presses for the tests, through Qt's own test input so that shortcuts are matched
// as they are for real keys. A library of its own: the program never links Qt's test module.
#include <QKeySequence>
#include <QTest>

#include "framework/qt/Convert.h"
#include "framework/qt/WindowBridge.h"
#include "tests/support/Inspect.h"

namespace fw::inspect {

namespace {
QWidget* focusOf(Window& window) {
    QWidget* w = window.bridge().widget();
    if (!w)
        return nullptr;
    return w->focusWidget() ? w->focusWidget() : w;
}
} // namespace

void pressKeys(Window& window, const String& keySequence) {
    QWidget* target = focusOf(window);
    // A window's shortcuts answer only while it is the active one, and the user types into the
    // window in front: make it so first, as a click into it would. Activation arrives through the
    // window system's queue, so it is waited for.
    if (target && !target->isActiveWindow()) {
        target->window()->activateWindow();
        // Not active within the bound: the keys would reach no shortcut, and the test fails on what
        // they did not do.
        if (!QTest::qWaitForWindowActive(target->window(), 2000))
            return;
    }
    const QKeySequence keys = QKeySequence::fromString(detail::toQt(keySequence), QKeySequence::PortableText);
    for (int i = 0; target && i < keys.count(); ++i) {
        const QKeyCombination combination = keys[i];
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
        target = focusOf(window);
    }
}

void typeText(Window& window, const String& text) {
    if (QWidget* target = focusOf(window))
        QTest::keyClicks(target, detail::toQt(text));
}

} // namespace fw::inspect
