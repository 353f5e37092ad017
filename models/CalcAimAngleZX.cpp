#include "models/CalcAimAngleZX.h"

void CCalcAimAngleZX::Calc(double*, double*, double, double)
{
}
