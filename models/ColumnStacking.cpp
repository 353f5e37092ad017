#include "models/ColumnStacking.h"

#include "models/CalcAimAngleLowerZX.h"
#include "models/SPVariableParam.h"
#include "models/SpeakerTapTable.h"

void StackColumnDownward(const CSpeakerTapTable& taps, CSPVariableParamArray& placements)
{
    if (taps.GetCentreCount() != 0 || taps.GetUpperCount() != 0)
        return;
    const DWORD lower = taps.GetLowerCount();
    if (lower == 0)
        return;
    CCalcAimAngleLowerZX calc;
    for (DWORD i = 0; i < lower && i < placements.size(); ++i)
        placements[i].CalcPosition(calc);
}
