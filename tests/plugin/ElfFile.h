// What a shared object's file tells a loader: the symbols its dynamic symbol table defines and
// the libraries it needs. Read from the file itself, so the tests need no binary tools.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct DynamicInfo {
    std::vector<std::string> definedSymbols; // global and weak symbols the object exports
    std::vector<std::string> needed;         // DT_NEEDED entries, in order
};

// Nothing when the file is missing or is no well-formed ELF object of this machine's class.
std::optional<DynamicInfo> readDynamicInfo(const std::string& path);
