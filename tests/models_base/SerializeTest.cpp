// The model record and the container record in the project file: bytes as
// written, reloading in every accepted version, and broken records.
#include "ModelTestData.h"
#include "tools/zsbgen/ZsbWriter.h"

#include "models/StdSPModel.h"
#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace {

using modeltest::ImportText;
using modeltest::SaveAndLoad;
using modeltest::TinyZsb;

// Little-endian bytes built by hand.
class Bytes {
public:
    Bytes& U16(unsigned v)
    {
        b.push_back(static_cast<BYTE>(v & 0xFF));
        b.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
        return *this;
    }
    Bytes& F64(double d)
    {
        BYTE raw[8];
        std::memcpy(raw, &d, 8);
        b.insert(b.end(), raw, raw + 8);
        return *this;
    }
    Bytes& Str(const std::string& s)
    {
        b.push_back(static_cast<BYTE>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Append(const std::vector<BYTE>& more)
    {
        b.insert(b.end(), more.begin(), more.end());
        return *this;
    }
    std::vector<BYTE> b;
};

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
    Bytes r;
    if (withTypeCode)
        r.U16(static_cast<unsigned>(m.GetTypeCode()));
    r.U16(0).U16(0).U16(0);                 // reserved words of the tap table
    r.F64(0.0).F64(0.0).F64(0.0);           // aim angles
    r.Str("Tiny");
    if (hasSuffix)
        r.Str("");
    r.F64(share).F64(x).F64(0.0).F64(0.0);  // share, position
    r.F64(1.0).U16(3).U16(3).U16(h.GetFrequencyCount()).F64(3.0).F64(1000.0).F64(2000.0).U16(1);
    r.U16(0).U16(0).F64(100.0).F64(10.0);   // current tap; line tap 100 V, 10 W
    if (hasFactor)
        r.F64(1.0);
    r.F64(0.0).F64(90.0).F64(180.0);        // polar angles
    r.F64(0.0).F64(180.0).F64(360.0);       // meridian angles
    Bytes cells;
    for (const CSPComplex& c : balloon.GetCells())
        cells.F64(c.re).F64(c.im);
    if (!before200)
        r.Append(cells.b);
    for (double f : h.GetFrequencies())
        r.F64(f);
    if (before200)
        r.Append(cells.b);
    return r.b;
}

TEST(ModelRecordTest, AStandardSpeakerIsStoredFieldByField)
{
    const auto model = ImportText(TinyZsb(1));
    ASSERT_NE(model, nullptr);
    CArchive ar;
    model->Serialize(ar, 0x02000000);
    EXPECT_EQ(ar.Buffer(), TinyRecord(*model, 0x02000000));
    // Whatever version the caller names, storing writes the current layout.
    CArchive old;
    model->Serialize(old, 0x01000000);
    EXPECT_EQ(old.Buffer(), ar.Buffer());
}

class ModelRecordVersionTest : public ::testing::TestWithParam<DWORD> {};

TEST_P(ModelRecordVersionTest, EveryAcceptedVersionLoads)
{
    const DWORD version = GetParam();
    const auto model = ImportText(TinyZsb(0, "90,10", "80,-20", "66,100"));
    ASSERT_NE(model, nullptr);
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
                                           0x02000000u));

