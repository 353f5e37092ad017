#include "models/SpeakerModel.h"

#include "models/ArrayModelFactory.h"
#include "models/Geometry.h"
#include "models/SpeakerDataLimits.h"
#include "models/StdSPModel.h"
#include "platform/Archive.h"
#include "platform/Progress.h"
#include "platform/ProgressScale.h"
#include "platform/TextFile.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// The import's bar over the lines of every balloon block: the readers step
// a running counter by one a line, and the bar, whose range is 16-bit,
// shows the share of the lines read also when there are more of them than
// its range holds.
class CLineProgress : public IProgress {
public:
    CLineProgress(IProgress& bar, std::uint64_t lines) : m_bar(bar), m_scale(lines)
    {
        m_bar.SetRange(0, m_scale.GetRange());
    }
    void SetMessage(const std::string& text) override { m_bar.SetMessage(text); }
    void SetRange(int low, int high) override { m_bar.SetRange(low, high); }
    void SetPos(int pos) override { m_bar.SetPos(m_scale.GetPosition(static_cast<std::size_t>(std::max(pos, 0)))); }
    void ShowStopButton(bool show) override { m_bar.ShowStopButton(show); }
    bool PumpMessages() override { return m_bar.PumpMessages(); }

private:
    IProgress& m_bar;
    CProgressScale m_scale;
};

constexpr unsigned kIdsBadModelData = 39211;
constexpr unsigned kIdsBadPowerShare = 39212;
constexpr unsigned kIdsBadModelValue = 39213;
constexpr unsigned kIdsTooManyImpliedCells = 39214;

bool IsUsablePosition(const CPoint3D& p)
{
    using SpeakerDataLimits::IsUsableLength;
    return IsUsableLength(p.x) && IsUsableLength(p.y) && IsUsableLength(p.z);
}

bool AreUsableAngles(const CPoint3D& a)
{
    using SpeakerDataLimits::IsUsableAngle;
    return IsUsableAngle(a.x) && IsUsableAngle(a.y) && IsUsableAngle(a.z);
}

// True when every placement can take part in the pressure calculation: a
// power share not below 0 (its square root scales the pressure), a
// position and an aim, all numbers within the bounds of SpeakerDataLimits.h.
bool ArePlacementsUsable(const CSPVariableParamArray& placements)
{
    for (const CSPVariableParam& p : placements) {
        if (!SpeakerDataLimits::IsUsableShare(p.GetShare()) || !IsUsablePosition(p.GetPositionMetres()) ||
            !AreUsableAngles(p.GetAngles()))
            return false;
    }
    return true;
}

// Module geometry (offset and length in metres, splay in degrees) and share
// of every unit description.
bool AreAxisElementsUsable(const CAxisElementArray& axes)
{
    using namespace SpeakerDataLimits;
    for (const CAxisElement& axis : axes) {
        const CAxisEntity& v = axis.GetVector();
        if (!IsUsableLength(v.x) || !IsUsableLength(v.y) || !IsUsableAngle(v.z) ||
            !IsUsableShare(axis.GetPowerShare()))
            return false;
    }
    return true;
}

