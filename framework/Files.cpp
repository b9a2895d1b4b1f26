#include "framework/Files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace fw {

namespace {

// A name that stays inside its folder: not empty, not "." or "..", no separator.
bool isChildName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

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
    // Without /proc the mask can only be read by setting it; the program has one thread.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// A replacement keeps the permissions of the file it replaces, and its owner can always read and
// write it again; a new file gets the usual ones.
mode_t modeFor(const fs::path& target) {
    struct stat st;
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return (st.st_mode & 0777) | 0600;
    return 0666 & ~currentUmask();
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

// A save lands only on a regular file or where nothing is yet: renaming over a FIFO, a device
// node or a folder would replace what the link pointed at, not a file of ours. Empty when it may;
// else why not.
std::string replaceable(const fs::path& target) {
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0)
        return S_ISREG(st.st_mode) ? "" : "it is not a regular file";
    return errno == ENOENT ? "" : systemReason(errno);
}

// The temporary of a save of `name`: "." + name + "." and the six characters mkostemp picks.
bool isTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string prefix = "." + name + ".";
    return entry.size() == prefix.size() + 6 && entry.compare(0, prefix.size(), prefix) == 0 &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

// A save killed between writing its temporary and the rename leaves the temporary behind. One
// younger than a minute may be another running instance's save in flight, and is left alone.
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

// Empty when every byte was written; else why not.
std::string writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemReason(errno);
        if (n == 0)
            return systemReason(ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return "";
}

// Reads until the end of the file or until more than `limit` bytes have come; `cut` tells which.
bool readUpTo(int fd, std::size_t limit, std::string& out, bool& cut) {
    char buffer[8192];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        out.append(buffer, static_cast<std::size_t>(n));
        cut = out.size() > limit;
        if (n == 0 || cut)
            return true;
    }
}

} // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0)
        ::close(fd_); // only ever opened for reading: nothing can be lost here
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        FileDescriptor old(fd_);
        fd_ = other.release();
    }
    return *this;
}

int FileDescriptor::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

FileBytes readRegularFile(const fs::path& path, std::size_t limit, FileDescriptor& opened) {
    FileBytes file;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd) {
        file.outcome = errno == ENOENT ? FileBytes::Missing : FileBytes::Unreadable;
        return file;
    }
    struct stat st = {};
    if (::fstat(fd.get(), &st) != 0)
        file.outcome = FileBytes::Unreadable;
    else if (!S_ISREG(st.st_mode))
        file.outcome = FileBytes::NoRegularFile;
    else if (readUpTo(fd.get(), limit, file.bytes, file.cut))
        file.outcome = FileBytes::Read;
    file.size = static_cast<std::uintmax_t>(st.st_size);
    if (file.cut)
        file.bytes.resize(limit);
    if (file.outcome == FileBytes::Read)
        opened = std::move(fd);
    return file;
}

FileBytes readRegularFile(const fs::path& path, std::size_t limit) {
    FileDescriptor dropped;
    return readRegularFile(path, limit, dropped);
}

// ---- FolderItem

ClassRecord FolderItem::describe() {
    return {.name = "FolderItem", .super = &Object::Class()};
}

FolderItem::FolderItem(fs::path path) : path_(std::move(path)) {}

// A name that would lead out of the folder ("..", "a/b", an absolute path) has no child: nil.
Ref<FolderItem> FolderItem::Child(const String& name) const {
    if (!isChildName(name.bytes()))
        return nullptr;
    return make<FolderItem>(path_ / name.bytes());
}

bool FolderItem::Exists() const {
    std::error_code error;
    return fs::exists(path_, error);
}

bool FolderItem::Directory() const {
    std::error_code error;
    return fs::is_directory(path_, error);
}

String FolderItem::Name() const {
    return String(path_.filename().string());
}

