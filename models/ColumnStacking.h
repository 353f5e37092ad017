#pragma once
// The downward stacking shared by the columns that hang wholly below their
// rigging point (TypeA, TypeC, TypeH and TypeS): when the model has neither
// centre nor upper modules, its lower-count elements are placed one below
// the other from height 0.0, each tilted by its vector's splay against the
// element above. Any other counts leave positions and angles as they are.

class CSPVariableParamArray;
class CSpeakerTapTable;

void StackColumnDownward(const CSpeakerTapTable& taps, CSPVariableParamArray& placements);
