// Creating the array kinds by type code, importing them, their suffixes and
// where their modules are placed.
#include "ArrayTestData.h"

#include "models/ArrayModelFactory.h"
#include "models/SpeakerModelContainer.h"
#include "models/TypeAModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace arraytest;

namespace {

const double kPi = 4.0 * std::atan(1.0);
double Rad(double deg) { return deg * kPi / 180.0; }

// Expects placement p to be a module of length L and front offset d hanging
// (down) or standing (up) at angle deg from the running point (x0, z0), and
// advances the running point to the module's far end.
void ExpectStacked(const CSPVariableParam& p, double& x0, double& z0, double L, double d, double deg, bool down)
{
    const double a = Rad(deg), s = down ? -1.0 : 1.0;
    EXPECT_NEAR(p.GetPositionMetres().x, x0 + s * 0.5 * L * std::sin(a) + d * std::cos(a), 1e-12);
    EXPECT_NEAR(p.GetPositionMetres().z, z0 + s * 0.5 * L * std::cos(a) - d * std::sin(a), 1e-12);
    EXPECT_NEAR(p.GetAngles().z, deg, 1e-12);
    x0 += s * L * std::sin(a);
    z0 += s * L * std::cos(a);
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

TEST(ArrayImport, EveryTypeCodeIsCreatedAndImportsThroughTheContainer)
{
    const DWORD expectedCounts[9][3] = {{}, {}, {0, 0, 8}, {0, 0, 8}, {0, 0, 9}, {0, 4, 4}, {0, 0, 1}, {0, 0, 1}, {0, 4, 4}};
    const std::size_t units[9] = {0, 0, 8, 8, 4, 8, 2, 2, 8};
    const std::size_t balloons[9] = {0, 0, 1, 1, 4, 1, 2, 2, 1};
    for (int code = 2; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const auto created = CreateArrayModel(code);
        ASSERT_NE(created, nullptr);
        EXPECT_EQ(created->GetTypeCode(), code);

        CSpeakerModelContainer container;
        CStdioFile file;
        file.OpenText(KindText(code).substr(std::string("Version 1.0.0\r\n").size()));
        ASSERT_TRUE(container.ImportModel(file, 0, nullptr));
        ASSERT_EQ(container.GetCount(), 1);
        CSpeakerModel* m = container.GetAt(0);
        EXPECT_EQ(m->GetTypeCode(), code);
        const CSpeakerTapTable& t = m->GetTapTable();
        EXPECT_EQ(t.GetCentreCount(), expectedCounts[code][0]);
        EXPECT_EQ(t.GetUpperCount(), expectedCounts[code][1]);
        EXPECT_EQ(t.GetLowerCount(), expectedCounts[code][2]);
        EXPECT_EQ(m->GetAxisElements().size(), units[code]);
        EXPECT_EQ(m->GetBalloons().size(), balloons[code]);
        EXPECT_EQ(m->GetElements().size(), t.GetElementCount());
        EXPECT_EQ(m->GetPlacements().size(), t.GetElementCount());
        EXPECT_EQ(m->GetName(), "Test Array");
    }
    for (int code : {-1, 0, 1, 9})
        EXPECT_EQ(CreateArrayModel(code), nullptr) << code;
}

TEST(ArrayImport, CountLinesAreCheckedAndTheIgnoredThirdLineIsIgnored)
{
    // A TypeA file's third count line says 5: one cabinet all the same.
    auto a = Imported(MakeText(6, {"0", "0", "5"}, Units(2), 2));
    EXPECT_EQ(a->GetTapTable().GetLowerCount(), 1u);
    // TypeT: 0, 0, 5 gives eight elements; the ignored line may say anything.
    auto t = Imported(MakeText(2, {"0", "0", "5"}, Modules(8, 0.12, 0.05, {}), 1));
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
    struct Case {
        int code;
        DWORD upper, lower;
        const char* suffix;
    } cases[] = {
        {5, 8, 8, " (x 4)"}, {5, 6, 6, " (x 3)"}, {5, 4, 4, " (x 2)"}, {5, 2, 2, ""},       {8, 4, 4, " (x 2)"},
        {8, 2, 2, ""},       {8, 6, 6, ""},       {3, 0, 8, ""},       {3, 0, 16, " (x 2)"}, {3, 0, 24, " (x 3)"},
        {3, 0, 32, " (x 4)"}, {2, 0, 8, ""},      {6, 0, 1, ""},       {6, 0, 2, "(x 2)"},  {6, 0, 8, "(x 8)"},
        {6, 0, 9, ""},       {7, 0, 1, ""},       {7, 0, 7, "(x 7)"},  {7, 0, 12, "(x 12)"}, {7, 0, 13, ""},
        {4, 0, 9, ""},       {4, 0, 16, ""},      {4, 0, 25, "(x 2)"}, {4, 0, 32, "(x 2)"},
    };
    for (const Case& t : cases) {
        auto m = CSpeakerModel::CreateModel(t.code);
        m->GetTapTable().SetModuleCounts(0, t.upper, t.lower);
        EXPECT_EQ(m->GetNameSuffix(), t.suffix) << t.code << ": " << t.upper << ", " << t.lower;
    }
}

TEST(ArrayPlacement, LVHalvesStackUpAndDownFromTheRiggingPoint)
{
    auto m = Imported(MakeText(5, {"0", "2", "2"}, Modules(4, 0.3, 0.1, {2.0, 3.0, 4.0, 5.0}), 1));
    const CSPVariableParamArray& p = m->GetPlacements();
    // Upper half: 2 then 5 degrees from z = 0 upward; lower half: 4 then 9 downward.
    double x0 = 0.0, z0 = 0.0;
    ExpectStacked(p[0], x0, z0, 0.3, 0.1, 2.0, false);
    ExpectStacked(p[1], x0, z0, 0.3, 0.1, 5.0, false);
    x0 = z0 = 0.0;
    ExpectStacked(p[2], x0, z0, 0.3, 0.1, 4.0, true);
    ExpectStacked(p[3], x0, z0, 0.3, 0.1, 9.0, true);
    EXPECT_DOUBLE_EQ(p[0].GetPositionMetres().y, 0.0);
}

TEST(ArrayPlacement, LVWithOneCentreModuleStacksFromHalfItsLength)
{
    // Counts (1, 2, 2): the centre module heads the upper stack from +h/2,
    // the lower stack starts at -h/2, the last module is not placed.
    auto m = Imported(MakeText(8, {"1", "2", "2"}, Modules(5, 0.4, 0.0, {}), 1));
    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 5u);
    EXPECT_NEAR(p[0].GetPositionMetres().z, 0.2 + 0.2, 1e-12);
    EXPECT_NEAR(p[1].GetPositionMetres().z, 0.2 + 0.4 + 0.2, 1e-12);
    EXPECT_NEAR(p[2].GetPositionMetres().z, -0.2 - 0.2, 1e-12);
    EXPECT_NEAR(p[3].GetPositionMetres().z, -0.2 - 0.4 - 0.2, 1e-12);
    EXPECT_EQ(p[4].GetPositionMetres(), CPoint3D(0.0, 0.0, 0.0));

    // More than one centre module: nothing is placed.
    auto none = Imported(MakeText(8, {"2", "1", "1"}, Modules(4, 0.4, 0.1, {3.0, 3.0, 3.0, 3.0}), 1));
    for (const CSPVariableParam& q : none->GetPlacements()) {
        EXPECT_EQ(q.GetPositionMetres(), CPoint3D(0.0, 0.0, 0.0));
        EXPECT_EQ(q.GetAngles().z, 0.0);
    }
}

TEST(ArrayPlacement, TypeTTakesItsSplaysFromItsTable)
{
    // The file's splays (7 degrees) are overridden by the built-in table.
    auto m = Imported(MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, {7, 7, 7, 7, 7, 7, 7, 7}), 1));
    const double expected[8] = {4.0, 4.4, 5.2, 6.8, 9.6, 14.0, 20.4, 30.4};
    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 8u);
    double x0 = 0.0, z0 = 0.0;
    for (int i = 0; i < 8; ++i)
        ExpectStacked(p[i], x0, z0, 0.12, 0.05, expected[i], true);
    // No arrangement: the command changes nothing.
    CFakeArrangementDialogs dialogs;
    CScopedModelDialogs scope(&dialogs);
    EXPECT_EQ(m->DoModuleArrangement(0), 0.0);
    EXPECT_EQ(dialogs.runs, 0);
    EXPECT_EQ(m->GetNameSuffix(), "");

    // A centre count from the file: nothing is placed.
    auto c = Imported(MakeText(2, {"1", "0", "8"}, Modules(8, 0.12, 0.05, {}), 1));
    EXPECT_EQ(c->GetTapTable().GetCentreCount(), 1u);
    EXPECT_EQ(c->GetElements().size(), 8u);
    for (const CSPVariableParam& q : c->GetPlacements())
        EXPECT_EQ(q.GetAngles().z, 0.0);
}

