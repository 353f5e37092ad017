// The model record and the container record in the project file: bytes as
// written, reloading in every accepted version, and broken records.
#include "ModelTestData.h"

#include "models/StdSPModel.h"
#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace {

using namespace modeltest;

// The record of the tiny standard speaker as the given file version lays
// it out, built field by field from the model's values.
std::vector<BYTE> TinyRecord(const CSpeakerModel& m, DWORD version, bool withTypeCode = true, double share = 1.0,
                             double x = 0.0)
{
    const bool hasSuffix = version != 0x01000000 && version != 0x01030000;
    const bool hasFactor = hasSuffix;
    const bool before200 = version < 0x02000000;
    const CSpeakerDataHeader& h = m.GetHeader();
    const CBalloonElement& balloon = m.GetBalloons()[0];
    CGolden r;
    if (withTypeCode)
        r.W(static_cast<unsigned>(m.GetTypeCode()));
    r.W(0).W(0).W(0);                 // reserved words of the tap table
    r.D(0.0).D(0.0).D(0.0);           // aim angles
    r.S("Tiny");
    if (hasSuffix)
        r.S("");
    r.D(share).D(x).D(0.0).D(0.0);  // share, position
    r.D(1.0).W(3).W(3).W(h.GetFrequencyCount()).D(3.0).D(1000.0).D(2000.0).W(1);
    r.W(0).W(0).D(100.0).D(10.0);   // current tap; line tap 100 V, 10 W
    if (hasFactor)
        r.D(1.0);
    r.D(0.0).D(90.0).D(180.0);        // polar angles
    r.D(0.0).D(180.0).D(360.0);       // meridian angles
    CGolden cells;
    for (const CSPComplex& c : balloon.GetCells())
        cells.D(c.re).D(c.im);
    if (!before200)
        r.Append(cells.bytes);
    for (double f : h.GetFrequencies())
        r.D(f);
    if (before200)
        r.Append(cells.bytes);
    return r.bytes;
}

class ModelRecordVersionTest : public ::testing::TestWithParam<DWORD> {};

TEST_P(ModelRecordVersionTest, StoredFieldByFieldAndEveryAcceptedVersionLoads)
{
    const DWORD version = GetParam();
    const auto model = Imported(TinyZsb(0, "90,10", "80,-20", "66,100"));
    // Whatever version the caller names, storing writes the current layout.
    CArchive out;
    model->Serialize(out, version);
    EXPECT_EQ(out.Buffer(), TinyRecord(*model, 0x02000000));

    CArchive in(TinyRecord(*model, version));
    const auto loaded = CSpeakerModel::CreateFromArchive(in, version);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded->GetTypeCode(), 0);
    EXPECT_EQ(loaded->GetName(), "Tiny");
    EXPECT_EQ(loaded->GetTapFactor(0), 1.0);
    EXPECT_EQ(loaded->GetTapTable().GetElementCount(), 1u);
    EXPECT_EQ(loaded->GetPlacements()[0].GetAxis().GetName(), "Tiny");
    EXPECT_EQ(loaded->GetBalloons()[0].GetCells().size(), model->GetBalloons()[0].GetCells().size());
    const double f = model->GetHeader().GetFrequency(2);
    for (const CPoint3D& point : {CPoint3D(3, 1, -1), CPoint3D(-2, 0.5, 0.2), CPoint3D(0.1, 4, 2)}) {
        CSPComplex a;
        CSPComplex b;
        model->CalcPressure(a, point, CPoint3D(0, 0, 1), CPoint3D(10, 5, 20), f, 3, false, 2, 3, true, 0);
        loaded->CalcPressure(b, point, CPoint3D(0, 0, 1), CPoint3D(10, 5, 20), f, 3, false, 2, 3, true, 0);
        EXPECT_EQ(a.re, b.re);
        EXPECT_EQ(a.im, b.im);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, ModelRecordVersionTest,
                         ::testing::Values(0x01000000u, 0x01030000u, 0x01040000u, 0x01040100u, 0x01040200u,
                                           0x02000000u),
                         // The version as its hex digits, e.g. "V01040200".
                         [](const ::testing::TestParamInfo<DWORD>& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "V%08X", static_cast<unsigned>(info.param));
                             return std::string(name);
                         });

