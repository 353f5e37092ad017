#pragma once
// The symmetric line arrays (LV-3 and LV-6): a column of modules split at
// the rigging point into an upper and a lower half (counts (0, n/2, n/2)),
// each module splayed against its inner neighbour. Placement i for i below
// the upper count stacks upward from the rigging point, the next lower-count
// placements hang downward from it; the two kinds differ only in their
// arrangement dialog (told apart by the type code) and their name suffix.

#include "models/LineArrayModel.h"

class CLVModel : public CLineArrayModel {
public:
    explicit CLVModel(int typeCode);
    ~CLVModel() override;

    // Upward stack for the upper half, downward for the lower half, both from
    // height 0.0; with exactly one centre module from +h/2 and -h/2 (h the
    // length of placement 0), the centre module heading the upper stack.
    // Nothing is placed with more than one centre module.
    void CalcAimAngles() override;
    // Runs the arrangement dialog with the counts and the module vectors of
    // the placements; 0.0 when cancelled, else old total / new total.
    double DoModuleArrangement(int nLengthUnit) override;
    std::string GetNameSuffix() const override;

    // Changes the module counts. Ignored with a centre module, when the total
    // stays the same or when the new total is no module count. The lower
    // half is regrouped behind the new upper half; each half keeps its
    // centre-out order and new outer modules repeat the old outermost module
    // of their half. Every share becomes 1/n; positions and elements are
    // rebuilt.
    void SetModuleCounts(DWORD centre, DWORD upper, DWORD lower);

protected:
    // String-table id of the suffix for the total, 0 for none.
    virtual unsigned GetSuffixId(DWORD total) const = 0;
};
