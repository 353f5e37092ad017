#pragma once
// Printing without a GUI: a view that prints implements IPrintable; the Qt
// half runs the print dialog or the print preview and hands each page to
// OnPrint with a drawing context on the printer.

#include "platform/DrawingContext.h"

// The resolution (dots per inch) in which the printed pages give their fixed
// sizes. A printer that prints at another resolution gets each such size in
// proportion, so that it lands on paper where it would at this one.
constexpr int kPrintLayoutResolution = 600;

// dots (at kPrintLayoutResolution) on a printer of the given resolution,
// rounded to the nearest dot; an unknown resolution (0 or less) counts as
// kPrintLayoutResolution.
inline int ToPrinterDots(int dots, int resolution)
{
    if (resolution <= 0)
        return dots;
    const long long n = static_cast<long long>(dots) * resolution;
    const long long half = kPrintLayoutResolution / 2;
    return static_cast<int>(n >= 0 ? (n + half) / kPrintLayoutResolution : -((-n + half) / kPrintLayoutResolution));
}

struct CPrintInfo {
    int m_nMinPage = 1;
    int m_nMaxPage = 1;
    int m_nCurPage = 1;
    bool m_bPreview = false;
    // The printable area of the page in device units.
    CRect m_rectDraw;
    // Set by OnPrint to end the job after this page.
    bool m_bContinuePrinting = true;
};

class IPrintable {
public:
    virtual ~IPrintable() = default;
    // Before any dialog: sets the page range; false cancels the job.
    virtual bool OnPreparePrinting(CPrintInfo& info) { (void)info; return true; }
    // Once the printer is known, before the first page.
    virtual void OnBeginPrinting(IDrawingContext& dc, CPrintInfo& info) { (void)dc; (void)info; }
    // One page: info.m_nCurPage.
    virtual void OnPrint(IDrawingContext& dc, CPrintInfo& info) = 0;
    // After the last page (also after a cancelled job that had begun).
    virtual void OnEndPrinting(IDrawingContext& dc, CPrintInfo& info) { (void)dc; (void)info; }
};
