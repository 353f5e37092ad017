#pragma once
// One sounding element of a speaker model as the pressure calculation sees
// it: links to the model's data header, tap table, the element's placement
// record and the balloon of its unit kind. Nothing is owned; the model
// rebuilds its elements whenever the arrays they point into change.

#include "models/Point3D.h"
#include "models/SPComplex.h"
#include "platform/Types.h"

#include <vector>

class CArchive;
class CBalloonElement;
class CSPVariableParam;
class CSpeakerDataHeader;
class CSpeakerTapTable;

class CSpeakerElement {
public:
    // Feet per metre, used when the model shows lengths in feet.
    static constexpr double kFeetPerMetre = 3.2808398950131235;

    CSpeakerElement() = default;

    void Set(CSpeakerDataHeader* header, CSpeakerTapTable* tapTable,
             CSPVariableParam* placement, CBalloonElement* balloon);

    // The placement position, in feet when the tap table's unit flag is 1.
    void GetPosition(double& x, double& y, double& z) const;
    CPoint3D GetPosition() const;
    // The placement's aim angles (azimuth, rotation, elevation).
    CPoint3D GetAngles() const;
    double GetPowerShare() const;

    // Locates a meridian angle in the linked balloon.
    BOOL FindAngleCell(double a, double& lo, double& hi, int& iLo, int& iHi) const;
    // Cell (P*i + j)*K + k of the linked balloon.
    const CSPComplex& GetBalloonCell(int i, int j, int k) const;

    // The linked balloon's cells (the element record of old project files).
    void Serialize(CArchive& ar);

    CSpeakerDataHeader* GetHeader() const { return m_pHeader; }
    CSpeakerTapTable* GetTapTable() const { return m_pTapTable; }
    CSPVariableParam* GetPlacement() const { return m_pPlacement; }
    CBalloonElement* GetBalloon() const { return m_pBalloon; }
    // True when the balloon lies on its header's grid, so that every index a
    // directivity lookup can produce is inside the balloon.
    bool IsGridUsable() const;

private:
    CSpeakerDataHeader* m_pHeader = nullptr;
    CSpeakerTapTable* m_pTapTable = nullptr;
    CSPVariableParam* m_pPlacement = nullptr;
    CBalloonElement* m_pBalloon = nullptr;
};

using CSpeakerElementArray = std::vector<CSpeakerElement>;
