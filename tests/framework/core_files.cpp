// Files: line reading, whole-file replacement and the preferences folder.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/EnvironmentGuard.h"

#include "framework/Files.h"

using namespace fw;
namespace fs = std::filesystem;

namespace {

class Files : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ambrel-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    void put(const fs::path& path, const std::string& contents) const {
        std::ofstream(path, std::ios::binary) << contents;
    }
    static std::string contentsOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        return names;
    }
    Ref<FolderItem> file(const char* name) const { return make<FolderItem>(folder / name); }

    fs::path folder;
};

TEST_F(Files, ReadLineSplitsAtCrLfAndCrLf) {
    struct Case {
        const char* what;
        std::string contents;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"CRLF", "a\r\nb\r\n", {"a", "b"}},
        {"mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"LF then CR is two endings", "a\n\rb", {"a", "", "b"}},
        {"empty lines", "a\r\n\r\nb", {"a", "", "b"}},
        {"last line without ending", "#Window1Position 70,10", {"#Window1Position 70,10"}},
        {"one ending", "a\n", {"a"}},
        {"only an ending", "\n", {""}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        put(folder / "ambrel.txt", c.contents);
        Ref<TextInputStream> in = file("ambrel.txt")->OpenAsTextFile();
        ASSERT_TRUE(in) << c.what;
        std::vector<std::string> lines;
        while (!in->EndOfFile())
            lines.push_back(in->ReadLine().bytes());
        EXPECT_EQ(lines, c.lines) << c.what;
        EXPECT_TRUE(in->ReadLine().empty()) << c.what << ": reading past the end";
    }
}

TEST_F(Files, ReadingAfterCloseGivesNothing) {
    put(folder / "ambrel.txt", "a\nb\n");
    Ref<TextInputStream> in = file("ambrel.txt")->OpenAsTextFile();
    EXPECT_EQ(in->ReadLine().bytes(), "a");
    in->Close();
    EXPECT_TRUE(in->EndOfFile());
    EXPECT_TRUE(in->ReadLine().empty());
}

TEST_F(Files, OpenAsTextFileIsNilForWhatIsNoFile) {
    EXPECT_FALSE(file("missing.txt")->OpenAsTextFile());
    fs::create_directory(folder / "folder");
    EXPECT_FALSE(file("folder")->OpenAsTextFile());
}

TEST_F(Files, ChildrenStayInsideTheirFolder) {
    Ref<FolderItem> parent = make<FolderItem>(folder);
    Ref<FolderItem> child = parent->Child("ambrel.txt");
    ASSERT_TRUE(child);
    EXPECT_EQ(child->path(), folder / "ambrel.txt");
    EXPECT_EQ(child->Name().bytes(), "ambrel.txt");
    EXPECT_FALSE(child->Exists()) << "a child need not exist";
    EXPECT_TRUE(parent->Directory());
    for (const char* name : {"", ".", "..", "a/b", "/etc/passwd"})
        EXPECT_FALSE(parent->Child(name)) << name;
}

TEST_F(Files, CreateTextFileReplacesTheOldFileOnlyWhenFinished) {
    put(folder / "ambrel.txt", "'old comment\n#Window1Position 1,2\n");
    Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("#Window1Position 120,-5");
    EXPECT_EQ(contentsOf(folder / "ambrel.txt"), "'old comment\n#Window1Position 1,2\n") << "not yet";
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(contentsOf(folder / "ambrel.txt"), "#Window1Position 120,-5\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"ambrel.txt"}) << "no temporary left behind";
    EXPECT_TRUE(out->Close()) << "a second Close reports the first";
    EXPECT_THROW(out->WriteLine("late"), RuntimeException);
}

TEST_F(Files, DroppingTheStreamFinishesTheFile) {
    {
        Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
        ASSERT_TRUE(out);
        out->Write("#Window1Position ");
        out->WriteLine("70,10");
    }
    EXPECT_EQ(contentsOf(folder / "ambrel.txt"), "#Window1Position 70,10\n");
    EXPECT_EQ(entries().size(), 1u);
}

TEST_F(Files, CreateTextFileIsNilWhereNoFileCanBe) {
    put(folder / "file", "x");
    EXPECT_FALSE(make<FolderItem>(folder / "file" / "child" / "ambrel.txt")->CreateTextFile())
        << "under a file";
    fs::create_directory(folder / "taken");
    EXPECT_FALSE(file("taken")->CreateTextFile()) << "a folder in the way";
    EXPECT_EQ(contentsOf(folder / "file"), "x");
}

TEST_F(Files, AFailedReplacementLeavesNoTemporary) {
    Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("text");
    fs::create_directory(folder / "ambrel.txt"); // the rename into place must now fail
    EXPECT_FALSE(out->Close());
    EXPECT_TRUE(fs::is_directory(folder / "ambrel.txt"));
    EXPECT_EQ(entries(), std::vector<std::string>{"ambrel.txt"});
}

TEST_F(Files, CreateTextFileMakesMissingFoldersPrivateToTheUser) {
    const fs::path config = folder / "home" / ".config";
    Ref<TextOutputStream> out = make<FolderItem>(config / "ambrel.txt")->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("#Window1Position 70,10");
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(contentsOf(config / "ambrel.txt"), "#Window1Position 70,10\n");
    EXPECT_EQ(fs::status(config).permissions(), fs::perms::owner_all);
}

TEST_F(Files, NewFilesFollowTheUmaskAndReplacementsKeepTheirMode) {
    const mode_t previous = ::umask(022);
    {
        Ref<TextOutputStream> out = file("new.txt")->CreateTextFile();
        ASSERT_TRUE(out && out->Close());
    }
    put(folder / "private.txt", "secret");
    fs::permissions(folder / "private.txt", fs::perms::owner_read | fs::perms::owner_write);
    {
        Ref<TextOutputStream> out = file("private.txt")->CreateTextFile();
        ASSERT_TRUE(out && out->Close());
    }
    ::umask(previous);
    struct stat st;
    ASSERT_EQ(::stat((folder / "new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    ASSERT_EQ(::stat((folder / "private.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(PreferencesFolder, HonoursXdgConfigHomeThenHome) {
    struct Case {
        const char *xdg, *home, *expected; // nullptr: unset / nil
    };
    const Case cases[] = {
        {"/var/conf", "/home/u", "/var/conf"}, {"relative/conf", "/home/u", "/home/u/.config"},
        {"", "/home/u", "/home/u/.config"},    {nullptr, "/home/u", "/home/u/.config"},
        {nullptr, "relative", nullptr},        {nullptr, nullptr, nullptr},
    };
    EnvironmentGuard guard({"XDG_CONFIG_HOME", "HOME"});
    for (const Case& c : cases) {
        EnvironmentGuard::set("XDG_CONFIG_HOME", c.xdg);
        EnvironmentGuard::set("HOME", c.home);
        Ref<FolderItem> preferences = SpecialFolder::Preferences();
        const fs::path got = preferences ? preferences->path() : fs::path("(nil)");
        EXPECT_EQ(got, fs::path(c.expected ? c.expected : "(nil)")) << (c.home ? c.home : "(no HOME)");
    }
}

} // namespace
