// The memory a project file can make the loader hold: crafted small files
// must never make it ask for more than a small multiple of their own size.
// Every allocation of this test program goes through the counting operator
// new.
#include "ModelTestData.h"
#include "support/AllocationCounter.h"
#include "document/ProjectFileBuilders.h"

#include "document/KDRDoc.h"
#include "models/LV3Model.h"
#include "models/SpeakerDataLimits.h"
#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

KADREL_COUNTING_OPERATOR_NEW()

namespace {

// Runs load with counting on and returns the peak bytes it held; past
// 64 MiB an allocation fails as running out of memory does.
template <class Load>
std::size_t PeakBytesOf(Load load)
{
    return allocationcounter::PeakBytesOf(load, 64u << 20);
}

using namespace modeltest;

constexpr DWORD kVersion142 = 0x01040200;

// The grid of a model: meridian rows x polar angles x frequencies.
struct Grid {
    unsigned rows;
    unsigned polars;
    unsigned frequencies;
    std::uint64_t Cells() const { return std::uint64_t{rows} * polars * frequencies; }
};

// The record of a model without modules (after the 30-byte summary of the
// old layout); a cabinet kind carries its unit descriptions. In the layout
// before 2.0 it carries no cells; in the current one (current true) each of
// its balloons (one per unit, at least one) carries the cells of its grid,
// all zero.
std::vector<BYTE> ModelWithoutModules(int typeCode, unsigned units, Grid g, bool current = false)
{
    CGolden r;
    r.W(static_cast<std::uint16_t>(typeCode));
    r.W(0).W(0).W(0);  // module counts
    r.W(0).W(0).W(0);  // reserved words of the tap table
    r.S("Empty").S("");
    for (unsigned u = 0; u < units; ++u)
        r.S("U").D(0.0).D(0.1).D(0.0);
    r.D(1.0).W(static_cast<std::uint16_t>(g.polars)).W(static_cast<std::uint16_t>(g.rows));
    r.W(static_cast<std::uint16_t>(g.frequencies)).D(24.0).D(20.0).D(20000.0).W(0);
    r.W(0);  // current tap, no taps
    for (unsigned j = 0; j < g.polars; ++j)
        r.D(180.0 * j / (g.polars - 1));
    for (unsigned i = 0; i < g.rows; ++i)
        r.D(360.0 * i / (g.rows - 1));
    if (current)
        r.bytes.resize(r.bytes.size() + std::max(units, 1u) * g.Cells() * 16, 0);
    for (unsigned k = 0; k < g.frequencies; ++k)
        r.D(100.0 + k);
    return r.bytes;
}

// A container of count such models in the old layout, each with its summary
// and its second copy, followed by padding bytes that no record reads.
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

// How a container load of an old file ended, and the peak bytes it held.
struct OldLoad {
    bool refused = false;
    bool outOfMemory = false;
    std::size_t peak = 0;
    std::string reason;  // told to the user with a refusal
};

OldLoad LoadOld(const std::vector<BYTE>& file, CSpeakerModelContainer& container)
{
    CArchive in(file);
    OldLoad result;
    result.peak = PeakBytesOf([&] {
        try {
            container.Serialize(in, 0, kVersion142);
        } catch (const CArchiveException& e) {
            result.refused = e.m_cause == CArchiveException::badSchema;
            result.reason = e.m_bExplainsToUser ? e.what() : "";
        } catch (const std::bad_alloc&) {
            result.outOfMemory = true;
        }
    });
    return result;
}

std::size_t Bound(std::size_t fileSize)
{
    return 8 * fileSize + (1u << 20);
}

std::vector<BYTE> Stored(CSpeakerModelContainer& container)
{
    CArchive out;
    container.Serialize(out, 0, CSpeakerModel::kVersion200);
    return out.TakeBuffer();
}

TEST(LoadMemoryTest, AnOldFileNeverMakesTheLoaderHoldMoreThanASmallMultipleOfItsSize)
{
    struct Case {
        const char* what;
        std::vector<BYTE> file;
        int models;  // what the load keeps; -1 when it is refused
    };
    const Case cases[] = {
        // Four balloons of 16 Mi cells announced by a file of 13 KB whose
        // model has no modules, and so carries no cells: 1 GiB that a save
        // would have to write out.
        {"four large balloons", OldContainer(ModelWithoutModules(4, 4, {256, 256, 256}), 1, 0), -1},
        // Sixty-four models without modules, each announcing a balloon of
        // half the bytes that no record reads at the end of the file, all of
        // them within what a file may imply; none of those balloons is held.
        {"many models each within what is left", OldContainer(ModelWithoutModules(3, 0, {16, 16, 64}), 64, 512u << 10),
         64},
        // Four times as large, they imply more than a save may write.
        {"many models beyond what a file may imply",
         OldContainer(ModelWithoutModules(3, 0, {64, 16, 64}), 64, 512u << 10), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSpeakerModelContainer container;
        const OldLoad load = LoadOld(c.file, container);
        EXPECT_FALSE(load.outOfMemory) << "the load asked for more than 64 MiB";
        EXPECT_EQ(load.refused, c.models < 0);
        EXPECT_EQ(container.GetCount(), std::max(c.models, 0));
        EXPECT_LE(load.peak, Bound(c.file.size())) << "file of " << c.file.size() << " bytes";
    }
}

TEST(LoadMemoryTest, AnOldArrayModelWithoutModulesOpensWithNoCellsForItsGrid)
{
    // A TypeS column without modules on a 25 x 37 x 30 grid: 444,000 bytes
    // of cells that an old file never carries, where only the file's end
    // follows the model.
    const Grid grid{25, 37, 30};
    const std::vector<BYTE> file = OldContainer(ModelWithoutModules(3, 0, grid), 1, 0);
    CSpeakerModelContainer container;
    const OldLoad load = LoadOld(file, container);
    EXPECT_FALSE(load.refused);
    ASSERT_EQ(container.GetCount(), 1);
    const CSpeakerModel& model = *container.GetAt(0);
    EXPECT_EQ(model.GetElementCount(), 0);
    ASSERT_EQ(model.GetBalloons().size(), 1u);
    const CBalloonElement& balloon = model.GetBalloons()[0];
    EXPECT_EQ(balloon.GetRowCount(), 25u);
    EXPECT_EQ(balloon.GetColumnCount(), 37u);
    EXPECT_EQ(balloon.GetFrequencyCount(), 30u);
    EXPECT_EQ(balloon.GetAngles().size(), 25u);
    EXPECT_TRUE(balloon.GetCells().empty());
    EXPECT_LE(load.peak, Bound(file.size())) << "file of " << file.size() << " bytes";

    // Saved, the grid is written out as zero cells, as the current layout
    // wants them; that file loads with the cells and saves the same bytes.
    CGolden saved;
    saved.W(0).W(1).Append(ModelWithoutModules(3, 0, grid, true));
    const std::vector<BYTE> bytes = Stored(container);
    EXPECT_EQ(bytes, saved.bytes);
    CArchive in(bytes);
    CSpeakerModelContainer again;
    again.Serialize(in, 0, CSpeakerModel::kVersion200);
    ASSERT_EQ(again.GetCount(), 1);
    EXPECT_EQ(again.GetAt(0)->GetBalloons()[0].GetCells().size(), grid.Cells());
    EXPECT_EQ(Stored(again), saved.bytes);

    // The same model in a whole old project opens it.
    Bytes models;
    models.b = file;
    const Bytes project = OldFile("Version 1.4.2", V142, models);
    CArchive projectIn(project.b);
    CKDRDoc doc;
    doc.m_bOldFormat = TRUE;
    doc.Serialize(projectIn);
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_TRUE(doc.m_models.GetAt(0)->GetBalloons()[0].GetCells().empty());
    EXPECT_EQ(doc.m_installations.GetCount(), 1);
}

TEST(LoadMemoryTest, ModulesGivenToAModelWithoutCellsAddNothing)
{
    // An LV-3 loaded without modules from an old file; modules added later
    // take the balloon that holds no cells: they add nothing at a data
    // frequency, as zero cells would, and the save still writes zero cells.
    const Grid grid{3, 3, 4};
    const std::vector<BYTE> file = OldContainer(ModelWithoutModules(5, 0, grid), 1, 0);
    CSpeakerModelContainer container;
    ASSERT_FALSE(LoadOld(file, container).refused);
    ASSERT_EQ(container.GetCount(), 1);
    auto* lv = dynamic_cast<CLV3Model*>(container.GetAt(0));
    ASSERT_NE(lv, nullptr);
    lv->SetModuleCounts(0, 2, 2);
    ASSERT_EQ(lv->GetElements().size(), 4u);
    EXPECT_TRUE(lv->GetBalloons()[0].GetCells().empty());
    CSPComplex p(0.25, -0.5);
    EXPECT_EQ(lv->CalcPressure(p, CPoint3D(2, 1, 0.5), CPoint3D(0, 0, 2), CPoint3D(0, 0, 0), 101.0, 3.0, false, 10.0,
                               24.0, true, 0),
              0);
    EXPECT_EQ(p.re, 0.25);
    EXPECT_EQ(p.im, -0.5);

    const std::vector<BYTE> bytes = Stored(container);
    CArchive in(bytes);
    CSpeakerModelContainer again;
    again.Serialize(in, 0, CSpeakerModel::kVersion200);
    ASSERT_EQ(again.GetCount(), 1);
    const CBalloonElement& balloon = again.GetAt(0)->GetBalloons()[0];
    ASSERT_EQ(balloon.GetCells().size(), grid.Cells());
    for (const CSPComplex& c : balloon.GetCells()) {
        EXPECT_EQ(c.re, 0.0);
        EXPECT_EQ(c.im, 0.0);
    }
    EXPECT_EQ(Stored(again), bytes);
}

TEST(LoadMemoryTest, AnOldModelWithoutModulesWhoseGridFitsSavesAsBefore)
{
    // Four cabinet units on a grid of 2 x 3 x 4 cells: the bytes left at the
    // end hold all their cells twice (1536 bytes for each copy), so this
    // loaded before as well; the save writes the zero cells of every unit.
    const Grid grid{2, 3, 4};
    const std::vector<BYTE> file = OldContainer(ModelWithoutModules(4, 4, grid), 1, 4096);
    CArchive in(file);
    CSpeakerModelContainer container;
    container.Serialize(in, 0, kVersion142);
    ASSERT_EQ(container.GetCount(), 1);
    EXPECT_EQ(container.GetAt(0)->GetElementCount(), 0);
    EXPECT_EQ(in.Remaining(), 4096u);
    CGolden saved;
    saved.W(0).W(1).Append(ModelWithoutModules(4, 4, grid, true));
    EXPECT_EQ(Stored(container), saved.bytes);
}

TEST(LoadMemoryTest, TheCellsThatOldModelsImplyAreAddedUpAcrossModels)
{
    // Each record of a model without modules implies a grid of a little over
    // a quarter of what the implied cells of a whole file may come to (its
    // dropped second copy does not count): three records fit, the fourth
    // does not, though each on its own is far within the bound; nor do the
    // four balloons of one cabinet model; the refusal says why.
    const Grid grid{128, 128, 33};
    static_assert(3 * std::uint64_t{128 * 128 * 33} <= SpeakerDataLimits::kMaxImpliedCells);
    static_assert(4 * std::uint64_t{128 * 128 * 33} > SpeakerDataLimits::kMaxImpliedCells);
    const std::vector<BYTE> model = ModelWithoutModules(3, 0, grid);
    struct Case {
        unsigned models;
        bool refused;
        std::vector<BYTE> model;
    };
    for (const Case& c : {Case{3, false, model}, Case{4, true, model}, Case{12, true, model},
                          Case{1, true, ModelWithoutModules(4, 4, grid)}}) {
        SCOPED_TRACE(c.models);
        const std::vector<BYTE> file = OldContainer(c.model, c.models, 0);
        CSpeakerModelContainer container;
        const OldLoad load = LoadOld(file, container);
        EXPECT_EQ(load.refused, c.refused);
        EXPECT_EQ(load.reason, c.refused ? "The project file holds speaker models whose directivity data together "
                                           "are larger than a project may hold." : "");
        EXPECT_EQ(container.GetCount(), c.refused ? 0 : static_cast<int>(c.models));
        EXPECT_LE(load.peak, Bound(file.size())) << "file of " << file.size() << " bytes";
    }
}

// Files far larger than the loader may hold (sparse: they take no disk) are
// refused unread: no project by their first bytes, a project as too large.
// A project of more bytes than the computer has pages, far below its
// memory, opens.
TEST(LoadMemoryTest, AHugeFileIsRefusedWithoutReadingIt)
{
    const std::uint64_t pages = std::uint64_t(::sysconf(_SC_PHYS_PAGES));
    const std::uint64_t memory = pages * std::uint64_t(::sysconf(_SC_PAGESIZE));
    const std::vector<BYTE> project = CurrentFile(V200).b;
    const std::string tooLarge = "\": the file is too large to hold in memory.";
    const std::tuple<const char*, std::string, std::uint64_t, std::string> cases[] = {
        {"zeros.zkdr", "", 2ull << 30, "Unexpected file format."},
        {"zeros.kdr", "", 2ull << 30, "Not available file."},
        {"large.zkdr", "ZAVKDRDoc", 2ull << 30, tooLarge},           // more than may be allocated here
        {"huge.kdr", "\x0dVersion 1.4.2", memory + 1, tooLarge},  // more than the computer has
        {"padded.zkdr", std::string(project.begin(), project.end()), pages + 1, ""},
    };
    for (const auto& [name, head, size, told] : cases) {
        const std::string path = std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name);
        std::ofstream(path) << head;
        std::filesystem::resize_file(path, size);
        RecordingMessages messages;
        CKDRDoc doc;
        bool opened = false;
        const auto open = [&] { opened = doc.OnOpenDocument(path); };
        if (told.empty())
            open();  // the whole file is read
        else
            EXPECT_LT(PeakBytesOf(open), 1u << 20) << name;
        std::filesystem::remove(path);
        EXPECT_EQ(opened, told.empty()) << name;
        ASSERT_EQ(messages.shown.size(), told.empty() ? 0u : 1u);
        for (const auto& [text, type] : messages.shown)
            EXPECT_EQ(text, told == tooLarge ? "Failed to open document.\nCannot read \"" + path + told : told);
    }
}

TEST(LoadMemoryTest, ManyEmptyCurvesHoldASmallMultipleOfTheirRecords)
{
    // Two graphs of 65535 curves each, all but one empty: seven bytes a
    // curve in the file.
    CKDRDoc made;
    made.m_bOpenedFromFile = TRUE;
    for (int g = 0; g < 2; ++g) {
        CSoundGraphDataList graph;
        graph.Init(1, 0, 20, 50, 20000, 120, 1000, 10);
        for (int c = 1; c < 0xFFFF; ++c) {
            CSoundGraphData empty;
            graph.Append(empty);
        }
        made.m_soundGraphConditions.Add(-1, 0, 0, 0, 0, 1.0, 1.0, graph);
    }
    CArchive out;
    made.Serialize(out);
    const std::vector<BYTE> file = out.TakeBuffer();

    CKDRDoc doc;
    CArchive in(file);
    const std::size_t peak = PeakBytesOf([&] { doc.Serialize(in); });
    ASSERT_EQ(doc.m_soundGraphConditions.GetCount(), 2);
    EXPECT_EQ(doc.m_soundGraphConditions.GetGraph(1).GetCurveCount(), 0xFFFF);
    EXPECT_LE(peak, Bound(file.size())) << "file of " << file.size() << " bytes";
    CArchive again;
    doc.Serialize(again);
    EXPECT_EQ(again.Buffer(), file);
}

}  // namespace
