// The toolkit side of a print job: the printer the dialog set up and the painter on its pages.
#pragma once

#include <QFont>
#include <QPainter>
#include <QTextDocument>
#include <memory>

#include "framework/Graphics.h"
#include "framework/StyledTextPrinter.h"
#include "framework/qt/modules/PrintingModule.h"

namespace fw::detail {

class PrintJob {
  public:
    // Takes a printer the dialog has confirmed; started() tells whether its pages could be opened.
    explicit PrintJob(std::unique_ptr<PrinterPages> printer);
    // Finishes the job and hands it to the printer; a job that could not be finished is reported
    // in a message box.
    ~PrintJob();

    bool started() const { return painter_.isActive(); }
    QPainter& painter() { return painter_; }
    PrinterPages& printer() { return *printer_; }
    QPaintDevice* device() { return &printer_->device(); }
    // Device pixels per point.
    double scale() const { return scale_; }
    QPointF toDevice(double x, double y) const { return {x * scale_, y * scale_}; }

  private:
    // Ends the painter; what went wrong, or nothing.
    QString finish();

    std::unique_ptr<PrinterPages> printer_;
    QPainter painter_;
    double scale_ = 1;
    bool began_ = false;
};

// The font a Graphics draws with, sized for its printer.
QFont fontOf(const Graphics& graphics);

// Lays the document out for the job's printer in lines of at most `width` points.
Ref<StyledTextPrinter> styledTextPrinter(const Ref<Graphics>& graphics, const QTextDocument& document,
                                         double width);

} // namespace fw::detail
