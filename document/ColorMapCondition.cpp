#include "document/ColorMapCondition.h"

#include "document/ProjectFileLimits.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"

namespace {

constexpr unsigned kIdsBadView = 39426;

void StoreWord(CArchive& ar, LONG value)
{
    ar << static_cast<WORD>(static_cast<DWORD>(value) & 0xFFFF);
}

}  // namespace

CColorMapCondition::CColorMapCondition(double frequency, double bandFraction, double scale, int sumMode,
                                       const CSize& totalSize, const CRect& margin, const CPoint3D& viewAngles,
                                       CListeningPlane& plane)
    : m_dFrequency(frequency), m_dBandFraction(bandFraction), m_dScale(scale), m_nSumMode(sumMode),
      m_sizeTotal(totalSize), m_rectMargin(margin), m_dViewAngle{viewAngles.x, viewAngles.y, viewAngles.z}
{
    m_plane.TakeFrom(plane);
}

void CColorMapCondition::Serialize(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        StoreWord(ar, m_nSumMode);
        ar << m_dBandFraction << m_dFrequency;
        StoreWord(ar, m_sizeTotal.cx);
        StoreWord(ar, m_sizeTotal.cy);
        StoreWord(ar, m_rectMargin.left);
        StoreWord(ar, m_rectMargin.top);
        StoreWord(ar, m_rectMargin.right);
        StoreWord(ar, m_rectMargin.bottom);
        ar << m_dScale;
        m_plane.Serialize(ar, version);
        ar << m_dViewAngle[0] << m_dViewAngle[1] << m_dViewAngle[2];
        return;
    }
    m_nSumMode = ar.ReadWord();
    // Interference or energy; any other value is no map this program made.
    if (m_nSumMode > 1) {
        CArchive::ThrowFormat("unknown summation mode");
    }
    ar >> m_dBandFraction >> m_dFrequency;
    m_sizeTotal.cx = ar.ReadWord();
    m_sizeTotal.cy = ar.ReadWord();
    m_rectMargin.left = ar.ReadWord();
    m_rectMargin.top = ar.ReadWord();
    m_rectMargin.right = ar.ReadWord();
    m_rectMargin.bottom = ar.ReadWord();
    ar >> m_dScale;
    m_plane.Serialize(ar, version);
    if (version >= 0x01040000) {
        ar >> m_dViewAngle[0] >> m_dViewAngle[1] >> m_dViewAngle[2];
    }
    // The band chooses the frequencies of the calculation, the scale and the
    // view angles the projection of every point drawn.
    using namespace ProjectFileLimits;
    if (!IsUsableFrequency(m_dFrequency) || !IsUsableBandFraction(m_dBandFraction) || !IsUsableScale(m_dScale) ||
        !IsUsableAngles(CPoint3D(m_dViewAngle[0], m_dViewAngle[1], m_dViewAngle[2]))) {
        CArchive::ThrowExplained(LoadStringId(kIdsBadView));
    }
}
