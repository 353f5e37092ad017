#pragma once
#include "models/CalcAimAngleZX.h"

// Hangs modules downward from the running point: the module's axis runs
// along (-sin a, -cos a) from it, a the running angle.
class CCalcAimAngleLowerZX : public CCalcAimAngleZX {
public:
    void Calc(double* x, double* z, double length, double offset) override;
};
