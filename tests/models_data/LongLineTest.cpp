// Import lines of any length are read in place: a hostile line of a million
// commas costs no allocation beyond the line itself.

#include "models/BalloonElement.h"
#include "models/SpeakerDataHeader.h"
#include "models/SpeakerTapTable.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {

bool g_bTracking = false;
std::size_t g_nLargest = 0;
const std::size_t kCommas = 1000000;

// Runs read over a file of the given text and checks that no single
// allocation made meanwhile comes near the size of the commas.
template <class F>
void ExpectReadInPlace(const std::string& text, F read)
{
    CStdioFile f;
    f.OpenText(text);
    g_nLargest = 0;
    g_bTracking = true;
    const BOOL ok = read(f);
    g_bTracking = false;
    EXPECT_TRUE(ok);
    EXPECT_LT(g_nLargest, 4 * kCommas);
}

}  // namespace

void* operator new(std::size_t n)
{
    if (g_bTracking && n > g_nLargest)
        g_nLargest = n;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST(LongLines, LinesOfCommasAreReadInPlace)
{
    const std::string commas(kCommas, ',');

    CSpeakerDataHeader h;
    h.SetPolarAngles({0, 0});
    ExpectReadInPlace(commas + "5,10\n", [&](CStdioFile& f) { return h.ReadValues(f); });
    EXPECT_EQ(h.GetPolarAngles(), (std::vector<double>{5, 10}));

    CSpeakerTapTable t;
    t.SetTapCount(1);
    ExpectReadInPlace("l,8,60" + commas + "\n", [&](CStdioFile& f) { return t.ReadFromFile(f); });
    EXPECT_EQ(t.GetPower(0), 60.0);
    EXPECT_EQ(t.GetFactor(0), 0.0);

    CBalloonElement b;
    b.SetDimensions(2, 3, 1);
    ExpectReadInPlace("0\n80,10" + commas + "\n", [&](CStdioFile& f) { return b.ReadText(f, nullptr); });
    EXPECT_NEAR(b.GetCell(1, 0, 0).GetLevel(), 80.0, 1e-9);
    EXPECT_NEAR(b.GetCell(1, 0, 0).GetPhase(), 10.0, 1e-9);
    // The empty pieces that follow read as 0 dB at 0 degrees.
    EXPECT_NEAR(b.GetCell(0, 1, 0).GetLevel(), 0.0, 1e-9);
}
