// OpenPrinterDialog over the printing module's dialog, which offers every CUPS printer and printing
// to a PDF file.
#include <QApplication>
#include <memory>
#include <optional>

#include "framework/Dialogs.h"
#include "framework/FrameworkModule.h"
#include "framework/Printing.h"
#include "framework/Runtime.h"
#include "framework/TestHooks.h"
#include "framework/Window.h"
#include "framework/qt/Convert.h"
#include "framework/qt/ModalLoop.h"
#include "framework/qt/PrintJob.h"
#include "framework/qt/WindowBridge.h"

namespace fw {

namespace {

using detail::PrintingCalls;

std::function<PrintDialogChoice()>& presenter() {
    static auto* p = new std::function<PrintDialogChoice()>();
    return *p;
}

// Loaded with the first print job.
const PrintingCalls* printing() {
    return keptModuleCalls<PrintingCalls>(detail::kPrintingModule, detail::kPrintingEntry);
}

void tellWhyNot(const detail::ChosenPrinter& chosen) {
    if (!chosen.refusal.isEmpty())
        MsgBox(printFailureText() + "\n" + detail::fromQt(chosen.refusal));
    else if (chosen.service == detail::PrintServiceState::Silent)
        MsgBox(detail::kPrintServiceSilent);
}

String& failureText() {
    static auto* text = new String("The document could not be printed.");
    return *text;
}

} // namespace

Ref<Graphics> OpenPrinterDialog(PrinterSetup*, Window* parent) {
    const PrintingCalls* calls = printing();
    if (!calls) {
        MsgBox("Printing is not available: a part of the program is missing or damaged.");
        return nullptr;
    }
    // Asked first, so that a service that does not answer is told before any dialog comes.
    switch (calls->askPrintService(&detail::waitModally)) {
    case detail::PrintServiceState::Silent:
        MsgBox(detail::kPrintServiceSilent);
        return nullptr;
    case detail::PrintServiceState::Abandoned:
        return nullptr;
    case detail::PrintServiceState::Answers:
    case detail::PrintServiceState::Absent:
        break;
    }
    std::optional<detail::PrinterChoice> choice;
    if (presenter()) {
        const PrintDialogChoice made = presenter()();
        choice = detail::PrinterChoice{made.confirmed, detail::toQt(made.outputFile),
                                       detail::toQt(made.printerName), detail::toQt(made.paperSize)};
    }
    QWidget* owner = parent ? parent->bridge().widget() : nullptr;
    detail::ChosenPrinter chosen =
        calls->choosePrinter(owner, choice ? &*choice : nullptr, QApplication::applicationName(),
                             &detail::runModal, &detail::waitModally);
    // Nothing prints while the program quits: a dialog ended by a termination signal was no answer.
    if (RuntimeQuitting())
        return nullptr;
    if (!chosen.printer) {
        tellWhyNot(chosen);
        return nullptr;
    }
    auto job = std::make_unique<detail::PrintJob>(std::move(chosen.printer));
    if (!job->started()) {
        MsgBox(String("The print job could not be started on " + job->printer().destination().toStdString() +
                      "."));
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
