#pragma once
// The handlers that open the cabinet-array arrangement dialogs for a
// request: TypeA (type code 6), TypeC (7) and TypeH (4).

#include "dialogs/ModuleArrangementDialogs.h"

void RegisterCabinetArrangementDialogs(CModuleArrangementDialogs& registry);
