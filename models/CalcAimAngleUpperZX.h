#pragma once
#include "models/CalcAimAngleZX.h"

// Stacks modules upward from the running point: the module's axis runs along
// (sin a, cos a) from it, a the running angle.
class CCalcAimAngleUpperZX : public CCalcAimAngleZX {
public:
    void Calc(double* x, double* z, double length, double offset) override;
};
