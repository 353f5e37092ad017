#pragma once
// The TypeC cabinet array (type code 7): 1 to 12 wedge cabinets hung one
// below the other, each an L cabinet (unit 0) or an S cabinet (unit 1). A
// fresh import is one L cabinet.

#include "models/CabinetArrayModel.h"

class CTypeCModel : public CCabinetArrayModel {
public:
    static constexpr int kTypeCode = 7;
    static constexpr DWORD kUnitCount = 2;

    CTypeCModel();
    ~CTypeCModel() override;

    std::string GetNameSuffix() const override;
};