TEST(ModelRecordTest, ImportSaveLoadGivesTheSamePressureToTheLastBit)
{
    for (int type : {0, 1}) {
        ZsbRecipe recipe;
        recipe.typeCode = type;
        recipe.name = "Round Trip";
        recipe.pitch = 6;
        recipe.lowest = 100.0;
        recipe.highest = 12000.0;
        recipe.meridianStep = 30.0;
        recipe.polarStep = 10.0;
        recipe.taps = {ZsbTap{'h', 100.0, 6.0}, ZsbTap{'h', 70.7, 3.0}};
        recipe.units.resize(1);
        recipe.units[0].ellipticity = 0.3;
        for (int unit : {0, 1}) {
            SCOPED_TRACE(type * 10 + unit);
            const auto model = Imported(MakeZsbText(recipe), unit);
            model->SetCurrentTap(1);
            const auto loaded = SaveAndLoad(*model);
            ASSERT_NE(loaded, nullptr);
            loaded->SetUnitFlag(unit);
            EXPECT_EQ(loaded->GetCurrentTap(), 1);
            EXPECT_EQ(loaded->GetName(), "Round Trip");
            const CPoint3D position(1.0, 2.0, 2.7);
            const CPoint3D angles(15.0, 5.0, 60.0);
            for (int k : {0, 7, 20}) {
                const double f = model->GetHeader().GetFrequency(k);
                for (const CPoint3D& point : {CPoint3D(4, 3, 0), CPoint3D(-1, 2.2, 1.2), CPoint3D(1, 2, 0),
                                              CPoint3D(7.5, -3, 1.7), CPoint3D(1.3, 2.4, 2.6)}) {
                    for (bool reflection : {false, true}) {
                        CSPComplex a(0.125, 0.0);
                        CSPComplex b(0.125, 0.0);
                        ASSERT_EQ(model->CalcPressure(a, point, position, angles, f, 3.0, unit == 1, 5.0, 6.0,
                                                      reflection, unit),
                                  0);
                        ASSERT_EQ(loaded->CalcPressure(b, point, position, angles, f, 3.0, unit == 1, 5.0, 6.0,
                                                       reflection, unit),
                                  0);
                        EXPECT_EQ(a.re, b.re);
                        EXPECT_EQ(a.im, b.im);
                    }
                }
            }
        }
    }
}

TEST(ModelRecordTest, OldFilesKeepTheLastBalloonReadBySharingElements)
{
    // Before 2.0 the cells follow once per element; a standard speaker has
    // one element, so the cells after the frequencies are its balloon.
    const auto model = Imported(TinyZsb(0));
    std::vector<BYTE> bytes = TinyRecord(*model, 0x01040000);
    // Change the first cell in the trailing element record.
    const std::size_t cellsAt = bytes.size() - model->GetBalloons()[0].GetCells().size() * 16;
    const double re = 0.75;
    std::memcpy(&bytes[cellsAt], &re, 8);
    CArchive in(bytes);
    const auto loaded = CSpeakerModel::CreateFromArchive(in, 0x01040000);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetBalloons()[0].GetCells()[0].re, 0.75);
}

