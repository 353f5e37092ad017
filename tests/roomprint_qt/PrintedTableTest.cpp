// The installation table as it reaches paper: printed to a PDF file and read
// back with the text positions that pdftotext finds in it.

#include "roomprint/MapWindow.h"

#include "platform/qt/PrintRunner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using roomprint_test::CMapWindow;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;

namespace {

struct Word {
    double x0, y0, x1, y1;  // points, from the page's top left
    QString text;
};

struct Page {
    double width = 0, height = 0;
    std::vector<Word> words;
};

// The words of every page with their boxes, as pdftotext -bbox reports them;
// empty when the tool failed.
std::vector<Page> ReadWords(const QString& tool, const QString& pdf, const QString& html)
{
    QProcess p;
    p.start(tool, {QStringLiteral("-bbox"), pdf, html});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    QFile f(html);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    static const QRegularExpression tag(
        QStringLiteral(R"re(<page width="([0-9.]+)" height="([0-9.]+)">|<word xMin="([0-9.-]+)" yMin="([0-9.-]+)" )re"
                       R"re(xMax="([0-9.-]+)" yMax="([0-9.-]+)">([^<]*)</word>)re"));
    std::vector<Page> pages;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(1) > 0) {
            pages.push_back(Page{m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back(Word{m.captured(3).toDouble(), m.captured(4).toDouble(),
                                              m.captured(5).toDouble(), m.captured(6).toDouble(), m.captured(7)});
        }
    }
    return pages;
}

// The words of a page in lines (same top), each line from left to right.
std::vector<std::vector<Word>> Lines(const Page& page)
{
    std::map<long, std::vector<Word>> byTop;
    for (const Word& w : page.words)
        byTop[std::lround(w.y0 * 4)].push_back(w);
    std::vector<std::vector<Word>> lines;
    for (auto& [top, words] : byTop) {
        std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.x0 < b.x0; });
        lines.push_back(words);
    }
    return lines;
}

}  // namespace

// The print dialog hands over its printer at the printer's highest
// resolution; the table's columns stand at fixed device offsets and its font
// follows the page height, so the job has to run at the resolution they are
// made for, or the texts of a row overlap. Every installation row reaches a
// page, on A4 and on Letter paper.
TEST(PrintedTable, TheTextsOfARowStandApartAndEveryRowIsOnAPage)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "pdftotext (poppler-utils) is missing; build.sh installs it";
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    Scene scene(0);
    CKDRDoc& doc = *scene.doc;
    doc.m_nAdvancedMode = 2;
    CInstallationContainer& room = doc.m_installations;
    room.SetRoom(CInstallationContainer::kRoomLengthX, 20.0);
    room.SetRoom(CInstallationContainer::kRoomWidthY, 16.0);
    room.SetRoom(CInstallationContainer::kRoomHeight, 4.0);
    auto recipe = SmallSpeaker();
    recipe.name = "Ceiling Speaker CS-1000W";
    const int model = scene.AddModel(recipe);
    ASSERT_GE(model, 0);
    // Texts as wide as their columns get: signs, four digits and the units.
    const int n = 90;
    for (int i = 0; i < n; ++i)
        scene.Install(model, -19.875 + 0.125 * i, -15.25, -3.125, -135.5 + i, -12.75, 45.25, 125.5, i % 2 == 0);
    scene.SetPlane(0, 0, 1.2, 20, 16, 0, 1.0);
    CMapWindow view(doc);
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
