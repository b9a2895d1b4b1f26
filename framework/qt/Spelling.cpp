#include "framework/qt/Spelling.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextBoundaryFinder>

#include "framework/FrameworkModule.h"
#include "framework/qt/FreedMemory.h"
#include "framework/qt/modules/SpellingModule.h"

namespace fw::detail {

struct SpellingDictionary::Handle {
    ModuleCalls<SpellingCalls> spelling;
    void* dictionary = nullptr;
    ~Handle() {
        // Freed where it was made (see forUser). The module and the providers it loaded go as
        // the last holder lets go of them.
        if (dictionary)
            runApart([this] { spelling->close(dictionary); });
        spelling = {};
        // The dictionary's word tables are megabytes of small blocks.
        giveFreedMemoryBack();
    }
};

namespace {
std::vector<std::string>& askedLanguages() {
    static std::vector<std::string> languages;
    return languages;
}

// Held by the text areas that check; a text area made while one is loaded shares it.
std::weak_ptr<const SpellingDictionary>& current() {
    static std::weak_ptr<const SpellingDictionary> dictionary;
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

SpellingDictionary::SpellingDictionary(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

std::shared_ptr<const SpellingDictionary> SpellingDictionary::forUser() {
    if (auto loaded = current().lock())
        return loaded;
    auto handle = std::make_unique<Handle>();
    handle->spelling = loadModuleCalls<SpellingCalls>(kSpellingModule, kSpellingEntry);
    if (!handle->spelling)
        return nullptr;
    const std::vector<std::string> tags = candidates();
    // The program's own name is a word of its texts.
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    // Its word tables are let go with the last text area that checks, while the window's blocks
    // made since stay: apart from them, they go back to the system whole.
    runApart([&] {
        handle->dictionary = handle->spelling->open(
            tags, std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
    });
    if (!handle->dictionary)
        return nullptr;
    std::shared_ptr<const SpellingDictionary> made(new SpellingDictionary(std::move(handle)));
    current() = made;
    return made;
}

void SpellingDictionary::setLanguages(std::vector<std::string> languages) {
    askedLanguages() = std::move(languages);
    // Text areas made from now on ask anew; those that check keep theirs.
    current().reset();
}

bool SpellingDictionary::loaded() {
    return !current().expired();
}

SpellingDictionary::~SpellingDictionary() = default;

bool SpellingDictionary::isCorrect(const QString& word) const {
    const QByteArray utf8 = word.toUtf8();
    return handle_->spelling->isCorrect(
        handle_->dictionary, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

SpellingHighlighter::SpellingHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    misspelt_.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt_.setUnderlineColor(Qt::red);
}

void SpellingHighlighter::highlightBlock(const QString& text) {
    if (!asked_) {
        asked_ = true;
        dictionary_ = SpellingDictionary::forUser();
    }
    if (!dictionary_)
        return;
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
