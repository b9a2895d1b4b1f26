#include "framework/qt/Spelling.h"

#include <QLocale>
#include <QTextBoundaryFinder>
#include <enchant.h>
#include <optional>

namespace fw::detail {

struct SpellingDictionary::Handle {
    EnchantBroker* broker = nullptr;
    EnchantDict* dict = nullptr;
    ~Handle() {
        if (dict)
            enchant_broker_free_dict(broker, dict);
        if (broker)
            enchant_broker_free(broker);
    }
};

namespace {
std::vector<std::string>& askedLanguages() {
    static std::vector<std::string> languages;
    return languages;
}

// Looked up once: a text area made later shares the dictionary of the first.
std::optional<std::shared_ptr<const SpellingDictionary>>& cached() {
    static std::optional<std::shared_ptr<const SpellingDictionary>> dictionary;
    return dictionary;
}

std::vector<std::string> candidates() {
    if (!askedLanguages().empty())
        return askedLanguages();
    std::vector<std::string> tags;
    // "en_US" from the locale settings; "C" when there are none.
    const std::string tag = QLocale::system().name().toStdString();
    tags.push_back(tag);
    if (const auto underscore = tag.find('_'); underscore != std::string::npos)
        tags.push_back(tag.substr(0, underscore));
    tags.insert(tags.end(), {"en_US", "en"});
    return tags;
}
} // namespace

std::shared_ptr<const SpellingDictionary> SpellingDictionary::forUser() {
    if (cached())
        return *cached();
    std::shared_ptr<const SpellingDictionary> found;
    auto handle = std::make_shared<Handle>();
    handle->broker = enchant_broker_init();
    for (const std::string& tag : candidates()) {
        if (!handle->broker || tag.empty() || tag == "C" || tag == "POSIX")
            continue;
        if (enchant_broker_dict_exists(handle->broker, tag.c_str()))
            handle->dict = enchant_broker_request_dict(handle->broker, tag.c_str());
        if (handle->dict)
            break;
    }
    if (handle->dict)
        found.reset(new SpellingDictionary(handle));
    cached() = found;
    return found;
}

void SpellingDictionary::setLanguages(std::vector<std::string> languages) {
    askedLanguages() = std::move(languages);
    cached().reset();
}

SpellingDictionary::~SpellingDictionary() = default;

bool SpellingDictionary::isCorrect(const QString& word) const {
    const QByteArray utf8 = word.toUtf8();
    return enchant_dict_check(handle_->dict, utf8.constData(), utf8.size()) == 0;
}

SpellingHighlighter::SpellingHighlighter(QTextDocument* document,
                                         std::shared_ptr<const SpellingDictionary> dictionary)
    : QSyntaxHighlighter(document), dictionary_(std::move(dictionary)) {
    misspelt_.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt_.setUnderlineColor(Qt::red);
}

void SpellingHighlighter::highlightBlock(const QString& text) {
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    int start = 0;
    while (words.toNextBoundary() >= 0) {
        const int end = words.position();
        const QString word = text.mid(start, end - start);
        // Figures and punctuation are not words to check.
        bool letters = false;
        for (const QChar c : word)
            letters = letters || c.isLetter();
        if (letters && (words.boundaryReasons() & QTextBoundaryFinder::EndOfItem) &&
            !dictionary_->isCorrect(word))
            setFormat(start, end - start, misspelt_);
        start = end;
    }
}

} // namespace fw::detail