Ref<TextInputStream> FolderItem::OpenAsTextFile(std::size_t limit) const {
    FileBytes file = readRegularFile(path_, limit);
    if (file.outcome != FileBytes::Read)
        return nullptr;
    if (file.cut) {
        // The line that runs past the bound is not whole: the text ends before it.
        const std::size_t ending = limit == 0 ? std::string::npos : file.bytes.find_last_of("\r\n");
        file.bytes.resize(ending == std::string::npos ? 0 : ending + 1);
    }
    return make<TextInputStream>(std::move(file.bytes));
}

Ref<TextOutputStream> FolderItem::CreateTextFile(std::string* whyNot) const {
    return TextOutputStream::create(path_, whyNot);
}

Ref<FolderItem> SpecialFolder::Preferences() {
    auto usable = [](const char* folder) { return folder && folder[0] == '/'; };
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); usable(config))
        return make<FolderItem>(fs::path(config));
    if (const char* home = std::getenv("HOME"); usable(home))
        return make<FolderItem>(fs::path(home) / ".config");
    return nullptr;
}

// ---- TextInputStream

ClassRecord TextInputStream::describe() {
    return {.name = "TextInputStream", .super = &Object::Class()};
}

TextInputStream::TextInputStream(std::string contents) : contents_(std::move(contents)) {}

String TextInputStream::ReadLine() {
    if (EndOfFile())
        return String();
    const std::size_t end = std::min(contents_.find_first_of("\r\n", position_), contents_.size());
    String line(std::string_view(contents_).substr(position_, end - position_));
    position_ = end;
    if (position_ < contents_.size() && contents_[position_++] == '\r' && position_ < contents_.size() &&
        contents_[position_] == '\n')
        ++position_;
    return line;
}

bool TextInputStream::EndOfFile() const {
    return closed_ || position_ >= contents_.size();
}

void TextInputStream::Close() {
    closed_ = true;
    contents_.clear();
    position_ = 0;
}

// ---- TextOutputStream

ClassRecord TextOutputStream::describe() {
    return {.name = "TextOutputStream", .super = &Object::Class()};
}

Ref<TextOutputStream> TextOutputStream::create(const fs::path& requested, std::string* whyNot) {
    auto refused = [whyNot](std::string why) {
        if (whyNot)
            *whyNot = std::move(why);
        return nullptr;
    };
    // Through a link the file it leads to is replaced, and the link stays.
    const std::optional<fs::path> resolved = followLinks(requested);
    if (!resolved)
        return refused("its symbolic links lead nowhere or in a loop");
    if (resolved->filename().empty())
        return refused("it names no file");
    const fs::path& target = *resolved;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
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
    if (::fchmod(fd, modeFor(target)) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return refused(systemReason(error));
    }
    return Ref<TextOutputStream>(new TextOutputStream(target, temporary, fd));
}

TextOutputStream::TextOutputStream(fs::path target, fs::path temporary, int fd)
    : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}

TextOutputStream::~TextOutputStream() {
    // Dropping the stream finishes the file. A failure has no one left to hear of it; the old file
    // is then left as it was.
    if (fd_ >= 0)
        (void)Close();
}

void TextOutputStream::Write(const String& text) {
    if (fd_ < 0)
        throw RuntimeException("The text file " + target_.string() + " was written to after it was closed.");
    // After a failed write the file cannot be completed; Close reports it.
    if (failure_.empty())
        failure_ = writeAll(fd_, text.bytes());
}

void TextOutputStream::WriteLine(const String& text) {
    Write(text + String("\n"));
}

bool TextOutputStream::Close() {
    if (fd_ < 0)
        return committed_;
    if (failure_.empty() && ::fsync(fd_) != 0)
        failure_ = systemReason(errno);
    if (::close(fd_) != 0 && failure_.empty())
        failure_ = systemReason(errno);
    fd_ = -1;
    // Checked again: something else may have taken the target's place while the file was written.
    if (failure_.empty())
        failure_ = replaceable(target_);
    if (failure_.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        failure_ = systemReason(errno);
    if (!failure_.empty()) {
        ::unlink(temporary_.c_str());
        return committed_ = false;
    }
    // Makes the rename itself durable. Should this fail, the new file is already in place and
    // complete; only its survival of a power cut is less certain, which nothing here could mend.
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return committed_ = true;
}

} // namespace fw
