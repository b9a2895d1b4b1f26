// Spell checking through Enchant: the dictionary of the user's language, else English, else none.
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
    // The dictionary for the user's language; null when no dictionary is installed for it or for
    // English.
    static std::shared_ptr<const SpellingDictionary> forUser();
    // The languages asked for in turn; empty: the user's language, then English. For the tests.
    static void setLanguages(std::vector<std::string> languages);

    bool isCorrect(const QString& word) const;
    ~SpellingDictionary();

    struct Handle; // the broker and dictionary, kept together

  private:
    explicit SpellingDictionary(std::shared_ptr<Handle> handle) : handle_(std::move(handle)) {}
    std::shared_ptr<Handle> handle_;
};

// Marks the misspelt words of a document with the spell-check underline, as it is shown and as it
// changes.
class SpellingHighlighter : public QSyntaxHighlighter {
  public:
    SpellingHighlighter(QTextDocument* document, std::shared_ptr<const SpellingDictionary> dictionary);

  protected:
    void highlightBlock(const QString& text) override;

  private:
    std::shared_ptr<const SpellingDictionary> dictionary_;
    QTextCharFormat misspelt_;
};

} // namespace fw::detail
