#pragma once
// The in-memory controls and scripted runner of the arrangement tests, and
// unit descriptions of the cabinet kinds, for the cabinet arrangement dialogs.
#include "models/AxisElement.h"
#include "models/TypeAandCParam.h"
#include "tests/arrange/ArrangeTestSupport.h"

namespace cabinettest {

using arrangetest::Controls;
using arrangetest::ScriptedRunner;

// Unit descriptions whose vectors (offset, length, splay) tell the units
// apart: unit k has offset 0.01 k and length 0.1 (k + 1), splay 9.0 (which
// the dialogs replace by the element tilts).
inline CAxisElementArray Units(int count)
{
    CAxisElementArray units(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        units[static_cast<std::size_t>(k)].SetVector(CAxisEntity(0.01 * k, 0.1 * (k + 1), 9.0));
    return units;
}

// A cabinet dialog on the parameters params (one per element, counts
// (0, 0, n)), shown on in-memory controls.
template <class Dialog>
struct Open {
    Open(const CAxisElementArray& units, const CTypeAandCParamArray& params)
        : dlg(0, 0, static_cast<unsigned>(params.size()), units, 0)
    {
        dlg.GetParams() = params;
        dlg.AttachControls(&c);
        dlg.OnInitDialog();
    }
    Controls c;
    Dialog dlg;
};

}  // namespace cabinettest
