// The printing module: QPrintDialog, which offers every CUPS printer and printing to a PDF file,
// and the QPrinter it sets up.
#include "framework/qt/modules/PrintingModule.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <cstdio>
#include <set>
#include <string>

#include "framework/qt/modules/PrintService.h"
#include "framework/qt/modules/PrintTarget.h"

namespace fw::detail {

namespace {

class Printer final : public PrinterPages {
  public:
    Printer(std::unique_ptr<QPrinter> printer, std::unique_ptr<PrintTarget> target)
        : printer_(std::move(printer)), target_(std::move(target)) {
        // Points from the paper's corner: the page's printable margins do not move the origin.
        printer_->setFullPage(true);
        clearJobRefusal();
    }
    QPaintDevice& device() override { return *printer_; }
    double resolution() const override { return printer_->resolution(); }
    bool newPage() override { return printer_->newPage(); }
    QString finish() override {
        if (printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted) {
            target_.reset();
            return QStringLiteral("The printer reported an error.");
        }
        if (target_)
            return target_->putInPlace();
        return jobRefusal();
    }
    QString destination() const override { return target_ ? target_->file() : printer_->printerName(); }

  private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<PrintTarget> target_;
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

// The dialog's own check of the file name, when Print is pressed, opens the file to see whether it
// can be written, on the loop's thread: a FIFO with no reader would hold it there for good. The
// name is looked at first, without blocking, and what is no fit target ends the dialog with the
// reason; the dialog's check runs only after. False when the dialog is not made as this expects.
bool refuseUnfitFiles(QPrintDialog& dialog, QString& refusal) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!buttons || !name || dialog.metaObject()->indexOfMethod("_q_checkFields()") < 0 ||
        !QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr))
        return false;
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, name, &refusal] {
        // The dialog prints into the named file while the name can be edited.
        if (name->isEnabled() &&
            !(refusal = PrintTarget::refusalOf(name->text(), PrintTarget::Writing::ToldElsewhere))
                 .isEmpty()) {
            dialog.reject();
            return;
        }
        QMetaObject::invokeMethod(&dialog, "_q_checkFields");
    });
    return true;
}

// Told once each: printing works on, as the toolkit has it.
void warnOnce(const char* what) {
    static std::set<std::string> told;
    if (told.insert(what).second)
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), what);
}

ChosenPrinter choosePrinter(QWidget* owner, const PrinterChoice* choice, const QString& document,
                            int (*runModal)(QDialog&), ModalWait wait) {
    ChosenPrinter chosen;
    // Before the printer is made, which loads the toolkit's CUPS support.
    if (!keepPrintServiceOffLoop(wait))
        warnOnce("the print service's calls cannot be kept off the event loop");
    beginPrintServiceAttempt();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if ((chosen.service = printServiceAttempt()) != PrintServiceState::Answers)
        return chosen;
    printer->setDocName(document);
    bool confirmed = false;
    if (choice) {
        confirmed = apply(*choice, *printer);
    } else {
        QPrintDialog dialog(printer.get(), owner);
        if ((chosen.service = printServiceAttempt()) != PrintServiceState::Answers)
            return chosen;
        // Every page is printed as it is drawn: there is no range, selection or current page to
        // choose.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                          QAbstractPrintDialog::PrintCollateCopies);
        if (!refuseUnfitFiles(dialog, chosen.refusal))
            warnOnce("the print dialog's file names cannot be checked before it opens them");
        confirmed = runModal(dialog) == QDialog::Accepted;
    }
    // A service that stops answering while the dialog is up shows when the job is handed to it.
    if (!confirmed || !chosen.refusal.isEmpty())
        return chosen;
    std::unique_ptr<PrintTarget> target;
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        if (!(target = PrintTarget::open(printer->outputFileName(), chosen.refusal)))
            return chosen;
        printer->setOutputFileName(target->temporary());
    }
    chosen.printer = std::make_unique<Printer>(std::move(printer), std::move(target));
    return chosen;
}

constexpr PrintingCalls kCalls = {&askPrintService, &choosePrinter};

} // namespace

} // namespace fw::detail

extern "C" __attribute__((visibility("default"))) const fw::detail::PrintingCalls* fwPrintingCalls() {
    return &fw::detail::kCalls;
}
