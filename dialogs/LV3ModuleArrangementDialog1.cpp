#include "dialogs/LV3ModuleArrangementDialog1.h"

#include "dialogs/LineArrayArrangementTemplates.h"
#include "platform/AppSettings.h"

namespace {

CLVArrangementLayout LV3Layout()
{
    using D = CLV3ModuleArrangementDialog1;
    CLVArrangementLayout l;
    l.countCombo = D::IDC_COMBO_BOX_COUNT;
    l.preview = D::IDC_PREVIEW;
    for (int i = 0; i < 15; ++i)
        l.angleCombos.push_back(D::IDC_COMBO_ANGLE_FIRST + i);
    for (int i = 0; i < 16; ++i)
        l.moduleFrames.push_back(D::IDC_MODULE_FRAME_FIRST + i);
    for (int i = 0; i < 4; ++i)
        l.boxFrames.push_back(D::IDC_BOX_FRAME_FIRST + i);
    for (int i = 0; i < 3; ++i)
        l.connectorFrames.push_back(D::IDC_CONNECTOR_FIRST + i);
    l.splays.assign(std::begin(D::kSplays), std::end(D::kSplays));
    l.splayTextIds = {64101, 64102, 64103, 64104, 64105, 64106, 64107};
    l.countTextIds = {64121, 64122, 64123, 64124};
    return l;
}

}  // namespace

CLV3ModuleArrangementDialog1::CLV3ModuleArrangementDialog1(unsigned centre, unsigned upper, unsigned lower,
                                                           CAxisEntityArray* entities, int lengthUnit)
    : CLVModuleArrangementDialog(IDD, LV3Layout(), centre, upper, lower, entities)
{
    (void)lengthUnit;
    RegisterLineArrayArrangementTemplates();
    m_preview.SetDialog(this);
}

void CLV3ModuleArrangementDialog1::OnDrawControl(int id, IDrawingContext& dc, const CRect& client)
{
    if (id == IDC_PREVIEW)
        m_preview.OnPaint(dc, client);
}

int CLV3ModuleArrangementDialog1::OfferedSplayItems() const
{
    return AppSettings().m_nSpecialUserLevel == 1 ? 7 : 4;
}
