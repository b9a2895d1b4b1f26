#include "framework/qt/EditCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "framework/TextCase.h"

namespace fw::detail {

namespace {
// The Edit commands by item name, and the slot of Qt's text widgets that does each; EditClear
// deletes the selection, which the widgets have no slot for.
struct EditCommand {
    const char* name;
    const char* slot;
};
constexpr EditCommand kEditCommands[] = {
    {"EditUndo", "undo"},   {"EditCut", "cut"},     {"EditCopy", "copy"},
    {"EditPaste", "paste"}, {"EditClear", nullptr}, {"EditSelectAll", "selectAll"},
};

const EditCommand* findCommand(const String& name) {
    for (const EditCommand& command : kEditCommands)
        if (equalsIgnoringCase(name.bytes(), command.name))
            return &command;
    return nullptr;
}

// The widget with the keyboard focus, when it takes text.
QWidget* focusedText() {
    QWidget* focus = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) ||
        qobject_cast<QPlainTextEdit*>(focus))
        return focus;
    return nullptr;
}

void deleteSelection(QWidget* text) {
    if (auto* line = qobject_cast<QLineEdit*>(text)) {
        if (line->hasSelectedText())
            line->del();
    } else if (auto* rich = qobject_cast<QTextEdit*>(text)) {
        rich->textCursor().removeSelectedText();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(text)) {
        plain->textCursor().removeSelectedText();
    }
}
} // namespace

bool textHasFocus() {
    return focusedText() != nullptr;
}

bool editCommandAvailable(const String& commandName) {
    return findCommand(commandName) && focusedText();
}

bool runEditCommand(const String& commandName) {
    const EditCommand* command = findCommand(commandName);
    QWidget* text = command ? focusedText() : nullptr;
    if (!text)
        return false;
    if (command->slot)
        return QMetaObject::invokeMethod(text, command->slot);
    deleteSelection(text);
    return true;
}

} // namespace fw::detail
