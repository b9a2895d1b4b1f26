// Files: line reading, whole-file replacement and the preferences folder.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/EnvironmentGuard.h"
#include "tests/support/FileContents.h"

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

TEST_F(Files, CreateTextFileIsNilWhereNoFileCanBeAndSaysWhy) {
    put(folder / "file", "x");
    std::string why;
    EXPECT_FALSE(make<FolderItem>(folder / "file" / "child" / "ambrel.txt")->CreateTextFile(&why))
        << "under a file";
    EXPECT_EQ(why, (folder / "file" / "child").string() + ": Not a directory");
    EXPECT_FALSE(make<FolderItem>(folder / "file" / "ambrel.txt")->CreateTextFile(&why)) << "in a file";
    EXPECT_EQ(why, (folder / "file").string() + " is not a folder");
    fs::create_directory(folder / "taken");
    EXPECT_FALSE(file("taken")->CreateTextFile(&why)) << "a folder in the way";
    EXPECT_EQ(why, "it is not a regular file");
    fs::create_symlink("taken", folder / "link");
    EXPECT_FALSE(file("link")->CreateTextFile(&why)) << "a link to a folder";
    EXPECT_EQ(why, "it leads to " + (folder / "taken").string() + ": it is not a regular file");
    EXPECT_EQ(contentsOf(folder / "file"), "x");
}