TEST(ModelRecordTest, ImportSaveLoadGivesTheSamePressureToTheLastBit)
{
    for (int type : {0, 1}) {
        ZsbSpec spec;
        spec.typeCode = type;
        spec.name = "Round Trip";
        spec.pitch = 6;
        spec.lowest = 100.0;
        spec.highest = 12000.0;
        spec.meridianStep = 30.0;
        spec.polarStep = 10.0;
        spec.taps = {ZsbTap{'h', 100.0, 6.0}, ZsbTap{'h', 70.7, 3.0}};
        spec.units.resize(1);
        spec.units[0].ellipticity = 0.3;
        for (int unit : {0, 1}) {
            SCOPED_TRACE(type * 10 + unit);
            const auto model = ImportText(MakeZsbText(spec), unit);
            ASSERT_NE(model, nullptr);
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
    const auto model = ImportText(TinyZsb(0));
    ASSERT_NE(model, nullptr);
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
    ZsbSpec spec;
    spec.typeCode = 2;
    spec.countLines = {1, 0, 8};
    spec.pitch = 1;
    spec.lowest = 250.0;
    spec.highest = 4000.0;
    spec.meridianStep = 90.0;
    spec.polarStep = 60.0;
    for (int i = 0; i < 8; ++i)
        spec.axes.push_back(ZsbAxis{"T", 0.125, 0.06, 0.0, 0.125});
    spec.units.resize(1);
    const auto model = ImportText(MakeZsbText(spec));
    ASSERT_NE(model, nullptr);
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
    const auto model = ImportText(TinyZsb(1));
    ASSERT_NE(model, nullptr);
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
    const auto model = ImportText(TinyZsb(1));
    ASSERT_NE(model, nullptr);
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

TEST(ModelRecordTest, AnUnknownTypeCodeCreatesNothing)
{
    CArchive in(Bytes().U16(9).U16(0).b);
    EXPECT_EQ(CSpeakerModel::CreateFromArchive(in, 0x02000000), nullptr);
    EXPECT_EQ(in.Remaining(), 2u);
    EXPECT_EQ(CSpeakerModel::CreateModel(-1), nullptr);
    EXPECT_EQ(CSpeakerModel::CreateModel(9), nullptr);
    EXPECT_NE(dynamic_cast<CStdSPModel*>(CSpeakerModel::CreateModel(0).get()), nullptr);
    EXPECT_NE(dynamic_cast<CStdSPModel*>(CSpeakerModel::CreateModel(1).get()), nullptr);
}

// --- container ---------------------------------------------------------------

std::unique_ptr<CSpeakerModel> Tiny(int type)
{
    return ImportText(TinyZsb(type));
}

TEST(ContainerTest, RemovingTheOnlyModelLeavesAnEmptyList)
{
    CSpeakerModelContainer c;
    c.Add(Tiny(0));
    c.RemoveAt(0);
    EXPECT_EQ(c.GetCount(), 0);
    EXPECT_EQ(c.GetCurrentIndex(), 0);
    EXPECT_EQ(c.GetCurrent(), nullptr);
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
    c.RemoveAll();
    EXPECT_EQ(c.GetCount(), 0);
}

std::vector<BYTE> ContainerBytes(const CSpeakerModel& m, DWORD version, unsigned current, unsigned count)
{
    Bytes b;
    b.U16(current).U16(count);
    for (unsigned i = 0; i < count; ++i) {
        if (version < 0x02000000) {
            const CSpeakerDataHeader& h = m.GetHeader();
            b.U16(3).U16(3).F64(3.0).F64(1000.0).F64(2000.0).U16(h.GetTapCount());
        }
        b.Append(TinyRecord(m, version));
        if (version < 0x02000000)
            b.Append(TinyRecord(m, version));
    }
    return b.b;
}

TEST(ContainerTest, TheRecordIsWrittenInListOrder)
{
    CSpeakerModelContainer c;
    c.Add(Tiny(1));
    c.Add(Tiny(1));
    c.SetCurrentIndex(1);
    CArchive out;
    c.Serialize(out, 0, 0x02000000);
    EXPECT_EQ(out.Buffer(), ContainerBytes(*c.GetAt(0), 0x02000000, 1, 2));
}

TEST(ContainerTest, OldFilesCarryASummaryAndASecondCopyOfEachModel)
{
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
}

TEST(ContainerTest, AStoredIndexBeyondTheListPointsAtTheLastModel)
{
    const auto tiny = Tiny(1);
    CArchive in(ContainerBytes(*tiny, 0x02000000, 7, 2));
    CSpeakerModelContainer c;
    c.Serialize(in, 0, 0x02000000);
    EXPECT_EQ(c.GetCurrentIndex(), 1);
}

TEST(ContainerTest, AnUnknownModelKindEndsTheLoadAndKeepsTheList)
{
    const auto tiny = Tiny(1);
    Bytes b;
    b.U16(0).U16(2).Append(TinyRecord(*tiny, 0x02000000)).U16(9).Append(TinyRecord(*tiny, 0x02000000, false));
    CSpeakerModelContainer c;
    c.Add(Tiny(0));
    CArchive in(b.b);
    try {
        c.Serialize(in, 0, 0x02000000);
        FAIL() << "no error";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
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
    CArchive huge(Bytes().U16(0).U16(0xFFFF).U16(1).b);
    CSpeakerModelContainer c;
    EXPECT_THROW(c.Serialize(huge, 0, 0x02000000), CArchiveException);
}

}  // namespace