TEST(ModelRecordTest, OldFilesCarryOneCellRecordPerBuiltElement)
{
    // A TypeT column whose first count line is 1 keeps that centre module
    // but builds only its eight lower elements: an old file carries eight
    // element records, not nine.
    ZsbRecipe recipe = SmallRecipe(2, 250.0, 4000.0, 60.0);
    recipe.countLines = {1, 0, 8};
    recipe.axes.clear();
    for (int i = 0; i < 8; ++i)
        recipe.axes.push_back(ZsbAxis{"T", 0.125, 0.06, 0.0, 0.125});
    recipe.units.resize(1);
    const auto model = Imported(MakeZsbText(recipe));
    ASSERT_EQ(model->GetTapTable().GetElementCount(), 9u);
    ASSERT_EQ(model->GetElements().size(), 8u);

    // The 2.0 record ends with the meridian angles, the cells and the
    // frequencies; the 1.4 record has the frequencies first and then the
    // cells once per element.
    CArchive out;
    model->Serialize(out, 0x02000000);
    const std::vector<BYTE> now = out.Buffer();
    const CSpeakerDataHeader& h = model->GetHeader();
    const std::size_t cellBytes = model->GetBalloons()[0].GetCells().size() * 16;
    const std::size_t freqBytes = h.GetFrequencyCount() * 8;
    const std::size_t cellsAt = now.size() - freqBytes - cellBytes;
    std::vector<BYTE> old(now.begin(), now.begin() + static_cast<long>(cellsAt));
    old.insert(old.end(), now.end() - static_cast<long>(freqBytes), now.end());
    for (int e = 0; e < 8; ++e)
        old.insert(old.end(), now.begin() + static_cast<long>(cellsAt),
                   now.begin() + static_cast<long>(cellsAt + cellBytes));
    CArchive in(old);
    const auto loaded = CSpeakerModel::CreateFromArchive(in, 0x01040000);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(loaded->GetElements().size(), 8u);
    const auto& a = loaded->GetBalloons()[0].GetCells();
    const auto& b = model->GetBalloons()[0].GetCells();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].re, b[i].re);
        EXPECT_EQ(a[i].im, b[i].im);
    }

    // One element record short is an archive error.
    old.resize(old.size() - cellBytes);
    CArchive shortIn(old);
    EXPECT_THROW(CSpeakerModel::CreateFromArchive(shortIn, 0x01040000), CArchiveException);
}

TEST(ModelRecordTest, EveryShortRecordEndsWithAnArchiveError)
{
    const auto model = Imported(TinyZsb(1));
    for (DWORD version : {0x01000000u, 0x02000000u}) {
        const std::vector<BYTE> whole = TinyRecord(*model, version);
        for (std::size_t n = 0; n < whole.size(); ++n) {
            CArchive in(std::vector<BYTE>(whole.begin(), whole.begin() + static_cast<long>(n)));
            EXPECT_THROW(CSpeakerModel::CreateFromArchive(in, version), CArchiveException) << n;
        }
    }
}

TEST(ModelRecordTest, ANegativeOrNonFiniteShareOrPositionIsAFormatError)
{
    const auto model = Imported(TinyZsb(1));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (DWORD version : {0x01000000u, 0x02000000u}) {
        for (const auto& [share, x] : {std::pair{-0.25, 0.0}, std::pair{-inf, 0.0}, std::pair{inf, 0.0},
                                       std::pair{nan, 0.0}, std::pair{1.0, nan}, std::pair{1.0, inf}}) {
            SCOPED_TRACE(share);
            SCOPED_TRACE(x);
            CArchive in(TinyRecord(*model, version, true, share, x));
            try {
                (void)CSpeakerModel::CreateFromArchive(in, version);
                FAIL() << "no error";
            } catch (const CArchiveException& e) {
                EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
                EXPECT_TRUE(e.m_bExplainsToUser);
                EXPECT_STREQ(e.what(),
                             "The project file holds a speaker model with a power share or placement that is no "
                             "valid number.");
            }
        }
        // A share of 0 (a silent element) and a finite offset are kept.
        CArchive in(TinyRecord(*model, version, true, 0.0, 0.5));
        const auto loaded = CSpeakerModel::CreateFromArchive(in, version);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->GetPlacements()[0].GetShare(), 0.0);
        EXPECT_EQ(loaded->GetPlacements()[0].GetPositionMetres().x, 0.5);
    }
}

