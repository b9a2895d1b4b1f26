// The framework's test hooks: what stands in for the user, the screen and the network while a test
// or a benchmark runs. The program never includes this header; only the tests, the benchmarks and
// the files that keep each hook's state do (tests/TestHooksIncluded.cmake holds that).
#pragma once

#include <cstdint>
#include <exception>
#include <functional>

#include "framework/MessageDialog.h"
#include "framework/String.h"

namespace fw {

// Where message boxes (MsgBox) go: a modal box by default; tests put a recorder here.
void setMessagePresenter(std::function<void(const String&)> presenter);

// Where ShowURL sends addresses: the desktop's browser or mail client by default; tests put a
// recorder here. An empty presenter restores the default.
void setURLPresenter(std::function<void(const String&)> presenter);

// Where MessageDialog::ShowModal goes: the dialog on the screen by default; tests answer it here
// with one of the dialog's buttons. An empty presenter restores the default.
using ModalPresenter = std::function<Ref<MessageDialogButton>(MessageDialog&)>;
void setModalPresenter(ModalPresenter presenter);

// What the user chose in the print dialog.
struct PrintDialogChoice {
    bool confirmed = false;
    String outputFile{};  // a PDF file to print into; empty: a printer
    String printerName{}; // the printer; empty: the default one
    String paperSize{};   // "A4", "Letter", ...; empty: the printer's default
};
// Who answers the print dialog (OpenPrinterDialog): the user by default; tests put their answer
// here.
void setPrintDialogPresenter(std::function<PrintDialogChoice()> presenter);

// Where reports of exceptions no handler caught go: a message box by default; tests put a recorder
// here.
void setUnhandledExceptionReporter(std::function<void(const std::exception&)> reporter);

// Every HTTPSocket connects to this host and port instead of the address's own; the request, its
// Host header included, is unchanged. An empty host restores the address's own.
void setHTTPConnectTarget(const String& host, int32_t port);

// What the plug-in host's resolver answers: the resolver a plug-in linked into a test is started
// with.
void* hostResolver(const char* entryName);

} // namespace fw
