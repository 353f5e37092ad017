#include "dialogs/AutoInstallationDialog1.h"

#include "models/NumberFormat.h"
#include "models/OctaveFrequencies.h"
#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "resources/DialogTemplates.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>

const double CAutoInstallationDialog1::kBands[CAutoInstallationDialog1::kBandCount] = {24.0, 12.0, 6.0, 3.0,
                                                                                       1.0,  0.5,  0.25};

namespace {

// String ids of the band texts, in the order of kBands.
constexpr unsigned kBandLabelIds[CAutoInstallationDialog1::kBandCount] = {61606, 61607, 61608, 61609,
                                                                          61610, 61611, 61612};
// String ids of the speaker densities 0..4.
constexpr unsigned kDensityLabelIds[5] = {61665, 61666, 61667, 61668, 61669};

double SeriesFrequency(int k, double n)
{
    return std::pow(10.0, 0.3 * k / n);
}

void RegisterTemplate()
{
    static const bool registered = [] {
        using K = ControlTemplate;
        DialogTemplate t;
        t.id = CAutoInstallationDialog1::IDD;
        t.caption = "Properties for Auto Installation";
        t.cx = 330;
        t.cy = 186;
        t.controls = {
            MakeControl(K::Static, 1014, "Static", 7, 11, 170, 8),
            MakeControl(K::ComboList, 1008, "", 180, 9, 90, 80),
            MakeControl(K::Static, 1093, "Static", 7, 29, 170, 8),
            MakeControl(K::ComboList, 1092, "", 180, 27, 90, 40),
            MakeControl(K::Static, 1036, "Static", 7, 47, 170, 8),
            MakeControl(K::ComboList, 1010, "", 180, 45, 90, 80),
            MakeControl(K::Static, 1037, "Static", 7, 65, 170, 8),
            MakeControl(K::ComboList, 1015, "", 180, 63, 90, 120),
            MakeControl(K::Static, 1016, "", 180, 81, 140, 8),
            MakeControl(K::Static, 1009, "Static", 7, 101, 170, 8),
            MakeControl(K::Edit, 1028, "", 180, 99, 60, 12),
            MakeControl(K::Static, 1004, "[m]", 244, 101, 22, 8),
            MakeControl(K::Static, 1011, "Static", 7, 119, 170, 8),
            MakeControl(K::Edit, 1029, "", 180, 117, 60, 12),
            MakeControl(K::Static, 1005, "[deg]", 244, 119, 22, 8),
            MakeControl(K::Static, 1012, "Static", 7, 137, 170, 8),
            MakeControl(K::Edit, 1030, "", 180, 135, 60, 12),
            MakeControl(K::Static, 1006, "[deg]", 244, 137, 22, 8),
            MakeControl(K::Static, 1013, "Static", 7, 155, 170, 8),
            MakeControl(K::Edit, 1031, "", 180, 153, 60, 12),
            MakeControl(K::Static, 1007, "[deg]", 244, 155, 22, 8),
            MakeControl(K::DefPushButton, IDOK, "OK", 273, 7, 50, 14),
            MakeControl(K::PushButton, IDCANCEL, "Cancel", 273, 24, 50, 14),
        };
        RegisterDialogTemplate(t);
        return true;
    }();
    (void)registered;
}

}  // namespace

CAutoInstallationDialog1::CAutoInstallationDialog1() : CDialog(IDD)
{
    RegisterTemplate();
}

void CAutoInstallationDialog1::SetParameters(double z, const double angles[3], unsigned overlapMode,
                                             int layoutPattern, double dataPitch, double centreFreq,
                                             double octaveBand, int unit, int level)
{
    m_dZ = z;
    m_dAzimuth = angles[0];
    m_dRotation = angles[1];
    m_dElevation = angles[2];
    m_dOverlapMode = static_cast<double>(overlapMode);
    m_nLayoutPattern = layoutPattern;
    m_dDataPitch = dataPitch;
    m_dCenterFreq = centreFreq;
    m_dOctaveBand = octaveBand;
    m_nLevel = level;
    m_strUnitZ = unit == 1 ? "[ft]" : "[m]";
    m_strZLabel = LoadStringId(61620);
    m_strAzimuthLabel = LoadStringId(61621);
    m_strElevationLabel = LoadStringId(61622);
    m_strRotationLabel = LoadStringId(61623);
    m_strDensityLabel = LoadStringId(61637);
    m_strCenterFreqLabel = LoadStringId(61677);
    m_strBandLabel = LoadStringId(61678);
    m_strPatternLabel = LoadStringId(61684);
}

