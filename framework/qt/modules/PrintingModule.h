// What the printing module (framework-printing.so, over Qt Print Support and CUPS) offers the
// framework: the print service's state, the print dialog, and the printer of one job as a paint
// device.
#pragma once

#include <QPaintDevice>
#include <QString>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace fw::detail {

// The printer of one job, as the dialog set it up.
class PrinterPages {
  public:
    virtual ~PrinterPages() = default;
    virtual QPaintDevice& device() = 0;
    // Device pixels per inch.
    virtual double resolution() const = 0;
    virtual bool newPage() = 0;
    // Ends the job once its painter has ended: a file printed into takes the job only now, when it
    // is complete. What went wrong, or nothing.
    virtual QString finish() = 0;
    // The file the job prints into, else the printer's name.
    virtual QString destination() const = 0;
};

// What a test chose in place of the user.
struct PrinterChoice {
    bool confirmed = false;
    QString outputFile;  // a PDF file to print into; empty: a printer
    QString printerName; // empty: the default one
    QString paperSize;   // "A4", "Letter", ...; empty: the printer's default
};

enum class PrintServiceState {
    Answers,   // it replied, whatever it replied
    Absent,    // nothing listens: the toolkit finds no printers at once, and offers printing to a file
    Silent,    // it did not reply within the bound
    Abandoned, // the question was given up: the modal runs were ended, the program quits
};

// Runs `work` on a thread of its own while the loop goes on as in a modal run, and returns true
// once it has ended; false when the modal runs were ended first, after `stop` has asked the work
// to end. The work may outlive the call then: it holds what it uses.
using ModalWait = bool (*)(std::function<void()> work, std::function<void()> stop);

// What the print dialog gave.
struct ChosenPrinter {
    std::unique_ptr<PrinterPages> printer;                  // null: no job (cancelled, refused, no answer)
    PrintServiceState service = PrintServiceState::Answers; // how the print service's calls went
    QString refusal; // why the file chosen cannot be printed into; empty when it can
};

struct PrintingCalls {
    // Asks the print service one small question, within a few seconds, off the loop's thread
    // through `wait`, as the toolkit's calls are asked; Abandoned when the modal runs end first.
    PrintServiceState (*askPrintService)(ModalWait wait);
    // The printer for a job named `document`, set up by the user in the print dialog in front of
    // `owner` (shown through runModal), or by the test's choice when there is one. The toolkit's
    // calls into the print service run off the loop's thread through `wait`: a service that stops
    // answering is told in `service`, and the dialog is not shown then.
    ChosenPrinter (*choosePrinter)(QWidget* owner, const PrinterChoice* choice, const QString& document,
                                   int (*runModal)(QDialog&), ModalWait wait);
};

inline constexpr const char* kPrintingModule = "framework-printing";
// What the user is told of a print service that stopped answering, wherever it was asked.
inline constexpr const char* kPrintServiceSilent = "The print service does not answer.";
inline constexpr const char* kPrintingEntry = "fwPrintingCalls";

} // namespace fw::detail
