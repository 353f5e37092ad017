#include "models/LV6Model.h"

CLV6Model::CLV6Model() : CLVModel(kTypeCode) {}

CLV6Model::~CLV6Model() = default;

unsigned CLV6Model::GetSuffixId(DWORD total) const
{
    return total == 8 ? 62002 : 0;
}
