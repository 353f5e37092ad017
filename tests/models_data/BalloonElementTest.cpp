#include "GoldenBytes.h"

#include "models/BalloonElement.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

namespace {

// Expected cells as {row, column, frequency, level, phase}.
struct Cell {
    int i, j, k;
    double level, phase;
};

void ExpectCells(const CBalloonElement& b, std::initializer_list<Cell> cells)
{
    for (const Cell& c : cells) {
        const CSPComplex& v = b.GetCell(c.i, c.j, c.k);
        EXPECT_NEAR(v.GetLevel(), c.level, 1e-9) << "cell " << c.i << "," << c.j << "," << c.k;
        EXPECT_NEAR(v.GetPhase(), c.phase, 1e-9) << "cell " << c.i << "," << c.j << "," << c.k;
    }
}

CBalloonElement Read(const std::string& text, DWORD rows, DWORD columns, DWORD frequencies,
                     IProgress* progress = nullptr)
{
    CStdioFile f;
    f.OpenText(text);
    CBalloonElement b;
    b.SetDimensions(rows, columns, frequencies);
    EXPECT_TRUE(b.ReadText(f, progress));
    return b;
}

}  // namespace

TEST(BalloonElement, CellOrderRunsFrequencyThenColumnThenRow)
{
    CBalloonElement b;
    b.SetDimensions(3, 4, 5);
    EXPECT_EQ(b.GetCells().size(), 60u);
    EXPECT_EQ(b.GetAngles().size(), 3u);
    EXPECT_EQ(b.CellIndex(0, 0, 1), 1u);
    EXPECT_EQ(b.CellIndex(0, 1, 0), 5u);
    EXPECT_EQ(b.CellIndex(1, 0, 0), 20u);
    EXPECT_EQ(b.CellIndex(2, 3, 4), 59u);
}

TEST(BalloonElement, PolesAndTheClosingRowCopyRowZero)
{
    // One row: both columns are poles, each keeps row 0's value in every row.
    const CBalloonElement one = Read("0\n90,0,84,30\n", 2, 2, 1);
    EXPECT_EQ(one.GetAngles(), (std::vector<double>{0.0, 360.0}));
    ExpectCells(one, {{0, 0, 0, 90, 0}, {1, 0, 0, 90, 0}, {0, 1, 0, 84, 30}, {1, 1, 0, 84, 30}});

    // Rows at 0 and 180 degrees, three polar angles, two frequencies.
    const CBalloonElement b = Read("0\n90,0,80,10,70,20\n91,1,81,11,71,21\n"
                                   "180\n60,40,50,50,40,60\n61,41,51,51,41,61\n",
                                   3, 3, 2);
    EXPECT_EQ(b.GetAngles(), (std::vector<double>{0.0, 180.0, 360.0}));
    // Row 1 keeps its own middle column and takes row 0's poles.
    ExpectCells(b, {{1, 1, 0, 50, 50}, {1, 1, 1, 51, 51}, {1, 0, 0, 90, 0},
                    {1, 2, 0, 70, 20}, {1, 0, 1, 91, 1},  {1, 2, 1, 71, 21}});
    // The 360-degree row repeats row 0.
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(b.GetCell(2, j, k).re, b.GetCell(0, j, k).re);
            EXPECT_EQ(b.GetCell(2, j, k).im, b.GetCell(0, j, k).im);
        }
    }
}

