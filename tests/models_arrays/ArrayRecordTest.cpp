// The project-file records of the array kinds: golden bytes built by hand,
// every accepted file version, and broken records.
#include "ArrayTestData.h"

#include "models/LV3Model.h"
#include "models/TypeAModel.h"
#include "models/TypeHModel.h"
#include "models/TypeTModel.h"
#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <limits>

using namespace arraytest;

namespace {

const std::vector<double> kSplays = {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5};

// The model record as files before 2.0 hold it: no suffix in 1.0.0 and
// 1.3.0, no tap factor there either, the meridian angles once and then the
// balloon cells once per element after the frequencies.
std::vector<BYTE> StoreOld(CSpeakerModel& m, DWORD version)
{
    CArchive ar;
    ar << static_cast<WORD>(m.GetTypeCode());
    m.SerializeModuleCounts(ar);
    m.GetTapTable().SerializeHeader(ar);
    m.GetPlacements().SerializeAngles(ar);
    ar << m.GetName();
    if (version != CSpeakerModel::kVersion100 && version != CSpeakerModel::kVersion130)
        ar << m.GetNameSuffix();
    m.GetPlacements().SerializeShareAndPosition(ar);
    m.SerializeAxisData(ar);
    m.GetHeader().Serialize(ar);
    m.GetTapTable().Serialize(ar, version);
    m.GetHeader().SerializeValues(ar);
    m.GetBalloons().SerializeAngles(ar);
    m.GetHeader().SerializeFrequencies(ar);
    for (CSpeakerElement e : m.GetElements())
        e.Serialize(ar);
    return ar.TakeBuffer();
}

}  // namespace

TEST(ArrayRecord, LineArrayCountsAndAxisRecords)
{
    auto m = Imported(MakeText(5, {"0", "1", "1"}, Modules(2, 0.25, 0.125, kSplays), 1));
    CArchive counts;
    m->SerializeModuleCounts(counts);
    EXPECT_EQ(counts.Buffer(), CGolden().W(0).W(1).W(1).bytes);
    CArchive axis;
    m->SerializeAxisData(axis);
    EXPECT_EQ(axis.Buffer(), CGolden().S("M0").D(0.125).D(0.25).D(0.0).S("M1").D(0.125).D(0.25).D(0.5).bytes);

    // The whole record begins with the type code, the counts, the reserved
    // words and the aim angles; the name carries the suffix after it.
    m->GetTapTable().SetModuleCounts(0, 4, 4);
    m->ResizeVariableParams();
    const std::vector<BYTE> record = Store(*m);
    const std::vector<BYTE> head = CGolden().W(5).W(0).W(4).W(4).W(0).W(0).W(0).bytes;
    ASSERT_GT(record.size(), head.size() + 8 * 24);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), record.begin()));
    const std::vector<BYTE> names = CGolden().S("Test Array").S(" (x 2)").bytes;
    EXPECT_TRUE(std::equal(names.begin(), names.end(), record.begin() + static_cast<std::ptrdiff_t>(head.size() + 8 * 24)));
}

TEST(ArrayRecord, TypeHWith25ElementsHoldsFourUnitsThen25Parameters)
{
    auto m = Imported(MakeText(4, {"0", "0", "0"}, Units(4), 4));
    auto* h = dynamic_cast<CTypeHModel*>(m.get());
    ASSERT_TRUE(h->ApplyArrangement(0, 0, 25, 25, CTypeAandCParamArray(25, CTypeAandCParam(1, 0.0))));

    CGolden expected;
    for (int u = 0; u < 4; ++u)
        expected.S("U" + std::to_string(u)).D(kUnitOffset[u]).D(kUnitLength[u]).D(0.0);
    for (int i = 0; i < 25; ++i)
        expected.I(1).D(0.0);
    CArchive axis;
    h->SerializeAxisData(axis);
    EXPECT_EQ(axis.Buffer(), expected.bytes);
    EXPECT_EQ(axis.Size(), 4 * (3 + 24) + 25 * 12u);

    const std::vector<BYTE> record = Store(*h);
    const std::vector<BYTE> head = CGolden().W(4).W(0).W(0).W(25).W(0).W(0).W(0).bytes;
    EXPECT_TRUE(std::equal(head.begin(), head.end(), record.begin()));
    const std::vector<BYTE> names = CGolden().S("Test Array").S("(x 2)").bytes;
    EXPECT_TRUE(std::equal(names.begin(), names.end(), record.begin() + static_cast<std::ptrdiff_t>(head.size() + 25 * 24)));
    const std::size_t axisAt = head.size() + 25 * 24 + names.size() + 25 * 32;
    EXPECT_TRUE(std::equal(expected.bytes.begin(), expected.bytes.end(), record.begin() + static_cast<std::ptrdiff_t>(axisAt)));
}

