#include "framework/Files.h"

#include "framework/ReplacedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
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
    std::string why;
    std::unique_ptr<ReplacedFile> file =
        ReplacedFile::open(requested, why, ReplacedFile::Folders::MadeIfMissing);
    if (!file) {
        if (whyNot)
            *whyNot = std::move(why);
        return nullptr;
    }
    return Ref<TextOutputStream>(new TextOutputStream(std::move(file)));
}

TextOutputStream::TextOutputStream(std::unique_ptr<ReplacedFile> file) : file_(std::move(file)) {}

TextOutputStream::~TextOutputStream() {
    // Dropping the stream finishes the file. A failure has no one left to hear of it; the old file
    // is then left as it was.
    if (file_)
        (void)Close();
}

void TextOutputStream::Write(const String& text) {
    if (!file_)
        throw RuntimeException("The text file " + target_.string() + " was written to after it was closed.");
    // After a failed write the file cannot be completed; Close reports it.
    if (failure_.empty())
        failure_ = writeAll(file_->fd(), text.bytes());
}

void TextOutputStream::WriteLine(const String& text) {
    Write(text + String("\n"));
}

bool TextOutputStream::Close() {
    if (!file_)
        return committed_;
    target_ = file_->target();
    committed_ = failure_.empty() && file_->commit(failure_);
    file_.reset(); // discards the temporary when it was not put in place
    return committed_;
}

} // namespace fw
