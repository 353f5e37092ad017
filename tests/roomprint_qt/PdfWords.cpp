#include "roomprint_qt/PdfWords.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <map>

namespace pdf_words_test {

QString FindPdfToText()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

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

}  // namespace pdf_words_test
