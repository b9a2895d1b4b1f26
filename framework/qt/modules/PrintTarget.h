// A file printed into. Only a regular file, or a new one, is a target, and what it is is found
// without blocking: a FIFO, a device or a socket under the name is refused, never opened as the
// toolkit would open it (a FIFO with no reader would hold the loop for good). The job is written
// into a temporary file beside the target and put in the target's place only once complete: a job
// cut short by a full disk leaves the old file as it was.
#pragma once

#include <QString>
#include <memory>

#include "framework/ReplacedFile.h"

namespace fw::detail {

class PrintTarget {
  public:
    enum class Writing { Checked, ToldElsewhere };
    // Why the file cannot be printed into, or nothing. Whether it can be written is checked too
    // unless the caller has it told elsewhere (the print dialog tells it itself, and lets the user
    // choose another name).
    static QString refusalOf(const QString& file, Writing writing = Writing::Checked);
    // The target the name gives, with its temporary made; null, and `refusal` told, when it cannot
    // be one.
    static std::unique_ptr<PrintTarget> open(const QString& file, QString& refusal);

    ~PrintTarget(); // removes the temporary unless it was put in place
    PrintTarget(const PrintTarget&) = delete;
    PrintTarget& operator=(const PrintTarget&) = delete;

    const QString& file() const { return file_; }
    QString temporary() const;
    // The job in the temporary replaces the target when it is complete and on the disk. What went
    // wrong, or nothing; when something did, the temporary is removed and the target stays.
    QString putInPlace();

  private:
    PrintTarget(QString file, std::unique_ptr<ReplacedFile> replaced);

    QString file_;                           // as the user named it
    std::unique_ptr<ReplacedFile> replaced_; // until put in place or given up
};

} // namespace fw::detail
