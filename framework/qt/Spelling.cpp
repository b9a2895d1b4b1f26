#include "framework/qt/Spelling.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextBoundaryFinder>
#include <enchant.h>

#include "framework/qt/FreedMemory.h"

namespace fw::detail {

namespace {
// Enchant keeps the user's personal word lists in its configuration folder and creates them
// there as a dictionary opens. Pointed at a folder that cannot exist, it opens the dictionary
// without them, so that checking the spelling writes no file. The variable is set only while
// Enchant reads it, so that programs started from here see the user's own.
class NoPersonalWordLists {
  public:
    NoPersonalWordLists() : previous_(qgetenv(kVariable)), had_(qEnvironmentVariableIsSet(kVariable)) {
        qputenv(kVariable, "/dev/null");
    }
    ~NoPersonalWordLists() {
        if (had_)
            qputenv(kVariable, previous_);
        else
            qunsetenv(kVariable);
    }
    NoPersonalWordLists(const NoPersonalWordLists&) = delete;
    NoPersonalWordLists& operator=(const NoPersonalWordLists&) = delete;

  private:
    static constexpr const char* kVariable = "ENCHANT_CONFIG_DIR";
    QByteArray previous_;
    bool had_;
};
} // namespace

struct SpellingDictionary::Handle {
    EnchantBroker* broker = nullptr;
    EnchantDict* dict = nullptr;
    ~Handle() {
        // Freed where it was made (see forUser).
        runApart([this] {
            if (dict)
                enchant_broker_free_dict(broker, dict);
            if (broker)
                enchant_broker_free(broker);
        });
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
    const std::vector<std::string> tags = candidates();
    // The program's own name is a word of its texts.
    const QByteArray name = QCoreApplication::applicationName().toUtf8();
    // Its word tables are let go with the last text area that checks, while the window's blocks
    // made since stay: apart from them, they go back to the system whole.
    runApart([&] {
        const NoPersonalWordLists none;
        handle->broker = enchant_broker_init();
        for (const std::string& tag : tags) {
            if (!handle->broker || tag.empty() || tag == "C" || tag == "POSIX")
                continue;
            if (enchant_broker_dict_exists(handle->broker, tag.c_str()))
                handle->dict = enchant_broker_request_dict(handle->broker, tag.c_str());
            if (handle->dict)
                break;
        }
        if (handle->dict && !name.isEmpty())
            enchant_dict_add_to_session(handle->dict, name.constData(), name.size());
    });
    if (!handle->dict)
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
    return enchant_dict_check(handle_->dict, utf8.constData(), utf8.size()) == 0;
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