TEST_F(Files, AFailedReplacementLeavesNoTemporary) {
    Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("text");
    fs::create_directory(folder / "ambrel.txt"); // the rename into place must now fail
    EXPECT_FALSE(out->Close());
    EXPECT_EQ(out->failure(), "it is not a regular file");
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

TEST_F(Files, AReplacedFileIsAlwaysReadableAndWritableByItsOwner) {
    const struct {
        mode_t before, after;
    } cases[] = {
        {0600, 0600}, {0644, 0644}, {0400, 0600}, {0000, 0600}, {0444, 0644}, {0040, 0640}, {0755, 0755},
    };
    for (const auto& c : cases) {
        put(folder / "ambrel.txt", "old");
        ASSERT_EQ(::chmod((folder / "ambrel.txt").c_str(), c.before), 0);
        Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
        ASSERT_TRUE(out && out->Close()) << std::oct << c.before;
        struct stat st;
        ASSERT_EQ(::stat((folder / "ambrel.txt").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.after) << "was " << std::oct << c.before;
    }
}

TEST_F(Files, ThroughASymbolicLinkTheFileItLeadsToIsReplacedAndTheLinkStays) {
    const fs::path dotfiles = folder / "dotfiles";
    fs::create_directories(dotfiles / "deeper");
    struct Case {
        const char* what;
        std::vector<std::pair<fs::path, fs::path>> links; // link, what it names
        fs::path real;                                    // the file that must receive the text
    };
    const Case cases[] = {
        {"relative link", {{folder / "ambrel.txt", "dotfiles/ambrel.txt"}}, dotfiles / "ambrel.txt"},
        {"absolute link", {{folder / "ambrel.txt", dotfiles / "ambrel.txt"}}, dotfiles / "ambrel.txt"},
        {"chain of links",
         {{folder / "ambrel.txt", "dotfiles/link.txt"}, {dotfiles / "link.txt", "deeper/ambrel.txt"}},
         dotfiles / "deeper" / "ambrel.txt"},
        {"link to a file not there yet", {{folder / "ambrel.txt", "dotfiles/new.txt"}}, dotfiles / "new.txt"},
    };
    for (const Case& c : cases) {
        for (const auto& [link, named] : c.links)
            fs::create_symlink(named, link);
        if (std::string(c.what) != "link to a file not there yet") {
            put(c.real, "old");
            fs::permissions(c.real, fs::perms::owner_read);
        }
        Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
        ASSERT_TRUE(out) << c.what;
        out->WriteLine("#Window1Position 70,10");
        EXPECT_TRUE(out->Close()) << c.what;
        for (const auto& [link, named] : c.links) {
            EXPECT_TRUE(fs::is_symlink(link)) << c.what << ": " << link;
            EXPECT_EQ(fs::read_symlink(link), named) << c.what;
        }
        EXPECT_EQ(contentsOf(c.real), "#Window1Position 70,10\n") << c.what;
        EXPECT_EQ(fs::status(c.real).permissions() & fs::perms::owner_write, fs::perms::owner_write)
            << c.what;
        for (const fs::path& place : {folder, dotfiles, dotfiles / "deeper"})
            for (const auto& entry : fs::directory_iterator(place))
                EXPECT_NE(entry.path().filename().string().rfind(".", 0), 0u)
                    << c.what << ": left " << entry.path();
        for (const auto& [link, named] : c.links)
            fs::remove(link);
        fs::remove(c.real);
    }
}

// What a link may lead to that is no file of the user's: the save must leave it as it is.
TEST_F(Files, SavingOntoWhatIsNoRegularFileWritesNothing) {
    struct Case {
        const char* what;
        std::function<bool(const fs::path&)> make; // false: this machine cannot make one
        mode_t type;
    };
    const Case cases[] = {
        {"a FIFO", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600) == 0; }, S_IFIFO},
        // The same device as /dev/null, made here so that a faulty save can harm nothing else.
        {"a device node",
         [](const fs::path& p) { return ::mknod(p.c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0; }, S_IFCHR},
        {"a socket",
         [](const fs::path& p) {
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             std::strncpy(address.sun_path, p.c_str(), sizeof address.sun_path - 1);
             const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
             ::close(fd);
             return bound;
         },
         S_IFSOCK},
    };
    for (const Case& c : cases) {
        for (bool linked : {false, true}) {
            const std::string what = std::string(c.what) + (linked ? " behind a link" : "");
            const fs::path thing = folder / (linked ? "elsewhere" : "ambrel.txt");
            if (!c.make(thing)) {
                std::cout << "not tried: " << what << " (" << std::strerror(errno) << ")\n";
                continue;
            }
            if (linked)
                fs::create_symlink("elsewhere", folder / "ambrel.txt");
            EXPECT_FALSE(file("ambrel.txt")->CreateTextFile()) << what;
            struct stat st;
            ASSERT_EQ(::lstat(thing.c_str(), &st), 0) << what;
            EXPECT_EQ(st.st_mode & S_IFMT, c.type) << what << ": replaced";
            EXPECT_EQ(fs::is_symlink(folder / "ambrel.txt"), linked) << what;
            EXPECT_EQ(entries().size(), linked ? 2u : 1u) << what << ": a temporary left behind";
            fs::remove(folder / "ambrel.txt");
            fs::remove(thing);
        }
    }
}

// The thing in the file's place changes while the save writes: the save is given up.
TEST_F(Files, AFifoPutInTheFilesPlaceDuringTheSaveIsLeftAlone) {
    put(folder / "ambrel.txt", "old");
    Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine("#Window1Position 70,10");
    fs::remove(folder / "ambrel.txt");
    ASSERT_EQ(::mkfifo((folder / "ambrel.txt").c_str(), 0600), 0);
    EXPECT_FALSE(out->Close());
    EXPECT_EQ(fs::status(folder / "ambrel.txt").type(), fs::file_type::fifo);
    EXPECT_EQ(entries(), std::vector<std::string>{"ambrel.txt"});
}

TEST_F(Files, ALoopOfLinksIsNoFileToCreate) {
    fs::create_symlink("b.txt", folder / "ambrel.txt");
    fs::create_symlink("ambrel.txt", folder / "b.txt");
    std::string why;
    EXPECT_FALSE(file("ambrel.txt")->CreateTextFile(&why));
    EXPECT_EQ(why, "its symbolic links lead nowhere or in a loop");
    EXPECT_TRUE(fs::is_symlink(folder / "ambrel.txt"));
    EXPECT_EQ(entries().size(), 2u);
}

TEST_F(Files, SavingRemovesOnlyItsOwnStaleTemporaries) {
    struct Entry {
        const char* name;
        int ageSeconds;
        bool stays;
    };
    const Entry entries_[] = {
        {".ambrel.txt.Ab3xY9", 120, false}, // a killed save's, two minutes old
        {".ambrel.txt.q1W2e3", 3600 * 24, false},
        {".ambrel.txt.Young1", 5, true},    // may be another instance's save in flight
        {".ambrel.txt.Futur1", -600, true}, // from a clock that was ahead
        {".ambrel.txt.Ab3x", 120, true},    // not the pattern: too short
        {".ambrel.txt.Ab3xY9z", 120, true}, // too long
        {".ambrel.txt.Ab-xY9", 120, true},  // not one of the characters mkostemp picks
        {".other.txt.Ab3xY9", 120, true},   // another file's
        {"ambrel.txt.Ab3xY9", 120, true},   // not hidden
    };
    for (const Entry& e : entries_) {
        put(folder / e.name, "partial");
        const timespec times[2] = {{::time(nullptr) - e.ageSeconds, 0}, {::time(nullptr) - e.ageSeconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (folder / e.name).c_str(), times, 0), 0);
    }
    fs::create_directory(folder / ".ambrel.txt.Dir123"); // not a file
    fs::create_symlink("elsewhere", folder / ".ambrel.txt.Lnk123");
    const timespec old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    ::utimensat(AT_FDCWD, (folder / ".ambrel.txt.Dir123").c_str(), old, 0);
    ::utimensat(AT_FDCWD, (folder / ".ambrel.txt.Lnk123").c_str(), old, AT_SYMLINK_NOFOLLOW);

    Ref<TextOutputStream> out = file("ambrel.txt")->CreateTextFile();
    ASSERT_TRUE(out && out->Close());
    for (const Entry& e : entries_)
        EXPECT_EQ(fs::exists(folder / e.name), e.stays) << e.name;
    EXPECT_TRUE(fs::is_directory(folder / ".ambrel.txt.Dir123"));
    EXPECT_TRUE(fs::is_symlink(folder / ".ambrel.txt.Lnk123"));
    EXPECT_EQ(contentsOf(folder / "ambrel.txt"), "");
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
