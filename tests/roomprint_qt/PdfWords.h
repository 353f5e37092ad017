#pragma once
// The words of a PDF file with their boxes on the page, as pdftotext -bbox
// reads them back: what a printed page carries where.

#include <QString>

#include <vector>

namespace pdf_words_test {

struct Word {
    double x0, y0, x1, y1;  // points, from the page's top left
    QString text;
};

struct Page {
    double width = 0, height = 0;
    std::vector<Word> words;
};

// The pdftotext program; empty when it is not installed.
QString FindPdfToText();
// The words of every page of pdf (html is a scratch file beside it); empty
// when the tool failed.
std::vector<Page> ReadWords(const QString& tool, const QString& pdf, const QString& html);
// The words of a page in lines (same top), each line from left to right.
std::vector<std::vector<Word>> Lines(const Page& page);

}  // namespace pdf_words_test

// Skips the test where pdftotext is missing, and fails it under CI, which
// installs it. Sets tool.
#define KADREL_REQUIRE_PDFTOTEXT(tool)                                                                           \
    do {                                                                                                         \
        tool = pdf_words_test::FindPdfToText();                                                                  \
        if (tool.isEmpty()) {                                                                                    \
            if (qEnvironmentVariableIsSet("CI"))                                                                 \
                FAIL() << "pdftotext (poppler-utils) is missing; build.sh installs it";                          \
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";                                        \
        }                                                                                                        \
    } while (false)
