#include "framework/ModuleCheck.h"

#include <elf.h>
#include <link.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

#include "framework/qt/Digest.h"

namespace fw {

namespace {

// count records of `size` bytes at offset lie wholly inside a file of fileSize bytes.
bool within(uint64_t offset, uint64_t count, uint64_t size, uint64_t fileSize) {
    return offset <= fileSize && (size == 0 || count <= (fileSize - offset) / size);
}

// The headers a loader reads, and the segments and sections they name, lie inside the file.
bool elfHeadersWithin(std::string_view file) {
    using Ehdr = ElfW(Ehdr);
    using Phdr = ElfW(Phdr);
    using Shdr = ElfW(Shdr);
    if (file.size() < sizeof(Ehdr))
        return false;
    Ehdr header;
    std::memcpy(&header, file.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) ||
        header.e_ident[EI_DATA] != ELFDATA2LSB || header.e_type != ET_DYN ||
        header.e_ehsize != sizeof(Ehdr) || header.e_phentsize != sizeof(Phdr) || header.e_phnum == 0 ||
        !within(header.e_phoff, header.e_phnum, sizeof(Phdr), file.size()))
        return false;
    for (std::size_t i = 0; i < header.e_phnum; ++i) {
        Phdr segment;
        std::memcpy(&segment, file.data() + header.e_phoff + i * sizeof(Phdr), sizeof segment);
        if (!within(segment.p_offset, segment.p_filesz, 1, file.size()) ||
            (segment.p_type == PT_LOAD && segment.p_filesz > segment.p_memsz))
            return false;
    }
    if (header.e_shnum == 0)
        return header.e_shoff == 0;
    if (header.e_shentsize != sizeof(Shdr) ||
        !within(header.e_shoff, header.e_shnum, sizeof(Shdr), file.size()) ||
        (header.e_shstrndx != SHN_UNDEF && header.e_shstrndx >= header.e_shnum))
        return false;
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        Shdr section;
        std::memcpy(&section, file.data() + header.e_shoff + i * sizeof(Shdr), sizeof section);
        if (section.sh_type != SHT_NOBITS && !within(section.sh_offset, section.sh_size, 1, file.size()))
            return false;
    }
    return true;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return bytes.str();
}

// The text of the element right after <key>name</key> in a property list; nothing when absent.
std::optional<std::string> listValue(const std::string& list, const std::string& name) {
    const std::string key = "<key>" + name + "</key>";
    std::size_t at = list.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    at = list.find_first_not_of(" \t\r\n", at + key.size());
    if (at == std::string::npos || list[at] != '<')
        return std::nullopt;
    const std::size_t tagEnd = list.find('>', at);
    if (tagEnd == std::string::npos)
        return std::nullopt;
    const std::string close = "</" + list.substr(at + 1, tagEnd - at - 1) + ">";
    const std::size_t end = list.find(close, tagEnd);
    if (end == std::string::npos)
        return std::nullopt;
    return list.substr(tagEnd + 1, end - tagEnd - 1);
}

} // namespace

std::optional<std::string> moduleDamage(const std::filesystem::path& module) {
    const std::optional<std::string> file = readFile(module);
    if (!file)
        return "it cannot be read";
    if (!elfHeadersWithin(*file))
        return "it is no complete shared object of this machine";
    std::filesystem::path listPath = module;
    listPath.replace_extension(".plist");
    const std::string listName = listPath.filename().string();
    const std::optional<std::string> list = readFile(listPath);
    const std::optional<std::string> size = list ? listValue(*list, "ModuleFileSize") : std::nullopt;
    const std::optional<std::string> digest = list ? listValue(*list, "ModuleFileSHA256") : std::nullopt;
    if (!size || !digest)
        return "no size and SHA-256 of it are recorded in " + listName;
    if (*size != std::to_string(file->size()))
        return "it is " + std::to_string(file->size()) + " bytes long, not the " + *size + " recorded in " +
               listName;
    if (*digest != detail::sha256Hex(*file))
        return "its SHA-256 differs from the one recorded in " + listName;
    return std::nullopt;
}

} // namespace fw
