#include "platform/CommandTarget.h"

namespace {
ICommandRouter* g_router = nullptr;
}

void SetCommandRouter(ICommandRouter* router)
{
    g_router = router;
}

ICommandRouter* GetCommandRouter()
{
    return g_router;
}
