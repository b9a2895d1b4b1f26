// What the toolkit shows of windows and controls, in the framework's own terms, and the user's
// gestures on them: the tests' support library (ambrel_test_support), never linked into the program.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/PopupMenu.h"
#include "framework/ProgressBar.h"
#include "framework/PushButton.h"
#include "framework/String.h"
#include "framework/TextArea.h"
#include "framework/Window.h"

namespace fw::inspect {

struct Rect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

struct WindowView {
    Rect frame;   // the whole window, menu bar included, without the decorations
    Rect content; // the content area, in screen coordinates
    int32_t menuBarHeight = 0;
    bool fixedSize = false;
    bool shown = false;
    bool minimised = false;
    bool active = false;
    bool dialog = false; // drawn as a dialog window
    bool modal = false;  // blocks the other windows
    String title;
};
WindowView view(Window& window);

struct ProgressView {
    int32_t minimum = 0, maximum = 0, value = 0;
    bool busy = false; // activity without progress
};
ProgressView progress(ProgressBar& bar);

// The screens' usable areas.
std::vector<Rect> screens();

// The text the control shows, as assistive technology reads it.
String shownText(const RectControl& control);
// How wide its text is drawn, widest line, in pixels; and its font's height in pixels.
int32_t shownTextWidth(const RectControl& control);
int32_t shownFontPixels(const RectControl& control);

// Notes, from its making on, which parts of a window paint themselves: the window and each of
// its controls.
class PaintLog {
  public:
    explicit PaintLog(Window& window);
    ~PaintLog();
    PaintLog(const PaintLog&) = delete;
    PaintLog& operator=(const PaintLog&) = delete;

    // How many parts (the window, its content, menu bar and controls) painted since the last reset.
    int32_t paintedParts() const;
    bool painted(const RectControl& control) const;
    void reset();

  private:
    struct Recorder;
    std::unique_ptr<Recorder> recorder_;
};

// How many of the window's pixels, as they stand on its screen after the repaints so far, differ
// from the window drawn afresh in one go: 0 when every partial repaint left the right picture.
int32_t pixelsUnlikeFreshDrawing(Window& window);

// How many pixels of the text the control draws are not seen in its window, hidden by another
// control drawn over it: 0 when its text reads whole; -1 when it is not shown.
int32_t textPixelsHidden(const RectControl& control);

// The window server's id of the window; 0 where there is none.
uint32_t nativeId(Window& window);

struct MenuEntryView {
    bool present = false;
    bool enabled = false;
    String text;
    String shortcut; // as Qt spells it, "Ctrl+P"
};
MenuEntryView menuEntry(Window& window, const String& itemName);
// The titles along the window's menu bar.
std::vector<String> menuTitles(Window& window);
// The window's menu bar as the user sees it: each menu's title and its entries in order, a
// separator line as the text "-".
struct MenuView {
    String title;
    std::vector<MenuEntryView> entries;
};
std::vector<MenuView> menuBarView(Window& window);
// The sizes of the arrows on the menu bar's extension button, the » of a bar too narrow for its
// menus, in pixels.
std::vector<std::pair<int32_t, int32_t>> menuBarExtensionArrowSizes(Window& window);
// Whether any of the toolkit's image-format plug-ins has been loaded into this process.
bool imageFormatPluginsLoaded();

// The user's gestures.
void openMenus(Window& window);                              // opens each menu in turn (AutoEnable runs)
bool chooseMenuItem(Window& window, const String& itemName); // false when the item is absent or disabled
// Chooses the entry with that text in the menu with that title, as the user clicks it; false when
// there is none or it is disabled.
bool chooseMenuEntry(Window& window, const String& menuTitle, const String& entryText);
void pickRow(PopupMenu& popup, int32_t row); // through the popup's list, by its keys
void click(CheckBox& box);
void clickCloseBox(Window& window);
void click(PushButton& button);
// A key pressed and released where the window's keyboard focus is (the window itself when no
// control has it), as the user types it; the events pass through the application as real ones do.
enum class Key { Return, Enter, Escape, Space };
void pressKey(Window& window, Key key);
// A mouse click at a point of the control, delivered the same way.
void clickAt(RectControl& control);

// The modal box or dialog in front while one runs (MsgBox, MessageDialog.ShowModal).
struct ModalView {
    bool present = false;
    String title;
    String message;              // the main text, as the widget shows it
    String explanation;          // the secondary text
    std::vector<String> buttons; // the captions of the buttons shown, left to right
    String defaultButton;
    Rect area;                     // the box on the screen, without the window manager's frame
    std::vector<Rect> buttonAreas; // where the buttons shown are on the screen, left to right
    uint32_t nativeId = 0;         // the window server's id of the box
};
ModalView modalBox();
// Presses the shown button of the box in front that has the caption; false when there is none.
bool pressModalButton(const String& caption);
// A key typed into the box in front; false when no box runs.
bool pressModalKey(Key key);
// Closes the box in front with its close box; false when no box runs.
bool closeModalBox();

// Text areas: the words drawn with the spell-check underline, in text order, and whether the
// selection is drawn.
std::vector<String> misspeltWords(TextArea& area);
bool selectionShown(TextArea& area);
// The lines the text is laid out in, wrapped ones included.
int32_t lineCount(TextArea& area);
// The keys under which the style keeps what it has drawn for the text area and its scroll bars:
// text areas of one look that give the same keys are drawn from the same kept pieces.
std::vector<int64_t> drawingKeys(TextArea& area);
// The languages the spell checker asks Enchant for, in turn; empty: the user's, then English.
void useSpellingLanguages(std::vector<std::string> languages);
// Whether the spell checker's dictionary is loaded now.
bool spellingDictionaryLoaded();
// Whether a dictionary for the user's language (or English) can be had: it is loaded for the
// question and let go again.
bool spellingDictionaryAvailable();

// Key presses as the user makes them, to the window's focus widget, shortcuts included: "Tab",
// "Ctrl+C", or text to type. The window is made the active one first.
void pressKeys(Window& window, const String& keySequence);
void typeText(Window& window, const String& text);

// The modal dialog in front (the print dialog): the printers it offers, and pressing its OK or its
// Cancel button. Each gives nothing or false while no modal dialog is up.
std::vector<String> dialogPrinterChoices();
bool pressDialogButton(bool ok);
// Picks printing into a PDF file in the print dialog and types the file's name there; false while
// no print dialog is up.
bool choosePrintToFile(const String& file);

// For input through the window system: where a shown, enabled widget of the modal window in front
// lies on the screen (a button by its caption without its mnemonic mark, any widget by its object
// name), and the window system's id of that window. Nothing, or 0, while none is up.
std::optional<Rect> modalWidgetRect(const String& captionOrName);
uint64_t modalWindowId();
// Whether that widget is a button that is checked (a radio button the user picked).
bool modalButtonChecked(const String& captionOrName);
// Where the toolkit believes that window's content lies on the screen; it learns a window
// manager's move of the window only when the server tells it.
std::optional<Rect> modalWindowRect();

} // namespace fw::inspect
