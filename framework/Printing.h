// The print dialog, and the text that reports a job that could not be finished.
#pragma once

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

} // namespace fw
