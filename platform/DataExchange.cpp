#include "platform/DataExchange.h"

#include "platform/DialogControls.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/StringTable.h"

namespace DataExchange {

std::string FormatDouble(double value)
{
    return Numbers::Format("%.*g", 15, value);
}

std::string FormatString2(const std::string& format, const std::string& a1, const std::string& a2)
{
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == '1' || format[i + 1] == '2')) {
            out += format[i + 1] == '1' ? a1 : a2;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

}  // namespace DataExchange

void CDataExchange::Fail()
{
    if (m_idLastControl != 0)
        m_controls.SetFocus(m_idLastControl);
    throw CUserException();
}

void DDX_Text(CDataExchange& dx, int id, double& value)
{
    dx.PrepareEditCtrl(id);
    if (dx.m_bSaveAndValidate) {
        double v = 0.0;
        if (!Numbers::ScanDouble(dx.m_controls.GetWindowText(id), v)) {
            AfxMessageBox(LoadStringId(DataExchange::IDP_PARSE_REAL), MB_OK);
            dx.Fail();
        }
        value = v;
    } else {
        dx.m_controls.SetWindowText(id, DataExchange::FormatDouble(value));
    }
}

void DDX_Text(CDataExchange& dx, int id, int& value)
{
    dx.PrepareEditCtrl(id);
    if (dx.m_bSaveAndValidate) {
        int v = 0;
        if (!Numbers::ScanInt(dx.m_controls.GetWindowText(id), v)) {
            AfxMessageBox(LoadStringId(DataExchange::IDP_PARSE_INT), MB_OK);
            dx.Fail();
        }
        value = v;
    } else {
        dx.m_controls.SetWindowText(id, Numbers::Format("%d", value));
    }
}

void DDX_Text(CDataExchange& dx, int id, std::string& value)
{
    dx.PrepareEditCtrl(id);
    if (dx.m_bSaveAndValidate)
        value = dx.m_controls.GetWindowText(id);
    else
        dx.m_controls.SetWindowText(id, value);
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate)
        value = dx.m_controls.GetCheck(id);
    else
        dx.m_controls.SetCheck(id, value);
}

void DDX_CBIndex(CDataExchange& dx, int id, int& index)
{
    dx.PrepareCtrl(id);
    if (dx.m_bSaveAndValidate)
        index = dx.m_controls.GetCurSel(id);
    else
        dx.m_controls.SetCurSel(id, index);
}

void DDV_MinMaxDouble(CDataExchange& dx, double value, double minValue, double maxValue)
{
    if (!dx.m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue) {
        AfxMessageBox(DataExchange::FormatString2(LoadStringId(DataExchange::IDP_PARSE_REAL_RANGE),
                                                  DataExchange::FormatDouble(minValue),
                                                  DataExchange::FormatDouble(maxValue)),
                      MB_ICONEXCLAMATION);
        dx.Fail();
    }
}

void DDV_MinMaxInt(CDataExchange& dx, int value, int minValue, int maxValue)
{
    if (!dx.m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue) {
        AfxMessageBox(DataExchange::FormatString2(LoadStringId(DataExchange::IDP_PARSE_INT_RANGE),
                                                  Numbers::Format("%d", minValue), Numbers::Format("%d", maxValue)),
                      MB_ICONEXCLAMATION);
        dx.Fail();
    }
}