TEST(BalloonElement, ShortLongAndMissingFrequencyLines)
{
    // Fewer pairs than columns; a level without its phase; more pairs than
    // columns (never stored past the row).
    const CBalloonElement b = Read("0\n-3.5,10\n-6,20,-12,45,-20\n1,1,2,2,3,3,4,4,5,5\n"
                                   "90\n7,7,8,8,9,9\n\n6,6,6,6,6,6,6,6\n",
                                   3, 3, 3);
    ExpectCells(b, {{0, 0, 0, -3.5, 10}, {0, 1, 1, -12, 45}, {0, 2, 2, 3, 3}, {1, 1, 0, 8, 8}, {1, 1, 2, 6, 6}});
    EXPECT_EQ(b.GetCell(0, 1, 0).re, 0.0);
    EXPECT_EQ(b.GetCell(0, 1, 0).im, 0.0);
    EXPECT_EQ(b.GetCell(0, 2, 1).re, 0.0);
    EXPECT_EQ(b.GetCell(1, 1, 1).re, 0.0);

    // The end of the file leaves zeros and still succeeds.
    const CBalloonElement e = Read("45\n80,0\n", 3, 1, 2);
    EXPECT_EQ(e.GetAngles(), (std::vector<double>{45.0, 0.0, 360.0}));
    ExpectCells(e, {{0, 0, 0, 80, 0}});
    EXPECT_EQ(e.GetCell(1, 0, 1).re, 0.0);
}

TEST(BalloonElement, ProgressPumpsPerRowAndStepsPerLine)
{
    CRecordingProgress progress;
    progress.stopAfterPumps = 0;  // Stop is not looked at while reading
    progress.m_nStepCounter = 5;
    const CBalloonElement b = Read("0\n1,0\n2,0\n120\n3,0\n4,0\n240\n5,0\n6,0\n", 4, 1, 2, &progress);
    EXPECT_EQ(progress.pumpCount, 3);
    EXPECT_EQ(progress.positions, (std::vector<int>{5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(progress.m_nStepCounter, 11);
    EXPECT_EQ(b.GetAngles(), (std::vector<double>{0.0, 120.0, 240.0, 360.0}));
    // A single column is a pole: every row carries row 0's value.
    ExpectCells(b, {{2, 0, 1, 2, 0}});
}

TEST(BalloonElement, FindAngleBracketNearTheClosingRow)
{
    CBalloonElement b;
    b.SetDimensions(5, 1, 1);
    b.GetAngles() = {0, 90, 180, 270, 360};
    double lo = 0, hi = 0;
    int iLo = -1, iHi = -1;
    EXPECT_TRUE(b.FindAngleBracket(359.999995, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 4);
    EXPECT_EQ(iHi, 4);
    EXPECT_EQ(lo, 360.0);
    EXPECT_FALSE(b.FindAngleBracket(300, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 3);
    EXPECT_EQ(iHi, 4);

    CBalloonElement empty;
    EXPECT_FALSE(empty.FindAngleBracket(10, lo, hi, iLo, iHi));
    EXPECT_EQ(iLo, 0);
    EXPECT_EQ(iHi, 0);
}

TEST(BalloonElement, RecordsOfTheArray)
{
    CBalloonElementArray balloons(2);
    for (CBalloonElement& b : balloons)
        b.SetDimensions(2, 1, 1);
    balloons[0].GetAngles() = {0, 360};
    balloons[1].GetAngles() = {5, 6};
    balloons[0].GetCell(0, 0, 0) = CSPComplex(1.5, -2.0);
    balloons[1].GetCell(1, 0, 0) = CSPComplex(3.0, 4.0);

    CArchive out;
    balloons.Serialize(out);
    const std::vector<BYTE> expected =
        CGolden().D(0).D(360).D(1.5).D(-2.0).D(0).D(0).D(0).D(0).D(3.0).D(4.0).bytes;
    EXPECT_EQ(out.Buffer(), expected);
    // Storing also makes every balloon's angles element 0's.
    EXPECT_EQ(balloons[1].GetAngles(), (std::vector<double>{0, 360}));

    CArchive in(expected);
    CBalloonElementArray back(2);
    for (CBalloonElement& b : back)
        b.SetDimensions(2, 1, 1);
    back.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back[1].GetAngles(), (std::vector<double>{0, 360}));
    EXPECT_EQ(back[0].GetCell(0, 0, 0).im, -2.0);
    EXPECT_EQ(back[1].GetCell(1, 0, 0).re, 3.0);

    // A cell record cut short is refused.
    CArchive shortIn(CGolden().D(1).D(2).D(3).bytes);
    CBalloonElement b;
    b.SetDimensions(2, 1, 1);
    EXPECT_THROW(b.SerializeData(shortIn), CArchiveException);
}
