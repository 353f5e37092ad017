// The memory a speaker-data file can make the import hold: a small file never
// more than a small multiple of its size, whatever grid its header declares,
// while complete data of any size still import. Every allocation of this
// test program goes through the counting operator new below.
#include "ListsTestSupport.h"
#include "support/AllocationCounter.h"

#include "models/SpeakerDataLimits.h"
#include "models/SpeakerDataProblem.h"
#include "models/SpeakerModelContainer.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

KADREL_COUNTING_OPERATOR_NEW()

namespace {

// What an import may hold at most before it counts as out of memory.
constexpr std::size_t kLimit = 64u << 20;

struct Outcome {
    bool imported = false;
    bool outOfMemory = false;
    std::size_t peak = 0;
    CSpeakerDataProblem problem;
    std::size_t cells = 0;  // of every balloon of the model imported
};

// Imports text (a whole ".zsb" file) as Speaker > Import reads it after its
// first line, counting what the reading allocates.
Outcome Import(const std::string& text)
{
    CStdioFile file;
    file.OpenText(text);
    std::string version;
    EXPECT_TRUE(file.ReadString(version));
    CSpeakerModelContainer container;
    Outcome o;
    o.peak = allocationcounter::PeakBytesOf(
        [&] {
            try {
                o.imported = container.ImportModel(file, 0, nullptr, &o.problem) != FALSE;
            } catch (const std::bad_alloc&) {
                o.outOfMemory = true;
            }
        },
        kLimit);
    if (o.imported) {
        for (const CBalloonElement& balloon : container.GetAt(0)->GetBalloons())
            o.cells += balloon.GetCells().size();
    }
    return o;
}

// The header lines of a model of the type code with one module in each
// count line, rows meridian rows in the file, polars polar angles and the
// 1/24-octave series from 100 Hz to highest, no tap; then the polar-angle
// line "0".
std::string Header(int typeCode, int rows, int polars, const char* highest)
{
    std::string text = "Version 1.0.0\n" + std::to_string(typeCode) + "\n";
    if (typeCode >= 2)
        text += "1\n1\n1\n";
    text += "Big\n0\n" + std::to_string(rows) + "\n" + std::to_string(polars) + "\n24\n100\n" + highest + "\n0\n";
    return text;
}

// 65535 polar angles x 128 frequencies x 2 rows: just within the cells one
// balloon may have (16 Mi), 256 MiB of cells per balloon.
constexpr const char* k128Frequencies = "3900";

std::string ReadExample(const char* name)
{
    std::ifstream in(std::string(KADREL_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ImportMemoryTest, ASmallFileNeverMakesTheImportHoldMoreThanASmallMultipleOfItsSize)
{
    struct Case {
        std::string what;
        std::string text;
    };
    std::vector<Case> cases = {
        // Four balloons sized from the header, their blocks "carried" by
        // empty lines (4 x 129 of them).
        {"empty lines as four balloon blocks", Header(4, 1, 65535, k128Frequencies) + std::string(20 + 4 * 129, '\n')},
        // No meridian row in the file: a balloon of 65535 x 256 cells and
        // not one line of data.
        {"no rows", Header(0, 0, 65535, "154000")},
        // The header and nothing after it.
        {"cut after the header", Header(0, 1, 65535, k128Frequencies)},
    };
    // Every kind, its blocks of empty lines filling the file up to 1000 bytes.
    for (int code = 0; code <= 8; ++code) {
        std::string text = Header(code, 1, 65535, k128Frequencies);
        text.resize(1000, '\n');
        cases.push_back({"kind " + std::to_string(code) + " in 1000 bytes", text});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_LT(c.text.size(), 1024u);
        const Outcome o = Import(c.text);
        EXPECT_FALSE(o.outOfMemory) << "the import asked for more than 64 MiB";
        EXPECT_FALSE(o.imported);
        EXPECT_EQ(o.problem.GetKind(), CSpeakerDataProblem::kEndsEarly);
        EXPECT_EQ(o.problem.GetLine(), 0u);
        // The polar angles and frequencies of the header and the placements
        // of the modules; no balloon.
        EXPECT_LE(o.peak, 2u << 20) << "file of " << c.text.size() << " bytes";
    }
}

TEST(ImportMemoryTest, CompleteDataImportWhateverTheirSize)
{
    // The example files: about 11 bytes a cell in the file, 16 held.
    for (const char* name : {"SampleForwardF8.zsb", "SampleTypeHArray.zsb"}) {
        SCOPED_TRACE(name);
        const std::string text = ReadExample(name);
        ASSERT_GT(text.size(), 500000u);
        const Outcome o = Import(text);
        EXPECT_TRUE(o.imported);
        EXPECT_LE(o.peak, 2 * text.size() + (2u << 20));
    }

    // The tersest complete data: 2048 polar angles whose pairs are all
    // empty (two bytes a cell, commas and line end) on one meridian row
    // closed by its copy, 128 frequencies: 512 Ki cells, eight times the
    // allowance, from 512 KiB of file.
    std::string text = Header(0, 1, 2048, k128Frequencies) + "0\n";
    for (int k = 0; k < 128; ++k)
        text += std::string(2 * 2048 - 1, ',') + "\n";
    const Outcome o = Import(text);
    EXPECT_TRUE(o.imported);
    EXPECT_EQ(o.cells, 2u * 2048u * 128u);
    EXPECT_LE(o.peak, 16 * text.size() + (2u << 20));
}

TEST(ImportMemoryTest, AGridBeyondTheFileIsHeldOnlyWithinTheAllowance)
{
    // 40000 polar angles, one frequency, one row and its copy: 80000 cells,
    // of which the file gives one pair. Whatever follows the last balloon
    // counts as bytes of the file: exactly enough of them, and the grid is
    // held; one fewer, and the file is refused before anything is sized.
    const std::string data = "Version 1.0.0\n0\nWide\n0\n1\n40000\n3\n1000\n1000\n0,90,180\n0\n90,0\n";
    const std::size_t after = std::string("0\n90,0\n").size();
    const std::size_t needed = 80000 - SpeakerDataLimits::kCellsBeyondFileBytes - after;
    const Outcome held = Import(data + std::string(needed, ' '));
    EXPECT_TRUE(held.imported);
    EXPECT_EQ(held.cells, 80000u);
    const Outcome refused = Import(data + std::string(needed - 1, ' '));
    EXPECT_FALSE(refused.imported);
    EXPECT_EQ(refused.problem.GetKind(), CSpeakerDataProblem::kEndsEarly);
    EXPECT_LT(refused.peak, 80000u * 16u);

    // The four balloons of a four-module kind must fit together.
    const std::string four = "Version 1.0.0\n4\n1\n1\n1\nWide\n0\n1\n40000\n3\n1000\n1000\n0,90,180\n"
                             "U\n0.1\n0\n0\n1\nU\n0.1\n0\n0\n1\nU\n0.1\n0\n0\n1\nU\n0.1\n0\n0\n1\n"
                             "0\n90,0\n0\n90,0\n0\n90,0\n0\n90,0\n";
    const std::size_t needed4 = 4 * 80000 - SpeakerDataLimits::kCellsBeyondFileBytes - 4 * after;
    EXPECT_EQ(Import(four + std::string(needed4, ' ')).cells, 4 * 80000u);
    const Outcome refused4 = Import(four + std::string(needed4 - 1, ' '));
    EXPECT_EQ(refused4.problem.GetKind(), CSpeakerDataProblem::kEndsEarly);
    EXPECT_LT(refused4.peak, 80000u * 16u);
}

// A model too large for the memory left is refused like any other file:
// the user is told, and the models stay as they were.
using ImportCommandMemoryTest = ListsTest;

TEST_F(ImportCommandMemoryTest, AnImportThatRunsOutOfMemorySaysSo)
{
    Import("First", 3);
    CRecordingMessageBox box(ui);
    ui.path = WriteTempFile("SampleTypeHArray.zsb", ReadExample("SampleTypeHArray.zsb"));
    const std::size_t peak = allocationcounter::PeakBytesOf([&] { doc.OnSpeakerImport(); }, 1u << 20);
    EXPECT_LE(peak, 1u << 20);
    EXPECT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(doc.m_models.GetCurrentIndex(), 0);
    EXPECT_EQ(box.texts,
              std::vector<std::string>{"\"SampleTypeHArray.zsb\" was not imported: there is not enough memory for its data."});
    EXPECT_FALSE(box.shownWhileBusy);
}

}  // namespace
