#include "framework/qt/PrintJob.h"

#include <QCoreApplication>
#include <QTimer>

#include "framework/Dialogs.h"
#include "framework/Printing.h"
#include "framework/qt/Convert.h"
#include "framework/qt/FreedMemory.h"

namespace fw::detail {

PrintJob::PrintJob(std::unique_ptr<PrinterPages> printer) : printer_(std::move(printer)) {
    scale_ = printer_->resolution() / 72.0;
    began_ = painter_.begin(&printer_->device());
}

PrintJob::~PrintJob() {
    const QString failure = finish();
    printer_.reset();
    // A big job's layouts and pages leave the heap large and mostly free; give it back, now and
    // once more when the loop has deleted what the job's end let go (the text's window, closed).
    giveFreedMemoryBack();
    if (qApp)
        QTimer::singleShot(0, [] { giveFreedMemoryBack(); });
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
    return printer_->finish();
}

QFont fontOf(const Graphics& graphics) {
    QFont font = fontOfFamily(graphics.TextFont());
    if (graphics.TextSize() > 0)
        font.setPointSizeF(graphics.TextSize());
    font.setBold(graphics.Bold());
    return font;
}

} // namespace fw::detail
