#include "platform/qt/PrintRunner.h"

#include "platform/qt/QtDrawingContext.h"
#include "platform/qt/SharedPrinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <limits>

namespace PrintRunner {

namespace {

// The printer prints the whole document.
void SelectWholeDocument(QPrinter& printer)
{
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}

// The first and last page the printer was asked for; 0 and 0 for all.
struct PageRange {
    int from = 0;
    int to = 0;
};

PageRange TakePageRange(QPrinter& printer)
{
    PageRange range;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0 &&
        printer.toPage() >= printer.fromPage()) {
        range.from = printer.fromPage();
        range.to = printer.toPage();
    }
    SelectWholeDocument(printer);
    return range;
}

}  // namespace

bool PrintOn(IPrintable& printable, QPrinter& printer, bool preview, int resolution)
{
    // A range chosen for this job is used up by it.
    const PageRange range = TakePageRange(printer);
    CPrintInfo info;
    info.m_bPreview = preview;
    if (!printable.OnPreparePrinting(info))
        return false;
    // The print dialog may have chosen another printer, which comes at its
    // own resolution; a printer may also keep a resolution of its own, which
    // the device capabilities then pass on to the pages.
    printer.setResolution(resolution);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    CQtDrawingContext dc(painter, true);
    // The device is the printable area of the page.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    dc.SetDeviceCaps(HORZRES, page.width());
    dc.SetDeviceCaps(VERTRES, page.height());
    dc.SetDeviceCaps(LOGPIXELSX, printer.resolution());
    dc.SetDeviceCaps(LOGPIXELSY, printer.resolution());
    info.m_rectDraw = CRect(0, 0, page.width(), page.height());

    // The printable learns its page count only once it knows the page (in
    // OnBeginPrinting, or while printing a page), so the last page is read
    // anew before every page.
    printable.OnBeginPrinting(dc, info);
    int first = info.m_nMinPage;
    int userLast = std::numeric_limits<int>::max();
    if (range.from > 0) {
        first = std::max(first, range.from);
        userLast = range.to;
    }
    for (int p = first; p <= std::min(info.m_nMaxPage, userLast) && info.m_bContinuePrinting; ++p) {
        if (p != first)
            printer.newPage();
        info.m_nCurPage = p;
        printable.OnPrint(dc, info);
    }
    printable.OnEndPrinting(dc, info);
    painter.end();
    return true;
}

bool Print(IPrintable& printable, QWidget* parent)
{
    CPrintInfo probe;
    if (!printable.OnPreparePrinting(probe))
        return false;
    QPrinter& printer = SharedPrinter();
    SelectWholeDocument(printer);
    QPrintDialog dlg(&printer, parent);
    dlg.setMinMax(probe.m_nMinPage, probe.m_nMaxPage);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    return PrintOn(printable, printer, false);
}

void Preview(IPrintable& printable, QWidget* parent)
{
    SelectWholeDocument(SharedPrinter());
    QPrintPreviewDialog dlg(&SharedPrinter(), parent);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg,
                     [&printable](QPrinter* printer) { PrintOn(printable, *printer, true); });
    dlg.exec();
}

}  // namespace PrintRunner