// The directivity lookup. notInSeries is set when f lies inside the measured
// range but is not one of the data frequencies (f is then set to 0.0).
CSPComplex LookupDirectivity(const CSpeakerElement& e, double h, double v, double& f, bool& notInSeries)
{
    notInSeries = false;
    CSPComplex result;
    const CSpeakerDataHeader& header = *e.GetHeader();
    if (header.IsFrequencyOutOfRange(f))
        return result;
    const int k = header.FindFrequencyIndex(f);
    if (k < 0) {
        f = 0.0;
        notInSeries = true;
        result.SetLevelPhase(-60.0, 0.0);
        return result;
    }
    if (!e.IsGridUsable())
        return result;

    double pLo = 0.0, pHi = 0.0;
    int jLo = 0, jHi = 0;
    const BOOL polarExact = header.FindBracket(v, pLo, pHi, jLo, jHi);
    double rLo = 0.0, rHi = 0.0;
    int iLo = 0, iHi = 0;
    const BOOL meridianExact = e.FindAngleCell(h, rLo, rHi, iLo, iHi);
    if (polarExact && meridianExact)
        return e.GetBalloonCell(iLo, jLo, k);

    const CSPComplex* c[4] = {
        &e.GetBalloonCell(iLo, jLo, k),
        &e.GetBalloonCell(iHi, jLo, k),
        &e.GetBalloonCell(iLo, jHi, k),
        &e.GetBalloonCell(iHi, jHi, k),
    };
    const CPoint3D t = DirectionVector(h, v);
    const double d[4] = {
        Distance3D(t, DirectionVector(rLo, pLo)),
        Distance3D(t, DirectionVector(rHi, pLo)),
        Distance3D(t, DirectionVector(rLo, pHi)),
        Distance3D(t, DirectionVector(rHi, pHi)),
    };
    // A direction on a corner takes that corner's value; the corners are
    // looked at in the order c1, c3, c2, c4.
    static constexpr int kNearOrder[4] = {0, 2, 1, 3};
    for (int n : kNearOrder) {
        if (d[n] < 1e-6)
            return *c[n];
    }

    double weightSum = 0.0;
    double levelSum = 0.0;
    double phaseSum = 0.0;
    const double phase1 = c[0]->GetPhase();
    for (int n = 0; n < 4; ++n) {
        const double w = 1.0 / d[n];
        double phase = c[n]->GetPhase();
        if (n > 0) {
            // Unwrap against corner 1 so that 170 and -170 meet at 180.
            double best = std::fabs(phase - phase1);
            const double up = phase + 360.0;
            const double down = phase - 360.0;
            if (std::fabs(up - phase1) < best) {
                phase = up;
            } else if (std::fabs(down - phase1) < best) {
                phase = down;
            }
        }
        weightSum += w;
        levelSum += w * c[n]->GetLevel();
        phaseSum += w * phase;
    }
    result.SetLevelPhase(levelSum / weightSum, phaseSum / weightSum);
    return result;
}

}  // namespace

// --- free functions --------------------------------------------------------

void CalcElementAimAngles(const CPoint3D& e, const CPoint3D& q, const CPoint3D& g,
                          CPoint3D& aim, CPoint3D& rotatedPos)
{
    CPoint3D ax(1.0, 0.0, 0.0);
    CPoint3D ay(0.0, 1.0, 0.0);
    ax.RotateBack(e);
    ax.x += q.x;
    ax.y += q.y;
    ax.z += q.z;
    ax.RotateBack(g);
    ay.RotateBack(e);
    ay.x += q.x;
    ay.y += q.y;
    ay.z += q.z;
    ay.RotateBack(g);
    rotatedPos = q;
    rotatedPos.RotateBack(g);

    const CPoint3D a(ax.x - rotatedPos.x, ax.y - rotatedPos.y, ax.z - rotatedPos.z);
    CPoint3D b(ay.x - rotatedPos.x, ay.y - rotatedPos.y, ay.z - rotatedPos.z);

    // Straight up or down there is no azimuth: the caller's value stays.
    if (!(std::fabs(a.x) < 1e-6 && std::fabs(a.y) < 1e-6)) {
        double azimuth = RadiansToDegrees(std::atan2(a.y, a.x));
        if (azimuth == -180.0)
            azimuth = 180.0;
        aim.x = azimuth;
    }
    aim.z = -RadiansToDegrees(std::atan2(a.z, std::sqrt(a.x * a.x + a.y * a.y)));
    aim.y = 0.0;
    b.Rotate(CPoint3D(aim.x, 0.0, aim.z));
    aim.y = RadiansToDegrees(std::atan2(b.z, b.y));
}

double CalcDistance3D(const CPoint3D& a, const CPoint3D& b)
{
    const double d = Distance3D(a, b);
    return d < 1e-6 ? 0.0 : d;
}

// --- construction and factory ----------------------------------------------

