#pragma once
// Runs a print job of an IPrintable: the print dialog and the printer, the
// print preview window, or a printer set up by the caller.

#include "platform/Printing.h"

class QPrinter;
class QWidget;

namespace PrintRunner {

// Dots per inch every print job asks of its printer: the resolution the
// pages give their fixed sizes in. A printer may take another; the pages
// then lay those sizes out in proportion to the one it took.
constexpr int kResolution = kPrintLayoutResolution;

// Every job starts from the whole document: a page range chosen in a print
// dialog holds for the job that dialog starts and no later one.

// File > Print...: the print dialog on the shared printer, then the pages.
// False when the job was cancelled.
bool Print(IPrintable& printable, QWidget* parent);
// File > Print Preview: the pages in a preview window with its own print button.
void Preview(IPrintable& printable, QWidget* parent);
// Prints the pages on the printer as it is set up (no dialog; the page
// range it holds, if any), asking it for the given resolution. The printer
// holds the whole document again afterwards.
bool PrintOn(IPrintable& printable, QPrinter& printer, bool preview = false, int resolution = kResolution);

}  // namespace PrintRunner
