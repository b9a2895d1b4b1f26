#include "tests/plugin/ElfFile.h"

#include <cstring>
#include <elf.h>
#include <fstream>
#include <iterator>
#include <link.h>

namespace {

class Image {
  public:
    explicit Image(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

    // count objects of T at offset, or null when they do not lie wholly inside the file
    template <typename T> const T* at(std::size_t offset, std::size_t count = 1) const {
        if (offset > bytes_.size() || count > (bytes_.size() - offset) / sizeof(T)) {
            return nullptr;
        }
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }

    std::optional<std::string> string(const ElfW(Shdr) & table, std::size_t index) const {
        if (index >= table.sh_size) {
            return std::nullopt;
        }
        const char* start = at<char>(table.sh_offset + index, table.sh_size - index);
        if (!start) {
            return std::nullopt;
        }
        std::size_t length = strnlen(start, table.sh_size - index);
        if (length == table.sh_size - index) {
            return std::nullopt;
        }
        return std::string(start, length);
    }

  private:
    std::vector<char> bytes_;
};

bool exported(const ElfW(Sym) & symbol) {
    unsigned char binding = ELF64_ST_BIND(symbol.st_info);
    return symbol.st_shndx != SHN_UNDEF &&
           (binding == STB_GLOBAL || binding == STB_WEAK || binding == STB_GNU_UNIQUE);
}

} // namespace

std::optional<DynamicInfo> readDynamicInfo(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    Image image(std::vector<char>(std::istreambuf_iterator<char>(file), {}));
    const auto* header = image.at<ElfW(Ehdr)>(0);
    if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 ||
        header->e_ident[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) ||
        header->e_shentsize != sizeof(ElfW(Shdr))) {
        return std::nullopt;
    }
    const auto* sections = image.at<ElfW(Shdr)>(header->e_shoff, header->e_shnum);
    if (!sections) {
        return std::nullopt;
    }
    DynamicInfo info;
    for (std::size_t i = 0; i < header->e_shnum; ++i) {
        const ElfW(Shdr)& section = sections[i];
        if (section.sh_type != SHT_DYNSYM && section.sh_type != SHT_DYNAMIC) {
            continue;
        }
        if (section.sh_link >= header->e_shnum) {
            return std::nullopt;
        }
        const ElfW(Shdr)& strings = sections[section.sh_link];
        if (section.sh_type == SHT_DYNSYM) {
            std::size_t count = section.sh_size / sizeof(ElfW(Sym));
            const auto* symbols = image.at<ElfW(Sym)>(section.sh_offset, count);
            if (!symbols) {
                return std::nullopt;
            }
            for (std::size_t s = 0; s < count; ++s) {
                if (exported(symbols[s])) {
                    auto name = image.string(strings, symbols[s].st_name);
                    if (!name) {
                        return std::nullopt;
                    }
                    info.definedSymbols.push_back(*name);
                    if (symbols[s].st_shndx < header->e_shnum) {
                        const ElfW(Shdr)& home = sections[symbols[s].st_shndx];
                        info.fileOffsets[*name] = symbols[s].st_value - home.sh_addr + home.sh_offset;
                    }
                }
            }
        } else {
            std::size_t count = section.sh_size / sizeof(ElfW(Dyn));
            const auto* entries = image.at<ElfW(Dyn)>(section.sh_offset, count);
            if (!entries) {
                return std::nullopt;
            }
            for (std::size_t e = 0; e < count && entries[e].d_tag != DT_NULL; ++e) {
                if (entries[e].d_tag == DT_NEEDED) {
                    auto name = image.string(strings, entries[e].d_un.d_val);
                    if (!name) {
                        return std::nullopt;
                    }
                    info.needed.push_back(*name);
                }
            }
        }
    }
    return info;
}

std::optional<std::string> withEntryPointChanged(const std::string& path, const std::string& symbol) {
    const std::optional<DynamicInfo> info = readDynamicInfo(path);
    if (!info || !info->fileOffsets.count(symbol))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(file), {});
    const std::size_t at = info->fileOffsets.at(symbol);
    if (at + 2 > bytes.size())
        return std::nullopt;
    bytes[at] = '\x0f';
    bytes[at + 1] = '\x0b';
    return bytes;
}
