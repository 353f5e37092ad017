// Creating the array kinds by type code, importing them, their suffixes and
// where their modules are placed.
#include "ArrayTestData.h"

#include "models/ArrayModelFactory.h"
#include "models/LV3Model.h"
#include "models/LV6Model.h"
#include "models/SpeakerModelContainer.h"
#include "models/TypeAModel.h"
#include "models/TypeCModel.h"
#include "models/TypeHModel.h"
#include "models/TypeSModel.h"
#include "models/TypeTModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace arraytest;

namespace {

const double kPi = 4.0 * std::atan(1.0);
double Rad(double deg) { return deg * kPi / 180.0; }

std::vector<Axis> Modules(int n, double length, double offset, const std::vector<double>& splays,
                          const std::string& prefix = "M")
{
    std::vector<Axis> axes;
    for (int i = 0; i < n; ++i)
        axes.push_back({prefix + std::to_string(i), length, offset,
                        i < static_cast<int>(splays.size()) ? splays[i] : 0.0, 1.0 / n});
    return axes;
}

std::vector<Axis> Units(int n)
{
    std::vector<Axis> axes;
    for (int i = 0; i < n; ++i)
        axes.push_back({"U" + std::to_string(i), 0.4 - 0.05 * i, 0.2 + 0.01 * i, 0.0, 1.0});
    return axes;
}

// The import text of each kind with counts that make a working model.
std::string KindText(int typeCode)
{
    switch (typeCode) {
    case 2: return MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, {}), 1);
    case 3: return MakeText(3, {"0", "0", "8"}, Modules(8, 0.1, 0.04, {}), 1);
    case 4: return MakeText(4, {"0", "0", "0"}, Units(4), 4);
    case 5: return MakeText(5, {"0", "4", "4"}, Modules(8, 0.32, 0.12, {0, 1, 2, 4, 0, 1, 2, 4}), 1);
    case 6: return MakeText(6, {"0", "0", "1"}, Units(2), 2);
    case 7: return MakeText(7, {"0", "0", "1"}, Units(2), 2);
    case 8: return MakeText(8, {"0", "4", "4"}, Modules(8, 0.42, 0.16, {}), 1);
    default: return {};
    }
}

}  // namespace

TEST(ArrayFactory, CreatesEveryArrayKindByTypeCode)
{
    EXPECT_NE(dynamic_cast<CTypeTModel*>(CreateArrayModel(2).get()), nullptr);
    EXPECT_NE(dynamic_cast<CTypeSModel*>(CreateArrayModel(3).get()), nullptr);
    EXPECT_NE(dynamic_cast<CTypeHModel*>(CreateArrayModel(4).get()), nullptr);
    EXPECT_NE(dynamic_cast<CLV3Model*>(CreateArrayModel(5).get()), nullptr);
    EXPECT_NE(dynamic_cast<CTypeAModel*>(CreateArrayModel(6).get()), nullptr);
    EXPECT_NE(dynamic_cast<CTypeCModel*>(CreateArrayModel(7).get()), nullptr);
    EXPECT_NE(dynamic_cast<CLV6Model*>(CreateArrayModel(8).get()), nullptr);
    for (int code = 2; code <= 8; ++code) {
        auto model = CSpeakerModel::CreateModel(code);
        ASSERT_NE(model, nullptr) << code;
        EXPECT_EQ(model->GetTypeCode(), code);
        EXPECT_FALSE(model->CanAutoInstall());
        EXPECT_TRUE(model->HasModuleArrangement());
        EXPECT_FALSE(model->IsAutoInstallDoubtful());
        EXPECT_EQ(model->GetDefaultElevation(), 0.0);
    }
    EXPECT_EQ(CreateArrayModel(0), nullptr);
    EXPECT_EQ(CreateArrayModel(1), nullptr);
    EXPECT_EQ(CreateArrayModel(9), nullptr);
    EXPECT_EQ(CreateArrayModel(-1), nullptr);
}

