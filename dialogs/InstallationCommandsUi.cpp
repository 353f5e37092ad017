#include "dialogs/InstallationCommandsUi.h"

#include "dialogs/AutoInstallationDialog1.h"
#include "dialogs/InstallationDialog1.h"
#include "platform/MessageBox.h"
#include "views/SPLMapCalculator.h"

bool CInstallationCommandsUi::RunInstallationDialog(CInstallationValues& values, int lengthUnit, BOOL fullMode)
{
    CInstallationDialog1 dlg;
    dlg.SetParameters(values.pos, values.angles, values.power, values.polarityNormal, lengthUnit, fullMode);
    if (dlg.DoModal() != IDOK)
        return false;
    values.pos[0] = dlg.m_dX;
    values.pos[1] = dlg.m_dY;
    values.pos[2] = dlg.m_dZ;
    values.angles[0] = dlg.m_dAzimuth;
    values.angles[1] = dlg.m_dRotation;
    values.angles[2] = dlg.m_dElevation;
    values.power = dlg.m_dPower;
    values.polarityNormal = dlg.m_bPolarityNormal;
    return true;
}

bool CInstallationCommandsUi::RunAutoInstallationDialog(CAutoInstallationValues& values, int lengthUnit, int level)
{
    CAutoInstallationDialog1 dlg;
    const double overlap = values.overlapMode >= 0.0 && values.overlapMode <= 4.0 ? values.overlapMode : 2.0;
    dlg.SetParameters(values.z, values.angles, static_cast<unsigned>(overlap), values.layoutPattern,
                      values.dataPitch, values.centerFreq, values.octaveBand, lengthUnit, level);
    if (dlg.DoModal() != IDOK)
        return false;
    values.z = dlg.m_dZ;
    values.angles[0] = dlg.m_dAzimuth;
    values.angles[1] = dlg.m_dRotation;
    values.angles[2] = dlg.m_dElevation;
    values.overlapMode = dlg.m_dOverlapMode;
    values.layoutPattern = dlg.m_nLayoutPattern;
    values.octaveBand = dlg.m_dOctaveBand;
    values.centerFreq = dlg.m_dCenterFreq;
    return true;
}

int CInstallationCommandsUi::CalcCoverage(CKDRDoc& doc, int conditionIndex, int axis, double& forward,
                                          double& backward, double& offset, double drop)
{
    CSPLMapCalculator calc(doc, conditionIndex);
    return axis == 0 ? calc.CalcCoverageX(forward, backward, offset, drop)
                     : calc.CalcCoverageY(forward, backward, offset, drop);
}

void CInstallationCommandsUi::CalcFrequencyResponse(CKDRDoc& doc, int conditionIndex, const CPoint3D& point)
{
    CSPLMapCalculator calc(doc, conditionIndex);
    calc.CalcFrequencyResponse(point);
}
