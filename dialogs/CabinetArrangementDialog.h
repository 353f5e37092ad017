#pragma once
// What the arrangement dialogs of the cabinet arrays (TypeA, TypeC, TypeH)
// share: the counts being edited and the preview frame, the per-element
// parameters (unit index and tilt) the dialog works on, a copy of the model's
// unit descriptions, and per element the vector, wedge angle and depth that
// the side-view preview draws.

#include "dialogs/ArrangementViewParam.h"
#include "dialogs/LineArrayPreview.h"
#include "models/AxisElement.h"
#include "models/AxisEntity.h"
#include "models/TypeAandCParam.h"
#include "platform/Dialog.h"
#include "resources/DialogTemplates.h"

#include <vector>

class CCabinetArrangementDialog : public CDialog {
public:
    // Counts := (centre, upper, lower); parameters, vectors, wedge angles and
    // depths sized to their total, new parameters (0, 0.0), every wedge angle
    // and depth the given ones.
    CCabinetArrangementDialog(unsigned templateId, unsigned centre, unsigned upper, unsigned lower,
                              const CAxisElementArray& units, double wedge, double depth);

    CArrangementViewParam& GetViewParam() { return m_viewParam; }
    const CArrangementViewParam& GetViewParam() const { return m_viewParam; }
    // The parameters being edited: the caller copies the model's in before
    // DoModal and reads them back after OK.
    CTypeAandCParamArray& GetParams() { return m_params; }
    const CTypeAandCParamArray& GetParams() const { return m_params; }
    const CAxisEntityArray& GetVectors() const { return m_vectors; }
    const CAxisElementArray& GetUnits() const { return m_units; }
    const std::vector<double>& GetWedges() const { return m_wedges; }
    const std::vector<double>& GetDepths() const { return m_depths; }
    // The arrays the preview draws.
    CLineArrayPreviewData GetPreviewData() const;

    // One control of a dialog template (dialog units).
    static ControlTemplate TemplateControl(ControlTemplate::Kind kind, int id, const std::string& text, int x, int y,
                                           int cx, int cy);

protected:
    // The vector of a unit; a zero vector for an index outside the units.
    CAxisEntity UnitVector(int unit) const;
    // Sizes the parameters and the vectors to n (new parameters (0, 0.0)).
    void ResizeElements(std::size_t n);
    // Repaints a control drawn by the dialog (nothing while not shown).
    void Invalidate(int id);

    CArrangementViewParam m_viewParam;
    CTypeAandCParamArray m_params;
    CAxisEntityArray m_vectors;
    CAxisElementArray m_units;
    std::vector<double> m_wedges;
    std::vector<double> m_depths;
};