TEST(ArrayImport, EveryTypeCodeImportsThroughTheContainer)
{
    const DWORD expectedCounts[9][3] = {{}, {}, {0, 0, 8}, {0, 0, 8}, {0, 0, 9}, {0, 4, 4}, {0, 0, 1}, {0, 0, 1}, {0, 4, 4}};
    const std::size_t units[9] = {0, 0, 8, 8, 4, 8, 2, 2, 8};
    const std::size_t balloons[9] = {0, 0, 1, 1, 4, 1, 2, 2, 1};
    for (int code = 2; code <= 8; ++code) {
        CSpeakerModelContainer container;
        CStdioFile file;
        file.OpenText(KindText(code).substr(std::string("Version 1.0.0\r\n").size()));
        ASSERT_TRUE(container.ImportModel(file, 0, nullptr)) << code;
        ASSERT_EQ(container.GetCount(), 1);
        CSpeakerModel* m = container.GetAt(0);
        const CSpeakerTapTable& t = m->GetTapTable();
        EXPECT_EQ(t.GetCentreCount(), expectedCounts[code][0]) << code;
        EXPECT_EQ(t.GetUpperCount(), expectedCounts[code][1]) << code;
        EXPECT_EQ(t.GetLowerCount(), expectedCounts[code][2]) << code;
        EXPECT_EQ(m->GetAxisElements().size(), units[code]) << code;
        EXPECT_EQ(m->GetBalloons().size(), balloons[code]) << code;
        EXPECT_EQ(m->GetElements().size(), t.GetElementCount()) << code;
        EXPECT_EQ(m->GetPlacements().size(), t.GetElementCount()) << code;
        EXPECT_EQ(m->GetName(), "Test Array");
    }
}

TEST(ArrayImport, CountLinesAreCheckedAndTheIgnoredThirdLineIsIgnored)
{
    // A TypeA file's third count line says 5: one cabinet all the same.
    auto a = Import(MakeText(6, {"0", "0", "5"}, Units(2), 2));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetTapTable().GetLowerCount(), 1u);
    // TypeT: 0, 0, 5 gives eight elements; the ignored line may say anything.
    auto t = Import(MakeText(2, {"0", "0", "5"}, Modules(8, 0.12, 0.05, {}), 1));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetTapTable().GetLowerCount(), 8u);
    EXPECT_EQ(t->GetElements().size(), 8u);
    EXPECT_NE(Import(MakeText(2, {"0", "0", "-3"}, Modules(8, 0.12, 0.05, {}), 1)), nullptr);

    // A missing third line: the name is taken as the third count line and
    // everything after it slides, so the file ends early.
    EXPECT_EQ(Import(MakeText(5, {"0", "4"}, Modules(8, 0.3, 0.1, {}), 1)), nullptr);
    // Counts that are no module counts are refused, never allocated.
    EXPECT_EQ(Import(MakeText(5, {"0", "-4", "4"}, Modules(8, 0.3, 0.1, {}), 1)), nullptr);
    EXPECT_EQ(Import(MakeText(3, {"0", "0", "2000000000"}, {}, 1)), nullptr);
    EXPECT_EQ(Import(MakeText(4, {"99999", "0", "0"}, Units(4), 4)), nullptr);
    // A cabinet unit whose geometry is no finite number, even one that the
    // fresh import does not use yet: an arrangement may choose it later.
    std::vector<Axis> infinite = Units(2);
    auto text = MakeText(7, {"0", "0", "1"}, infinite, 2);
    const std::string unit1 = "U1\r\n0.35\r\n";
    ASSERT_NE(text.find(unit1), std::string::npos);
    EXPECT_NE(Import(text), nullptr);
    text.replace(text.find(unit1), unit1.size(), "U1\r\n1e999\r\n");
    EXPECT_EQ(Import(text), nullptr);

    // A file cut off inside the count lines.
    EXPECT_EQ(Import("Version 1.0.0\r\n3\r\n0\r\n0\r\n"), nullptr);
}

