// Files: folder items, and text streams that read lines and replace files whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class TextInputStream;
class TextOutputStream;
class ReplacedFile;

// What reading a file found: its first bytes, or why there are none.
struct FileBytes {
    enum Outcome { Read, Missing, NoRegularFile, Unreadable } outcome = Unreadable;
    std::string bytes;       // at most the limit asked for
    bool cut = false;        // the file holds more than the limit
    std::uintmax_t size = 0; // the file's size when it was opened
};
// Reads a regular file's first `limit` bytes. It is opened without blocking and anything else is
// refused before a byte is read: a FIFO or a device in its place never holds the program up.
FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit);

// A file held open by its descriptor; closed when dropped.
class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release();

  private:
    int fd_ = -1;
};
// As above, and the regular file read stays open in `opened`: whatever is renamed over the path
// later, the descriptor still leads to the bytes that were read.
FileBytes readRegularFile(const std::filesystem::path& path, std::size_t limit, FileDescriptor& opened);

class FolderItem : public Registered<FolderItem, Object> {
  public:
    static ClassRecord describe();
    explicit FolderItem(std::filesystem::path path);

    // The child of that name, whether or not it exists; nil for a name that would lead out of the
    // folder ("", ".", "..", or one holding "/").
    Ref<FolderItem> Child(const String& name) const;
    bool Exists() const;
    bool Directory() const;
    String Name() const;
    const std::filesystem::path& path() const { return path_; }

    // nil when the file does not exist, is no regular file, or cannot be opened. Of a file longer
    // than `limit` bytes only the lines that end within the first `limit` bytes are read.
    Ref<TextInputStream> OpenAsTextFile(std::size_t limit = SIZE_MAX) const;
    // A stream on a new, empty file of this name (replacing an existing file when the stream is
    // finished), or nil when it cannot be created. Missing folders on the way are created. Only a
    // regular file is replaced: for anything else in its place (a folder, a FIFO, a device node)
    // the result is nil and that thing is left untouched. For nil, `whyNot` receives the reason.
    Ref<TextOutputStream> CreateTextFile(std::string* whyNot = nullptr) const;

  private:
    std::filesystem::path path_;
};

namespace SpecialFolder {
// The user's preferences folder (the XDG configuration folder); nil when there is none.
Ref<FolderItem> Preferences();
} // namespace SpecialFolder

class TextInputStream : public Registered<TextInputStream, Object> {
  public:
    static ClassRecord describe();
    explicit TextInputStream(std::string contents);

    // The next line without its ending; lines end at CR, LF or CRLF.
    String ReadLine();
    // EOF: true once every line has been read. (EOF itself is a C library macro.)
    bool EndOfFile() const;
    void Close();

  private:
    std::string contents_;
    std::size_t position_ = 0;
    bool closed_ = false;
};

// Writes into a temporary beside the target and renames it into place when finished (Close, or
// the last reference going), so the file is never left truncated or half-written. A target that
// is a symbolic link keeps it: the file it leads to is replaced, when that is a regular file.
// Temporaries of earlier saves that were killed before their rename, and are older than a minute,
// are removed.
class TextOutputStream : public Registered<TextOutputStream, Object> {
  public:
    static ClassRecord describe();
    ~TextOutputStream() override;

    static Ref<TextOutputStream> create(const std::filesystem::path& requested,
                                        std::string* whyNot = nullptr);

    void Write(const String& text);
    // The text followed by a line feed.
    void WriteLine(const String& text);
    // Finishes the file; false when it could not be written or put in place, and the old file, if
    // any, is left whole.
    bool Close();
    // Why the file could not be written or put in place; empty while nothing has failed.
    const std::string& failure() const { return failure_; }

  private:
    explicit TextOutputStream(std::unique_ptr<ReplacedFile> file);
    std::unique_ptr<ReplacedFile> file_; // until closed
    std::filesystem::path target_;       // once closed, for telling of a later write
    std::string failure_;                // the first failure
    bool committed_ = false;             // what Close reported, for a second Close
};

} // namespace fw
