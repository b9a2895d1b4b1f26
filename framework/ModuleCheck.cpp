#include "framework/ModuleCheck.h"

#include <elf.h>
#include <link.h>

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "framework/Files.h"
#include "framework/qt/Digest.h"
#include "framework/qt/PropertyList.h"

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

// Far beyond any real information list; a longer one is no list of ours.
constexpr std::size_t kListBytes = 64 * 1024;

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Why a file could not be read, in a few words after its name.
const char* unread(FileBytes::Outcome outcome) {
    switch (outcome) {
    case FileBytes::Missing:
        return "is missing";
    case FileBytes::NoRegularFile:
        return "is not a regular file";
    default:
        return "cannot be read";
    }
}

ModuleProblem problem(const std::string& name, const std::string& state, const std::string& details) {
    return moduleProblem(name + " " + state, details);
}

// Why the module must not be loaded. The module file is read through `opened`, which stays open.
std::optional<ModuleProblem> damage(const std::filesystem::path& module, FileDescriptor& opened) {
    std::filesystem::path listPath = module;
    listPath.replace_extension(".plist");
    const std::string moduleName = module.filename().string();
    const std::string listName = listPath.filename().string();

    std::error_code error;
    if (std::filesystem::status(module, error).type() == std::filesystem::file_type::not_found)
        return problem(moduleName, "is missing", module.string());
    const FileBytes list = readRegularFile(listPath, kListBytes);
    if (list.outcome != FileBytes::Read)
        return problem(listName, unread(list.outcome), listPath.string() + ", the record of " + moduleName);
    if (list.cut)
        return problem(listName, "is too large",
                       "it holds more than " + std::to_string(kListBytes) + " bytes, far more than a record");
    std::string why;
    const auto values = detail::readPropertyList(list.bytes, why);
    if (!values)
        return problem(listName, "is damaged", "it is no well-formed property list: " + why);
    const auto size = values->find("ModuleFileSize");
    const auto digest = values->find("ModuleFileSHA256");
    uint64_t recordedSize = 0;
    const std::string sizeText = size == values->end() ? std::string() : trimmed(size->second);
    const char* sizeEnd = sizeText.data() + sizeText.size();
    if (size == values->end() || digest == values->end() || sizeText.empty() ||
        std::from_chars(sizeText.data(), sizeEnd, recordedSize).ptr != sizeEnd)
        return problem(listName, "is damaged", "it records no size and SHA-256 of " + moduleName);

    const FileBytes file = readRegularFile(module, recordedSize, opened);
    if (file.outcome != FileBytes::Read)
        return problem(moduleName, unread(file.outcome), module.string());
    if (file.cut || file.size != recordedSize || file.bytes.size() != recordedSize)
        return problem(moduleName, "is damaged",
                       "it is " + std::to_string(file.size) + " bytes long, not the " + sizeText +
                           " recorded in " + listName);
    if (lowered(trimmed(digest->second)) != detail::sha256Hex(file.bytes))
        return problem(moduleName, "is damaged", "its SHA-256 differs from the one recorded in " + listName);
    if (!elfHeadersWithin(file.bytes))
        return problem(moduleName, "is damaged", "it is no complete shared object of this machine");
    return std::nullopt;
}

} // namespace

ModuleProblem moduleProblem(const std::string& reason, const std::string& details) {
    return {reason, reason + ": " + details + "."};
}

CheckedModule checkModule(const std::filesystem::path& module) {
    CheckedModule checked;
    checked.problem = damage(module, checked.file);
    if (checked.problem)
        checked.file = FileDescriptor();
    return checked;
}

} // namespace fw
