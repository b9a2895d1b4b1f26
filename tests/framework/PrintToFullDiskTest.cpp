// Print to File onto a disk that is nearly full, the old file's replacement consented to (the
// dialog's answer stands in for the user's Yes): the job is written beside the file and takes its
// place only once complete, so that a job cut short leaves the old file as it was and nothing
// beside it. Run under tests/with-tiny-disk.sh, which mounts a tiny disk of its own (as root).
#include <sys/statvfs.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "framework/Printing.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/PdfText.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Fills the disk with one file until about `left` bytes are free.
void fillLeaving(const fs::path& disk, std::size_t left) {
    struct statvfs st {};
    ASSERT_EQ(statvfs(disk.c_str(), &st), 0);
    const std::size_t free = st.f_bavail * st.f_frsize;
    ASSERT_GT(free, left);
    std::ofstream(disk / "filler", std::ios::binary) << std::string(free - left, 'x');
}

class PrintToFullDisk : public uitest::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        const char* tiny = std::getenv("TINY_DISK");
        if (!tiny)
            GTEST_SKIP() << "run it under tests/with-tiny-disk.sh (as root), which mounts a disk of its own";
        disk = tiny;
    }
    void TearDown() override {
        fw::setPrintDialogPresenter(nullptr);
        fw::setPrintFailureText("The document could not be printed.");
        UiTest::TearDown();
    }
    fs::path disk;
};

TEST_F(PrintToFullDisk, TheOldFileIsReplacedOnlyByACompleteOne) {
    struct Case {
        const char* what;
        std::size_t left; // bytes free for the job
        bool fits;
    };
    std::string old;
    while (old.size() < 4096)
        old += "the user's old file, kept until a whole new one replaces it\n";
    const fs::path file = disk / "help.pdf";
    fw::setPrintFailureText("The test pages could not be printed.");
    for (const Case& c :
         {Case{"a few KiB left", 8 << 10, false}, Case{"room for the job", 160 << 10, true}}) {
        SCOPED_TRACE(c.what);
        for (const auto& entry : fs::directory_iterator(disk))
            fs::remove_all(entry.path());
        messages.clear();
        std::ofstream(file, std::ios::binary) << old;
        fillLeaving(disk, c.left);
        fw::setPrintDialogPresenter(
            [&] { return fw::PrintDialogChoice{.confirmed = true, .outputFile = file.string()}; });
        {
            fw::Ref<fw::Graphics> g = fw::OpenPrinterDialog(nullptr, nullptr);
            ASSERT_TRUE(g);
            for (int page = 1; page <= 20; ++page) {
                if (page > 1)
                    g->NextPage();
                for (int line = 0; line < 40; ++line)
                    g->DrawString("page " + fw::Str(page) + " line " + fw::Str(line) + " of a longer job", 36,
                                  48 + 16 * line);
            }
        }
        EXPECT_EQ(namesIn(disk), (std::set<std::string>{"filler", "help.pdf"}))
            << "a temporary file was left";
        if (c.fits) {
            EXPECT_TRUE(messages.empty()) << messages.front();
            EXPECT_EQ(pdftext::read(file.string()).size(), 20u);
        } else {
            EXPECT_EQ(messages, std::vector<std::string>{"The test pages could not be printed.\nThe file " +
                                                         file.string() + " was not written completely."});
            EXPECT_TRUE(contentsOf(file) == old) << "the old file was not kept";
        }
    }
}

} // namespace
