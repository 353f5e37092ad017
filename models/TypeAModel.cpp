#include "models/TypeAModel.h"

CTypeAModel::CTypeAModel() : CCabinetArrayModel(kTypeCode, kUnitCount, 1) {}

CTypeAModel::~CTypeAModel() = default;

std::string CTypeAModel::GetNameSuffix() const
{
    // "(x 2)" .. "(x 8)" for 2 to 8 cabinets; a single cabinet has none.
    const DWORD n = GetTotalCount();
    return n <= 8 ? CabinetCountSuffix(n) : std::string();
}