TEST(ModelRecordTest, AValueThatWouldMakeAPressureInfiniteOrNoNumberIsAFormatError)
{
    const auto model = Imported(TinyZsb(1));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Offsets in the 2.0 record of the tiny speaker: type code, reserved
    // words, angles (32), name and suffix (38), share and position (70),
    // data header (110), tap table (138), polar angles (162), meridian
    // angles (186), 36 cells, frequencies.
    struct Case {
        const char* what;
        std::size_t at;
        double stored;
        double value;
        bool ok;
    };
    const Case cases[] = {
        {"reference distance 0", 70, 1.0, 0.0, false},
        {"negative reference distance", 70, 1.0, -1.0, false},
        {"infinite reference distance", 70, 1.0, inf, false},
        {"pitch 0", 84, 3.0, 0.0, false},
        {"pitch that is no whole number", 84, 3.0, 2.5, false},
        {"lowest frequency that is no number", 92, 1000.0, nan, false},
        {"tap value that is no number", 114, 100.0, nan, false},
        {"negative tap power", 122, 10.0, -1.0, false},
        {"infinite tap power", 122, 10.0, inf, false},
        {"infinite tap factor", 130, 1.0, inf, false},
        {"polar angle whose radians overflow", 146, 90.0, 1e308, false},
        {"meridian angle that is no number", 170, 180.0, nan, false},
        {"infinite cell", 186, model->GetBalloons()[0].GetCells()[0].re, inf, false},
        {"cell whose energy overflows", 186, model->GetBalloons()[0].GetCells()[0].re, 1e160, false},
        {"infinite frequency", 762, model->GetHeader().GetFrequency(0), inf, false},
        {"frequency beyond a gigahertz", 762, model->GetHeader().GetFrequency(0), 2e9, false},
        {"reference distance of a kilometre", 70, 1.0, 1000.0, true},
        {"cell of 999 dB", 186, model->GetBalloons()[0].GetCells()[0].re, 1.7e45, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> bytes = TinyRecord(*model, 0x02000000);
        double stored = 0.0;
        std::memcpy(&stored, &bytes[c.at], 8);
        ASSERT_EQ(stored, c.stored);
        std::memcpy(&bytes[c.at], &c.value, 8);
        CArchive in(bytes);
        if (c.ok) {
            const auto loaded = CSpeakerModel::CreateFromArchive(in, 0x02000000);
            ASSERT_NE(loaded, nullptr);
            ExpectFinitePressures(*loaded);
            continue;
        }
        try {
            (void)CSpeakerModel::CreateFromArchive(in, 0x02000000);
            FAIL() << "no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
            EXPECT_STREQ(e.what(),
                         "The project file holds a speaker model with a value that is no valid number or out of "
                         "range.");
        }
    }

    // Before 2.0 the cells come last, read by the elements.
    std::vector<BYTE> old = TinyRecord(*model, 0x01040000);
    std::memcpy(&old[old.size() - 8], &inf, 8);
    CArchive in(old);
    EXPECT_THROW(CSpeakerModel::CreateFromArchive(in, 0x01040000), CArchiveException);

    // A placement a thousand kilometres away is refused with the shares.
    CArchive far(TinyRecord(*model, 0x02000000, true, 1.0, 2e6));
    EXPECT_THROW(CSpeakerModel::CreateFromArchive(far, 0x02000000), CArchiveException);
}

TEST(ModelRecordTest, AnUnknownTypeCodeCreatesNothing)
{
    CArchive in(CGolden().W(9).W(0).bytes);
    EXPECT_EQ(CSpeakerModel::CreateFromArchive(in, 0x02000000), nullptr);
    EXPECT_EQ(in.Remaining(), 2u);
    EXPECT_NE(dynamic_cast<CStdSPModel*>(CSpeakerModel::CreateModel(0).get()), nullptr);
}

// --- container ---------------------------------------------------------------

std::unique_ptr<CSpeakerModel> Tiny(int type)
{
    return ImportText(TinyZsb(type));
}

TEST(ContainerTest, RemovalClampsTheCurrentIndex)
{
    CSpeakerModelContainer c;
    for (int i = 0; i < 3; ++i)
        c.Add(Tiny(i % 2));
    CSpeakerModel* first = c.GetAt(0);
    CSpeakerModel* second = c.GetAt(1);
    c.SetCurrentIndex(2);
    c.RemoveAt(2);
    EXPECT_EQ(c.GetCount(), 2);
    EXPECT_EQ(c.GetCurrentIndex(), 1);
    EXPECT_EQ(c.GetCurrent(), second);

    // An index beyond the list removes nothing.
    c.RemoveAt(2);
    c.RemoveAt(-1);
    EXPECT_EQ(c.GetCount(), 2);

    // Removing a model before the current one keeps the index while it
    // stays below the count.
    c.SetCurrentIndex(0);
    c.RemoveAt(1);
    EXPECT_EQ(c.GetCurrentIndex(), 0);
    EXPECT_EQ(c.GetCurrent(), first);
    c.RemoveAt(0);
    c.RemoveAt(0);
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_EQ(c.GetCurrentIndex(), 0);
    EXPECT_EQ(c.GetCurrent(), nullptr);
}

std::vector<BYTE> ContainerBytes(const CSpeakerModel& m, DWORD version, unsigned current, unsigned count)
{
    CGolden b;
    b.W(current).W(count);
    for (unsigned i = 0; i < count; ++i) {
        if (version < 0x02000000) {
            const CSpeakerDataHeader& h = m.GetHeader();
            b.W(3).W(3).D(3.0).D(1000.0).D(2000.0).W(h.GetTapCount());
        }
        b.Append(TinyRecord(m, version));
        if (version < 0x02000000)
            b.Append(TinyRecord(m, version));
    }
    return b.bytes;
}

TEST(ContainerTest, WrittenInListOrderAndOldFilesCarryASummaryAndASecondCopyOfEachModel)
{
    CSpeakerModelContainer written;
    written.Add(Tiny(1));
    written.Add(Tiny(1));
    written.SetCurrentIndex(1);
    CArchive out;
    written.Serialize(out, 0, 0x02000000);
    EXPECT_EQ(out.Buffer(), ContainerBytes(*written.GetAt(0), 0x02000000, 1, 2));

    const auto tiny = Tiny(1);
    for (DWORD version : {0x01000000u, 0x01030000u, 0x01040200u, 0x02000000u}) {
        SCOPED_TRACE(version);
        CArchive in(ContainerBytes(*tiny, version, 1, 2));
        CSpeakerModelContainer c;
        c.Serialize(in, 1, version);
        EXPECT_EQ(in.Remaining(), 0u);
        ASSERT_EQ(c.GetCount(), 2);
        EXPECT_EQ(c.GetCurrentIndex(), 1);
        EXPECT_EQ(c.GetAt(1)->GetUnitFlag(), 1);
        EXPECT_EQ(c.GetAt(1)->GetName(), "Tiny");
    }
    // A stored index beyond the list, or just at its end, points at the
    // last model.
    for (unsigned stored : {7u, 2u}) {
        CArchive in(ContainerBytes(*tiny, 0x02000000, stored, 2));
        CSpeakerModelContainer c;
        c.Serialize(in, 0, 0x02000000);
        EXPECT_EQ(c.GetCurrentIndex(), 1) << stored;
        EXPECT_EQ(c.GetCurrent(), c.GetAt(1)) << stored;
    }
}

TEST(ContainerTest, AnUnknownModelKindEndsTheLoadAndKeepsTheList)
{
    const auto tiny = Tiny(1);
    CGolden b;
    b.W(0).W(2).Append(TinyRecord(*tiny, 0x02000000)).W(9).Append(TinyRecord(*tiny, 0x02000000, false));
    CSpeakerModelContainer c;
    c.Add(Tiny(0));
    CArchive in(b.bytes);
    try {
        c.Serialize(in, 0, 0x02000000);
        FAIL() << "no error";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
        EXPECT_TRUE(e.m_bExplainsToUser);
        EXPECT_STREQ(e.what(), "The project file holds a speaker model of an unknown kind.");
    }
    ASSERT_EQ(c.GetCount(), 1);
    EXPECT_EQ(c.GetAt(0)->GetTypeCode(), 0);
}

TEST(ContainerTest, ShortOrOversizedRecordsEndWithAnArchiveError)
{
    const auto tiny = Tiny(0);
    const std::vector<BYTE> whole = ContainerBytes(*tiny, 0x01040000, 0, 1);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        CArchive in(std::vector<BYTE>(whole.begin(), whole.begin() + static_cast<long>(n)));
        CSpeakerModelContainer c;
        EXPECT_THROW(c.Serialize(in, 0, 0x01040000), CArchiveException) << n;
        EXPECT_EQ(c.GetCount(), 0);
    }
    CArchive huge(CGolden().W(0).W(0xFFFF).W(1).bytes);
    CSpeakerModelContainer c;
    EXPECT_THROW(c.Serialize(huge, 0, 0x02000000), CArchiveException);
}

}  // namespace
