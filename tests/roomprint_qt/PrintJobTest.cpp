// Whole print jobs through the program's print runner, onto PDF files:
// every installation of the SPL map window reaches paper, and a page range
// chosen for one job does not hold for the next.

#include "roomprint/MapWindow.h"

#include "platform/qt/PrintRunner.h"
#include "platform/qt/SharedPrinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <string>
#include <vector>

using roomprint_test::CMapWindow;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;

namespace {

// Counts the pages of a PDF file written by Qt.
int PdfPageCount(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = f.readAll();
    int n = 0;
    for (qsizetype at = data.indexOf("/Type /Page"); at >= 0; at = data.indexOf("/Type /Page", at + 1)) {
        if (!data.mid(at, 12).endsWith('s'))  // not "/Type /Pages"
            ++n;
    }
    return n;
}

// A document of three pages that notes the pages it is asked for.
class ThreePages : public IPrintable {
public:
    bool OnPreparePrinting(CPrintInfo& info) override
    {
        info.m_nMaxPage = 3;
        return true;
    }
    void OnPrint(IDrawingContext& dc, CPrintInfo& info) override
    {
        dc.TextOut(100, 100, "page " + std::to_string(info.m_nCurPage));
        printed.push_back(info.m_nCurPage);
    }
    std::vector<int> printed;
};

// The page range a print dialog leaves in the printer when the user asks
// for pages from..to.
void ChoosePages(QPrinter& printer, int from, int to)
{
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(from, to);
}

}  // namespace

// File > Print with pages 2 to 3 prints those two; the next job, a Print
// Preview or a direct print, starts from the whole document again.
TEST(PrintJob, APageRangeHoldsOnlyForTheJobItWasChosenFor)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QPrinter& printer = SharedPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("range.pdf")));

    ThreePages doc;
    ChoosePages(printer, 2, 3);
    ASSERT_TRUE(PrintRunner::PrintOn(doc, printer));
    EXPECT_EQ(doc.printed, (std::vector<int>{2, 3}));
    EXPECT_EQ(PdfPageCount(dir.filePath(QStringLiteral("range.pdf"))), 2);
    EXPECT_EQ(printer.printRange(), QPrinter::AllPages);

    doc.printed.clear();
    ASSERT_TRUE(PrintRunner::PrintOn(doc, printer));
    EXPECT_EQ(doc.printed, (std::vector<int>{1, 2, 3}));

    // The preview, closed as soon as it shows, has painted every page.
    ChoosePages(printer, 2, 2);
    doc.printed.clear();
    bool closed = false;
    QTimer::singleShot(0, [&closed] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w)) {
                preview->reject();
                closed = true;
            }
        }
    });
    PrintRunner::Preview(doc, nullptr);
    EXPECT_TRUE(closed);
    ASSERT_FALSE(doc.printed.empty());
    EXPECT_EQ(doc.printed.front(), 1);
    EXPECT_EQ(doc.printed.back(), 3);
    EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
}

TEST(PrintJob, EveryInstallationOfALongTableIsPrinted)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Scene scene(0);
    CKDRDoc& doc = *scene.doc;
    CInstallationContainer& room = doc.m_installations;
    room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
    room.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
    room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
    const int model = scene.AddModel(SmallSpeaker());
    const int n = 156;
    for (int i = 0; i < n; ++i)
        scene.Install(model, 0.05 * i, 2.0, 2.5);
    scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0);
    CMapWindow view(doc);
    view.UpdateScrollSizes(TRUE);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const QString path = dir.filePath("map.pdf");
    printer.setOutputFileName(path);
    ASSERT_TRUE(PrintRunner::PrintOn(view, printer));

        const int rowsPerPage = doc.m_nPrintRowsPerPage;
    ASSERT_GT(rowsPerPage, 1);
    ASSERT_GE(view.lastFirstPageRows, 0);
    EXPECT_LT(view.lastFirstPageRows, rowsPerPage - 1);
    // Page 1 with the rows that fit under the map, then full pages, and no
    // empty page after the last row.
    EXPECT_EQ(PdfPageCount(path), CMapWindow::CalcTablePageCount(n, view.lastFirstPageRows, rowsPerPage));
    // The window is back on the screen afterwards.
    EXPECT_FALSE(view.IsPrintingMap());
}
