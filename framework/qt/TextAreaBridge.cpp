// TextArea over a QTextEdit: paragraphs are text blocks, CR in the framework's text.
#include "framework/qt/TextAreaBridge.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <deque>

#include "framework/Window.h"
#include "framework/qt/Convert.h"
#include "framework/qt/Spelling.h"

namespace fw::detail {

namespace {
// The widget tells its bridge when it gains or loses the focus.
class TextAreaEdit : public QTextEdit {
  public:
    TextAreaEdit(QWidget* parent, TextAreaBridge* bridge) : QTextEdit(parent), bridge_(bridge) {}
    void detach() { bridge_ = nullptr; }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        // Without tabs the Tab key only ever moves the focus, also when there is nowhere to go.
        const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
        if (tab && tabChangesFocus() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            event->ignore();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QTextEdit::focusInEvent(event);
        if (bridge_)
            bridge_->focusChanged(true);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QTextEdit::focusOutEvent(event);
        if (bridge_)
            bridge_->focusChanged(false);
    }
    void showEvent(QShowEvent* event) override {
        QTextEdit::showEvent(event);
        if (bridge_)
            bridge_->checkSpellingAsShown();
    }

  private:
    TextAreaBridge* bridge_;
};

constexpr Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

// Qt counts UTF-16 units; the framework counts characters.
int toCharacters(const QTextDocument& doc, int units) {
    int characters = 0;
    for (int i = 0; i < units; ++i)
        if (!doc.characterAt(i).isLowSurrogate())
            ++characters;
    return characters;
}

// One palette for each look a text area takes, shared by all text areas with that look. The
// style keeps drawn pieces under the palette's key: a palette of its own for every new text
// area would fill its cache anew each time. Every role is set, so that a widget takes the
// palette as it is, with its key, and resolves nothing from its parent's.
const QPalette& textAreaPalette(const QColor& text, const QColor& base, bool hideSelection) {
    struct Look {
        QRgb text, base;
        bool hide;
        qint64 from; // the application palette's key it was made from
        QPalette palette;
    };
    static std::deque<Look> looks; // references stay valid as it grows
    const QPalette& application = QApplication::palette();
    for (const Look& look : looks)
        if (look.text == text.rgba() && look.base == base.rgba() && look.hide == hideSelection &&
            look.from == application.cacheKey())
            return look.palette;
    QPalette palette = application;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            palette.setBrush(g, r, application.brush(g, r));
        }
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, base);
    if (hideSelection)
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, base);
            palette.setColor(group, QPalette::HighlightedText, text);
        }
    looks.push_back({text.rgba(), base.rgba(), hideSelection, application.cacheKey(), palette});
    return looks.back().palette;
}

int toUnits(const QTextDocument& doc, int characters) {
    const int end = doc.characterCount() - 1; // the document's own last paragraph end
    int units = 0;
    for (int seen = 0; units < end && seen < characters; ++units)
        if (!doc.characterAt(units + 1).isLowSurrogate())
            ++seen;
    return units;
}
} // namespace

TextAreaBridge::TextAreaBridge(TextArea& area, QWidget* content)
    : ControlBridgeOf(area, new TextAreaEdit(content, this)) {
    QObject::connect(view()->document(), &QTextDocument::contentsChange, receiver(),
                     [this](int position, int, int added) {
                         if (!programEdit_)
                             changeEnd_ = position + added;
                     });
    QObject::connect(view(), &QTextEdit::textChanged, receiver(), [this] { keepWithinLimit(); });
}

TextAreaBridge::~TextAreaBridge() {
    if (auto* edit = static_cast<TextAreaEdit*>(view()))
        edit->detach();
}

String TextAreaBridge::text() const {
    QString joined;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            joined += QLatin1Char('\r');
        joined += block.text();
    }
    return fromQt(joined);
}

void TextAreaBridge::setText(const String& text) {
    // Always plain: nothing in the text is taken for markup.
    programEdit_ = true;
    view()->setPlainText(linesToQt(text));
    applyParagraphs();
    programEdit_ = false;
}

int32_t TextAreaBridge::selectionStart() const {
    return toCharacters(*document(), view()->textCursor().selectionStart());
}

int32_t TextAreaBridge::selectionLength() const {
    const QTextCursor cursor = view()->textCursor();
    return toCharacters(*document(), cursor.selectionEnd()) -
           toCharacters(*document(), cursor.selectionStart());
}

