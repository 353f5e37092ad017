// Broken records of every array kind: each one either loads into a model
// that computes and saves, or is refused with an archive error; nothing
// crashes or runs away. (Broken import files of every kind: models_base.)
#include "ArrayTestData.h"

#include "models/CabinetArrayModel.h"
#include "models/LV3Model.h"
#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace arraytest;

namespace {

std::vector<Axis> Axes(int n)
{
    return Modules(n, 0.2, 0.05, {1, 2, 3, 4, 5, 6, 7, 8}, "A");
}

// One working model of each array kind, the cabinet kinds arranged so that
// every unit is in use.
std::vector<std::unique_ptr<CSpeakerModel>> EveryKind()
{
    std::vector<std::unique_ptr<CSpeakerModel>> models;
    models.push_back(Import(MakeText(2, {"0", "0", "8"}, Axes(8), 1)));
    models.push_back(Import(MakeText(3, {"0", "0", "8"}, Axes(8), 1)));
    models.push_back(Import(MakeText(4, {"0", "0", "0"}, Axes(4), 4)));
    models.push_back(Import(MakeText(5, {"0", "2", "2"}, Axes(4), 1)));
    models.push_back(Import(MakeText(6, {"0", "0", "0"}, Axes(2), 2)));
    models.push_back(Import(MakeText(7, {"0", "0", "0"}, Axes(2), 2)));
    models.push_back(Import(MakeText(8, {"1", "2", "2"}, Axes(5), 1)));
    for (auto& m : models) {
        if (auto* c = dynamic_cast<CCabinetArrayModel*>(m.get())) {
            CTypeAandCParamArray params;
            for (DWORD i = 0; i < 3; ++i)
                params.emplace_back(static_cast<std::int32_t>(i % c->GetUnitCount()), 2.0 * i);
            c->ApplyArrangement(0, 0, 3, 3, params);
        }
    }
    return models;
}

// Loads the bytes; a model that results must compute and save.
void LoadOrRefuse(const std::vector<BYTE>& bytes)
{
    std::unique_ptr<CSpeakerModel> m;
    try {
        m = Load(bytes);
    } catch (const CArchiveException&) {
        return;
    }
    if (!m)
        return;
    EXPECT_LE(m->GetElements().size(), m->GetPlacements().size());
    modeltest::ExpectFinitePressures(*m);
    CSPComplex result;
    m->CalcPressure(result, CPoint3D(5.0, 1.0, 0.5), CPoint3D(), CPoint3D(), Frequencies()[1], 4.0, false, 10.0,
                    1.0, true, 0);
    (void)Store(*m);
}

}  // namespace

TEST(ArrayRobustness, EveryByteOfEveryKindsRecordChangedLoadsOrIsRefused)
{
    for (auto& m : EveryKind()) {
        ASSERT_NE(m, nullptr);
        SCOPED_TRACE(m->GetTypeCode());
        const std::vector<BYTE> record = Store(*m);
        ASSERT_NE(Load(record), nullptr);
        // The kind's own parts of the record: from the counts (the type code
        // stays) through the axis record and the data header after it.
        CArchive axis;
        m->SerializeAxisData(axis);
        const auto axisAt = std::search(record.begin(), record.end(), axis.Buffer().begin(), axis.Buffer().end());
        ASSERT_NE(axisAt, record.end());
        const std::size_t end = std::min(record.size(), static_cast<std::size_t>(axisAt - record.begin()) + axis.Size() + 40);
        for (std::size_t at = 2; at < end; ++at) {
            for (BYTE value : {BYTE(0x00), BYTE(0x7F), BYTE(0xFF), static_cast<BYTE>(record[at] + 1)}) {
                if (value == record[at])
                    continue;
                std::vector<BYTE> broken = record;
                broken[at] = value;
                LoadOrRefuse(broken);
            }
        }
    }
}

TEST(ArrayRobustness, NonFiniteTiltsAndVectorsInARecordDoNotCrash)
{
    for (auto& m : EveryKind()) {
        ASSERT_NE(m, nullptr);
        SCOPED_TRACE(m->GetTypeCode());
        const std::vector<BYTE> record = Store(*m);
        CArchive axis;
        m->SerializeAxisData(axis);
        const auto axisAt = std::search(record.begin(), record.end(), axis.Buffer().begin(), axis.Buffer().end());
        ASSERT_NE(axisAt, record.end());
        // Every aligned 8 bytes of the axis record (vectors and tilts) as NaN
        // and as infinity in turn.
        for (std::uint64_t bits : {0x7FF8000000000000ull, 0xFFF0000000000000ull}) {
            for (std::size_t at = 0; at + 8 <= axis.Size(); ++at) {
                std::vector<BYTE> broken = record;
                for (int i = 0; i < 8; ++i)
                    broken[static_cast<std::size_t>(axisAt - record.begin()) + at + i] =
                        static_cast<BYTE>(bits >> (8 * i));
                LoadOrRefuse(broken);
            }
        }
    }
}
