// The fast evaluation gives the levels, results and curves of the plain one
// to the last bit, on scenes that reach every branch of the pressure
// calculation: both sum modes, with and without the ceiling image, a
// vertical plane, feet, reversed polarity, turned speakers, receivers on a
// source and on the grid, installations without model and models that do
// not reach the band.

#include "SceneSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

using namespace splcalc_test;
using Evaluation = CSPLMapCalculator::Evaluation;

namespace {

struct SceneCase {
    std::string name;
    std::function<void(Scene&)> build;
    int lengthUnit = 0;
};

void Mixed(Scene& s, int sumMode, bool ceiling)
{
    s.doc->m_installations.m_nCeilingKind = ceiling ? 1 : 0;
    const int m = s.AddModel(SmallSpeaker());
    ZsbRecipe narrow = SmallSpeaker(24, 200.0, 5000.0);
    narrow.name = "Narrow";
    narrow.units.push_back(ZsbUnit{0.12, 0.3, 92.0, 150.0, 0.0003});
    const int n = s.AddModel(narrow);
    s.Install(m, 1.25, 1.25, 3.0);                        // straight down over a dot centre
    s.Install(n, 2.0, 0.5, 2.5, 30.0, 10.0, 60.0, 10.0);  // turned
    s.Install(m, 0.75, 2.25, 1.2, 0.0, 0.0, 0.0, 3.0);    // at plane height, aiming along x
    s.Install(m, 0.25, 0.25, 1.2);                        // on the centre of dot 0
    s.Install(7, 1.0, 1.0, 3.0);                          // no such model
    s.SetPlane(0.0, 0.0, 1.2, 3.0, 3.0, 0.0, 0.5, 1000.0, 3.0, sumMode);
}

const std::vector<SceneCase>& Cases()
{
    static const std::vector<SceneCase> cases = {
        {"InterferenceCeiling", [](Scene& s) { Mixed(s, 0, true); }},
        {"EnergyCeiling", [](Scene& s) { Mixed(s, 1, true); }},
        {"InterferenceOpen", [](Scene& s) { Mixed(s, 0, false); }},
        {"EnergyOpen", [](Scene& s) { Mixed(s, 1, false); }},
        {"VerticalPlane",
         [](Scene& s) {
             Mixed(s, 0, true);
             s.SetPlane(1.0, 0.0, 0.0, 0.0, 3.0, 3.5, 0.5, 2000.0, 1.0, 0);
         }},
        {"Feet",
         [](Scene& s) {
             const int m = s.AddModel(SmallSpeaker());
             s.Install(m, 4.0, 4.0, 10.0);
             s.Install(m, 8.0, 4.0, 10.0, 0.0, 0.0, 70.0);
             s.SetPlane(0.0, 0.0, 4.0, 12.0, 8.0, 0.0, 1.0, 500.0, 1.0, 0);
         },
         1},
        {"ReversedPolarity",
         [](Scene& s) {
             const int m = s.AddModel(SmallSpeaker());
             s.Install(m, 1.0, 1.0, 3.0, 0.0, 0.0, 90.0, 6.0, true);
             s.Install(m, 2.0, 1.0, 3.0, 45.0, 0.0, 80.0, 6.0, false);
             s.SetPlane(0.0, 0.0, 1.2, 3.0, 2.0, 0.0, 0.25, 4000.0, 3.0, 0);
         }},
        {"SingleFrequencyBand",
         [](Scene& s) {
             Mixed(s, 0, true);
             s.Condition().SetBandFraction(24.0);
         }},
        {"ArraysAndCeilingSpeakers",
         [](Scene& s) {
             s.doc->m_installations.SetRoom(CInstallationContainer::kRoomHeight, 6.0);
             for (int code : {5, 4, 6}) {
                 ZsbRecipe recipe = SmallSpeaker();
                 recipe.typeCode = code;
                 recipe.units.clear();
                 const ZsbKind* kind = FindZsbKind(code);
                 ASSERT_NE(kind, nullptr) << code;
                 kind->applyDefaults(recipe);
                 ASSERT_EQ(s.AddModel(recipe), code == 5 ? 0 : code == 4 ? 1 : 2) << code;
             }
             const int ceiling = s.AddModel(SmallSpeaker());
             s.Install(0, 0.0, 1.5, 5.0, 0.0, 0.0, 15.0, 120.0);      // LV-3 on a wall, tilted down
             s.Install(1, 4.0, 1.5, 4.5, 180.0, 0.0, 10.0, 200.0);    // TypeH facing back
             s.Install(2, 2.0, 3.5, 4.0, -90.0, 5.0, 20.0, 80.0);     // TypeA, turned and rotated
             s.Install(ceiling, 2.0, 1.5, 5.9);
             s.SetPlane(0.0, 0.0, 1.2, 4.0, 3.0, 0.0, 0.5, 1000.0, 3.0, 0);
         }},
        {"BandAboveOneModel",
         [](Scene& s) {
             Mixed(s, 1, true);
             s.Condition().SetFrequency(8000.0);
         }},
    };
    return cases;
}

// The levels of every dot and the four results agree to the last bit.
void ExpectSameMap(Scene& ref, Scene& fast, const std::string& what)
{
    const auto a = ref.Levels();
    const auto b = fast.Levels();
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(Bits(a[i]), Bits(b[i])) << what << " dot " << i;
    for (auto result : {&CListeningPlane::GetMaxLevel, &CListeningPlane::GetMinLevel,
                        &CListeningPlane::GetAverageLevel, &CListeningPlane::GetSpeechAverageLevel})
        EXPECT_EQ(Bits((ref.Plane().*result)()), Bits((fast.Plane().*result)())) << what;
}

class FastPath : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FastPath, MapResponseAndCoverageAgreeBitForBit)
{
    const SceneCase& c = Cases()[GetParam()];
    const auto build = [&c](Scene& s) {
        c.build(s);
        s.AddGraph();
        s.doc->m_dAutoBand = 3.0;
        s.doc->m_dAutoCenterFreq = 1000.0;
    };
    Scene ref(c.lengthUnit);
    build(ref);
    ref.Calculator(Evaluation::Reference)->CalcColorMap();
    ASSERT_FALSE(ref.Levels().empty());
    ASSERT_NE(ref.Plane().GetAverageLevel(), 0.0) << "the reference map did not complete";
    for (unsigned threads : {1u, 3u, 0u}) {
        Scene fast(c.lengthUnit);
        build(fast);
        fast.Calculator(Evaluation::Fast, threads)->CalcColorMap();
        ExpectSameMap(ref, fast, c.name + " threads " + std::to_string(threads));
    }