TEST(ArraySuffix, TextsAsTheKindsCountThem)
{
    auto suffix = [](int code, DWORD c, DWORD u, DWORD l) {
        auto m = CSpeakerModel::CreateModel(code);
        m->GetTapTable().SetModuleCounts(c, u, l);
        return m->GetNameSuffix();
    };
    EXPECT_EQ(suffix(5, 0, 8, 8), " (x 4)");
    EXPECT_EQ(suffix(5, 0, 6, 6), " (x 3)");
    EXPECT_EQ(suffix(5, 0, 4, 4), " (x 2)");
    EXPECT_EQ(suffix(5, 0, 2, 2), "");
    EXPECT_EQ(suffix(8, 0, 4, 4), " (x 2)");
    EXPECT_EQ(suffix(8, 0, 2, 2), "");
    EXPECT_EQ(suffix(8, 0, 6, 6), "");
    EXPECT_EQ(suffix(3, 0, 0, 8), "");
    EXPECT_EQ(suffix(3, 0, 0, 16), " (x 2)");
    EXPECT_EQ(suffix(3, 0, 0, 24), " (x 3)");
    EXPECT_EQ(suffix(3, 0, 0, 32), " (x 4)");
    EXPECT_EQ(suffix(2, 0, 0, 8), "");
    EXPECT_EQ(suffix(6, 0, 0, 1), "");
    EXPECT_EQ(suffix(6, 0, 0, 2), "(x 2)");
    EXPECT_EQ(suffix(6, 0, 0, 8), "(x 8)");
    EXPECT_EQ(suffix(6, 0, 0, 9), "");
    EXPECT_EQ(suffix(7, 0, 0, 1), "");
    EXPECT_EQ(suffix(7, 0, 0, 7), "(x 7)");
    EXPECT_EQ(suffix(7, 0, 0, 12), "(x 12)");
    EXPECT_EQ(suffix(7, 0, 0, 13), "");
    EXPECT_EQ(suffix(4, 0, 0, 9), "");
    EXPECT_EQ(suffix(4, 0, 0, 16), "");
    EXPECT_EQ(suffix(4, 0, 0, 25), "(x 2)");
    EXPECT_EQ(suffix(4, 0, 0, 32), "(x 2)");
}

TEST(ArrayPlacement, LVHalvesStackUpAndDownFromTheRiggingPoint)
{
    auto m = Import(MakeText(5, {"0", "2", "2"}, Modules(4, 0.3, 0.1, {2.0, 3.0, 4.0, 5.0}), 1));
    ASSERT_NE(m, nullptr);
    const CSPVariableParamArray& p = m->GetPlacements();
    const double L = 0.3, d = 0.1;
    // Upper half: 2 then 5 degrees, from z = 0 upward.
    double a = Rad(2.0);
    EXPECT_NEAR(p[0].GetPositionMetres().x, 0.5 * L * std::sin(a) + d * std::cos(a), 1e-12);
    EXPECT_NEAR(p[0].GetPositionMetres().z, 0.5 * L * std::cos(a) - d * std::sin(a), 1e-12);
    const double ex = L * std::sin(a), ez = L * std::cos(a);
    a = Rad(5.0);
    EXPECT_NEAR(p[1].GetPositionMetres().x, 0.5 * L * std::sin(a) + ex + d * std::cos(a), 1e-12);
    EXPECT_NEAR(p[1].GetPositionMetres().z, 0.5 * L * std::cos(a) + ez - d * std::sin(a), 1e-12);
    EXPECT_DOUBLE_EQ(p[1].GetAngles().z, 5.0);
    // Lower half: 4 then 9 degrees, from z = 0 downward.
    a = Rad(4.0);
    EXPECT_NEAR(p[2].GetPositionMetres().x, -0.5 * L * std::sin(a) + d * std::cos(a), 1e-12);
    EXPECT_NEAR(p[2].GetPositionMetres().z, -0.5 * L * std::cos(a) - d * std::sin(a), 1e-12);
    EXPECT_DOUBLE_EQ(p[2].GetAngles().z, 4.0);
    EXPECT_DOUBLE_EQ(p[3].GetAngles().z, 9.0);
    EXPECT_DOUBLE_EQ(p[0].GetPositionMetres().y, 0.0);
}

TEST(ArrayPlacement, LVWithOneCentreModuleStacksFromHalfItsLength)
{
    // Counts (1, 2, 2): the centre module heads the upper stack from +h/2,
    // the lower stack starts at -h/2, the last module is not placed.
    auto m = Import(MakeText(8, {"1", "2", "2"}, Modules(5, 0.4, 0.0, {}), 1));
    ASSERT_NE(m, nullptr);
    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_NEAR(p[0].GetPositionMetres().z, 0.2 + 0.2, 1e-12);
    EXPECT_NEAR(p[1].GetPositionMetres().z, 0.2 + 0.4 + 0.2, 1e-12);
    EXPECT_NEAR(p[2].GetPositionMetres().z, -0.2 - 0.2, 1e-12);
    EXPECT_NEAR(p[3].GetPositionMetres().z, -0.2 - 0.4 - 0.2, 1e-12);
    EXPECT_EQ(p[4].GetPositionMetres(), CPoint3D(0.0, 0.0, 0.0));

    // More than one centre module: nothing is placed.
    auto none = Import(MakeText(8, {"2", "1", "1"}, Modules(4, 0.4, 0.1, {3.0, 3.0, 3.0, 3.0}), 1));
    ASSERT_NE(none, nullptr);
    for (const CSPVariableParam& q : none->GetPlacements()) {
        EXPECT_EQ(q.GetPositionMetres(), CPoint3D(0.0, 0.0, 0.0));
        EXPECT_EQ(q.GetAngles().z, 0.0);
    }
}

