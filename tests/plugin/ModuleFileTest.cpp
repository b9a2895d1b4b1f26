// The built module as a file: what it exports, what it links, and the information list beside it.
#include "tests/plugin/ElfFile.h"
#include "tests/plugin/LoadedModule.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace {

TEST(ModuleFile, ExportsREALPluginMainAndNothingElse) {
    LoadedModule module(TOLVANE_MODULE);
    ASSERT_TRUE(module.loaded()) << module.error();
    EXPECT_NE(module.entry(), nullptr);
    for (const char* hidden : {"TolvaneClass", "gResolver", "CGPostKeyboardEvent", "CGPostMouseEvent",
                               "CGWarpMouseCursorPosition", "GetGlobalMouse"}) {
        EXPECT_EQ(module.symbol(hidden), nullptr) << hidden;
    }

    auto info = readDynamicInfo(module.path());
    ASSERT_TRUE(info) << "not a readable ELF object: " << module.path();
    EXPECT_EQ(info->definedSymbols, std::vector<std::string>{"REALPluginMain"});
}

TEST(ModuleFile, LinksOnlyTheCLibraryAndX) {
    auto info = readDynamicInfo(TOLVANE_MODULE);
    ASSERT_TRUE(info);
    std::set<std::string> allowed = {"libc.so.6", "libX11.so.6", "libXtst.so.6"};
#ifdef AMBREL_SANITIZE
    // The sanitizer build links its runtimes into every binary.
    allowed.insert({"libasan.so.8", "libubsan.so.1"});
#endif
    for (const std::string& library : info->needed) {
        EXPECT_TRUE(allowed.count(library)) << "links " << library;
    }
    std::set<std::string> needed(info->needed.begin(), info->needed.end());
    EXPECT_TRUE(needed.count("libX11.so.6"));
    EXPECT_TRUE(needed.count("libXtst.so.6"));
}

// The list's keys with string values.
std::map<std::string, std::string> plistStrings(const std::string& path) {
    std::ifstream file(path);
    std::stringstream content;
    content << file.rdbuf();
    const std::string xml = content.str();
    auto element = [&xml](const std::string& tag, std::size_t& from) -> std::optional<std::string> {
        std::string open = "<" + tag + ">", close = "</" + tag + ">";
        std::size_t start = xml.find(open, from);
        std::size_t end = start == std::string::npos ? start : xml.find(close, start);
        if (end == std::string::npos) {
            return std::nullopt;
        }
        from = end + close.size();
        return xml.substr(start + open.size(), end - start - open.size());
    };
    std::map<std::string, std::string> values;
    std::size_t at = 0;
    while (auto key = element("key", at)) {
        std::size_t next = xml.find_first_not_of(" \t\n", at);
        if (next != std::string::npos && xml.compare(next, 8, "<string>") == 0) {
            values[*key] = element("string", at).value_or("");
        }
    }
    return values;
}

TEST(ModuleFile, HasItsBundleInformationBesideIt) {
    std::string module = TOLVANE_MODULE;
    std::string plist = module.substr(0, module.rfind('/')) + "/Tolvane.plist";
    auto values = plistStrings(plist);
    ASSERT_FALSE(values.empty()) << "no information list at " << plist;
    const std::pair<const char*, const char*> expected[] = {
        {"CFBundleDevelopmentRegion", "English"},
        {"CFBundleInfoDictionaryVersion", "6.0"},
        {"CFBundleVersion", "13.1"},
        {"CFBundleShortVersionString", "13.1"},
        {"CFBundleSignature", "????"},
    };
    for (auto [key, value] : expected) {
        EXPECT_EQ(values[key], value) << key;
    }
    for (const char* chosen : {"CFBundleName", "CFBundleIdentifier", "CFBundleGetInfoString"}) {
        EXPECT_FALSE(values[chosen].empty()) << chosen;
    }
}

} // namespace
