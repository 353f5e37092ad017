// The memory a project file can make the model loader hold: crafted small
// files of the layout before 2.0 must never make it ask for more than a small
// multiple of their own size. Every allocation of this test program goes
// through the counting operator new below.
#include "ModelTestData.h"

#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// While counting, the live and the peak bytes allocated since counting began;
// an allocation that would pass the limit fails as running out of memory
// does, so that a loader without bounds fails fast instead of taking the
// machine's memory.
std::atomic<bool> g_counting{false};
std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};
std::size_t g_limit = 0;

// Each block carries its size and whether it was counted in front of it.
constexpr std::size_t kHeader = 16;

void* Allocate(std::size_t n)
{
    const bool counted = g_counting.load();
    if (counted) {
        const std::size_t now = g_live += n;
        if (now > g_limit) {
            g_live -= n;
            throw std::bad_alloc();
        }
        std::size_t peak = g_peak.load();
        while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
        }
    }
    auto* block = static_cast<unsigned char*>(std::malloc(n + kHeader));
    if (block == nullptr) {
        if (counted)
            g_live -= n;
        throw std::bad_alloc();
    }
    reinterpret_cast<std::size_t*>(block)[0] = n;
    reinterpret_cast<std::size_t*>(block)[1] = counted ? 1 : 0;
    return block + kHeader;
}

void Release(void* p) noexcept
{
    if (p == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    if (reinterpret_cast<std::size_t*>(block)[1] != 0)
        g_live -= reinterpret_cast<std::size_t*>(block)[0];
    std::free(block);
}

// Runs load with counting on and returns the peak bytes it held.
template <class Load>
std::size_t PeakBytesOf(Load load)
{
    g_live = 0;
    g_peak = 0;
    g_limit = 64u << 20;
    g_counting = true;
    try {
        load();
    } catch (...) {
        g_counting = false;
        throw;
    }
    g_counting = false;
    return g_peak.load();
}

}  // namespace

void* operator new(std::size_t n)
{
    return Allocate(n);
}

void operator delete(void* p) noexcept
{
    Release(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}

namespace {

using namespace modeltest;

constexpr DWORD kVersion142 = 0x01040200;

// The record of a model without modules in the layout before 2.0 (after the
// 30-byte summary), on a grid of rows x polar angles x frequencies; a
// cabinet kind carries its unit descriptions.
std::vector<BYTE> ModelWithoutModules(int typeCode, unsigned units, unsigned rows, unsigned polars,
                                      unsigned frequencies)
{
    CGolden r;
    r.W(static_cast<std::uint16_t>(typeCode));
    r.W(0).W(0).W(0);  // module counts
    r.W(0).W(0).W(0);  // reserved words of the tap table
    r.S("Empty").S("");
    for (unsigned u = 0; u < units; ++u)
        r.S("U").D(0.0).D(0.1).D(0.0);
    r.D(1.0).W(static_cast<std::uint16_t>(polars)).W(static_cast<std::uint16_t>(rows));
    r.W(static_cast<std::uint16_t>(frequencies)).D(24.0).D(20.0).D(20000.0).W(0);
    r.W(0);  // current tap, no taps
    for (unsigned j = 0; j < polars; ++j)
        r.D(180.0 * j / (polars - 1));
    for (unsigned i = 0; i < rows; ++i)
        r.D(360.0 * i / (rows - 1));
    for (unsigned k = 0; k < frequencies; ++k)
        r.D(100.0 + k);
    return r.bytes;
}

// A container of count such models, each with its summary and its second
// copy, followed by padding bytes that no record reads.
std::vector<BYTE> OldContainer(const std::vector<BYTE>& model, unsigned count, std::size_t padding)
{
    CGolden b;
    b.W(0).W(static_cast<std::uint16_t>(count));
    for (unsigned i = 0; i < count; ++i) {
        b.W(3).W(3).D(24.0).D(20.0).D(20000.0).W(0);
        b.Append(model).Append(model);
    }
    b.bytes.resize(b.bytes.size() + padding, 0);
    return b.bytes;
}

TEST(LoadMemoryTest, AnOldFileNeverMakesTheLoaderHoldMoreThanASmallMultipleOfItsSize)
{
    struct Case {
        const char* what;
        std::vector<BYTE> file;
    };
    const Case cases[] = {
        // Four balloons of 16 Mi cells announced by a file of 13 KB whose
        // model has no modules, and so carries no cells.
        {"four large balloons", OldContainer(ModelWithoutModules(4, 4, 256, 256, 256), 1, 0)},
        // Sixty-four models without modules, each announcing a balloon as
        // large as the bytes that no record reads at the end of the file.
        {"many models each within what is left",
         OldContainer(ModelWithoutModules(3, 0, 32, 16, 64), 64, 512u << 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CArchive in(c.file);
        CSpeakerModelContainer container;
        bool refused = false;
        bool outOfMemory = false;
        const std::size_t peak = PeakBytesOf([&] {
            try {
                container.Serialize(in, 0, kVersion142);
            } catch (const CArchiveException& e) {
                refused = e.m_cause == CArchiveException::badSchema;
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
            }
        });
        EXPECT_FALSE(outOfMemory) << "the load asked for more than 64 MiB";
        EXPECT_TRUE(refused);
        EXPECT_EQ(container.GetCount(), 0);
        EXPECT_LE(peak, 8 * c.file.size() + (1u << 20)) << "file of " << c.file.size() << " bytes";
    }
}

TEST(LoadMemoryTest, AnOldModelWithoutModulesWhoseGridFitsStillLoads)
{
    // A grid of 2 x 3 x 4 cells (384 bytes, not in the file) is held for the
    // one balloon; what is left of the file covers both copies.
    const std::vector<BYTE> file = OldContainer(ModelWithoutModules(3, 0, 2, 3, 4), 1, 1024);
    CArchive in(file);
    CSpeakerModelContainer container;
    container.Serialize(in, 0, kVersion142);
    ASSERT_EQ(container.GetCount(), 1);
    EXPECT_EQ(container.GetAt(0)->GetElementCount(), 0);
    EXPECT_EQ(container.GetAt(0)->GetBalloons()[0].GetCells().size(), 24u);
    EXPECT_EQ(in.Remaining(), 1024u);
}

}  // namespace
