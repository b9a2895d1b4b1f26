// What the spelling module (framework-spelling.so, over Enchant) offers the framework: the
// dictionary and its providers are loaded with the module and go with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw::detail {

struct SpellingCalls {
    // The dictionary of the first language tag ("en_US", "en") that has one installed, with the word
    // added for this session; null when none has. It writes no file: the toolkit's start has pointed
    // Enchant's configuration folder at none.
    void* (*open)(const std::vector<std::string>& languages, std::string_view sessionWord);
    // Whether the word, in UTF-8, is spelt correctly.
    bool (*isCorrect)(void* dictionary, std::string_view word);
    void (*close)(void* dictionary);
};

inline constexpr const char* kSpellingModule = "framework-spelling";
inline constexpr const char* kSpellingEntry = "fwSpellingCalls";

} // namespace fw::detail
