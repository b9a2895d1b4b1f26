#include "framework/ReplacedFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fw {

namespace {

std::string systemReason(int error) {
    return std::strerror(error);
}

// Creates the folder and any missing folders above it. New folders are private to the user, as
// configuration folders should be. Empty when the folder is there; else why it is not.
std::string ensureFolder(const fs::path& folder) {
    struct stat st;
    if (::stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? "" : folder.string() + " is not a folder";
    if (errno != ENOENT)
        return folder.string() + ": " + systemReason(errno);
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder)
        if (std::string why = ensureFolder(parent); !why.empty())
            return why;
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST)
        return "";
    return "the folder " + folder.string() + " cannot be made: " + systemReason(errno);
}

mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    // Without /proc the mask can only be read by setting it, and it is put back at once.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// A replacement keeps the permissions of the file it replaces, and its owner can always read and
// write it again; a new file gets the usual ones. Empty when the temporary has them; else why not.
std::string takeModeAndOwner(int fd, const fs::path& target) {
    struct stat st;
    const bool replacing = ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    if (::fchmod(fd, replacing ? (st.st_mode & 0777) | 0600 : 0666 & ~currentUmask()) != 0)
        return systemReason(errno);
    // Only a privileged user can give a file away; anyone else's replacement is theirs, as any new
    // file of theirs would be.
    if (replacing && ::geteuid() == 0 && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
        ::fchown(fd, st.st_uid, st.st_gid) != 0)
        return systemReason(errno);
    return "";
}

// The file a path leads to through symbolic links (as dotfile managers set up), whether or not that
// file exists yet; nothing for a loop of links.
std::optional<fs::path> followLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code error;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

// A replacement lands only on a regular file or where nothing is yet: renaming over a FIFO, a
// device node or a folder would replace what the link pointed at, not a file of ours. Empty when
// it may; else why not.
std::string replaceable(const fs::path& target) {
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0)
        return S_ISREG(st.st_mode) ? "" : "it is not a regular file";
    return errno == ENOENT ? "" : systemReason(errno);
}

// The temporary of a replacement of `name`: "." + name + "." and the six characters mkostemp picks.
bool isTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string prefix = "." + name + ".";
    return entry.size() == prefix.size() + 6 && entry.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

// A replacement killed between writing its temporary and the rename leaves the temporary behind.
// One younger than a minute may be another running instance's in flight, and is left alone.
void removeStaleTemporaries(const fs::path& folder, const std::string& name) {
    constexpr time_t kStaleSeconds = 60;
    const time_t now = ::time(nullptr);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        struct stat st;
        if (isTemporaryOf(entry.path().filename().string(), name) &&
            ::lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            now - st.st_mtime > kStaleSeconds)
            ::unlink(entry.path().c_str());
    }
}

fs::path folderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

} // namespace

std::unique_ptr<ReplacedFile> ReplacedFile::open(const fs::path& requested, std::string& whyNot,
                                                 Folders folders) {
    auto refused = [&whyNot](std::string why) {
        whyNot = std::move(why);
        return nullptr;
    };
    const std::optional<fs::path> resolved = followLinks(requested);
    if (!resolved)
        return refused("its symbolic links lead nowhere or in a loop");
    if (resolved->filename().empty())
        return refused("it names no file");
    const fs::path& target = *resolved;
    const fs::path folder = folderOf(target);
    if (folders == Folders::MadeIfMissing)
        if (std::string why = ensureFolder(folder); !why.empty())
            return refused(why);
    if (std::string why = replaceable(target); !why.empty())
        return refused(target == requested ? why : "it leads to " + target.string() + ": " + why);

    removeStaleTemporaries(folder, target.filename().string());
    // The temporary sits beside the target, so the rename that puts it in place stays on one file system.
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return refused(systemReason(errno));
    std::unique_ptr<ReplacedFile> file(new ReplacedFile(target, temporary, fd));
    if (std::string why = takeModeAndOwner(fd, target); !why.empty())
        return refused(why);
    return file;
}

ReplacedFile::ReplacedFile(fs::path target, fs::path temporary, int fd)
    : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}

ReplacedFile::~ReplacedFile() {
    discard();
}

void ReplacedFile::discard() {
    if (fd_ < 0)
        return;
    ::close(fd_); // the temporary is thrown away: nothing in it is kept
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

bool ReplacedFile::commit(std::string& whyNot) {
    if (fd_ < 0) {
        whyNot = "it was already finished";
        return false;
    }
    std::string failure;
    if (::fsync(fd_) != 0)
        failure = systemReason(errno);
    if (::close(fd_) != 0 && failure.empty())
        failure = systemReason(errno);
    fd_ = -1;
    // Checked again: something else may have taken the target's place while the file was written.
    if (failure.empty())
        failure = replaceable(target_);
    if (failure.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        failure = systemReason(errno);
    if (!failure.empty()) {
        ::unlink(temporary_.c_str());
        whyNot = std::move(failure);
        return false;
    }
    // Makes the rename itself durable. Should this fail, the new file is already in place and
    // complete; only its survival of a power cut is less certain, which nothing here could mend.
    if (const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace fw
