#pragma once
// Side view of the DM-P6 column in the TypeC arrangement dialog.

#include "dialogs/CabinetViewStatic.h"

class CTypeCViewStatic : public CCabinetViewStatic {};
