#include "framework/qt/PrintJob.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <malloc.h>

#include "framework/Dialogs.h"
#include "framework/Printing.h"
#include "framework/qt/Convert.h"

namespace fw::detail {

namespace {

// A PDF ends with its end-of-file marker; a file cut short by a full disk does not.
bool endsLikeAPdf(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 32));
    return file.readAll().trimmed().endsWith("%%EOF");
}

} // namespace

PrintJob::PrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    // Points from the paper's corner: the page's printable margins do not move the origin.
    printer_->setFullPage(true);
    scale_ = printer_->resolution() / 72.0;
    began_ = painter_.begin(printer_.get());
}

PrintJob::~PrintJob() {
    const QString failure = finish();
    printer_.reset();
    // A big job's layouts and pages leave the heap large and mostly free; give it back, now and
    // once more when the loop has deleted what the job's end let go (the text's window, closed).
    malloc_trim(0);
    if (qApp)
        QTimer::singleShot(0, [] { malloc_trim(0); });
    // Told once, whatever went wrong: the job is lost either way.
    if (!failure.isEmpty())
        MsgBox(printFailureText() + "\n" + fromQt(failure));
}

QString PrintJob::finish() {
    // A job that never started was reported when it failed to.
    if (!began_)
        return {};
    if (painter_.isActive() && !painter_.end())
        return QStringLiteral("The job could not be finished.");
    if (printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted)
        return QStringLiteral("The printer reported an error.");
    const QString file = printer_->outputFileName();
    if (!file.isEmpty() && printer_->outputFormat() == QPrinter::PdfFormat && !endsLikeAPdf(file))
        return QStringLiteral("The file %1 was not written completely.").arg(file);
    return {};
}

QFont fontOf(const Graphics& graphics) {
    QFont font = fontOfFamily(graphics.TextFont());
    if (graphics.TextSize() > 0)
        font.setPointSizeF(graphics.TextSize());
    font.setBold(graphics.Bold());
    return font;
}

} // namespace fw::detail