void TextAreaBridge::select(int32_t start, int32_t length) {
    QTextCursor cursor(document());
    const int from = toUnits(*document(), start);
    cursor.setPosition(from);
    cursor.setPosition(toUnits(*document(), start + length), QTextCursor::KeepAnchor);
    view()->setTextCursor(cursor);
}

void TextAreaBridge::applyParagraphs() {
    QTextDocument* doc = document();
    QTextOption option = doc->defaultTextOption();
    const int32_t align = control().Alignment();
    option.setAlignment(align >= 0 && align < 4 ? kAlignments[align] : Qt::AlignLeft);
    doc->setDefaultTextOption(option);
    // Single spacing is the blocks' own; anything else is set on every paragraph, outside the
    // user's undo history.
    const double spacing = control().LineSpacing();
    QTextBlockFormat format;
    format.setLineHeight(spacing > 0 ? spacing * 100 : 100, QTextBlockFormat::ProportionalHeight);
    if (doc->begin().blockFormat().lineHeight() == format.lineHeight())
        return;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor all(doc);
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(format);
    doc->setUndoRedoEnabled(undo);
}

void TextAreaBridge::keepWithinLimit() {
    const int32_t limit = control().LimitText();
    QTextDocument* doc = document();
    if (programEdit_ || limit <= 0 || changeEnd_ < 0)
        return;
    const int over = toCharacters(*doc, doc->characterCount() - 1) - limit;
    if (over <= 0)
        return;
    // Take back the end of what the user just typed or pasted.
    const int end = std::min(changeEnd_, doc->characterCount() - 1);
    QTextCursor cursor(doc);
    cursor.setPosition(end);
    cursor.setPosition(toUnits(*doc, std::max(0, toCharacters(*doc, end) - over)), QTextCursor::KeepAnchor);
    programEdit_ = true;
    cursor.removeSelectedText();
    programEdit_ = false;
    changeEnd_ = -1;
}

void TextAreaBridge::focusChanged(bool focused) {
    // A hidden selection is drawn in the text's own colours.
    const bool hide = !focused && control().HideSelection();
    const QPalette& palette = textAreaPalette(toQt(control().TextColor()), toQt(control().BackColor()), hide);
    view()->setPalette(palette);
    // The scroll bars would take a copy of it under a key of their own, and the style caches
    // their arrows under that key: new entries for every new text area. Given the palette
    // itself, they draw under its key.
    view()->verticalScrollBar()->setPalette(palette);
    view()->horizontalScrollBar()->setPalette(palette);
}

void TextAreaBridge::syncOwn() {
    const TextArea& area = control();
    QTextEdit* edit = view();
    edit->setFrameShape(area.Border() ? QFrame::StyledPanel : QFrame::NoFrame);
    edit->setAttribute(Qt::WA_MacShowFocusRect, area.UseFocusRing());
    edit->setLineWrapMode(area.Multiline() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(area.ScrollbarVertical() ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(area.ScrollbarHorizontal() ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
    edit->setReadOnly(area.ReadOnly());
    edit->setAcceptRichText(area.Styled());
    edit->setTabChangesFocus(!area.AcceptTabs());
    focusChanged(edit->hasFocus());
    programEdit_ = true;
    applyParagraphs();
    programEdit_ = false;
    checkSpellingAsShown();
}

void TextAreaBridge::checkSpellingAsShown() {
    // A text area that is never seen, as the one printing fills, needs no marks: the dictionary
    // loads only for one that shows.
    const bool check = control().AutomaticallyCheckSpelling();
    if (!check && highlighter_) {
        delete highlighter_;
        highlighter_ = nullptr;
    } else if (check && !highlighter_ && view()->isVisible()) {
        highlighter_ = new SpellingHighlighter(document());
    }
}

QTextDocument* documentOf(const TextArea& area) {
    auto* bridge = static_cast<TextAreaBridge*>(area.bridge());
    return bridge ? bridge->document() : nullptr;
}

} // namespace fw::detail

namespace fw {
detail::ToolkitTextArea* TextArea::textBridge() const {
    auto* b = static_cast<detail::TextAreaBridge*>(bridge());
    return b && b->widget() ? b : nullptr;
}

std::unique_ptr<detail::ToolkitControl> TextArea::makeBridge(fw::Window& window) {
    auto made = std::make_unique<detail::TextAreaBridge>(*this, window.bridge().content());
    made->setText(text_);
    made->select(selStart_, selLength_);
    return made;
}
} // namespace fw