TEST(ArrayPlacement, TypeTTakesItsSplaysFromItsTable)
{
    // The file's splays (7 degrees) are overridden by the built-in table.
    auto m = Import(MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, {7, 7, 7, 7, 7, 7, 7, 7}), 1));
    ASSERT_NE(m, nullptr);
    const double expected[8] = {4.0, 4.4, 5.2, 6.8, 9.6, 14.0, 20.4, 30.4};
    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 8u);
    double x0 = 0.0, z0 = 0.0;
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(p[i].GetAngles().z, expected[i], 1e-12) << i;
        const double a = Rad(p[i].GetAngles().z);
        EXPECT_NEAR(p[i].GetPositionMetres().x, x0 - 0.06 * std::sin(a) + 0.05 * std::cos(a), 1e-12) << i;
        EXPECT_NEAR(p[i].GetPositionMetres().z, z0 - 0.06 * std::cos(a) - 0.05 * std::sin(a), 1e-12) << i;
        x0 -= 0.12 * std::sin(a);
        z0 -= 0.12 * std::cos(a);
    }
    // No arrangement: the command changes nothing.
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    EXPECT_EQ(m->DoModuleArrangement(0), 0.0);
    EXPECT_EQ(dialogs.runs, 0);
    EXPECT_EQ(m->GetNameSuffix(), "");

    // A centre count from the file: nothing is placed.
    auto c = Import(MakeText(2, {"1", "0", "8"}, Modules(8, 0.12, 0.05, {}), 1));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetTapTable().GetCentreCount(), 1u);
    EXPECT_EQ(c->GetElements().size(), 8u);
    for (const CSPVariableParam& q : c->GetPlacements())
        EXPECT_EQ(q.GetAngles().z, 0.0);
}

TEST(ArrayPlacement, TypeTBeyondEightElementsHangsStraightOn)
{
    auto m = Import(MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, {}), 1));
    ASSERT_NE(m, nullptr);
    // A project file written with twelve lower elements.
    m->GetTapTable().SetModuleCounts(0, 0, 12);
    m->ResizeVariableParams();
    const std::vector<BYTE> record = Store(*m);

    auto loaded = Load(record);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetTapTable().GetLowerCount(), 12u);
    EXPECT_EQ(loaded->GetAxisElements().size(), 8u);
    EXPECT_EQ(loaded->GetElements().size(), 12u);
    loaded->CalcAimAngles();
    const CSPVariableParamArray& q = loaded->GetPlacements();
    for (int i = 8; i < 12; ++i)
        EXPECT_NEAR(q[i].GetAngles().z, 30.4, 1e-12) << i;
    // They continue the column with the last element's length and offset.
    const double a = Rad(30.4);
    EXPECT_NEAR(q[11].GetPositionMetres().z - q[10].GetPositionMetres().z, -0.12 * std::cos(a), 1e-12);
    EXPECT_NEAR(q[11].GetPositionMetres().x - q[10].GetPositionMetres().x, -0.12 * std::sin(a), 1e-12);
    EXPECT_EQ(q[11].GetEntity(), CAxisEntity(0.05, 0.12, 0.0));
}

