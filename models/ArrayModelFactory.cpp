#include "models/ArrayModelFactory.h"

#include "models/LV3Model.h"
#include "models/LV6Model.h"
#include "models/TypeAModel.h"
#include "models/TypeCModel.h"
#include "models/TypeHModel.h"
#include "models/TypeSModel.h"
#include "models/TypeTModel.h"

std::unique_ptr<CSpeakerModel> CreateArrayModel(int typeCode)
{
    switch (typeCode) {
    case CTypeTModel::kTypeCode: return std::make_unique<CTypeTModel>();
    case CTypeSModel::kTypeCode: return std::make_unique<CTypeSModel>();
    case CTypeHModel::kTypeCode: return std::make_unique<CTypeHModel>();
    case CLV3Model::kTypeCode: return std::make_unique<CLV3Model>();
    case CTypeAModel::kTypeCode: return std::make_unique<CTypeAModel>();
    case CTypeCModel::kTypeCode: return std::make_unique<CTypeCModel>();
    case CLV6Model::kTypeCode: return std::make_unique<CLV6Model>();
    default: return nullptr;
    }
}
