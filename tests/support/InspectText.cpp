// What a text area shows, for the framework's tests.
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "framework/qt/Convert.h"
#include "framework/qt/Spelling.h"
#include "framework/qt/TextAreaBridge.h"
#include "tests/support/Inspect.h"

namespace fw::inspect {

std::vector<String> misspeltWords(TextArea& area) {
    std::vector<String> words;
    QTextDocument* doc = detail::documentOf(area);
    if (!doc)
        return words;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words.push_back(detail::fromQt(block.text().mid(range.start, range.length)));
    return words;
}

bool selectionShown(TextArea& area) {
    auto* bridge = static_cast<detail::TextAreaBridge*>(area.bridge());
    QWidget* edit = bridge ? bridge->widget() : nullptr;
    if (!edit)
        return false;
    const QPalette& palette = edit->palette();
    return palette.color(QPalette::Active, QPalette::Highlight) !=
           palette.color(QPalette::Active, QPalette::Base);
}

int32_t lineCount(TextArea& area) {
    QTextDocument* doc = detail::documentOf(area);
    int32_t lines = 0;
    for (QTextBlock block = doc ? doc->begin() : QTextBlock(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

std::vector<int64_t> drawingKeys(TextArea& area) {
    auto* bridge = static_cast<detail::TextAreaBridge*>(area.bridge());
    auto* edit = bridge ? qobject_cast<QTextEdit*>(bridge->widget()) : nullptr;
    if (!edit)
        return {};
    return {edit->palette().cacheKey(), edit->verticalScrollBar()->palette().cacheKey(),
            edit->horizontalScrollBar()->palette().cacheKey()};
}

void useSpellingLanguages(std::vector<std::string> languages) {
    detail::SpellingDictionary::setLanguages(std::move(languages));
}

bool spellingDictionaryLoaded() {
    return detail::SpellingDictionary::loaded();
}

bool spellingDictionaryAvailable() {
    return detail::SpellingDictionary::forUser() != nullptr;
}

} // namespace fw::inspect
