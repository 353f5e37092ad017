#include "dialogs/LV6ModuleArrangementDialog.h"

#include "dialogs/LineArrayArrangementTemplates.h"

namespace {

CLVArrangementLayout LV6Layout()
{
    using D = CLV6ModuleArrangementDialog;
    CLVArrangementLayout l;
    l.countCombo = D::IDC_COMBO_BOX_COUNT;
    l.preview = D::IDC_PREVIEW;
    for (int i = 0; i < 7; ++i)
        l.angleCombos.push_back(D::IDC_COMBO_ANGLE_FIRST + i);
    for (int i = 0; i < 8; ++i)
        l.moduleFrames.push_back(D::IDC_MODULE_FRAME_FIRST + i);
    l.boxFrames = {D::IDC_CABINET_FRAME_FIRST, D::IDC_CABINET_FRAME_FIRST + 1};
    l.connectorFrames = {D::IDC_CONNECTOR};
    l.splays.assign(std::begin(D::kSplays), std::end(D::kSplays));
    l.splayTextIds = {64101, 64102, 64103, 64104, 64111};
    l.countTextIds = {64131, 64132};
    return l;
}

}  // namespace

CLV6ModuleArrangementDialog::CLV6ModuleArrangementDialog(unsigned centre, unsigned upper, unsigned lower,
                                                         CAxisEntityArray* entities, int lengthUnit)
    : CLVModuleArrangementDialog(IDD, LV6Layout(), centre, upper, lower, entities)
{
    (void)lengthUnit;
    RegisterLineArrayArrangementTemplates();
    m_preview.SetDialog(this);
}

void CLV6ModuleArrangementDialog::OnDrawControl(int id, IDrawingContext& dc, const CRect& client)
{
    if (id == IDC_PREVIEW)
        m_preview.OnPaint(dc, client);
}