CSpeakerModel::CSpeakerModel(int typeCode)
{
    m_header.SetType(static_cast<DWORD>(typeCode));
}

CSpeakerModel::~CSpeakerModel() = default;

std::unique_ptr<CSpeakerModel> CSpeakerModel::CreateModel(int typeCode)
{
    switch (typeCode) {
    case CStdSPModel::kForwardType:
    case CStdSPModel::kCeilingType:
        return std::make_unique<CStdSPModel>(typeCode);
    case 2: case 3: case 4: case 5: case 6: case 7: case 8:
        return CreateArrayModel(typeCode);
    default:
        return nullptr;
    }
}

std::unique_ptr<CSpeakerModel> CSpeakerModel::CreateFromArchive(CArchive& ar, DWORD version)
{
    const WORD code = ar.ReadWord();
    std::unique_ptr<CSpeakerModel> model = CreateModel(code);
    if (model)
        model->Serialize(ar, version);
    return model;
}

// --- base behaviour of the virtual operations -------------------------------

void CSpeakerModel::AssignAxisData(BOOL bFull)
{
    const std::size_t n = std::min(m_placements.size(), m_axisElements.size());
    for (std::size_t i = 0; i < n; ++i)
        m_placements[i].AssignAxis(m_axisElements[i], bFull != FALSE);
}

double CSpeakerModel::GetDefaultElevation() const
{
    return 0.0;
}

double CSpeakerModel::DoModuleArrangement(int /*nLengthUnit*/)
{
    return 0.0;
}

std::string CSpeakerModel::GetNameSuffix() const
{
    return std::string();
}

void CSpeakerModel::ResizeVariableParams()
{
    const DWORD n = m_tapTable.GetElementCount();
    m_placements.resize(n);
    m_placements.SetEqualShares(n);
}

// --- import --------------------------------------------------------------

BOOL CSpeakerModel::ImportFromFile(CStdioFile& file, IProgress* progress, CSpeakerDataProblem* problem)
{
    using Problem = CSpeakerDataProblem;
    // Notes why the file is refused (the first note stands) and gives FALSE.
    auto refuseRead = [&file, problem](Problem::Value value) {
        if (problem)
            problem->SetFromFile(file, value);
        return FALSE;
    };
    auto refuseValue = [problem](Problem::Value value) {
        if (problem)
            problem->SetValueOutOfRange(value, 0);
        return FALSE;
    };

    // The counts are judged together once all their lines are read: no one
    // line is to blame.
    if (!ReadModuleCounts(file))
        return file.AtEnd() || file.LineTooLong() ? refuseRead(Problem::kModuleCount)
                                                  : refuseValue(Problem::kModuleCount);
    if (m_tapTable.GetElementCount() > SpeakerDataLimits::kMaxModuleCount)
        return refuseValue(Problem::kModuleCount);
    if (!m_header.ReadHeader(file, problem))
        return refuseRead(Problem::kGridSize);
    // Each tap has a line of its own.
    if (m_header.GetTapCount() > file.RemainingBytes()) {
        if (problem)
            problem->SetEndsEarly(0);
        return FALSE;
    }
    m_tapTable.SetTapCount(m_header.GetTapCount());
    if (!m_tapTable.ReadFromFile(file))
        return refuseRead(Problem::kTap);
    if (!m_header.ReadValues(file))
        return refuseRead(Problem::kPolarAngle);
    m_placements.resize(m_tapTable.GetElementCount());
    if (!ReadAxisData(file))
        return refuseValue(Problem::kModuleGeometry);
    AssignAxisData(TRUE);
    CalcAimAngles();

    const DWORD rows = m_header.GetMeridianAngleCount();
    const DWORD columns = m_header.GetPolarAngleCount();
    const DWORD frequencies = m_header.GetFrequencyCount();
    if (m_header.GetCellCount() == 0 || m_header.GetCellCount() > SpeakerDataLimits::kMaxBalloonCells)
        return refuseValue(Problem::kGridSize);
    // The balloons hold no more cells than the rest of the file has bytes,
    // beyond a small allowance. A complete block of rows carries each of its
    // cells in at least two bytes (a level and a phase with their commas or
    // line end), and the closing 360-degree row copies one of at least two
    // rows, so any file with all its data passes; a header that declares
    // more describes data the file does not have, and sizing the balloons
    // for it would hold memory out of all proportion to the file.
    if (m_header.GetCellCount() * m_balloons.size() >
        file.RemainingBytes() + SpeakerDataLimits::kCellsBeyondFileBytes) {
        if (problem)
            problem->SetEndsEarly(0);
        return FALSE;
    }
    std::optional<CLineProgress> lineProgress;
    if (progress != nullptr) {
        lineProgress.emplace(*progress, static_cast<std::uint64_t>(frequencies) * (rows - 1) * m_balloons.size());
        progress = &*lineProgress;
    }
    // Every line of a balloon block must be there: a file cut short is
    // refused rather than imported with silent zeros.
    const std::uint64_t linesPerBalloon = static_cast<std::uint64_t>(rows - 1) * (1u + frequencies);
    for (CBalloonElement& balloon : m_balloons) {
        balloon.SetDimensions(rows, columns, frequencies);
        const std::size_t before = file.LineNumber();
        if (!balloon.ReadText(file, progress, problem))
            return refuseRead(Problem::kLevel);
        if (file.LineNumber() - before < linesPerBalloon) {
            if (problem)
                problem->SetEndsEarly(file.LineNumber());
            return FALSE;
        }
    }
    BuildSpeakerElements();
    // A negative or unreadable power share, a module geometry that gives no
    // finite position, or any other value beyond the bounds would turn
    // levels infinite or into no number.
    if (!AreValuesUsable())
        return refuseValue(FindUnusableValue());
    return TRUE;
}

