#pragma once
// The module-arrangement dialogs behind RunModuleArrangementDialog
// (models/ModelDialogs.h): a registry that opens, for a request, the dialog
// registered under the request's type code. Each handler runs its GUI-free
// dialog through the installed dialog runner and, on OK only, writes the
// confirmed counts and vectors or parameters into the request.

#include "models/ModelDialogs.h"

#include <functional>
#include <map>

class CModuleArrangementDialogs : public IModelDialogs {
public:
    // Runs the dialog for the request; true on OK with the results written
    // into the request, false on Cancel with the request unchanged.
    using Handler = std::function<bool(CModuleArrangementRequest&)>;

    // Adds (or replaces) the handler of a type code.
    void Register(int typeCode, Handler handler);
    bool IsRegistered(int typeCode) const;

    // The handler of the request's type code; false (cancelled) when none
    // is registered.
    bool RunModuleArrangement(CModuleArrangementRequest& request) override;

private:
    std::map<int, Handler> m_handlers;
};

// Registers the line-array dialogs: LV-3 (type code 5), LV-6 (8), TypeS (3).
void RegisterLineArrayArrangementDialogs(CModuleArrangementDialogs& registry);

// The program's registry, filled on first use with every arrangement dialog
// of the program. The application installs it with SetModelDialogs.
CModuleArrangementDialogs& ModuleArrangementDialogs();
