// Speaker > Import... of a file that cannot be imported: one message names
// the file and says what is wrong with it, shown once the progress window
// has gone; the models, the current one and the lists stay as they were.

#include "ListsTestSupport.h"

#include <filesystem>

namespace {

// The lines of text, numbered from 1 as the messages number them (entry 0
// is empty).
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines{std::string(), std::string()};
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    lines.pop_back();
    return lines;
}

std::string Join(const std::vector<std::string>& lines, std::size_t count)
{
    std::string text;
    for (std::size_t i = 1; i <= count && i < lines.size(); ++i)
        text += lines[i] + "\n";
    return text;
}

class ImportFailureTest : public ListsTest {
protected:
    void SetUp() override
    {
        Import("First", 3);
        Import("Second", 3);
        doc.m_models.SetCurrentIndex(0);
        doc.SetModifiedFlag(false);
    }

    // Imports the file at path; exactly one message must result.
    std::string Refused(const std::string& path)
    {
        CSpeakerListPane speakers(doc);
        CTapListPane taps(doc);
        CRecordingMessageBox box(ui);
        const int fills = speakers.fills;
        ui.path = path;
        doc.OnSpeakerImport();
        EXPECT_EQ(doc.m_models.GetCount(), 2);
        EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
        EXPECT_EQ(speakers.fills, fills);
        EXPECT_EQ(taps.fills, 0);
        EXPECT_FALSE(box.shownWhileBusy);
        EXPECT_EQ(box.types, std::vector<unsigned>{MB_OK | MB_ICONEXCLAMATION});
        return box.texts.size() == 1 ? box.texts[0] : std::string();
    }
    // The good file's lines with line n replaced by value.
    std::string WithLine(std::size_t n, const std::string& value) const
    {
        std::vector<std::string> lines = good;
        lines[n] = value;
        return Join(lines, lines.size());
    }

    // 1 version, 2 type code, 3 name, 4 taps, 5 rows, 6 polar angles,
    // 7 pitch, 8 lowest, 9 highest, 10 the tap, 11 polar angles, 12 the
    // row's meridian angle, 13 its one frequency line.
    const std::vector<std::string> good = Lines(StdSpeakerZsb("Good", 3, {"h,100,10"}));
};

}  // namespace

TEST_F(ImportFailureTest, AFileThatHoldsNoSpeakerDataIsNamed)
{
    ASSERT_EQ(good.size(), 14u);
    EXPECT_EQ(Refused(WriteTempFile("passwd", "root:x:0:0:root:/root:/bin/bash\nbin:x:1:1:bin:/bin:/sbin/nologin\n")),
              "\"passwd\" was not imported: it holds no speaker data.");
    EXPECT_EQ(Refused(WriteTempFile("empty.zsb", "")), "\"empty.zsb\" was not imported: it holds no speaker data.");
    EXPECT_EQ(Refused(WriteTempFile("Version.zsb", "Version 1.0.1\n" + Join(good, 13).substr(14))),
              "\"Version.zsb\" was not imported: it holds no speaker data.");
    // Nothing to read at all.
    const std::string missing = WriteTempFile("gone.zsb", "");
    std::filesystem::remove(missing);
    EXPECT_EQ(Refused(missing), "\"gone.zsb\" could not be opened.");
    const std::string folder = WriteTempFile("folder.zsb", "");
    std::filesystem::remove(folder);
    std::filesystem::create_directory(folder);
    EXPECT_EQ(Refused(folder), "\"folder.zsb\" could not be opened.");
}

TEST_F(ImportFailureTest, AFileCutShortSaysWhereItEnds)
{
    for (std::size_t n : {2u, 5u, 10u, 12u}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Refused(WriteTempFile("cut.zsb", Join(good, n))),
                  "\"cut.zsb\" was not imported: the file ends too early, after line " + std::to_string(n) + ".");
    }
    // Cut before its tap line, or declaring more data than the bytes that
    // follow can carry (65535 polar angles on a row and its copy): the end
    // is found without reading to it.
    EXPECT_EQ(Refused(WriteTempFile("cut.zsb", Join(good, 9))),
              "\"cut.zsb\" was not imported: the file ends before all the data its header declares.");
    EXPECT_EQ(Refused(WriteTempFile("wide.zsb", WithLine(6, "65535"))),
              "\"wide.zsb\" was not imported: the file ends before all the data its header declares.");
}

TEST_F(ImportFailureTest, AValueOutOfRangeIsNamedWithItsLine)
{
    struct Case {
        std::size_t line;
        const char* value;
        const char* what;
    };
    const Case cases[] = {
        {2, "9", "speaker type"},
        {4, "-1", "number of taps"},
        {5, "-2", "size of the data grid"},
        {6, "0", "size of the data grid"},
        {7, "0", "frequency pitch"},
        {9, "1e999", "frequency range"},
        {10, "h,100,-5", "tap"},
        {10, "l,1e999,60", "tap"},
        {11, "0,1e308,180", "polar angle"},
        {12, "1e308", "meridian angle"},
        {13, "90,0,7000,0,80,0", "level"},
        {13, "90,0,84,0,1e999,0", "level"},
        {13, "90,0,84,1e17,80,0", "phase"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Refused(WriteTempFile("bad.zsb", WithLine(c.line, c.value))),
                  std::string("\"bad.zsb\" was not imported: the ") + c.what + " on line " +
                      std::to_string(c.line) + " is out of range.");
    }
}

TEST_F(ImportFailureTest, AValueOfNoSingleLineIsNamed)
{
    // 60000 rows of 60000 polar angles: each count fine, their grid not.
    std::vector<std::string> lines = good;
    lines[5] = "59999";
    lines[6] = "60000";
    EXPECT_EQ(Refused(WriteTempFile("grid.zsb", Join(lines, lines.size()))),
              "\"grid.zsb\" was not imported: the size of the data grid is out of range.");

    // A column of one module (TypeS) whose unit description gives a
    // negative power share, and one of more modules than any array has.
    const std::string column = "Version 1.0.0\n3\n0\n0\n1\nColumn\n1\n1\n3\n3\n1000\n1000\nh,100,10\n0,90,180\n"
                               "A\n0.1\n0.05\n0\n-0.5\n0\n90,0,84,0,80,0\n";
    EXPECT_EQ(Refused(WriteTempFile("share.zsb", column)),
              "\"share.zsb\" was not imported: the power share is out of range.");
    std::string many = column;
    many.replace(many.find("\n1\nColumn"), 2, "\n5000");
    EXPECT_EQ(Refused(WriteTempFile("many.zsb", many)),
              "\"many.zsb\" was not imported: the number of modules is out of range.");
    // The same column with a share of 0.5 imports, and says nothing.
    std::string fine = column;
    fine.replace(fine.find("-0.5"), 4, "0.5");
    CRecordingMessageBox box(ui);
    ui.path = WriteTempFile("fine.zsb", fine);
    doc.OnSpeakerImport();
    EXPECT_EQ(doc.m_models.GetCount(), 3);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 2);
    EXPECT_TRUE(box.texts.empty());
}