TEST(ArrayRecord, TypeAAxisRecordLoadsFromHandBuiltBytes)
{
    CTypeAModel m;
    // The counts are followed by three placements' and parameters' worth of
    // record (24 + 32 + 12 bytes each) in a real file.
    CGolden countsRecord = CGolden().W(0).W(0).W(3);
    countsRecord.bytes.resize(6 + 3 * 68);
    CArchive counts(countsRecord.bytes);
    m.SerializeModuleCounts(counts);
    EXPECT_EQ(m.GetTotalCount(), 3u);
    EXPECT_EQ(m.GetAxisElements().size(), 2u);
    EXPECT_EQ(m.GetBalloons().size(), 2u);
    m.ResizeVariableParams();
    EXPECT_EQ(m.GetParams().size(), 3u);

    CArchive axis(CGolden().S("L").D(0.2).D(0.42).D(0.0).S("S").D(0.2).D(0.36).D(0.0)
                      .I(0).D(9.0).I(1).D(2.5).I(0).D(4.0).bytes);
    m.SerializeAxisData(axis);
    EXPECT_EQ(axis.Remaining(), 0u);
    EXPECT_EQ(m.GetParams(), (CTypeAandCParamArray{{0, 9.0}, {1, 2.5}, {0, 4.0}}));
    EXPECT_EQ(m.GetAxisElements()[1].GetName(), "S");
    EXPECT_EQ(m.GetAxisElements()[1].GetVector(), CAxisEntity(0.2, 0.36, 0.0));
    m.AssignAxisData(FALSE);
    EXPECT_EQ(m.GetPlacements()[0].GetEntity(), CAxisEntity(0.2, 0.42, 0.0));
    EXPECT_EQ(m.GetPlacements()[1].GetEntity(), CAxisEntity(0.2, 0.36, 2.5));
}

TEST(ArrayRecord, EveryAcceptedVersionLoadsTheSameModel)
{
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    std::vector<std::unique_ptr<CSpeakerModel>> models;
    for (const std::string& text :
         {MakeText(5, {"0", "4", "4"}, Modules(8, 0.25, 0.125, kSplays), 1),
          MakeText(8, {"0", "2", "2"}, Modules(4, 0.25, 0.125, kSplays), 1),
          MakeText(3, {"0", "0", "8"}, Modules(8, 0.25, 0.125, kSplays), 1),
          MakeText(2, {"0", "0", "8"}, Modules(8, 0.25, 0.125, kSplays), 1), MakeText(6, {"0", "0", "1"}, Units(2), 2),
          MakeText(7, {"0", "0", "1"}, Units(2), 2), MakeText(4, {"0", "0", "1"}, Units(4), 4)})
        models.push_back(Imported(text));
    // Arrange the cabinet kinds so that their elements use every unit.
    dialogs.counts = {0, 0, 4};
    dialogs.params = {{0, 0.0}, {1, 2.0}, {0, 3.0}, {1, 4.0}};
    ASSERT_EQ(models[4]->DoModuleArrangement(0), 0.25);
    ASSERT_EQ(models[5]->DoModuleArrangement(0), 0.25);
    dialogs.counts = {0, 0, 9};
    dialogs.params = {{2, 0.0}, {2, 1.0}, {2, 1.0}, {2, 1.0}, {3, 1.0}, {3, 1.0}, {3, 2.0}, {3, 2.0}, {3, 2.0}};
    ASSERT_EQ(models[6]->DoModuleArrangement(0), 1.0);

    const DWORD versions[] = {0x01000000, 0x01030000, 0x01040000, 0x01040100, 0x01040200};
    for (auto& m : models) {
        auto current = Load(Store(*m));
        ASSERT_NE(current, nullptr);
        ExpectSame(Take(*m), Take(*current));
        EXPECT_EQ(current->GetNameSuffix(), m->GetNameSuffix());
        for (DWORD version : versions) {
            SCOPED_TRACE(version);
            CArchive ar(StoreOld(*m, version));
            auto old = CSpeakerModel::CreateFromArchive(ar, version);
            ASSERT_NE(old, nullptr);
            EXPECT_EQ(ar.Remaining(), 0u);
            ExpectSame(Take(*m), Take(*old));
        }
    }
}

