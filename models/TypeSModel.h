#pragma once
// The TypeS line array (type code 3): boxes of 8 elements, 1 to 4 boxes,
// all hanging below the rigging point (counts (0, 0, n)); each element is
// splayed against the element above it.

#include "models/LineArrayModel.h"

class CTypeSModel : public CLineArrayModel {
public:
    static constexpr int kTypeCode = 3;

    CTypeSModel();
    ~CTypeSModel() override;

    // The downward column of StackColumnDownward.
    void CalcAimAngles() override;
    // Runs the arrangement dialog with the counts and the module vectors of
    // the placements; 0.0 when cancelled, else old total / new total.
    double DoModuleArrangement(int nLengthUnit) override;
    // " (x 2)", " (x 3)", " (x 4)" for 16, 24 and 32 elements.
    std::string GetNameSuffix() const override;

    // Changes the element count. Ignored unless centre and upper are 0 (and
    // for a total beyond the module limit). Elements keep their index: the
    // placements and axis elements are sized to n, each placement takes its
    // axis element whole, every share becomes 1/n, positions and elements
    // are rebuilt. total is not used.
    void ApplyArrangement(DWORD centre, DWORD upper, DWORD lower, DWORD total);
};
