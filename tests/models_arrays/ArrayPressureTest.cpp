// The pressure of an installed array is the sum of its modules: each module
// computed on its own as a single speaker at the module's world position and
// aim gives the same complex sum.
#include "ArrayTestData.h"

#include "models/TypeAModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace arraytest;

namespace {

// The pressure of model m installed at position (angles 0) summed over its
// elements, each as a single forward speaker of the element's balloon placed
// at the element's position and aimed by its angles.
CSPComplex SumOfModules(const CSpeakerModel& m, const CPoint3D& point, const CPoint3D& position, double f,
                        double ceiling, bool reversed, double power, bool reflection)
{
    CSPComplex sum;
    const std::vector<double> frequencies = Frequencies();
    for (const CSpeakerElement& e : m.GetElements()) {
        int unit = 0;
        while (&m.GetBalloons()[unit] != e.GetBalloon())
            ++unit;
        auto single = Import(MakeText(0, {}, {}, 1, "Single", unit));
        EXPECT_NE(single, nullptr);
        const CPoint3D q = e.GetPlacement()->GetPositionMetres();
        const CPoint3D at(position.x + q.x, position.y + q.y, position.z + q.z);
        double ff = f;
        EXPECT_EQ(single->CalcPressure(sum, point, at, e.GetAngles(), ff, ceiling, reversed,
                                       power * e.GetPowerShare(), 1.0, reflection, 0),
                  0);
    }
    return sum;
}

void ExpectSamePressure(CSpeakerModel& m)
{
    const double f = Frequencies()[1];
    const CPoint3D position(1.0, 2.0, 3.0);
    const CPoint3D points[3] = {CPoint3D(8.0, -3.0, 1.2), CPoint3D(2.5, 2.2, 0.0), CPoint3D(-4.0, 6.0, 2.0)};
    for (const CPoint3D& point : points) {
        for (int variant = 0; variant < 2; ++variant) {
            const bool reflection = variant == 1;
            CSPComplex array;
            ASSERT_EQ(m.CalcPressure(array, point, position, CPoint3D(), f, 6.0, variant == 1, 40.0, 1.0, reflection, 0), 0);
            const CSPComplex modules = SumOfModules(m, point, position, f, 6.0, variant == 1, 40.0, reflection);
            const double scale = std::hypot(modules.re, modules.im);
            ASSERT_GT(scale, 0.0);
            EXPECT_NEAR(array.re, modules.re, 1e-9 * scale) << point.x;
            EXPECT_NEAR(array.im, modules.im, 1e-9 * scale) << point.x;
        }
    }
}

const std::vector<double> kSplays = {0.0, 1.5, 3.0, 4.5, 0.0, 1.5, 3.0, 4.5};

}  // namespace

TEST(ArrayPressure, EightModuleArraysAndCabinetsAreTheSumOfTheirModules)
{
    for (const std::string& text : {MakeText(5, {"0", "4", "4"}, Modules(8, 0.32, 0.12, kSplays), 1),
                                    MakeText(3, {"0", "0", "8"}, Modules(8, 0.1, 0.04, kSplays), 1),
                                    MakeText(2, {"0", "0", "8"}, Modules(8, 0.12, 0.05, kSplays), 1),
                                    MakeText(7, {"0", "0", "1"}, Units(2), 2)}) {
        auto m = Imported(text);
        SCOPED_TRACE(m->GetTypeCode());
        // The cabinets sound with the balloon of their unit.
        if (auto* c = dynamic_cast<CCabinetArrayModel*>(m.get())) {
            ASSERT_TRUE(c->ApplyArrangement(0, 0, 4, 4, CTypeAandCParamArray{{0, 0.0}, {1, 3.0}, {0, 5.0}, {1, 8.0}}));
        }
        ASSERT_EQ(m->GetElements().size(), m->GetTypeCode() == 7 ? 4u : 8u);
        ExpectSamePressure(*m);
    }
}
