// Printing the help text: the one procedure behind both handlers of "FilePrintHelp".
#pragma once

namespace ambrel {

// Prints the Help window's text and closes the Help window, in every case; true: handled.
bool printHelp();

} // namespace ambrel