TEST(ArrayRecord, BrokenRecordsAreFormatErrors)
{
    auto a = Imported(MakeText(6, {"0", "0", "1"}, Units(2), 2));
    auto* cab = dynamic_cast<CCabinetArrayModel*>(a.get());
    ASSERT_TRUE(cab->ApplyArrangement(0, 0, 3, 3, CTypeAandCParamArray(3)));
    std::vector<BYTE> record = Store(*a);
    ASSERT_NE(Load(record), nullptr);

    // The third parameter record names unit 5 of the two.
    CArchive axis;
    a->SerializeAxisData(axis);
    const std::size_t axisAt = static_cast<std::size_t>(
        std::search(record.begin(), record.end(), axis.Buffer().begin(), axis.Buffer().end()) - record.begin());
    ASSERT_LT(axisAt, record.size());
    std::vector<BYTE> badUnit = record;
    badUnit[axisAt + axis.Size() - 12] = 5;
    EXPECT_THROW(Load(badUnit), CArchiveException);
    badUnit[axisAt + axis.Size() - 12] = 0xFF;
    badUnit[axisAt + axis.Size() - 9] = 0xFF;  // -1
    EXPECT_THROW(Load(badUnit), CArchiveException);

    // A tilt or a unit geometry that is no number: the positions stacked
    // from them after loading would all be NaN.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, -inf}) {
        std::vector<BYTE> badTilt = record;
        const std::vector<BYTE> tilt = CGolden().D(bad).bytes;
        std::copy(tilt.begin(), tilt.end(), badTilt.begin() + static_cast<std::ptrdiff_t>(axisAt + axis.Size() - 8));
        EXPECT_THROW(Load(badTilt), CArchiveException);
        // Unit 1's length (the second unit record: name "U1", offset, length).
        std::vector<BYTE> badUnit1 = record;
        const std::size_t unit1 = axisAt + (3 + 24) + 3 + 8;
        ASSERT_EQ(std::vector<BYTE>(badUnit1.begin() + static_cast<std::ptrdiff_t>(unit1),
                                    badUnit1.begin() + static_cast<std::ptrdiff_t>(unit1 + 8)),
                  CGolden().D(kUnitLength[1]).bytes);
        std::copy(tilt.begin(), tilt.end(), badUnit1.begin() + static_cast<std::ptrdiff_t>(unit1));
        EXPECT_THROW(Load(badUnit1), CArchiveException);
    }

    // Counts far beyond what the record holds, for every kind.
    for (int code = 2; code <= 8; ++code) {
        std::vector<BYTE> huge = CGolden().W(0).W(0xFFFF).W(0xFFFF).W(0).W(0).W(0).bytes;
        try {
            CArchive ar(std::move(huge));
            auto m = CSpeakerModel::CreateModel(code);
            m->Serialize(ar, CSpeakerModel::kVersion200);
            ADD_FAILURE() << code;
        } catch (const CArchiveException& e) {
            EXPECT_NE(e.m_cause, CArchiveException::none);
        }
        std::vector<BYTE> big = CGolden().W(static_cast<unsigned>(code)).W(0).W(0).W(300).W(0).W(0).W(0).bytes;
        EXPECT_THROW(Load(big), CArchiveException) << code;
    }

    // A record cut anywhere ends in an archive error, never in a crash.
    for (std::size_t cut = 0; cut < record.size(); cut += 7) {
        std::vector<BYTE> part(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_THROW(Load(part), CArchiveException) << cut;
    }
}
