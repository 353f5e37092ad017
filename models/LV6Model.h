#pragma once
// The LV-6 line array (type code 8): cabinets of 4 modules, 1 or 2 cabinets.

#include "models/LVModel.h"

class CLV6Model : public CLVModel {
public:
    static constexpr int kTypeCode = 8;

    CLV6Model();
    ~CLV6Model() override;

protected:
    // " (x 2)" for 8 modules.
    unsigned GetSuffixId(DWORD total) const override;
};