bool CSpeakerModel::AreValuesUsable() const
{
    if (!m_header.AreValuesUsable() || !m_tapTable.AreTapsUsable() || !AreAxisElementsUsable(m_axisElements) ||
        !ArePlacementsUsable(m_placements))
        return false;
    for (const CBalloonElement& balloon : m_balloons) {
        if (!balloon.AreValuesUsable())
            return false;
    }
    return true;
}

CSpeakerDataProblem::Value CSpeakerModel::FindUnusableValue() const
{
    using Problem = CSpeakerDataProblem;
    if (!m_header.AreValuesUsable())
        return Problem::kFrequencyRange;
    if (!m_tapTable.AreTapsUsable())
        return Problem::kTap;
    for (const CAxisElement& axis : m_axisElements) {
        if (!SpeakerDataLimits::IsUsableShare(axis.GetPowerShare()))
            return Problem::kPowerShare;
    }
    for (const CSPVariableParam& p : m_placements) {
        if (!SpeakerDataLimits::IsUsableShare(p.GetShare()))
            return Problem::kPowerShare;
    }
    if (!AreAxisElementsUsable(m_axisElements) || !ArePlacementsUsable(m_placements))
        return Problem::kModuleGeometry;
    return Problem::kLevel;
}

// --- pressure --------------------------------------------------------------

CSPComplex CSpeakerModel::GetElementDirectivity(const CSpeakerElement& e, double h, double v, double& f) const
{
    bool notInSeries = false;
    return LookupDirectivity(e, h, v, f, notInSeries);
}

void CSpeakerModel::GetElementSource(const CSpeakerElement& e, const CPoint3D& position,
                                     const CPoint3D& angles, CPoint3D& source, CPoint3D& aim)
{
    const CPoint3D q = e.GetPosition();
    aim = CPoint3D(0.0, 0.0, 0.0);
    CPoint3D rotated;
    CalcElementAimAngles(e.GetAngles(), q, angles, aim, rotated);
    source = CPoint3D(position.x + rotated.x, position.y + rotated.y, position.z + rotated.z);
}

void CSpeakerModel::MakeImageSource(CPoint3D& source, CPoint3D& aim, double ceilingHeight)
{
    source.z = 2.0 * ceilingHeight - source.z;
    aim.y = -aim.y;
    aim.z = -aim.z;
}

