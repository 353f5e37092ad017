#include "dialogs/ModuleArrangementDialogs.h"

// The cabinet-array dialogs register themselves through this function when
// they are part of the build.
#include "dialogs/CabinetArrangementDialogs.h"

void CModuleArrangementDialogs::Register(int typeCode, Handler handler)
{
    m_handlers[typeCode] = std::move(handler);
}

bool CModuleArrangementDialogs::IsRegistered(int typeCode) const
{
    return m_handlers.count(typeCode) != 0;
}

bool CModuleArrangementDialogs::RunModuleArrangement(CModuleArrangementRequest& request)
{
    auto it = m_handlers.find(request.m_nTypeCode);
    if (it == m_handlers.end() || !it->second)
        return false;
    return it->second(request);
}

CModuleArrangementDialogs& ModuleArrangementDialogs()
{
    static CModuleArrangementDialogs registry = [] {
        CModuleArrangementDialogs r;
        RegisterLineArrayArrangementDialogs(r);
        RegisterCabinetArrangementDialogs(r);
        return r;
    }();
    return registry;
}