std::vector<double> CAutoInstallationDialog1::CenterList(double n, int& first)
{
    int count = 0;
    int end = 0;
    CountOctaveFrequencies(count, end, 20.0, 20000.0, n);
    first = end - count;
    std::vector<double> list;
    for (int i = 0; i < count; ++i)
        list.push_back(SeriesFrequency(first + i, n));
    return list;
}

std::string CAutoInstallationDialog1::CenterText(double f, double n)
{
    return FormatNumber(f, n > 6.0 ? 3 : 2) + "[Hz]";
}

std::string CAutoInstallationDialog1::BandRangeText(double fc, double n)
{
    const double k = std::pow(10.0, 0.15 / n);
    return FormatNumber(fc / k, 3) + "[Hz] - " + FormatNumber(fc * k, 3) + "[Hz]";
}

int CAutoInstallationDialog1::PitchIndex() const
{
    for (int i = 0; i < kPitchCount; ++i) {
        if (kBands[i] == m_dDataPitch)
            return i;
    }
    return -1;
}

double CAutoInstallationDialog1::FillCenterList(double fc)
{
    IDialogControls& c = *Controls();
    c.ResetContent(IDC_COMBO_CENTER_FREQ);
    int first = 0;
    const std::vector<double> list = CenterList(m_dOctaveBand, first);
    int best = -1;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        c.AddString(IDC_COMBO_CENTER_FREQ, CenterText(list[static_cast<std::size_t>(i)], m_dOctaveBand));
        if (best < 0 || std::fabs(list[static_cast<std::size_t>(i)] - fc) <
                            std::fabs(list[static_cast<std::size_t>(best)] - fc))
            best = i;
    }
    if (best < 0)
        return fc;
    c.SetCurSel(IDC_COMBO_CENTER_FREQ, best);
    return list[static_cast<std::size_t>(best)];
}

void CAutoInstallationDialog1::ShowBandRange()
{
    m_strBandRange = BandRangeText(m_dCenterFreq, m_dOctaveBand);
    Controls()->SetWindowText(IDC_STATIC_BAND_RANGE, m_strBandRange);
}

bool CAutoInstallationDialog1::OnInitDialog()
{
    CDialog::OnInitDialog();
    IDialogControls& c = *Controls();

    c.ResetContent(IDC_COMBO_OVERLAP);
    for (unsigned id : kDensityLabelIds)
        c.AddString(IDC_COMBO_OVERLAP, LoadStringId(id));
    for (int i = 0; i < 5; ++i) {
        if (m_dOverlapMode == static_cast<double>(i))
            c.SetCurSel(IDC_COMBO_OVERLAP, i);
    }
    c.ResetContent(IDC_COMBO_PATTERN);
    c.AddString(IDC_COMBO_PATTERN, "Rectangle");
    c.AddString(IDC_COMBO_PATTERN, "Hexagonal");
    if (m_nLayoutPattern == 0 || m_nLayoutPattern == 1)
        c.SetCurSel(IDC_COMBO_PATTERN, m_nLayoutPattern);

    // The bands from the data's own pitch to 4 octaves.
    const int p = PitchIndex();
    c.ResetContent(IDC_COMBO_BAND);
    if (p >= 0) {
        for (int i = p; i < kBandCount; ++i)
            c.AddString(IDC_COMBO_BAND, LoadStringId(kBandLabelIds[i]));
    }
    if (m_dOctaveBand == 0.0)
        m_dOctaveBand = 0.5;
    if (p >= 0) {
        int selected = -1;
        for (int i = p; i < kBandCount && selected < 0; ++i) {
            if (kBands[i] == m_dOctaveBand)
                selected = i - p;
        }
        if (selected < 0) {
            // A remembered band finer than the data offer (or none at all):
            // the data's own band, so that the centre list and the band
            // selected belong together.
            selected = 0;
            m_dOctaveBand = kBands[p];
        }
        c.SetCurSel(IDC_COMBO_BAND, selected);
    }

    if (m_dCenterFreq == 0.0)
        m_dCenterFreq = 1000.0;
    FillCenterList(m_dCenterFreq);
    ShowBandRange();

    if (m_nLevel == 0) {
        static const int hidden[] = {IDC_EDIT_AZIMUTH,   IDC_EDIT_ELEVATION, IDC_EDIT_ROTATION, IDC_LABEL_AZIMUTH,
                                     IDC_LABEL_ELEVATION, IDC_LABEL_ROTATION, IDC_UNIT_AZIMUTH,  IDC_UNIT_ELEVATION,
                                     IDC_UNIT_ROTATION,  IDC_EDIT_Z,         IDC_LABEL_Z,       IDC_UNIT_Z};
        for (int id : hidden)
            c.ShowWindow(id, false);
    }
    if (m_nLevel < 2) {
        static const int hidden[] = {IDC_LABEL_BAND, IDC_LABEL_CENTER_FREQ, IDC_COMBO_BAND, IDC_COMBO_CENTER_FREQ,
                                     IDC_STATIC_BAND_RANGE};
        for (int id : hidden)
            c.ShowWindow(id, false);
    }
    return true;
}

