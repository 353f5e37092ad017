// The text block under the SPL map: project, results, ceiling and plane,
// number of speakers, amplifier power and the automatic installation.

#include "views/ColorMapViewCore.h"

#include "document/ColorMapCondition.h"
#include "document/KDRDoc.h"
#include "document/ListeningPlane.h"
#include "models/NumberFormat.h"
#include "resources/StringTable.h"
#include "views/SPLMapCalculator.h"

#include <cmath>

namespace {

enum : unsigned {
    kIdsProjectName = 61681,
    kIdsDate = 61682,
    kIdsSpeakerDensity = 65310,
    kIdsMaxLevel = 65311,
    kIdsMinLevel = 65312,
    kIdsAverageLevel = 65313,
    kIdsSpeechLevel = 65314,
    kIdsCeilingSolid = 65315,
    kIdsCeilingAbsorbent = 65316,
    kIdsPlaneHeight = 65317,
    kIdsPlaneFromYZ = 63707,
    kIdsPlaneFromXZ = 63708,
    kIdsSpeakerCount = 65318,
    kIdsAmplifierPower = 65319,
    kIdsSpeaker = 65320,
    kIdsTap = 65321,
    kIdsColumnDistance = 65322,
    kIdsRowDistance = 65323,
    kIdsLeftWall = 65324,
    kIdsBottomWall = 65325,
    kIdsAutoFrequency = 61677,
    kIdsAutoBand = 61678,
    kIdsDensityFirst = 61665,  // 61665..61669, by overlap mode 0..4
    kIdsOhms = 61657,
    kIdsVLine = 61656,
    kIdsNoSound = 39440,
    kIdsNoLevel = 39441,
};

constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

CPoint CColorMapViewCore::TextLinePosition(int k, int h) const
{
    const CColorMapCondition* cond = GetCondition();
    const CRect margin = cond ? cond->GetMargin() : CRect();
    return CPoint(margin.left, k * h - margin.bottom + m_sizeTotal.cy);
}

void CColorMapViewCore::DrawTextLine(IDrawingContext& dc, int k, int h, const std::string& text)
{
    const CPoint p = TextLinePosition(k, h);
    if (text.size() <= kMaxLineLength) {
        dc.TextOut(p.x, p.y, text);
        return;
    }
    // Cut before the character that would cross the limit, never inside a
    // UTF-8 sequence (continuation bytes are 10xxxxxx).
    std::size_t end = kMaxLineLength;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    dc.TextOut(p.x, p.y, text.substr(0, end));
}

std::string CColorMapViewCore::FormatLevel(double level)
{
    // No number, or too high for the number format (which prints 0 from a
    // million up); only a damaged file holds such values.
    if (std::isnan(level) || level >= 1.0e6)
        return LoadStringId(kIdsNoLevel);
    // Minus infinity and the lowest level, also as the rounded text would
    // show it, are no sound.
    if (CSPLMapCalculator::IsSoundLevel(level) && RoundToSignificant(level, 4) > CSPLMapCalculator::kNoSoundLevel)
        return FormatNumber(level, 4) + "[dB]";
    return LoadStringId(kIdsNoSound);
}

void CColorMapViewCore::DrawRoomInfo(IDrawingContext& dc, int h)
{
    dc.SetBkColor(kWhite);
    const CInstallationContainer& room = m_doc.GetInstallations();
    const std::string unit = GetUnitText();
    const unsigned ceiling = room.GetCeilingKind() != 0 ? kIdsCeilingSolid : kIdsCeilingAbsorbent;
    DrawTextLine(dc, 11, h,
                 LoadStringId(ceiling) + FormatNumber(room.GetRoom(CInstallationContainer::kRoomHeight), 4) + unit);

    const CListeningPlane& plane = GetCondition()->GetPlane();
    if (plane.GetExtent(2) == 0.0)
        DrawTextLine(dc, 12, h, LoadStringId(kIdsPlaneHeight) + FormatNumber(plane.GetOrigin(2), 4) + unit);
    else if (plane.GetExtent(0) == 0.0)
        DrawTextLine(dc, 12, h, LoadStringId(kIdsPlaneFromYZ) + FormatNumber(plane.GetOrigin(0), 4) + unit);
    else if (plane.GetExtent(1) == 0.0)
        DrawTextLine(dc, 12, h, LoadStringId(kIdsPlaneFromXZ) + FormatNumber(plane.GetOrigin(1), 4) + unit);

    DrawTextLine(dc, 2, h, LoadStringId(kIdsProjectName) + m_doc.m_strProjectName);
    DrawTextLine(dc, 3, h, LoadStringId(kIdsDate) + m_doc.m_strDate);
}

void CColorMapViewCore::DrawSPLSummary(IDrawingContext& dc, int h)
{
    dc.SetBkColor(kWhite);
    const CListeningPlane& plane = GetCondition()->GetPlane();
    // Without a speaker in the room nothing sounds, whatever the plane's
    // results still hold (zeros of a new project, the map before a Remove
    // All): the plane then shows in the colour of the lowest level.
    const bool silent = m_doc.GetInstallations().GetCount() == 0;
    // A map not calculated since its plane was last set (manual
    // recalculation) has no results yet, only the zeros of its set-up.
    const bool calculated = plane.HasResults();
    const auto level = [silent, calculated](double value) {
        if (silent)
            return LoadStringId(kIdsNoSound);
        return calculated ? FormatLevel(value) : LoadStringId(kIdsNoLevel);
    };
    DrawTextLine(dc, 6, h, LoadStringId(kIdsMaxLevel) + level(plane.GetMaxLevel()));
    DrawTextLine(dc, 7, h, LoadStringId(kIdsMinLevel) + level(plane.GetMinLevel()));
    DrawTextLine(dc, 8, h, LoadStringId(kIdsAverageLevel) + level(plane.GetAverageLevel()));
    DrawTextLine(dc, 9, h, LoadStringId(kIdsSpeechLevel) + level(plane.GetSpeechAverageLevel()));
    DrawTextLine(dc, 14, h, LoadStringId(kIdsSpeakerCount) + FormatNumber(m_doc.GetInstallations().GetCount(), 4));
}

void CColorMapViewCore::DrawAmplifierPower(IDrawingContext& dc, int h)
{
    dc.SetBkColor(kWhite);
    const std::string label = LoadStringId(kIdsAmplifierPower);
    const CInstallationContainer& room = m_doc.GetInstallations();
    const CSpeakerModelContainer& models = m_doc.GetModels();
    const CInstallationElement* first = room.GetCount() > 0 ? room.GetAt(0) : nullptr;
    const CSpeakerModel* model =
        first && models.GetCount() > 0 ? models.GetAt(static_cast<int>(first->GetModelIndex())) : nullptr;
    if (!model) {
        DrawTextLine(dc, 15, h, label + "0" + "[W]");
        return;
    }
    if (model->IsLowImpedanceTap(static_cast<int>(first->GetTapIndex()))) {
        double sum = 0.0;
        for (int i = 0; i < room.GetCount(); ++i) {
            const CInstallationElement* element = room.GetAt(i);
            const CSpeakerModel* own = element ? models.GetAt(static_cast<int>(element->GetModelIndex())) : nullptr;
            if (own)
                sum += element->GetPower() * own->GetTapFactor(static_cast<int>(element->GetTapIndex()));
        }
        DrawTextLine(dc, 15, h,
                     label + FormatNumber(room.GetTotalPower(), 4) + " to " + FormatNumber(sum, 4) + "[W]");
    } else {
        DrawTextLine(dc, 15, h, label + FormatNumber(room.GetTotalPower() * 1.2, 4) + "[W]");
    }
}

void CColorMapViewCore::DrawAutoInstallationInfo(IDrawingContext& dc, int h)
{
    dc.SetBkColor(kWhite);
    const std::string unit = GetUnitText();
    std::string density;
    if (m_doc.m_nAutoOverlapMode >= 0 && m_doc.m_nAutoOverlapMode <= 4) {
        // The name stands between double quotes; the string table holds it
        // bare for the density choices of the automatic installation.
        density = LoadStringId(kIdsDensityFirst + static_cast<unsigned>(m_doc.m_nAutoOverlapMode));
        if (!density.empty() && density.front() != '"')
            density = "\"" + density + "\"";
    }
    DrawTextLine(dc, 17, h, LoadStringId(kIdsSpeakerDensity) + density);

    // The first installation's model and tap; a project without one (only
    // from a damaged file) shows the labels alone.
    const CInstallationContainer& room = m_doc.GetInstallations();
    const CInstallationElement* first = room.GetCount() > 0 ? room.GetAt(0) : nullptr;
    const CSpeakerModel* model = first ? m_doc.GetModels().GetAt(static_cast<int>(first->GetModelIndex())) : nullptr;
    if (model) {
        const int tap = static_cast<int>(first->GetTapIndex());
        DrawTextLine(dc, 18, h, LoadStringId(kIdsSpeaker) + model->GetName() + model->GetNameSuffix());
        DrawTextLine(dc, 19, h,
                     LoadStringId(kIdsTap) + FormatNumber(model->GetTapValue(tap), 4) +
                         LoadStringId(model->IsLowImpedanceTap(tap) ? kIdsOhms : kIdsVLine) +
                         FormatNumber(model->GetTapPower(tap), 4) + "W");
    } else {
        DrawTextLine(dc, 18, h, LoadStringId(kIdsSpeaker));
        DrawTextLine(dc, 19, h, LoadStringId(kIdsTap));
    }

    DrawTextLine(dc, 20, h, LoadStringId(kIdsColumnDistance) + FormatNumber(m_doc.m_dAutoDistance[3], 4) + unit);
    DrawTextLine(dc, 21, h, LoadStringId(kIdsRowDistance) + FormatNumber(m_doc.m_dAutoDistance[2], 4) + unit);
    DrawTextLine(dc, 22, h, LoadStringId(kIdsLeftWall) + FormatNumber(m_doc.m_dAutoDistance[1], 4) + unit);
    DrawTextLine(dc, 23, h, LoadStringId(kIdsBottomWall) + FormatNumber(m_doc.m_dAutoDistance[0], 4) + unit);
    if (m_doc.m_nAdvancedMode > 1) {
        DrawTextLine(dc, 25, h, LoadStringId(kIdsAutoFrequency) + FormatNumber(m_doc.m_dAutoCenterFreq, 2) + "[Hz]");
        DrawTextLine(dc, 26, h, LoadStringId(kIdsAutoBand) + GetBandName(m_doc.m_dAutoBand));
    }
}

void CColorMapViewCore::EraseAutoInstallationInfo(IDrawingContext& dc, int h)
{
    dc.SetBkColor(kWhite);
    const std::string blanks(44, ' ');
    for (int k = 17; k <= 26; ++k)
        DrawTextLine(dc, k, h, blanks);
}
