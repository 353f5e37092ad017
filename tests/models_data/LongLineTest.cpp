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

// The largest single allocation made while f runs.
template <class F>
std::size_t LargestAllocation(F f)
{
    g_nLargest = 0;
    g_bTracking = true;
    f();
    g_bTracking = false;
    return g_nLargest;
}

const std::size_t kCommas = 1000000;

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

TEST(LongLines, PolarAngleLineOfCommas)
{
    CStdioFile f;
    f.OpenText(std::string(kCommas, ',') + "5,10\n");
    CSpeakerDataHeader h;
    h.SetPolarAngles({0, 0});
    BOOL ok = 0;
    const std::size_t largest = LargestAllocation([&] { ok = h.ReadValues(f); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(h.GetPolarAngles(), (std::vector<double>{5, 10}));
    EXPECT_LT(largest, 4 * kCommas);
}

TEST(LongLines, TapLineOfCommas)
{
    CStdioFile f;
    f.OpenText("l,8,60" + std::string(kCommas, ',') + "\n");
    CSpeakerTapTable t;
    t.SetTapCount(1);
    BOOL ok = 0;
    const std::size_t largest = LargestAllocation([&] { ok = t.ReadFromFile(f); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(t.GetPower(0), 60.0);
    EXPECT_EQ(t.GetFactor(0), 0.0);
    EXPECT_LT(largest, 4 * kCommas);
}

TEST(LongLines, BalloonLineOfCommas)
{
    CStdioFile f;
    f.OpenText("0\n80,10" + std::string(kCommas, ',') + "\n");
    CBalloonElement b;
    b.SetDimensions(2, 3, 1);
    BOOL ok = 0;
    const std::size_t largest = LargestAllocation([&] { ok = b.ReadText(f, nullptr); });
    EXPECT_TRUE(ok);
    EXPECT_NEAR(b.GetCell(1, 0, 0).GetLevel(), 80.0, 1e-9);
    EXPECT_NEAR(b.GetCell(1, 0, 0).GetPhase(), 10.0, 1e-9);
    // The empty pieces that follow read as 0 dB at 0 degrees.
    EXPECT_NEAR(b.GetCell(0, 1, 0).GetLevel(), 0.0, 1e-9);
    EXPECT_LT(largest, 4 * kCommas);
}
