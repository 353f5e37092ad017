#pragma once
// The TypeA cabinet array (type code 6): 1 to 8 wedge cabinets hung one below
// the other, each an L cabinet (unit 0) or an S cabinet (unit 1). A fresh
// import is one L cabinet.

#include "models/CabinetArrayModel.h"

class CTypeAModel : public CCabinetArrayModel {
public:
    static constexpr int kTypeCode = 6;
    static constexpr DWORD kUnitCount = 2;

    CTypeAModel();
    ~CTypeAModel() override;

    std::string GetNameSuffix() const override;
};
