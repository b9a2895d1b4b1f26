#include "framework/qt/modules/PrintTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace fw::detail {

namespace {

QString notRegular(const QString& file) {
    return QStringLiteral("%1 is not a regular file.").arg(file);
}

QString cannotWrite(const QString& file, const QString& why) {
    return QStringLiteral("The file %1 cannot be written: %2.").arg(file, why);
}

QString cannotWrite(const QString& file, int error) {
    return cannotWrite(file, QString::fromLocal8Bit(std::strerror(error)));
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
    std::string why;
    std::unique_ptr<ReplacedFile> replaced =
        ReplacedFile::open(std::filesystem::path(QFile::encodeName(file).toStdString()), why);
    if (!replaced) {
        refusal = cannotWrite(file, QString::fromStdString(why));
        return nullptr;
    }
    return std::unique_ptr<PrintTarget>(new PrintTarget(file, std::move(replaced)));
}

PrintTarget::PrintTarget(QString file, std::unique_ptr<ReplacedFile> replaced)
    : file_(std::move(file)), replaced_(std::move(replaced)) {}

PrintTarget::~PrintTarget() = default;

QString PrintTarget::temporary() const {
    return replaced_ ? QFile::decodeName(QByteArray::fromStdString(replaced_->temporary().string()))
                     : QString();
}

QString PrintTarget::putInPlace() {
    if (!replaced_)
        return {};
    // Given up, whatever comes of it: the target stays unless the whole job replaces it.
    const std::unique_ptr<ReplacedFile> replaced = std::move(replaced_);
    if (!completePdf(replaced->fd()))
        return QStringLiteral("The file %1 was not written completely.").arg(file_);
    std::string why;
    if (!replaced->commit(why))
        return cannotWrite(file_, QString::fromStdString(why));
    return {};
}

} // namespace fw::detail
