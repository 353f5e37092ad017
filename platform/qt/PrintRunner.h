#pragma once
// Runs a print job of an IPrintable: the print dialog and the printer, the
// print preview window, or a printer set up by the caller.

#include "platform/Printing.h"

class QPrinter;
class QWidget;

namespace PrintRunner {

// Dots per inch of every print job. The pages lay out text and columns in
// printer dots sized for this resolution, so a job runs at it on every
// printer that allows it (the PDF printer and the usual paper printers do).
constexpr int kResolution = 600;

// File > Print...: the print dialog on the shared printer, then the pages.
// False when the job was cancelled.
bool Print(IPrintable& printable, QWidget* parent);
// File > Print Preview: the pages in a preview window with its own print button.
void Preview(IPrintable& printable, QWidget* parent);
// Prints every page on the printer as it is set up (no dialog), at
// kResolution where the printer allows it.
bool PrintOn(IPrintable& printable, QPrinter& printer, bool preview = false);

}  // namespace PrintRunner
