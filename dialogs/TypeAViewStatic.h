#pragma once
// Side view of the DM-K14 column in the TypeA arrangement dialog.

#include "dialogs/CabinetViewStatic.h"

class CTypeAViewStatic : public CCabinetViewStatic {};
