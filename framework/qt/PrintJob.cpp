#include "framework/qt/PrintJob.h"

#include "framework/qt/Convert.h"

namespace fw::detail {

PrintJob::PrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    // Points from the paper's corner: the page's printable margins do not move the origin.
    printer_->setFullPage(true);
    scale_ = printer_->resolution() / 72.0;
    painter_.begin(printer_.get());
}

PrintJob::~PrintJob() {
    if (painter_.isActive())
        painter_.end();
}

QFont fontOf(const Graphics& graphics) {
    QFont font = fontOfFamily(graphics.TextFont());
    if (graphics.TextSize() > 0)
        font.setPointSizeF(graphics.TextSize());
    font.setBold(graphics.Bold());
    return font;
}

} // namespace fw::detail
