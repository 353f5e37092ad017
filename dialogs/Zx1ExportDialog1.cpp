#include "dialogs/Zx1ExportDialog1.h"

#include "platform/DataExchange.h"

void CZx1ExportDialog1::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_EDIT_ANGLE, m_dAngle);
    DDV_MinMaxDouble(dx, m_dAngle, 0.0, 360.0);
    DDX_Text(dx, IDC_EDIT_MIC_DISTANCE, m_dMicDistance);
    DDV_MinMaxDouble(dx, m_dMicDistance, 0.0001, 9999999.0);
}
