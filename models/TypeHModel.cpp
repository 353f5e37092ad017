#include "models/TypeHModel.h"

CTypeHModel::CTypeHModel() : CCabinetArrayModel(kTypeCode, kUnitCount, 9) {}

CTypeHModel::~CTypeHModel() = default;

std::string CTypeHModel::GetNameSuffix() const
{
    // Two boxes: "(x 2)" from 17 elements on; one box (9 or 16 elements) has
    // none.
    return GetTotalCount() >= 17 ? CabinetCountSuffix(2) : std::string();
}
