// The toolkit side of a TextArea, for the framework's own use (printing lays out its document).
#pragma once

#include <QTextDocument>
#include <QTextEdit>

#include "framework/TextArea.h"
#include "framework/qt/ControlBridge.h"
#include "framework/qt/ToolkitTextArea.h"

namespace fw::detail {

class SpellingHighlighter;

class TextAreaBridge final : public ControlBridgeOf<TextArea, QTextEdit>, public ToolkitTextArea {
  public:
    TextAreaBridge(TextArea& area, QWidget* content);
    ~TextAreaBridge() override;

    String text() const override;
    void setText(const String& text) override;
    int32_t selectionStart() const override;
    int32_t selectionLength() const override;
    void select(int32_t start, int32_t length) override;

    QTextDocument* document() const { return view() ? view()->document() : nullptr; }
    bool marksSpelling() const { return highlighter_ != nullptr; }
    // Shows or hides the selection by whether the widget has the focus.
    void focusChanged(bool focused);
    // Marks the misspelt words while the text area checks its spelling and has been shown.
    void checkSpellingAsShown();

  protected:
    void syncOwn() override;

  private:
    void applyParagraphs();
    void keepWithinLimit();

    SpellingHighlighter* highlighter_ = nullptr; // a child of the document
    bool programEdit_ = false;
    int changeEnd_ = -1; // where the user's last insertion ended
};

// The text area's document, or null while it has no widget.
QTextDocument* documentOf(const TextArea& area);

} // namespace fw::detail