int CSpeakerModel::AddSourcePressure(CSPComplex& result, const CSpeakerElement& e, const CPoint3D& source,
                                     const CPoint3D& aim, const CPoint3D& point, double f, bool reversed,
                                     double power, bool image, int unitFlag) const
{
    CPoint3D d(point.x - source.x, point.y - source.y, point.z - source.z);
    d.Rotate(aim);
    double r = CalcDistance3D(CPoint3D(0.0, 0.0, 0.0), d);
    CSPComplex c;
    if (r == 0.0) {
        c.SetLevelPhase(999.0, 0.0);
        result.Add(c.re, c.im);
        return 0;
    }
    double h = RadiansToDegrees(std::atan2(d.z, d.y));
    if (h < 0.0)
        h += 360.0;
    const double cosine = std::clamp(d.x / r, -1.0, 1.0);
    const double v = RadiansToDegrees(std::acos(cosine));
    if (image)
        h = 360.0 - h;

    bool notInSeries = false;
    c = LookupDirectivity(e, h, v, f, notInSeries);
    if (notInSeries)
        return 1;
    // Outside the measured range (or on an empty cell) the element is silent.
    if (c.re == 0.0 && c.im == 0.0)
        return 0;
    if (unitFlag == 1)
        r *= kMetresPerFoot;
    c.Propagate(r, e.GetHeader()->GetReferenceDistance(), f);
    if (reversed)
        c.SetLevelPhase(c.GetLevel(), c.GetPhase() + 180.0);
    c.Scale(std::sqrt(e.GetPowerShare() * power));
    result.Add(c.re, c.im);
    return 0;
}

int CSpeakerModel::CalcPressure(CSPComplex& result, const CPoint3D& point, const CPoint3D& position,
                                const CPoint3D& angles, double f, double ceilingHeight, bool reversed,
                                double power, double /*pitch*/, bool ceilingReflection, int unitFlag)
{
    for (const CSpeakerElement& e : m_elements) {
        CPoint3D source;
        CPoint3D aim;
        GetElementSource(e, position, angles, source, aim);
        if (AddSourcePressure(result, e, source, aim, point, f, reversed, power, false, unitFlag) != 0)
            return 1;
        if (ceilingReflection) {
            MakeImageSource(source, aim, ceilingHeight);
            if (AddSourcePressure(result, e, source, aim, point, f, reversed, power, true, unitFlag) != 0)
                return 1;
        }
    }
    return 0;
}

// --- accessors --------------------------------------------------------------

int CSpeakerModel::GetTapCount() const
{
    return static_cast<int>(m_tapTable.GetTapCount());
}

BOOL CSpeakerModel::IsLowImpedanceTap(int i) const
{
    return m_tapTable.IsLowImpedance(i);
}

double CSpeakerModel::GetTapValue(int i) const
{
    return m_tapTable.GetValue(i);
}

double CSpeakerModel::GetTapPower(int i) const
{
    return m_tapTable.GetPower(i);
}

double CSpeakerModel::GetTapFactor(int i) const
{
    return m_tapTable.GetFactor(i);
}

int CSpeakerModel::GetCurrentTap() const
{
    return m_tapTable.GetCurTap();
}

void CSpeakerModel::SetCurrentTap(int i)
{
    m_tapTable.SetCurTap(i);
}

int CSpeakerModel::GetUnitFlag() const
{
    return m_tapTable.GetUnitFlag();
}

void CSpeakerModel::SetUnitFlag(int flag)
{
    m_tapTable.SetUnitFlag(flag);
}

int CSpeakerModel::GetElementCount() const
{
    return static_cast<int>(m_tapTable.GetElementCount());
}

// --- records ----------------------------------------------------------------

void CSpeakerModel::SerializeName(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        ar << m_header.GetName() << GetNameSuffix();
        return;
    }
    m_header.SetName(ar.ReadString());
    if (version != kVersion100 && version != kVersion130)
        (void)ar.ReadString();
}

