#pragma once
// What a speaker model needs of the user interface without depending on it:
// the module-arrangement dialogs of the array families. The application
// installs its implementation at start-up; tests install a double. Without
// one, every dialog counts as cancelled.
//
// Each family describes its dialog by a request derived from
// CModuleArrangementRequest that carries the values the dialog starts with
// (module counts, module vectors, cabinet parameters, ...) and receives the
// values the user confirmed. The implementation tells the families apart by
// the request's type code (or its dynamic type) and opens the matching
// dialog.

#include <memory>

class CModuleArrangementRequest {
public:
    explicit CModuleArrangementRequest(int typeCode, int nLengthUnit = 0)
        : m_nTypeCode(typeCode), m_nLengthUnit(nLengthUnit) {}
    virtual ~CModuleArrangementRequest() = default;

    // The type code of the model whose arrangement is edited.
    int m_nTypeCode;
    // 0 metres, 1 feet: the unit the dialog shows lengths in.
    int m_nLengthUnit;
};

class IModelDialogs {
public:
    virtual ~IModelDialogs() = default;

    // Runs the arrangement dialog for the request modally. true on OK, with
    // the confirmed values written into the request; false on Cancel, with
    // the request's values left as they were.
    virtual bool RunModuleArrangement(CModuleArrangementRequest& request) = 0;
};

// The installed implementation, nullptr when none is installed.
IModelDialogs* GetModelDialogs();
// Installs an implementation (not owned; nullptr removes it) and returns the
// one installed before.
IModelDialogs* SetModelDialogs(IModelDialogs* dialogs);

// Runs the request through the installed implementation; false (cancelled)
// when none is installed.
bool RunModuleArrangementDialog(CModuleArrangementRequest& request);

// Installs an implementation for the lifetime of the object (tests, the
// application's main window) and restores the previous one afterwards.
class CScopedModelDialogs {
public:
    explicit CScopedModelDialogs(IModelDialogs* dialogs) : m_pPrevious(SetModelDialogs(dialogs)) {}
    ~CScopedModelDialogs() { SetModelDialogs(m_pPrevious); }
    CScopedModelDialogs(const CScopedModelDialogs&) = delete;
    CScopedModelDialogs& operator=(const CScopedModelDialogs&) = delete;

private:
    IModelDialogs* m_pPrevious;
};