// A centre or an upper count from the file (or a project record) leaves
// the column as it is: no element takes a splay from the table, an aim or
// a place.
TEST(ArrayPlacement, TypeTWithACentreOrUpperCountStaysUnplacedAndUnsplayed)
{
    const std::vector<std::string> counts[] = {{"1", "0", "8"}, {"0", "1", "8"}, {"0", "3", "0"}, {"2", "2", "8"}};
    for (const auto& c : counts) {
        SCOPED_TRACE(c[0] + " " + c[1]);
        auto m = Imported(MakeText(2, c, Modules(8, 0.12, 0.05, {}), 1));
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->GetTapTable().GetCentreCount(), static_cast<DWORD>(std::stoi(c[0])));
        EXPECT_EQ(m->GetTapTable().GetUpperCount(), static_cast<DWORD>(std::stoi(c[1])));
        EXPECT_EQ(m->GetTapTable().GetLowerCount(), 8u);
        auto loaded = Load(Store(*m));
        ASSERT_NE(loaded, nullptr);
        loaded->CalcAimAngles();
        for (const CSpeakerModel* model : {m.get(), loaded.get()}) {
            // (A loaded record holds one placement per counted module.)
            const CSPVariableParamArray& p = model->GetPlacements();
            ASSERT_GE(p.size(), 8u);
            for (const CSPVariableParam& q : p) {
                EXPECT_EQ(q.GetEntity().z, 0.0);
                EXPECT_EQ(q.GetAngles(), CPoint3D(0.0, 0.0, 0.0));
                EXPECT_EQ(q.GetPositionMetres(), CPoint3D(0.0, 0.0, 0.0));
            }
        }
    }
    // The same column without them hangs with the table's splays.
    auto placed = Imported(MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, {}), 1));
    EXPECT_EQ(placed->GetPlacements()[0].GetEntity().z, 4.0);
    EXPECT_NEAR(placed->GetPlacements()[7].GetAngles().z, 30.4, 1e-12);
}

TEST(ArrayPlacement, TypeTBeyondEightElementsHangsStraightOn)
{
    auto m = Imported(MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, {}), 1));
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
    auto m = Imported(MakeText(6, {"0", "0", "1"}, Units(2), 2));
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
    double x0 = 0.0, z0 = 0.0;
    for (int i = 0; i < 3; ++i) {
        const int unit = i < 2 ? 0 : 1;
        ExpectStacked(p[i], x0, z0, kUnitLength[unit], kUnitOffset[unit], i == 0 ? 0.0 : 3.0 * i - 1.0, true);
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
    auto m = Imported(MakeText(4, {"0", "0", "3"}, Units(4), 4));
    const CSPVariableParamArray& p = m->GetPlacements();
    ASSERT_EQ(p.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(p[i].GetAngles().z, 0.0);
        EXPECT_NEAR(p[i].GetPositionMetres().z, -0.2 - 0.4 * i, 1e-12);
        EXPECT_NEAR(p[i].GetPositionMetres().x, 0.2, 1e-12);
        EXPECT_EQ(m->GetElements()[i].GetBalloon(), &m->GetBalloons()[0]);
    }
}
