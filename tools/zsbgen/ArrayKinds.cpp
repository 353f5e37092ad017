// The array kinds (type codes 2 to 8): module-count lines, one axis block per
// module or per unit kind, and one balloon per unit kind, with module
// lengths, front offsets and splays of real hanging arrays.
#include "tools/zsbgen/ZsbWriter.h"

#include <string>

namespace {

ZsbAxis Axis(const std::string& name, double length, double offset, double splay, double share)
{
    ZsbAxis a;
    a.name = name;
    a.length = length;
    a.offset = offset;
    a.splay = splay;
    a.share = share;
    return a;
}

ZsbUnit Unit(double radius, double ellipticity, double sensitivity, double lowCorner)
{
    ZsbUnit u;
    u.radius = radius;
    u.ellipticity = ellipticity;
    u.sensitivity = sensitivity;
    u.lowCorner = lowCorner;
    return u;
}

// TypeT: eight elements whose splays are built into the model; the file
// gives only their length and offset (its third count line is ignored).
void ApplyTypeT(ZsbRecipe& recipe)
{
    recipe.countLines = {0, 0, 8};
    recipe.axes.clear();
    for (int i = 0; i < 8; ++i)
        recipe.axes.push_back(Axis("T-" + std::to_string(i + 1), 0.125, 0.06, 0.0, 1.0 / 8.0));
    recipe.units.resize(1);
}

// TypeS: one box of eight straight elements hanging below the rigging point.
void ApplyTypeS(ZsbRecipe& recipe)
{
    recipe.countLines = {0, 0, 8};
    recipe.axes.clear();
    for (int i = 0; i < 8; ++i)
        recipe.axes.push_back(Axis("S-" + std::to_string(i + 1), 0.1, 0.045, 0.0, 1.0 / 8.0));
    recipe.units.resize(1);
}

// TypeH: the four box kinds (straight and curved fronts of two element
// sizes); a fresh import is one box of the first kind. The larger elements
// are louder and beam earlier; the curved (S) fronts spread wider than the
// straight (L) ones.
void ApplyTypeH(ZsbRecipe& recipe)
{
    recipe.countLines = {0, 0, 0};
    // Each element takes its unit's share: a W5 box has 9 elements, a W7
    // box 16, so a fresh box shares the model's power out evenly.
    recipe.axes = {Axis("DM-W5L", 0.105, 0.05, 0.0, 1.0 / 9.0), Axis("DM-W7L", 0.075, 0.04, 0.0, 1.0 / 16.0),
                 Axis("DM-W5S", 0.105, 0.05, 0.0, 1.0 / 9.0), Axis("DM-W7S", 0.075, 0.04, 0.0, 1.0 / 16.0)};
    recipe.units = {Unit(0.06, 0.35, 97.0, 90.0), Unit(0.045, 0.35, 95.0, 110.0), Unit(0.05, 0.15, 96.0, 90.0),
                  Unit(0.038, 0.15, 94.0, 110.0)};
}

// LV-3 and LV-6: two boxes or cabinets of 4 modules, split at the rigging
// point, the modules splayed progressively away from it. The joints take
// splay modes of the arrangement dialog, so it shows a mode for each: the
// rigging joint 3.75 degrees ("15deg-mode"), shared half and half by the two
// centre modules, then 3.75, 7.5 and 11.25 outward; the upper half splays
// negative (fanning upward), the lower half positive.
void ApplyLineArray(ZsbRecipe& recipe, double length, double offset, const char* prefix)
{
    recipe.countLines = {0, 4, 4};
    recipe.axes.clear();
    const double splays[4] = {1.875, 3.75, 7.5, 11.25};
    for (int half = 0; half < 2; ++half) {
        const double sign = half == 0 ? -1.0 : 1.0;
        for (int i = 0; i < 4; ++i)
            recipe.axes.push_back(Axis(std::string(prefix) + (half == 0 ? "-U" : "-L") + std::to_string(i + 1),
                                     length, offset, sign * splays[i], 1.0 / 8.0));
    }
    recipe.units.resize(1);
}

void ApplyLV3(ZsbRecipe& recipe)
{
    ApplyLineArray(recipe, 0.32, 0.12, "LV3");
}

void ApplyLV6(ZsbRecipe& recipe)
{
    ApplyLineArray(recipe, 0.42, 0.16, "LV6");
}

// TypeA and TypeC: an L (long-throw, narrower) and an S (short-throw,
// wider) cabinet; a fresh import is one L cabinet.
void ApplyTypeA(ZsbRecipe& recipe)
{
    recipe.countLines = {0, 0, 1};
    recipe.axes = {Axis("DM-K14L", 0.42, 0.2, 0.0, 1.0), Axis("DM-K14S", 0.36, 0.2, 0.0, 1.0)};
    recipe.units = {Unit(0.18, 0.4, 102.0, 55.0), Unit(0.15, 0.2, 100.0, 60.0)};
}

void ApplyTypeC(ZsbRecipe& recipe)
{
    recipe.countLines = {0, 0, 1};
    recipe.axes = {Axis("DM-P6L", 0.26, 0.12, 0.0, 1.0), Axis("DM-P6S", 0.22, 0.12, 0.0, 1.0)};
    recipe.units = {Unit(0.08, 0.35, 96.0, 75.0), Unit(0.07, 0.15, 95.0, 80.0)};
}

const bool g_registered =
    RegisterZsbKind({2, "TypeT column of 8 elements with built-in curvature", ApplyTypeT})
    && RegisterZsbKind({3, "TypeS line array, one box of 8 elements", ApplyTypeS})
    && RegisterZsbKind({4, "TypeH line array, 4 box kinds (one W5L box on import)", ApplyTypeH})
    && RegisterZsbKind({5, "LV-3 line array, 2 boxes of 4 modules (0, 4, 4)", ApplyLV3})
    && RegisterZsbKind({6, "TypeA cabinet array, L and S cabinets", ApplyTypeA})
    && RegisterZsbKind({7, "TypeC cabinet array, L and S cabinets", ApplyTypeC})
    && RegisterZsbKind({8, "LV-6 line array, 2 cabinets of 4 modules (0, 4, 4)", ApplyLV6});

}  // namespace
