#include "models/LV3Model.h"

CLV3Model::CLV3Model() : CLVModel(kTypeCode) {}

CLV3Model::~CLV3Model() = default;

unsigned CLV3Model::GetSuffixId(DWORD total) const
{
    switch (total) {
    case 8: return 62002;
    case 12: return 62003;
    case 16: return 62004;
    default: return 0;
    }
}
