// OpenPrinterDialog over QPrintDialog, which offers every CUPS printer and printing to a PDF file.
#include <QApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "framework/Dialogs.h"
#include "framework/Printing.h"
#include "framework/Window.h"
#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"
#include "framework/qt/PrintJob.h"
#include "framework/qt/PrintService.h"
#include "framework/qt/WindowBridge.h"

namespace fw {

namespace {

std::function<PrintDialogChoice()>& presenter() {
    static auto* p = new std::function<PrintDialogChoice()>();
    return *p;
}

// The choice a test made, applied as the dialog would have applied it.
bool applyChoice(const PrintDialogChoice& choice, QPrinter& printer) {
    if (!choice.confirmed)
        return false;
    if (!choice.outputFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(detail::toQt(choice.outputFile));
    } else if (!choice.printerName.empty()) {
        printer.setPrinterName(detail::toQt(choice.printerName));
    }
    if (!choice.paperSize.empty())
        for (int id = 0; id <= QPageSize::LastPageSize; ++id)
            if (QPageSize::key(QPageSize::PageSizeId(id)) == detail::toQt(choice.paperSize))
                printer.setPageSize(QPageSize(QPageSize::PageSizeId(id)));
    return true;
}

bool askUser(QPrinter& printer, Window* parent) {
    QWidget* owner = parent ? parent->bridge().widget() : nullptr;
    QPrintDialog dialog(&printer, owner);
    // Every page is printed as it is drawn: there is no range, selection or current page to choose.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    return detail::runModal(dialog) == QDialog::Accepted;
}

String& failureText() {
    static auto* text = new String("The document could not be printed.");
    return *text;
}

} // namespace

Ref<Graphics> OpenPrinterDialog(PrinterSetup*, Window* parent) {
    // The printer below asks the print service for its printers, and would wait on a silent one
    // for minutes with the loop held: the panel would stop counting.
    switch (detail::askPrintService()) {
    case detail::PrintServiceState::Silent:
        MsgBox("The print service does not answer.");
        return nullptr;
    case detail::PrintServiceState::Abandoned:
        return nullptr;
    case detail::PrintServiceState::Answers:
    case detail::PrintServiceState::Absent:
        break;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QApplication::applicationName());
    const bool confirmed = presenter() ? applyChoice(presenter()(), *printer) : askUser(*printer, parent);
    if (!confirmed)
        return nullptr;
    auto job = std::make_unique<detail::PrintJob>(std::move(printer));
    if (!job->started()) {
        const QString where = job->printer().outputFileName().isEmpty() ? job->printer().printerName()
                                                                        : job->printer().outputFileName();
        MsgBox(String("The print job could not be started on " + where.toStdString() + "."));
        return nullptr;
    }
    return make<Graphics>(std::move(job));
}

void setPrintFailureText(const String& text) {
    failureText() = text;
}

String printFailureText() {
    return failureText();
}

void setPrintDialogPresenter(std::function<PrintDialogChoice()> p) {
    presenter() = std::move(p);
}

} // namespace fw
