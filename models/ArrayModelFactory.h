#pragma once
// Creation of the module-array and line-array models (type codes 2 to 8).

#include <memory>

class CSpeakerModel;

// A new model of the array kind of the type code; nullptr when the code
// names no array kind.
std::unique_ptr<CSpeakerModel> CreateArrayModel(int typeCode);
