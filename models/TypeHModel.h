#pragma once
// The TypeH line array (type code 4): one or two boxes of small elements,
// every element one entry of the column. Units: 0 W5L and 2 W5S (9 elements
// a box), 1 W7L and 3 W7S (16 elements a box), straight and curved fronts. A
// fresh import is one W5L box of 9 straight elements.

#include "models/CabinetArrayModel.h"

class CTypeHModel : public CCabinetArrayModel {
public:
    static constexpr int kTypeCode = 4;
    static constexpr DWORD kUnitCount = 4;

    CTypeHModel();
    ~CTypeHModel() override;

    std::string GetNameSuffix() const override;
};
