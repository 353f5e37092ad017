// A whole print job of the SPL map window through the program's print
// runner, onto a PDF file: every installation reaches paper.

#include "roomprint/MapWindow.h"

#include "platform/qt/PrintRunner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

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

}  // namespace

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
