#pragma once
// The LV-3 line array (type code 5): boxes of 4 modules, 1 to 4 boxes.

#include "models/LVModel.h"

class CLV3Model : public CLVModel {
public:
    static constexpr int kTypeCode = 5;

    CLV3Model();
    ~CLV3Model() override;

protected:
    // " (x 2)", " (x 3)", " (x 4)" for 8, 12 and 16 modules.
    unsigned GetSuffixId(DWORD total) const override;
};
