// The installation table as it reaches paper: printed to a PDF file and read
// back with the text positions that pdftotext finds in it.

#include "roomprint/MapWindow.h"
#include "roomprint_qt/PdfWords.h"

#include "platform/qt/PrintRunner.h"

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using roomprint_test::CMapWindow;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;

using pdf_words_test::Lines;
using pdf_words_test::Page;
using pdf_words_test::ReadWords;
using pdf_words_test::Word;

namespace {

// A 20 m x 16 m room with n installations in advanced mode, their texts as
// wide as their columns get: signs, four digits and the units.
bool FillTable(Scene& scene, int n)
{
    CKDRDoc& doc = *scene.doc;
    doc.m_nAdvancedMode = 2;
    CInstallationContainer& room = doc.m_installations;
    room.SetRoom(CInstallationContainer::kRoomLengthX, 20.0);
    room.SetRoom(CInstallationContainer::kRoomWidthY, 16.0);
    room.SetRoom(CInstallationContainer::kRoomHeight, 4.0);
    auto recipe = SmallSpeaker();
    recipe.name = "Ceiling Speaker CS-1000W";
    const int model = scene.AddModel(recipe);
    if (model < 0)
        return false;
    for (int i = 0; i < n; ++i)
        scene.Install(model, -19.875 + 0.125 * i, -15.25, -3.125, -135.5 + i, -12.75, 45.25, 125.5, i % 2 == 0);
    scene.SetPlane(0, 0, 1.2, 20, 16, 0, 1.0);
    return true;
}

}  // namespace

// The print dialog hands over its printer at the printer's highest
// resolution; the table's columns stand at fixed device offsets and its font
// follows the page height, so the job has to run at the resolution they are
// made for, or the texts of a row overlap. Every installation row reaches a
// page, on A4 and on Letter paper.
TEST(PrintedTable, TheTextsOfARowStandApartAndEveryRowIsOnAPage)
{
    QString tool;
    KADREL_REQUIRE_PDFTOTEXT(tool);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    Scene scene(0);
    const int n = 90;
    ASSERT_TRUE(FillTable(scene, n));
    CMapWindow view(*scene.doc);
    view.UpdateScrollSizes(TRUE);

    const QPageSize::PageSizeId papers[] = {QPageSize::A4, QPageSize::Letter};
    for (QPageSize::PageSizeId paper : papers) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(paper));
        const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
        printer.setOutputFileName(pdf);
        ASSERT_TRUE(PrintRunner::PrintOn(view, printer));
        EXPECT_EQ(printer.resolution(), 600);

        const std::vector<Page> pages = ReadWords(tool, pdf, dir.filePath(QStringLiteral("table.html")));
        ASSERT_GE(pages.size(), 2u);
        int headers = 0;
        int next = 1;  // the number the next installation row has to carry
        for (size_t p = 0; p < pages.size(); ++p) {
            for (const std::vector<Word>& line : Lines(pages[p])) {
                const bool header = line.front().text == QStringLiteral("No");
                bool isNumber = false;
                const int number = line.front().text.toInt(&isNumber);
                if (!header && !(isNumber && line.size() >= 10))
                    continue;  // a line of the map and its texts
                SCOPED_TRACE("page " + std::to_string(p + 1) + ", line " + line.front().text.toStdString());
                headers += header ? 1 : 0;
                if (!header) {
                    EXPECT_EQ(number, next);
                    next = number + 1;
                }
                // "No", "Speaker Name" (or the model's name), X, Y, Z, the
                // three angles, power and polarity, each a word of its own.
                EXPECT_EQ(line.size(), header ? 11u : 12u);
                for (size_t i = 0; i + 1 < line.size(); ++i)
                    EXPECT_LT(line[i].x1, line[i + 1].x0)
                        << line[i].text.toStdString() << " runs into " << line[i + 1].text.toStdString();
                EXPECT_GT(line.front().x0, 0.0);
                EXPECT_LE(line.back().x1, pages[p].width);
                EXPECT_LE(line.back().y1, pages[p].height);
            }
        }
        EXPECT_EQ(headers, static_cast<int>(pages.size()));
        EXPECT_EQ(next, n + 1);
    }
}

// A printer that does not print at 600 dots per inch (simulated by asking
// the PDF printer for another resolution, which it takes): the columns stand
// where they stand at 600, in proportion to the resolution taken, so every
// text of a row stays on the page and apart from the next.
TEST(PrintedTable, ColumnsStandInProportionToTheResolutionThePrinterTook)
{
    QString tool;
    KADREL_REQUIRE_PDFTOTEXT(tool);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Scene scene(0);
    ASSERT_TRUE(FillTable(scene, 20));
    CMapWindow view(*scene.doc);
    view.UpdateScrollSizes(TRUE);

    // Page 1's header and first row, word by word, at each resolution.
    auto print = [&](int dpi, std::vector<Word>& header, std::vector<Word>& row, double& width) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = dir.filePath(QStringLiteral("table%1.pdf").arg(dpi));
        printer.setOutputFileName(pdf);
        ASSERT_TRUE(PrintRunner::PrintOn(view, printer, false, dpi));
        ASSERT_EQ(printer.resolution(), dpi);
        const std::vector<Page> pages = ReadWords(tool, pdf, dir.filePath(QStringLiteral("table.html")));
        ASSERT_FALSE(pages.empty());
        width = pages[0].width;
        for (const std::vector<Word>& line : Lines(pages[0])) {
            if (line.front().text == QStringLiteral("No"))
                header = line;
            else if (line.front().text == QStringLiteral("1") && line.size() >= 10)
                row = line;
        }
    };
    std::vector<Word> header600, row600;
    double width = 0;
    print(600, header600, row600, width);
    ASSERT_EQ(header600.size(), 11u);
    ASSERT_EQ(row600.size(), 12u);
    auto joined = [](const std::vector<Word>& line) {
        QString text;
        for (const Word& w : line)
            text += w.text;
        return text;
    };
    // Text widths follow the print font, which follows the page height in
    // whole dots, so a word inside a column may move by a point or two; the
    // columns themselves stand at the same place.
    const double slack = 2.5;
    for (int dpi : {300, 1200}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        std::vector<Word> header, row;
        print(dpi, header, row, width);
        // The header is complete; its words start where they start at 600
        // ("Azimuth(Left+)" ends within a point of "Elevation(Down+)", which
        // pdftotext may read as one word at some resolutions).
        EXPECT_EQ(joined(header), joined(header600));
        for (const Word& w : header) {
            const bool found = std::any_of(header600.begin(), header600.end(), [&](const Word& r) {
                return std::abs(r.x0 - w.x0) <= slack && r.text.startsWith(w.text.left(4));
            });
            EXPECT_TRUE(found) << w.text.toStdString() << " at " << w.x0;
        }
        ASSERT_EQ(row.size(), row600.size());
        for (size_t i = 0; i < row.size(); ++i) {
            EXPECT_EQ(row[i].text, row600[i].text);
            EXPECT_NEAR(row[i].x0, row600[i].x0, slack) << row[i].text.toStdString();
            if (i + 1 < row.size()) {
                EXPECT_LT(row[i].x1, row[i + 1].x0);
            }
        }
        ASSERT_FALSE(header.empty());
        EXPECT_LE(header.back().x1, width);
        EXPECT_LE(row.back().x1, width);
    }
}
