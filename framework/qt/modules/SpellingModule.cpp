// The spelling module: Enchant's broker and one dictionary.
#include "framework/qt/modules/SpellingModule.h"

#include <enchant.h>
#include <memory>

namespace fw::detail {

namespace {

struct Dictionary {
    EnchantBroker* broker = nullptr;
    EnchantDict* dict = nullptr;
    ~Dictionary() {
        if (dict)
            enchant_broker_free_dict(broker, dict);
        if (broker)
            enchant_broker_free(broker);
    }
};

void* open(const std::vector<std::string>& languages, std::string_view sessionWord) {
    auto dictionary = std::make_unique<Dictionary>();
    // Without the user's personal word lists: the framework has pointed Enchant's configuration
    // folder at one that cannot exist, so that checking the spelling writes no file.
    dictionary->broker = enchant_broker_init();
    for (const std::string& tag : languages) {
        if (!dictionary->broker || tag.empty() || tag == "C" || tag == "POSIX")
            continue;
        if (enchant_broker_dict_exists(dictionary->broker, tag.c_str()))
            dictionary->dict = enchant_broker_request_dict(dictionary->broker, tag.c_str());
        if (dictionary->dict)
            break;
    }
    if (!dictionary->dict)
        return nullptr;
    if (!sessionWord.empty())
        enchant_dict_add_to_session(dictionary->dict, sessionWord.data(),
                                    static_cast<ssize_t>(sessionWord.size()));
    return dictionary.release();
}

bool isCorrect(void* dictionary, std::string_view word) {
    return enchant_dict_check(static_cast<Dictionary*>(dictionary)->dict, word.data(),
                              static_cast<ssize_t>(word.size())) == 0;
}

void close(void* dictionary) {
    delete static_cast<Dictionary*>(dictionary);
}

constexpr SpellingCalls kCalls = {&open, &isCorrect, &close};

} // namespace

} // namespace fw::detail

extern "C" __attribute__((visibility("default"))) const fw::detail::SpellingCalls* fwSpellingCalls() {
    return &fw::detail::kCalls;
}
