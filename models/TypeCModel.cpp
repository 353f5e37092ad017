#include "models/TypeCModel.h"

CTypeCModel::CTypeCModel() : CCabinetArrayModel(kTypeCode, kUnitCount, 1) {}

CTypeCModel::~CTypeCModel() = default;

std::string CTypeCModel::GetNameSuffix() const
{
    // "(x 2)" .. "(x 12)" for 2 to 12 cabinets; a single cabinet has none.
    return CabinetCountSuffix(GetTotalCount());
}
