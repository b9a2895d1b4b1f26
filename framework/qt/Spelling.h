// Spell checking through Enchant: the dictionary of the user's language, else English, else none.
// The dictionary is loaded when a text area first checks a word and let go with the last text area
// that checks.
#pragma once

#include <QString>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <memory>
#include <string>
#include <vector>

namespace fw::detail {

class SpellingDictionary {
  public:
    // The dictionary for the user's language, shared while anyone holds it; null when no
    // dictionary is installed for it or for English.
    static std::shared_ptr<const SpellingDictionary> forUser();
    // The languages asked for in turn; empty: the user's language, then English. For the tests.
    static void setLanguages(std::vector<std::string> languages);
    // Whether a dictionary is loaded now. For the tests.
    static bool loaded();

    bool isCorrect(const QString& word) const;
    ~SpellingDictionary();

    struct Handle; // the broker and dictionary, kept together

  private:
    explicit SpellingDictionary(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> handle_;
};

// Marks the misspelt words of a document with the spell-check underline, as it is shown and as it
// changes. It asks for the dictionary at the first word it checks.
class SpellingHighlighter : public QSyntaxHighlighter {
  public:
    explicit SpellingHighlighter(QTextDocument* document);

  protected:
    void highlightBlock(const QString& text) override;

  private:
    std::shared_ptr<const SpellingDictionary> dictionary_;
    bool asked_ = false;
    QTextCharFormat misspelt_;
};

} // namespace fw::detail
