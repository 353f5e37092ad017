// The single-element kinds: no module-count lines, no axis blocks, one
// balloon.
#include "tools/zsbgen/ZsbWriter.h"

namespace {

void ApplyStandard(ZsbRecipe& recipe)
{
    recipe.countLines.clear();
    recipe.axes.clear();
    recipe.units.resize(1);
}

const bool g_registered = RegisterZsbKind({0, "forward-firing single speaker", ApplyStandard})
                          && RegisterZsbKind({1, "ceiling speaker (fires downward)", ApplyStandard});

}  // namespace