TEST(ArrayPlacement, CabinetsTiltAgainstTheCabinetAbove)
{
    auto m = Import(MakeText(6, {"0", "0", "1"}, Units(2), 2));
    ASSERT_NE(m, nullptr);
    auto* a = dynamic_cast<CTypeAModel*>(m.get());
    ASSERT_NE(a, nullptr);
    // A fresh import: one L cabinet.
    ASSERT_EQ(a->GetParams().size(), 1u);
    EXPECT_EQ(a->GetParams()[0], CTypeAandCParam(0, 0.0));

    // Three cabinets L, L, S with tilts (any, 2, 3).
    ASSERT_TRUE(a->ApplyArrangement(0, 0, 3, 3, CTypeAandCParamArray{{0, 17.0}, {0, 2.0}, {1, 3.0}}));
    const CSPVariableParamArray& p = a->GetPlacements();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_DOUBLE_EQ(p[0].GetAngles().z, 0.0);
    EXPECT_DOUBLE_EQ(p[1].GetAngles().z, 2.0);
    EXPECT_DOUBLE_EQ(p[2].GetAngles().z, 5.0);
    EXPECT_EQ(p[0].GetEntity().z, 0.0);
    const double lengths[3] = {0.4, 0.4, 0.35}, offsets[3] = {0.2, 0.2, 0.21};
    double x0 = 0.0, z0 = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double r = Rad(p[i].GetAngles().z);
        EXPECT_NEAR(p[i].GetPositionMetres().x, x0 - 0.5 * lengths[i] * std::sin(r) + offsets[i] * std::cos(r), 1e-12);
        EXPECT_NEAR(p[i].GetPositionMetres().z, z0 - 0.5 * lengths[i] * std::cos(r) - offsets[i] * std::sin(r), 1e-12);
        x0 -= lengths[i] * std::sin(r);
        z0 -= lengths[i] * std::cos(r);
        EXPECT_DOUBLE_EQ(p[i].GetShare(), 1.0 / 3.0);
    }
    EXPECT_EQ(p[2].GetAxis().GetName(), "U1");
    // Each element sounds with its unit's balloon.
    ASSERT_EQ(a->GetElements().size(), 3u);
    EXPECT_EQ(a->GetElements()[0].GetBalloon(), &a->GetBalloons()[0]);
    EXPECT_EQ(a->GetElements()[2].GetBalloon(), &a->GetBalloons()[1]);

    // Counts with an upper element, too few parameters or a unit outside the
    // two are not applied.
    EXPECT_FALSE(a->ApplyArrangement(0, 1, 2, 3, CTypeAandCParamArray(3)));
    EXPECT_FALSE(a->ApplyArrangement(0, 0, 4, 4, CTypeAandCParamArray(3)));
    EXPECT_FALSE(a->ApplyArrangement(0, 0, 2, 2, CTypeAandCParamArray{{0, 0.0}, {2, 0.0}}));
    EXPECT_EQ(a->GetTotalCount(), 3u);
    EXPECT_DOUBLE_EQ(a->GetPlacements()[2].GetAngles().z, 5.0);
}

TEST(ArrayPlacement, TypeHImportIsOneStraightBoxOfNine)
{
    auto m = Import(MakeText(4, {"0", "0", "3"}, Units(4), 4));
    ASSERT_NE(m, nullptr);
    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(p[i].GetAngles().z, 0.0);
        EXPECT_NEAR(p[i].GetPositionMetres().z, -0.2 - 0.4 * i, 1e-12);
        EXPECT_NEAR(p[i].GetPositionMetres().x, 0.2, 1e-12);
        EXPECT_EQ(m->GetElements()[i].GetBalloon(), &m->GetBalloons()[0]);
    }
}

TEST(ArrayImport, ExampleFilesOfEveryArrayKindImport)
{
    struct Example {
        const char* file;
        int typeCode;
        DWORD elements;
        std::size_t balloons;
        const char* suffix;
    };
    const Example examples[] = {
        {"SampleTypeTColumn.zsb", 2, 8, 1, ""},   {"SampleTypeSArray.zsb", 3, 8, 1, ""},
        {"SampleTypeHArray.zsb", 4, 9, 4, ""},    {"SampleLV3Array.zsb", 5, 8, 1, " (x 2)"},
        {"SampleTypeACabinets.zsb", 6, 1, 2, ""}, {"SampleTypeCCabinets.zsb", 7, 1, 2, ""},
        {"SampleLV6Array.zsb", 8, 8, 1, " (x 2)"},
    };
    for (const Example& ex : examples) {
        SCOPED_TRACE(ex.file);
        CStdioFile file;
        ASSERT_TRUE(file.Open(std::string(KADREL_SOURCE_DIR) + "/examples/" + ex.file));
        std::string line;
        ASSERT_TRUE(file.ReadString(line));
        ASSERT_EQ(line, "Version 1.0.0");
        CSpeakerModelContainer container;
        ASSERT_TRUE(container.ImportModel(file, 0, nullptr));
        const CSpeakerModel* m = container.GetAt(0);
        EXPECT_EQ(m->GetTypeCode(), ex.typeCode);
        EXPECT_EQ(m->GetTapTable().GetElementCount(), ex.elements);
        EXPECT_EQ(m->GetElements().size(), ex.elements);
        EXPECT_EQ(m->GetBalloons().size(), ex.balloons);
        EXPECT_EQ(m->GetNameSuffix(), ex.suffix);
        // The column hangs or stands around the rigging point with its
        // modules aimed by their splays.
        const CSPVariableParamArray& p = m->GetPlacements();
        EXPECT_NE(p.back().GetPositionMetres().z, 0.0);
    }
}