    // The frequency response at a few points, one of them on a source.
    Scene fast(c.lengthUnit);
    build(fast);
    const CInstallationElement* first = ref.doc->m_installations.GetAt(0);
    for (const CPoint3D& pt : {CPoint3D(0.3, 0.7, 1.2), CPoint3D(1.25, 1.25, 1.2), first->GetPosition()}) {
        ref.Calculator(Evaluation::Reference)->CalcFrequencyResponse(pt);
        fast.Calculator(Evaluation::Fast)->CalcFrequencyResponse(pt);
        const CSoundGraphData* a = ref.doc->m_soundGraphConditions.GetGraph(0).GetCurve(0);
        const CSoundGraphData* b = fast.doc->m_soundGraphConditions.GetGraph(0).GetCurve(0);
        ASSERT_EQ(a->GetCount(), b->GetCount());
        ASSERT_GT(a->GetCount(), 1);
        for (int i = 0; i < a->GetCount(); ++i) {
            EXPECT_EQ(Bits(a->GetX(i)), Bits(b->GetX(i)));
            EXPECT_EQ(Bits(a->GetY(i)), Bits(b->GetY(i))) << c.name << " band " << i;
        }
    }

    // The coverage scan along both axes.
    for (auto scan : {&CSPLMapCalculator::CalcCoverageX, &CSPLMapCalculator::CalcCoverageY}) {
        double r[3] = {0, 0, 0}, f[3] = {0, 0, 0};
        EXPECT_EQ(((*ref.Calculator(Evaluation::Reference)).*scan)(r[0], r[1], r[2], 6.0),
                  ((*fast.Calculator(Evaluation::Fast)).*scan)(f[0], f[1], f[2], 6.0));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Bits(r[i]), Bits(f[i])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenes, FastPath, ::testing::Range<std::size_t>(0, 10),
                         [](const ::testing::TestParamInfo<std::size_t>& info) { return Cases()[info.param].name; });

// Random scenes with a fixed seed: speakers anywhere and turned any way,
// any band choice, any plane orientation, both modes and both ceilings.
TEST(FastPathRandom, RandomScenesAgreeBitForBit)
{
    std::mt19937 random(20261207);
    auto uniform = [&random](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    const double bands[] = {24.0, 12.0, 6.0, 3.0, 1.0, 0.5, 0.25};
    const double centres[] = {125.0, 500.0, 1000.0, 3150.0, 8000.0};
    for (int round = 0; round < 8; ++round) {
        const int unit = round % 3 == 2 ? 1 : 0;
        const double band = bands[random() % 7];
        const double fc = centres[random() % 5];
        const int mode = static_cast<int>(random() % 2);
        const bool ceiling = random() % 2 == 0;
        const int normal = static_cast<int>(random() % 3);
        const int installs = 1 + static_cast<int>(random() % 4);
        std::vector<double> values;
        for (int i = 0; i < installs * 7; ++i)
            values.push_back(uniform(0.0, 1.0));
        auto build = [&](Scene& s) {
            s.doc->m_installations.m_nCeilingKind = ceiling ? 1 : 0;
            const int m = s.AddModel(SmallSpeaker());
            const double scale = unit == 1 ? 3.0 : 1.0;
            for (int i = 0; i < installs; ++i) {
                const double* v = &values[static_cast<std::size_t>(7 * i)];
                s.Install(m, scale * 3.0 * v[0], scale * 3.0 * v[1], scale * (1.0 + 2.9 * v[2]), 360.0 * v[3] - 180.0,
                          360.0 * v[4] - 180.0, 180.0 * v[5] - 90.0, 1.0 + 20.0 * v[6], v[6] > 0.3);
            }
            const double ex = normal == 0 ? 0.0 : scale * 3.0;
            const double ey = normal == 1 ? 0.0 : scale * 3.0;
            const double ez = normal == 2 ? 0.0 : scale * 3.0;
            s.SetPlane(0.0, 0.0, scale * 1.2, ex, ey, ez, scale * 0.6, fc, band, mode);
        };
        Scene ref(unit);
        build(ref);
        ref.Calculator(Evaluation::Reference)->CalcColorMap();
        Scene fast(unit);
        build(fast);
        fast.Calculator(Evaluation::Fast, 2)->CalcColorMap();
        ExpectSameMap(ref, fast, "round " + std::to_string(round));
    }
}

}  // namespace