void CAutoInstallationDialog1::OnControlCommand(int id, int notifyCode)
{
    if (notifyCode != CBN_SELCHANGE)
        return;
    if (id == IDC_COMBO_BAND)
        OnCbnSelchangeOctaveBand();
    else if (id == IDC_COMBO_CENTER_FREQ)
        OnCbnSelchangeCenterFrequency();
}

void CAutoInstallationDialog1::OnCbnSelchangeOctaveBand()
{
    IDialogControls& c = *Controls();
    int first = 0;
    CenterList(m_dOctaveBand, first);
    const int sel = std::max(0, c.GetCurSel(IDC_COMBO_CENTER_FREQ));
    const double oldCentre = SeriesFrequency(sel + first, m_dOctaveBand);

    const int p = PitchIndex();
    const int bandSel = c.GetCurSel(IDC_COMBO_BAND);
    if (p >= 0 && bandSel >= 0 && p + bandSel < kBandCount)
        m_dOctaveBand = kBands[p + bandSel];
    m_dCenterFreq = FillCenterList(oldCentre);
    ShowBandRange();
}

void CAutoInstallationDialog1::OnCbnSelchangeCenterFrequency()
{
    const int sel = Controls()->GetCurSel(IDC_COMBO_CENTER_FREQ);
    if (sel < 0)
        return;
    int first = 0;
    CenterList(m_dOctaveBand, first);
    m_dCenterFreq = SeriesFrequency(sel + first, m_dOctaveBand);
    ShowBandRange();
}

void CAutoInstallationDialog1::OnOK()
{
    IDialogControls& c = *Controls();
    m_dOverlapMode = static_cast<double>(c.GetCurSel(IDC_COMBO_OVERLAP));
    const int pattern = c.GetCurSel(IDC_COMBO_PATTERN);
    if (pattern == 0 || pattern == 1)
        m_nLayoutPattern = pattern;
    const int p = PitchIndex();
    const int bandSel = c.GetCurSel(IDC_COMBO_BAND);
    if (p >= 0 && bandSel >= 0 && p + bandSel < kBandCount)
        m_dOctaveBand = kBands[p + bandSel];
    // An empty centre list (no band to offer) keeps the centre as it was.
    const int centreSel = c.GetCurSel(IDC_COMBO_CENTER_FREQ);
    if (centreSel >= 0) {
        int first = 0;
        CenterList(m_dOctaveBand, first);
        m_dCenterFreq = SeriesFrequency(centreSel + first, m_dOctaveBand);
    }
    CDialog::OnOK();
}

void CAutoInstallationDialog1::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_LABEL_ELEVATION, m_strElevationLabel);
    DDX_Text(dx, IDC_LABEL_CENTER_FREQ, m_strCenterFreqLabel);
    DDX_Text(dx, IDC_LABEL_DENSITY, m_strDensityLabel);
    DDX_Text(dx, IDC_LABEL_BAND, m_strBandLabel);
    DDX_Text(dx, IDC_LABEL_ROTATION, m_strRotationLabel);
    DDX_Text(dx, IDC_LABEL_PATTERN, m_strPatternLabel);
    DDX_Text(dx, IDC_LABEL_Z, m_strZLabel);
    DDX_Text(dx, IDC_UNIT_Z, m_strUnitZ);
    DDX_Text(dx, IDC_EDIT_AZIMUTH, m_dAzimuth);
    DDV_MinMaxDouble(dx, m_dAzimuth, -180.0, 180.0);
    DDX_Text(dx, IDC_EDIT_ROTATION, m_dRotation);
    DDV_MinMaxDouble(dx, m_dRotation, -180.0, 180.0);
    DDX_Text(dx, IDC_EDIT_Z, m_dZ);
    DDV_MinMaxDouble(dx, m_dZ, -10000.0, 10000.0);
    DDX_Text(dx, IDC_EDIT_ELEVATION, m_dElevation);
    DDV_MinMaxDouble(dx, m_dElevation, -180.0, 180.0);
    DDX_Text(dx, IDC_LABEL_AZIMUTH, m_strAzimuthLabel);
    DDX_Text(dx, IDC_STATIC_BAND_RANGE, m_strBandRange);
}
