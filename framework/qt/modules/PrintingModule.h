// What the printing module (framework-printing.so, over Qt Print Support and CUPS) offers the
// framework: the print service's state, the print dialog, and the printer of one job as a paint
// device.
#pragma once

#include <QPaintDevice>
#include <QString>
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
    // What went wrong with the job once its painter has ended, or nothing.
    virtual QString failure() const = 0;
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
    Abandoned, // the question was given up as the program quits
};

struct PrintingCalls {
    // Asks the print service one small question, within a few seconds; blocks, and may run on a
    // thread of its own (never Abandoned).
    PrintServiceState (*askPrintService)();
    // The printer for a job named `document`, set up by the user in the print dialog in front of
    // `owner` (shown through runModal), or by the test's choice when there is one; null when the
    // dialog is cancelled. Ask the print service first: the printer asks it for its printers.
    std::unique_ptr<PrinterPages> (*choosePrinter)(QWidget* owner, const PrinterChoice* choice,
                                                   const QString& document, int (*runModal)(QDialog&));
};

inline constexpr const char* kPrintingModule = "framework-printing";
inline constexpr const char* kPrintingEntry = "fwPrintingCalls";

} // namespace fw::detail
