// The print dialog, and what tests answer it with.
#pragma once

#include <functional>

#include "framework/Graphics.h"
#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class Window;
// Page settings kept between jobs; the program keeps none, so the default settings always apply.
class PrinterSetup;

// Shows the print dialog (every printer the system knows and printing to a PDF file) in front of the
// parent window, or of the application when it is nil. Returns the drawing surface of the new job
// once the user confirms, nil when the user cancels or the job cannot be started (the user is told).
// A print service that does not answer within a few seconds is reported and counts as a cancel;
// the event loop runs on while it is asked.
Ref<Graphics> OpenPrinterDialog(PrinterSetup* setup, Window* parent);

// The first line of the box that reports a job that could not be finished, the reason following
// on the second: what the program prints is the program's to name.
void setPrintFailureText(const String& text);
String printFailureText();

// What the user chose in the print dialog.
struct PrintDialogChoice {
    bool confirmed = false;
    String outputFile{};  // a PDF file to print into; empty: a printer
    String printerName{}; // the printer; empty: the default one
    String paperSize{};   // "A4", "Letter", ...; empty: the printer's default
};
// Who answers the print dialog: the user by default; tests put their answer here.
void setPrintDialogPresenter(std::function<PrintDialogChoice()> presenter);

} // namespace fw
