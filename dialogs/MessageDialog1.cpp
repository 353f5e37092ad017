#include "dialogs/MessageDialog1.h"

#include "platform/DataExchange.h"

void CMessageDialog1::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_STATIC_MESSAGE, m_strMessage);
}
