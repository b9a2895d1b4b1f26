#include "framework/qt/modules/PrintTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace fw::detail {

namespace {

QString notRegular(const QString& file) {
    return QStringLiteral("%1 is not a regular file.").arg(file);
}

QString cannotWrite(const QString& file, int error) {
    return QStringLiteral("The file %1 cannot be written: %2.")
        .arg(file, QString::fromLocal8Bit(std::strerror(error)));
}

// A PDF ends with its end-of-file marker after the offset of its cross-reference table, which lies
// there: a file that a full disk cut short, at its end or in its middle, does not.
bool completePdf(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || st.st_size < 32)
        return false;
    char tail[64] = {};
    const off_t from = std::max<off_t>(0, st.st_size - static_cast<off_t>(sizeof tail - 1));
    if (pread(fd, tail, static_cast<size_t>(st.st_size - from), from) != st.st_size - from)
        return false;
    const QByteArray end = QByteArray(tail).trimmed();
    const qsizetype mark = end.lastIndexOf("startxref");
    if (!end.endsWith("%%EOF") || mark < 0)
        return false;
    bool number = false;
    const qint64 offset = end.mid(mark + 9, end.size() - 5 - mark - 9).trimmed().toLongLong(&number);
    char xref[4] = {};
    return number && offset > 0 && offset < st.st_size &&
           pread(fd, xref, sizeof xref, offset) == sizeof xref && std::memcmp(xref, "xref", sizeof xref) == 0;
}

} // namespace

QString PrintTarget::refusalOf(const QString& file, Writing writing) {
    const QByteArray name = QFile::encodeName(file);
    // Opened for writing without blocking, neither made nor cut: a FIFO with no reader answers at
    // once, one with a reader and any other file show their type.
    const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        switch (error) {
        case ENOENT:
            return {}; // a new file; a folder that is missing shows when the file is made
        case ENXIO:
        case EISDIR:
            return notRegular(file);
        default:
            // Its type, looked up without opening it, when whether it can be written is told elsewhere.
            if (writing == Writing::ToldElsewhere && ::stat(name.constData(), &st) == 0)
                return S_ISREG(st.st_mode) ? QString() : notRegular(file);
            return cannotWrite(file, error);
        }
    }
    struct stat st {};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular ? QString() : notRegular(file);
}

std::unique_ptr<PrintTarget> PrintTarget::open(const QString& file, QString& refusal) {
    refusal = refusalOf(file);
    if (!refusal.isEmpty())
        return nullptr;
    // A link to the user's file keeps leading to it: the file it names is the one replaced.
    const QString canonical = QFileInfo(file).canonicalFilePath();
    const QString placed = canonical.isEmpty() ? QFileInfo(file).absoluteFilePath() : canonical;
    const QFileInfo where(placed);
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(placed).constData(), &old) == 0;

    QString temporary;
    int fd = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && fd < 0 && error == EEXIST; ++attempt) {
        temporary = QStringLiteral("%1/.%2.%3")
                        .arg(where.absolutePath(), where.fileName())
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // Made as the toolkit would make a new file; the old one's permissions go to the new one.
        fd = ::open(QFile::encodeName(temporary).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        error = fd < 0 ? errno : 0;
    }
    if (fd < 0) {
        refusal = cannotWrite(file, error);
        return nullptr;
    }
    if (replacing) {
        // Kept as they were where this user may keep them: only a privileged user gives a file
        // away; anyone else's new file is theirs, as the toolkit's own would have been.
        const bool kept =
            fchmod(fd, old.st_mode & 07777) == 0 &&
            ((old.st_uid == geteuid() && old.st_gid == getegid()) || fchown(fd, old.st_uid, old.st_gid) == 0);
        static_cast<void>(kept);
    }
    return std::unique_ptr<PrintTarget>(new PrintTarget(file, placed, temporary, fd));
}

PrintTarget::PrintTarget(QString file, QString placed, QString temporary, int descriptor)
    : file_(std::move(file)), placed_(std::move(placed)), temporary_(std::move(temporary)),
      descriptor_(descriptor) {}

PrintTarget::~PrintTarget() {
    discard();
}

void PrintTarget::discard() {
    if (done_)
        return;
    done_ = true;
    ::unlink(QFile::encodeName(temporary_).constData());
    ::close(descriptor_);
}

QString PrintTarget::putInPlace() {
    if (done_)
        return {};
    if (!completePdf(descriptor_) || fsync(descriptor_) != 0) {
        discard();
        return QStringLiteral("The file %1 was not written completely.").arg(file_);
    }
    // What took the target's name meanwhile, if anything, must still be a regular file.
    struct stat now {};
    if (::lstat(QFile::encodeName(placed_).constData(), &now) == 0 && !S_ISREG(now.st_mode)) {
        discard();
        return notRegular(file_);
    }
    if (::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(placed_).constData()) != 0) {
        const int error = errno;
        discard();
        return cannotWrite(file_, error);
    }
    done_ = true;
    ::close(descriptor_);
    // The new name on the disk too.
    const int folder = ::open(QFile::encodeName(QFileInfo(placed_).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return {};
}

} // namespace fw::detail
