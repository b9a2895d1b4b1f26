// A file replaced whole: written into a temporary beside it and renamed into its place once
// complete, so it is never left truncated or half-written. Plain POSIX and the standard library,
// so that modules which do not link the framework can build it in.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace fw {

class ReplacedFile {
  public:
    enum class Folders { Existing, MadeIfMissing };
    // The temporary for replacing the file the path names, made with the permissions the new file
    // will keep. A target that is a symbolic link keeps it, dangling or not: the file it leads to is
    // replaced, or made. Only a regular file, or nothing yet, is replaced. Temporaries of earlier
    // replacements killed before their rename, older than a minute, are removed. Null, and
    // `whyNot` told, when the file cannot be replaced.
    static std::unique_ptr<ReplacedFile> open(const std::filesystem::path& requested, std::string& whyNot,
                                              Folders folders = Folders::Existing);
    ~ReplacedFile(); // discards the temporary unless it was put in place
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    int fd() const { return fd_; } // of the temporary, open for reading and writing; -1 once done
    const std::filesystem::path& target() const { return target_; } // links followed
    const std::filesystem::path& temporary() const { return temporary_; }
    // Puts the temporary in the target's place once it is on the disk. False, with `whyNot` told,
    // when it could not be: the temporary is then removed and the target left as it was.
    bool commit(std::string& whyNot);
    // Removes the temporary; the target stays as it was.
    void discard();

  private:
    ReplacedFile(std::filesystem::path target, std::filesystem::path temporary, int fd);
    std::filesystem::path target_, temporary_;
    int fd_;
};

} // namespace fw
