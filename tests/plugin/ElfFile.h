// What a shared object's file tells a loader: the symbols its dynamic symbol table defines and
// the libraries it needs. Read from the file itself, so the tests need no binary tools.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct DynamicInfo {
    std::vector<std::string> definedSymbols;          // global and weak symbols the object exports
    std::vector<std::string> needed;                  // DT_NEEDED entries, in order
    std::map<std::string, std::uint64_t> fileOffsets; // where each exported symbol's bytes lie in the file
};

// Nothing when the file is missing or is no well-formed ELF object of this machine's class.
std::optional<DynamicInfo> readDynamicInfo(const std::string& path);

// The file's bytes with an undefined instruction (x86's ud2, two bytes) where the code of the
// exported symbol begins; nothing when the symbol is not found.
std::optional<std::string> withEntryPointChanged(const std::string& path, const std::string& symbol);
