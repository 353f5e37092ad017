#include "models/ModelDialogs.h"

namespace {
IModelDialogs* g_pModelDialogs = nullptr;
}

IModelDialogs* GetModelDialogs()
{
    return g_pModelDialogs;
}

IModelDialogs* SetModelDialogs(IModelDialogs* dialogs)
{
    IModelDialogs* previous = g_pModelDialogs;
    g_pModelDialogs = dialogs;
    return previous;
}

bool RunModuleArrangementDialog(CModuleArrangementRequest& request)
{
    return g_pModelDialogs != nullptr && g_pModelDialogs->RunModuleArrangement(request);
}
