#include "InstallTestSupport.h"

#include "document/ListeningPlane.h"
#include "document/SoundGraphDataList.h"

CTestModel::CTestModel(int typeCode, double pitch, const std::vector<Taps>& taps, int currentTap)
    : CStdSPModel(typeCode)
{
    GetHeader().SetType(static_cast<DWORD>(typeCode));
    GetHeader().SetFrequencyRange(1000.0, 1000.0, static_cast<int>(pitch));
    GetTapTable().SetTapCount(static_cast<DWORD>(taps.size()));
    for (std::size_t i = 0; i < taps.size(); ++i)
        GetTapTable().SetTap(static_cast<int>(i), taps[i].lowImpedance, taps[i].lowImpedance ? 8.0 : 100.0,
                             taps[i].power, 1.0);
    SetCurrentTap(currentTap);
}

CTestModel& AddModel(CKDRDoc& doc, int typeCode, double pitch, const std::vector<CTestModel::Taps>& taps,
                     int currentTap)
{
    auto model = std::make_unique<CTestModel>(typeCode, pitch, taps, currentTap);
    CTestModel& ref = *model;
    doc.m_models.Add(std::move(model));
    doc.m_models.SetCurrentIndex(doc.m_models.GetCount() - 1);
    return ref;
}

void AddCondition(CKDRDoc& doc, double z)
{
    const CInstallationContainer& room = doc.m_installations;
    CListeningPlane plane;
    plane.Set(room.GetRoom(CInstallationContainer::kReferenceX0), room.GetRoom(CInstallationContainer::kReferenceY0),
              z, room.GetRoom(CInstallationContainer::kRoomLengthX), room.GetRoom(CInstallationContainer::kRoomWidthY),
              0.0, 1.0, 100.0, 3.0);
    doc.m_colorMapConditions.AddNew(1000.0, 3.0, 0, 400, 300, 10, 10, 10, 10, 1.0, plane, 0.0, 0.0, 0.0);
}

void AddGraph(CKDRDoc& doc)
{
    CSoundGraphDataList graph;
    graph.Init(1, 0, 20.0, 0.0, 20000.0, 120.0, 1.0, 10.0);
    const double x[2] = {100.0, 1000.0};
    const double y[2] = {80.0, 90.0};
    graph.SetData(0, 2, x, y);
    doc.m_soundGraphConditions.Add(-1, 0, 0, 0, 0, 1.0, 1.0, graph);
}

bool CFakeInstallationUi::RunInstallationDialog(CInstallationValues& values, int unit, BOOL fullMode)
{
    shown.push_back(values);
    shownUnit.push_back(unit);
    shownFullMode.push_back(fullMode);
    if (!dialogOk)
        return false;
    if (edit)
        edit(values);
    return true;
}

bool CFakeInstallationUi::RunAutoInstallationDialog(CAutoInstallationValues& values, int, int level)
{
    autoShown.push_back(values);
    autoLevel.push_back(level);
    if (!autoOk)
        return false;
    if (autoEdit)
        autoEdit(values);
    return true;
}

int CFakeInstallationUi::CalcCoverage(CKDRDoc& doc, int conditionIndex, int axis, double& forward,
                                      double& backward, double&, double)
{
    coverageConditions.push_back(conditionIndex);
    installationsAtScan = doc.m_installations.GetCount();
    if (coverageResult[axis] != 0)
        return coverageResult[axis];
    forward = coverage[2 * axis];
    backward = coverage[2 * axis + 1];
    return 0;
}

void CFakeInstallationUi::CalcFrequencyResponse(CKDRDoc&, int conditionIndex, const CPoint3D&)
{
    responseConditions.push_back(conditionIndex);
}

void CHintRecorder::OnUpdate(IView*, long hint)
{
    hints.push_back(hint);
    bool cleared = true;
    if (m_doc.m_soundGraphConditions.GetCount() > 0) {
        const CSoundGraphDataList& graph = m_doc.m_soundGraphConditions.GetGraph(0);
        const CSoundGraphData* curve = graph.GetCurve(0);
        for (int i = 0; curve != nullptr && i < curve->GetCount(); ++i)
            cleared = cleared && curve->GetY(i) == 0.0;
    }
    graphCleared.push_back(cleared);
    recalcRequested.push_back(m_doc.m_bRecalcRequested);
    installationCounts.push_back(m_doc.m_installations.GetCount());
}
