#pragma once
// What the arrangement dialogs of the line arrays (LV-3, LV-6, TypeS) share:
// the view parameters with the counts being edited, the caller's module
// vectors (edited in place, not owned) and the wedge angle and depth of each
// module's outline, which only the preview uses.

#include "dialogs/ArrangementViewParam.h"
#include "dialogs/LineArrayPreview.h"
#include "models/AxisEntity.h"
#include "platform/Dialog.h"

#include <vector>

class CLineArrayArrangementDialog : public CDialog {
public:
    // Sets the view counts and sizes the wedge and depth arrays to the
    // total, every entry wedge and depth.
    CLineArrayArrangementDialog(unsigned templateId, unsigned centre, unsigned upper, unsigned lower,
                                CAxisEntityArray* entities, double wedge, double depth);

    CArrangementViewParam& GetViewParam() { return m_viewParam; }
    const CArrangementViewParam& GetViewParam() const { return m_viewParam; }
    CAxisEntityArray* GetEntities() const { return m_pEntities; }
    const std::vector<double>& GetWedges() const { return m_wedges; }
    const std::vector<double>& GetDepths() const { return m_depths; }
    // The arrays the preview draws.
    CLineArrayPreviewData GetPreviewData() const;

protected:
    CArrangementViewParam m_viewParam;
    CAxisEntityArray* m_pEntities;
    std::vector<double> m_wedges;
    std::vector<double> m_depths;
};
