// The printing module: QPrintDialog, which offers every CUPS printer and printing to a PDF file,
// and the QPrinter it sets up.
#include "framework/qt/modules/PrintingModule.h"

#include <QDialog>
#include <QFile>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace fw::detail {

PrintServiceState askPrintService();

namespace {

// A PDF ends with its end-of-file marker; a file cut short by a full disk does not.
bool endsLikeAPdf(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 32));
    return file.readAll().trimmed().endsWith("%%EOF");
}

class Printer final : public PrinterPages {
  public:
    explicit Printer(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
        // Points from the paper's corner: the page's printable margins do not move the origin.
        printer_->setFullPage(true);
    }
    QPaintDevice& device() override { return *printer_; }
    double resolution() const override { return printer_->resolution(); }
    bool newPage() override { return printer_->newPage(); }
    QString failure() const override {
        if (printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted)
            return QStringLiteral("The printer reported an error.");
        const QString file = printer_->outputFileName();
        if (!file.isEmpty() && printer_->outputFormat() == QPrinter::PdfFormat && !endsLikeAPdf(file))
            return QStringLiteral("The file %1 was not written completely.").arg(file);
        return {};
    }
    QString destination() const override {
        return printer_->outputFileName().isEmpty() ? printer_->printerName() : printer_->outputFileName();
    }

  private:
    std::unique_ptr<QPrinter> printer_;
};

// The choice a test made, applied as the dialog would have applied it.
bool apply(const PrinterChoice& choice, QPrinter& printer) {
    if (!choice.confirmed)
        return false;
    if (!choice.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(choice.outputFile);
    } else if (!choice.printerName.isEmpty()) {
        printer.setPrinterName(choice.printerName);
    }
    if (!choice.paperSize.isEmpty())
        for (int id = 0; id <= QPageSize::LastPageSize; ++id)
            if (QPageSize::key(QPageSize::PageSizeId(id)) == choice.paperSize)
                printer.setPageSize(QPageSize(QPageSize::PageSizeId(id)));
    return true;
}

std::unique_ptr<PrinterPages> choosePrinter(QWidget* owner, const PrinterChoice* choice,
                                            const QString& document, int (*runModal)(QDialog&)) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(document);
    bool confirmed = false;
    if (choice) {
        confirmed = apply(*choice, *printer);
    } else {
        QPrintDialog dialog(printer.get(), owner);
        // Every page is printed as it is drawn: there is no range, selection or current page to
        // choose.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                          QAbstractPrintDialog::PrintCollateCopies);
        confirmed = runModal(dialog) == QDialog::Accepted;
    }
    if (!confirmed)
        return nullptr;
    return std::make_unique<Printer>(std::move(printer));
}

constexpr PrintingCalls kCalls = {&askPrintService, &choosePrinter};

} // namespace

} // namespace fw::detail

extern "C" __attribute__((visibility("default"))) const fw::detail::PrintingCalls* fwPrintingCalls() {
    return &fw::detail::kCalls;
}
