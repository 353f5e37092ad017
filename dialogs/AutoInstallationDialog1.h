#pragma once
// "Properties for Auto Installation": speaker density, layout pattern and,
// by display level, the mounting height and aim angles and the frequency
// band in which the coverage of a speaker is judged.

#include "platform/Dialog.h"
#include "platform/Types.h"

#include <string>
#include <vector>

class CAutoInstallationDialog1 : public CDialog {
public:
    enum : unsigned { IDD = 141 };
    enum : int {
        IDC_UNIT_Z = 1004,
        IDC_UNIT_AZIMUTH = 1005,
        IDC_UNIT_ELEVATION = 1006,
        IDC_UNIT_ROTATION = 1007,
        IDC_COMBO_OVERLAP = 1008,
        IDC_LABEL_Z = 1009,
        IDC_COMBO_BAND = 1010,
        IDC_LABEL_AZIMUTH = 1011,
        IDC_LABEL_ELEVATION = 1012,
        IDC_LABEL_ROTATION = 1013,
        IDC_LABEL_DENSITY = 1014,
        IDC_COMBO_CENTER_FREQ = 1015,
        IDC_STATIC_BAND_RANGE = 1016,
        IDC_EDIT_Z = 1028,
        IDC_EDIT_AZIMUTH = 1029,
        IDC_EDIT_ELEVATION = 1030,
        IDC_EDIT_ROTATION = 1031,
        IDC_LABEL_BAND = 1036,
        IDC_LABEL_CENTER_FREQ = 1037,
        IDC_COMBO_PATTERN = 1092,
        IDC_LABEL_PATTERN = 1093,
    };
    // Bands per octave of the judgment bands, finest first.
    static constexpr int kBandCount = 7;
    static const double kBands[kBandCount];
    // The data pitches the speaker data come in (the first five bands).
    static constexpr int kPitchCount = 5;

    CAutoInstallationDialog1();

    // angles: azimuth, rotation, elevation; unit 1 feet, else metres;
    // level 0, 1 or 2 (see the members).
    void SetParameters(double z, const double angles[3], unsigned overlapMode, int layoutPattern, double dataPitch,
                       double centreFreq, double octaveBand, int unit, int level);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnControlCommand(int id, int notifyCode) override;
    void OnCbnSelchangeOctaveBand();
    void OnCbnSelchangeCenterFrequency();

    // The centre frequencies offered for band n: the series points of the
    // 1/n-octave series from 20 Hz to 20000 Hz; first is the series index of
    // the first one.
    static std::vector<double> CenterList(double n, int& first);
    // The text of a centre frequency in the list of band n.
    static std::string CenterText(double f, double n);
    // The edge frequencies of band n around fc.
    static std::string BandRangeText(double fc, double n);

    // 0 hides the height, angles and judgment controls; 1 hides the
    // judgment controls; 2 shows everything.
    int m_nLevel = 0;
    int m_nLayoutPattern = 0;
    double m_dDataPitch = 0.0;
    double m_dOctaveBand = 0.0;
    double m_dCenterFreq = 0.0;
    double m_dOverlapMode = 0.0;
    std::string m_strElevationLabel;
    std::string m_strCenterFreqLabel;
    std::string m_strDensityLabel;
    std::string m_strBandLabel;
    std::string m_strRotationLabel;
    std::string m_strPatternLabel;
    std::string m_strZLabel;
    std::string m_strUnitZ;
    double m_dAzimuth = 0.0;
    double m_dRotation = 0.0;
    double m_dZ = 0.0;
    double m_dElevation = 0.0;
    std::string m_strAzimuthLabel;
    std::string m_strBandRange;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    // Index of the data pitch in the band table, -1 when it is none of the
    // five pitches.
    int PitchIndex() const;
    // Refills the centre list for m_dOctaveBand and selects the item
    // nearest to fc; returns the frequency selected (fc when the list is
    // empty).
    double FillCenterList(double fc);
    void ShowBandRange();
};
