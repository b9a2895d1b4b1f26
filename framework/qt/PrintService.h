// Whether the print service answers, asked before anything of the toolkit's asks it for printers:
// a scheduler that is stopped, or a socket that takes the connection and never replies, would hold
// the event loop inside libcups for minutes.
#pragma once

namespace fw::detail {

enum class PrintServiceState {
    Answers,   // it replied, whatever it replied
    Absent,    // nothing listens: the toolkit finds no printers at once, and offers printing to a file
    Silent,    // it did not reply within the bound
    Abandoned, // the question was given up as the program quits
};

// Asks on a thread of its own, within a few seconds, while the event loop runs as in a modal wait.
PrintServiceState askPrintService();

} // namespace fw::detail
