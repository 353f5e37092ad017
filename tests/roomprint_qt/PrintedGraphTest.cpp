// The frequency-response graph as it reaches paper: printed to a PDF file
// through the program's print runner and read back with the text positions
// that pdftotext finds in it.

#include "roomprint_qt/PdfWords.h"

#include "document/KDRDoc.h"
#include "platform/qt/PrintRunner.h"
#include "views/SoundGraphViewCore.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

using pdf_words_test::Page;
using pdf_words_test::ReadWords;
using pdf_words_test::Word;

namespace {

// Every text of a new window's graph: the unit labels, the levels 50 to
// 120 dB and the frequencies 20 Hz to 20 kHz.
const std::vector<QString> kGraphTexts = {
    QStringLiteral("[Hz]"), QStringLiteral("[dB]"), QStringLiteral("50"),  QStringLiteral("60"),
    QStringLiteral("70"),   QStringLiteral("80"),   QStringLiteral("90"),  QStringLiteral("100"),
    QStringLiteral("110"),  QStringLiteral("120"),  QStringLiteral("20"),  QStringLiteral("1k"),
    QStringLiteral("10k"),  QStringLiteral("20k"),
};

struct PrintedGraph {
    QRectF printable;  // the printable area of the page, in points
    std::vector<Word> words;
};

// The graph of a new project's window printed on one page of the paper at
// the given resolution; the words of the page.
PrintedGraph PrintGraph(const QString& tool, const QString& folder, QPageSize::PageSizeId paper, int dpi)
{
    CKDRDoc doc;
    CSoundGraphViewCore graph(doc);
    graph.SetClientRect(CRect(0, 0, 350, 196));
    graph.OnInitialUpdate();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(paper));
    const QString pdf = folder + QStringLiteral("/graph.pdf");
    printer.setOutputFileName(pdf);
    PrintedGraph out;
    if (!PrintRunner::PrintOn(graph, printer, false, dpi) || printer.resolution() != dpi)
        return out;
    out.printable = printer.pageLayout().paintRect(QPageLayout::Point);
    const std::vector<Page> pages = ReadWords(tool, pdf, folder + QStringLiteral("/graph.html"));
    if (pages.size() == 1)
        out.words = pages[0].words;
    return out;
}

// The words by text; a text printed twice ("100" is a level and a
// frequency) keeps its every box.
std::multimap<QString, Word> ByText(const std::vector<Word>& words)
{
    std::multimap<QString, Word> out;
    for (const Word& w : words)
        out.emplace(w.text, w);
    return out;
}

}  // namespace

// Every label of the printed graph, "[dB]" and "120" at the top left among
// them, lies inside the printable area of the page, on A4 and on Letter.
TEST(PrintedGraph, EveryTextLiesInsideThePrintableArea)
{
    QString tool;
    KADREL_REQUIRE_PDFTOTEXT(tool);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        const PrintedGraph printed = PrintGraph(tool, dir.path(), paper, 600);
        const std::multimap<QString, Word> words = ByText(printed.words);
        for (const QString& text : kGraphTexts)
            EXPECT_EQ(words.count(text), text == QStringLiteral("100") ? 2u : 1u) << text.toStdString();
        EXPECT_EQ(printed.words.size(), kGraphTexts.size() + 1);
        const QRectF& area = printed.printable;
        for (const Word& w : printed.words) {
            SCOPED_TRACE(w.text.toStdString());
            EXPECT_GE(w.x0, area.left());
            EXPECT_GE(w.y0, area.top());
            EXPECT_LE(w.x1, area.right());
            EXPECT_LE(w.y1, area.bottom());
        }
    }
}

// A printer that does not print at 600 dots per inch (simulated by asking
// the PDF printer for another resolution, which it takes): the graph lands
// on paper where it lands at 600, its print area, font and margins in
// proportion to the resolution taken.
TEST(PrintedGraph, LaysOutInProportionToTheResolutionThePrinterTook)
{
    QString tool;
    KADREL_REQUIRE_PDFTOTEXT(tool);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PrintedGraph reference = PrintGraph(tool, dir.path(), QPageSize::A4, 600);
    ASSERT_EQ(reference.words.size(), kGraphTexts.size() + 1);
    for (int dpi : {300, 1200}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        const PrintedGraph printed = PrintGraph(tool, dir.path(), QPageSize::A4, dpi);
        ASSERT_EQ(printed.words.size(), reference.words.size());
        for (size_t i = 0; i < printed.words.size(); ++i) {
            const Word& w = printed.words[i];
            const Word& r = reference.words[i];
            SCOPED_TRACE(r.text.toStdString());
            EXPECT_EQ(w.text, r.text);
            EXPECT_NEAR(w.x0, r.x0, 0.5);
            EXPECT_NEAR(w.y0, r.y0, 0.5);
            EXPECT_NEAR(w.x1, r.x1, 1.0);
            EXPECT_GE(w.x0, printed.printable.left());
            EXPECT_LE(w.x1, printed.printable.right());
            EXPECT_LE(w.y1, printed.printable.bottom());
        }
    }
}
