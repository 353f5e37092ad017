#pragma once
// The arrangement requests of the array families, handed to the installed
// dialogs through RunModuleArrangementDialog (models/ModelDialogs.h).
//
// CModuleVectorArrangementRequest serves the line arrays (LV-3 type code 5,
// LV-6 type code 8, TypeS type code 3): the dialog edits the module counts
// and one module vector (offset, length, splay) per module.
//
// CCabinetArrangementRequest serves the cabinet arrays (TypeA type code 6,
// TypeC type code 7, TypeH type code 4): the dialog edits the counts and one
// cabinet parameter (unit index, tilt) per element; the unit descriptions
// are given for the unit names and the preview.
//
// On OK the dialog writes the counts it ends with into m_nCentre, m_nUpper
// and m_nLower, and the edited vectors or parameters (one per module of the
// new total) into the arrays.

#include "models/AxisElement.h"
#include "models/AxisEntity.h"
#include "models/ModelDialogs.h"
#include "models/TypeAandCParam.h"
#include "platform/Types.h"

class CArrangementCountsRequest : public CModuleArrangementRequest {
public:
    CArrangementCountsRequest(int typeCode, int nLengthUnit, DWORD centre, DWORD upper, DWORD lower)
        : CModuleArrangementRequest(typeCode, nLengthUnit),
          m_nCentre(centre), m_nUpper(upper), m_nLower(lower) {}

    DWORD GetTotal() const { return m_nCentre + m_nUpper + m_nLower; }

    DWORD m_nCentre;
    DWORD m_nUpper;
    DWORD m_nLower;
};

class CModuleVectorArrangementRequest : public CArrangementCountsRequest {
public:
    using CArrangementCountsRequest::CArrangementCountsRequest;

    // One module vector per module, in the model's module order.
    CAxisEntityArray m_entities;
};

class CCabinetArrangementRequest : public CArrangementCountsRequest {
public:
    using CArrangementCountsRequest::CArrangementCountsRequest;

    // The model's unit descriptions (read only for the dialog).
    CAxisElementArray m_units;
    // One cabinet parameter per element, top element first.
    CTypeAandCParamArray m_params;
};
