#pragma once
// What the document's installation commands need beyond the question
// dialog of IDocumentUi: the installation dialog, the automatic-installation
// dialog, and the calculations of an SPL map window (the coverage scan and
// the frequency response at a point). The application installs the
// implementation that runs the real dialogs and the map calculation; tests
// install a double. Before one is installed every dialog is cancelled and
// every calculation fails.

#include "platform/Types.h"

class CKDRDoc;
class CPoint3D;

// The values of one installation as the installation dialog shows them.
struct CInstallationValues {
    double pos[3] = {0.0, 0.0, 0.0};     // x, y, z
    double angles[3] = {0.0, 0.0, 0.0};  // azimuth, rotation, elevation
    double power = 0.0;
    BOOL polarityNormal = TRUE;
};

// The settings of the automatic installation as its dialog shows them.
struct CAutoInstallationValues {
    double z = 0.0;
    double angles[3] = {0.0, 0.0, 0.0};  // azimuth, rotation, elevation
    double overlapMode = 2.0;             // speaker density 0..4
    int layoutPattern = 0;                // 0 "Rectangle", 1 "Hexagonal"
    double dataPitch = 3.0;               // bands per octave of the speaker data
    double centerFreq = 0.0;              // judgment centre frequency, Hz
    double octaveBand = 0.0;              // judgment band N (1/N octave)
};

class IInstallationUi {
public:
    virtual ~IInstallationUi() = default;

    // "Properties for Installation": starts with values; on OK returns true
    // with the values entered, on Cancel false with values untouched.
    virtual bool RunInstallationDialog(CInstallationValues& values, int lengthUnit, BOOL fullMode) = 0;

    // "Properties for Auto Installation": likewise; level 0, 1 or 2 decides
    // which rows are shown.
    virtual bool RunAutoInstallationDialog(CAutoInstallationValues& values, int lengthUnit, int level) = 0;

    // The coverage scan of the SPL map window of the colour-map condition
    // conditionIndex along x (axis 0) or y (axis 1): the distances forward
    // and backward from the first installation at which the judgment-band
    // level falls drop dB below its running maximum. 0 done, 1 failed (the
    // outputs are then left as they were).
    virtual int CalcCoverage(CKDRDoc& doc, int conditionIndex, int axis, double& forward, double& backward,
                             double& offset, double drop) = 0;

    // Curve 0 of every frequency-response graph from the band levels at
    // point, as the SPL map window of conditionIndex computes them.
    virtual void CalcFrequencyResponse(CKDRDoc& doc, int conditionIndex, const CPoint3D& point) = 0;
};

// The instance in use (a default that cancels and fails until one is
// installed).
IInstallationUi& InstallationUi();
// nullptr restores the default.
void SetInstallationUi(IInstallationUi* ui);