void CSpeakerModel::Serialize(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(GetTypeCode());
        SerializeModuleCounts(ar);
        m_tapTable.SerializeHeader(ar);
        m_placements.SerializeAngles(ar);
        SerializeName(ar, kVersion200);
        m_placements.SerializeShareAndPosition(ar);
        SerializeAxisData(ar);
        m_header.Serialize(ar);
        m_tapTable.Serialize(ar, kVersion200);
        m_header.SerializeValues(ar);
        m_balloons.Serialize(ar);
        m_header.SerializeFrequencies(ar);
        return;
    }

    SerializeModuleCounts(ar);
    m_tapTable.SerializeHeader(ar);
    const DWORD elementCount = m_tapTable.GetElementCount();
    if (elementCount > SpeakerDataLimits::kMaxModuleCount)
        CArchive::ThrowExplained(LoadStringId(kIdsBadModelData));
    ResizeVariableParams();
    // Each placement has an angle record (24 bytes) and a share and position
    // record (32 bytes) still to come.
    ar.CheckCount(m_placements.size(), 24 + 32);
    m_placements.SerializeAngles(ar);
    SerializeName(ar, version);
    m_placements.SerializeShareAndPosition(ar);
    SerializeAxisData(ar);
    AssignAxisData(FALSE);
    // A negative or non-finite share (or position or aim) can only come
    // from a damaged file; it would turn every level into NaN.
    if (!ArePlacementsUsable(m_placements))
        CArchive::ThrowExplained(LoadStringId(kIdsBadPowerShare));

    m_header.Serialize(ar);
    const DWORD tapCount = m_header.GetTapCount();
    ar.CheckCount(tapCount, CSpeakerTapTable::VersionHasTapFactor(version) ? 26 : 18);
    m_tapTable.SetTapCount(tapCount);
    m_tapTable.Serialize(ar, version);
    m_header.SerializeValues(ar);

    const DWORD rows = m_header.GetMeridianAngleCount();
    const DWORD columns = m_header.GetPolarAngleCount();
    const DWORD frequencies = m_header.GetFrequencyCount();
    const std::uint64_t cells = m_header.GetCellCount();
    if (cells == 0 || cells > SpeakerDataLimits::kMaxBalloonCells || m_balloons.empty())
        CArchive::ThrowExplained(LoadStringId(kIdsBadModelData));
    // From 2.0 on the cells come once per balloon, after the meridian
    // angles. Before 2.0 they come once per built element at the end of the
    // record (a model may build fewer elements than its module count), so
    // the balloons get their cells only once the elements are known.
    const bool before200 = version < kVersion200;
    if (!before200)
        ar.CheckCount(cells * m_balloons.size(), 16);
    for (CBalloonElement& balloon : m_balloons) {
        if (before200)
            balloon.SetDimensionsWithoutCells(rows, columns, frequencies);
        else
            balloon.SetDimensions(rows, columns, frequencies);
    }
    if (before200)
        m_balloons.SerializeAngles(ar);
    else
        m_balloons.Serialize(ar);
    m_header.SerializeFrequencies(ar);
    BuildSpeakerElements();
    if (before200) {
        if (m_elements.empty()) {
            // A model without elements carries no cells and nothing reads
            // its balloons, which therefore hold none. A save writes them out
            // as zero cells: that is bounded across the whole file.
            ar.ReserveUnread(cells * 16 * m_balloons.size(), SpeakerDataLimits::kMaxImpliedCells * 16,
                             LoadStringId(kIdsTooManyImpliedCells));
        } else {
            ar.CheckCount(cells * m_elements.size(), 16);
            for (CBalloonElement& balloon : m_balloons)
                balloon.SetDimensions(rows, columns, frequencies);
            // Elements that share a balloon read it in turn: the last one
            // stays.
            for (CSpeakerElement& e : m_elements)
                e.Serialize(ar);
        }
    }
    if (!AreValuesUsable())
        CArchive::ThrowExplained(LoadStringId(kIdsBadModelValue));
}
