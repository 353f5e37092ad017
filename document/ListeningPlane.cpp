#include "document/ListeningPlane.h"

#include "document/ProjectFileLimits.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"

#include <cmath>
#include <cstdint>
#include <limits>

const COLORREF CListeningPlane::kColorScale[kColorCount] = {
    0x0000FF, 0x001FFF, 0x003FFF, 0x005FFF, 0x007FFF, 0x009FFF, 0x00BFFF, 0x00DFFF, 0x00FFFF,
    0x1FFFDF, 0x3FFFBF, 0x5FFF9F, 0x7FFF7F, 0x9FFF5F, 0xBFFF3F, 0xDFFF1F, 0xFFFF00, 0xFFDF00,
    0xFFBF00, 0xFF9F00, 0xFF7F00, 0xFF5F00, 0xFF3F00, 0xFF1F00, 0xFF0000,
};

namespace {

constexpr DWORD kVersion140 = 0x01040000;
constexpr unsigned kIdsBadGeometry = 39424;
constexpr unsigned kIdsBadLevels = 39425;

// The snapped extents and dot counts that Set derives from a geometry.
struct PlaneGrid {
    double extent[3] = {};
    std::uint64_t count[3] = {};
    std::uint64_t cells = 0;
    int normal = -1;
    bool valid = false;
};

// Steps 1 to 3 of Set: snapping, counts and the one-zero-count rule. A pitch
// that is not a positive number, or counts that are negative or too large to
// hold, make the geometry unusable just as a wrong number of zero counts does.
PlaneGrid ComputeGrid(const double ext[3], double pitch)
{
    PlaneGrid g;
    if (!(pitch > 0.0) || !std::isfinite(pitch)) {
        return g;
    }
    int zeros = 0;
    for (int a = 0; a < 3; ++a) {
        double e = ext[a];
        if (!std::isfinite(e)) {
            return g;
        }
        if (e != 0.0) {
            const double n = std::trunc(e / pitch);
            const double frac = (e - n * pitch) / pitch;
            if (frac < 0.01) {
                e = n * pitch;
            }
            if (frac > 0.99) {
                e = (n + 1.0) * pitch;
            }
        }
        g.extent[a] = e;
        const double c = std::ceil(e / pitch);
        // Counts beyond 2^31 cannot be walked; a negative extent gives none.
        if (!(c >= 0.0) || c > 2147483647.0) {
            return g;
        }
        g.count[a] = static_cast<std::uint64_t>(c);
        if (g.count[a] == 0) {
            ++zeros;
            g.normal = a;
        }
    }
    if (zeros != 1) {
        return g;
    }
    std::uint64_t cells = 1;
    for (int a = 0; a < 3; ++a) {
        if (a != g.normal) {
            cells *= g.count[a];
        }
    }
    if (cells == 0 || cells > std::numeric_limits<DWORD>::max()) {
        return g;
    }
    g.cells = cells;
    g.valid = true;
    return g;
}

}  // namespace

CListeningPlane::CListeningPlane(const CListeningPlane& other)
{
    CopyFrom(other);
}

CListeningPlane& CListeningPlane::operator=(const CListeningPlane& other)
{
    if (this != &other) {
        CopyFrom(other);
    }
    return *this;
}

void CListeningPlane::CopyFrom(const CListeningPlane& source)
{
    if (this == &source) {
        return;
    }
    m_dSpeechAverageLevel = source.m_dSpeechAverageLevel;
    m_dAverageLevel = source.m_dAverageLevel;
    m_dPitch = source.m_dPitch;
    for (int a = 0; a < 3; ++a) {
        m_dExtent[a] = source.m_dExtent[a];
        m_dOrigin[a] = source.m_dOrigin[a];
    }
    m_nCellCount = source.m_nCellCount;
    CPlaceElementList dots;
    dots.Reserve(source.m_cells.GetCount());
    for (const auto& dot : source.m_cells) {
        dots.AddTail(std::make_unique<CPlaceElement>(*dot));
    }
    m_cells.Swap(dots);
    m_colors = source.m_colors;
    m_thresholds = source.m_thresholds;
    m_dTopLevel = source.m_dTopLevel;
    m_dLevelStep = source.m_dLevelStep;
    m_dMaxLevel = source.m_dMaxLevel;
    m_dMinLevel = source.m_dMinLevel;
}

void CListeningPlane::TakeFrom(CListeningPlane& source)
{
    if (this == &source) {
        return;
    }
    m_dPitch = source.m_dPitch;
    for (int a = 0; a < 3; ++a) {
        m_dExtent[a] = source.m_dExtent[a];
        m_dOrigin[a] = source.m_dOrigin[a];
    }
    m_colors = source.m_colors;
    m_dTopLevel = source.m_dTopLevel;
    m_dLevelStep = source.m_dLevelStep;
    m_thresholds = source.m_thresholds;
    m_nCellCount = source.m_nCellCount;
    m_dMaxLevel = source.m_dMaxLevel;
    m_dMinLevel = source.m_dMinLevel;
    m_dAverageLevel = source.m_dAverageLevel;
    m_dSpeechAverageLevel = source.m_dSpeechAverageLevel;
    m_cells.RemoveAll();
    m_cells.Swap(source.m_cells);
}

bool CListeningPlane::Set(double x0, double y0, double z0, double ex, double ey, double ez, double pitch,
                          double topLevel, double levelStep)
{
    const double requested[3] = {ex, ey, ez};
    const PlaneGrid g = ComputeGrid(requested, pitch);
    if (!g.valid) {
        return false;
    }

    // Build the new dots first so that the plane stays whole if memory runs
    // out on the way.
    const double origin[3] = {x0, y0, z0};
    CPlaceElementList dots;
    dots.Reserve(static_cast<std::size_t>(g.cells));
    // Outer and inner axis of the walk for each normal.
    static const int kOuter[3] = {1, 2, 1};
    static const int kInner[3] = {2, 0, 0};
    const int outer = kOuter[g.normal];
    const int inner = kInner[g.normal];
    const std::uint64_t nOuter = g.count[outer];
    const std::uint64_t nInner = g.count[inner];
    for (std::uint64_t i = 0; i < nOuter; ++i) {
        const double sizeOuter = (i == nOuter - 1) ? g.extent[outer] - static_cast<double>(nOuter - 1) * pitch : pitch;
        const double centreOuter = static_cast<double>(i) * pitch + sizeOuter / 2.0 + origin[outer];
        for (std::uint64_t j = 0; j < nInner; ++j) {
            const double sizeInner =
                (j == nInner - 1) ? g.extent[inner] - static_cast<double>(nInner - 1) * pitch : pitch;
            const double centreInner = static_cast<double>(j) * pitch + sizeInner / 2.0 + origin[inner];
            double centre[3];
            double size[3];
            centre[g.normal] = origin[g.normal];
            size[g.normal] = 0.0;
            centre[outer] = centreOuter;
            size[outer] = sizeOuter;
            centre[inner] = centreInner;
            size[inner] = sizeInner;
            dots.AddTail(std::make_unique<CPlaceElement>(centre[0], centre[1], centre[2], size[0], size[1], size[2]));
        }
    }

    m_dPitch = pitch;
    for (int a = 0; a < 3; ++a) {
        m_dExtent[a] = g.extent[a];
        m_dOrigin[a] = origin[a];
    }
    m_cells.Swap(dots);
    m_colors.assign(kColorScale, kColorScale + kColorCount);
    m_dTopLevel = topLevel;
    m_dLevelStep = levelStep;
    m_thresholds.resize(kColorCount, 0.0);
    for (int k = 0; k < kColorCount - 1; ++k) {
        m_thresholds[static_cast<std::size_t>(k)] = topLevel - k * levelStep;
    }
    m_nCellCount = static_cast<DWORD>(g.cells);
    ClearResults();
    return true;
}

void CListeningPlane::Rebuild()
{
    const double x0 = m_dOrigin[0], y0 = m_dOrigin[1], z0 = m_dOrigin[2];
    const double ex = m_dExtent[0], ey = m_dExtent[1], ez = m_dExtent[2];
    Set(x0, y0, z0, ex, ey, ez, m_dPitch, m_dTopLevel, m_dLevelStep);
}

COLORREF CListeningPlane::GetColor(double level) const
{
    // A scale that was never set up (or came short from a file) has no
    // colour to give.
    if (m_thresholds.size() < static_cast<std::size_t>(kColorCount - 1) ||
        m_colors.size() < static_cast<std::size_t>(kColorCount)) {
        return 0x000000;
    }
    const std::vector<double>& t = m_thresholds;
    if (level > t[0]) {
        return m_colors[0];
    }
    if (level <= t[23]) {
        return m_colors[24];
    }
    for (std::size_t i = 0; i < 23; ++i) {
        if (t[i] >= level && level > t[i + 1]) {
            return m_colors[i + 1];
        }
    }
    return 0x000000;
}

int CListeningPlane::GetNormalAxis() const
{
    if (m_cells.IsEmpty()) {
        return -1;
    }
    for (int a = 0; a < 3; ++a) {
        if (m_dExtent[a] == 0.0) {
            return a;
        }
    }
    return -1;
}

void CListeningPlane::ClearResults()
{
    m_dMaxLevel = 0.0;
    m_dMinLevel = 0.0;
    m_dAverageLevel = 0.0;
    m_dSpeechAverageLevel = 0.0;
}

void CListeningPlane::Serialize(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_nCellCount & 0xFFFF);
        ar << static_cast<WORD>(m_colors.size() & 0xFFFF);
        ar << m_dPitch << m_dLevelStep << m_dExtent[0] << m_dExtent[1] << m_dExtent[2] << m_dTopLevel;
        ar << m_dOrigin[0] << m_dOrigin[1] << m_dOrigin[2];
        for (const auto& dot : m_cells) {
            const double* c = dot->GetCenter();
            const double* s = dot->GetSize();
            ar << c[0] << c[1] << c[2] << s[0] << s[1] << s[2] << dot->GetLevel();
        }
        const std::size_t colours = m_colors.size() & 0xFFFF;
        for (std::size_t i = 0; i < colours; ++i) {
            ar << static_cast<DWORD>(m_colors[i]);
            ar << (i < m_thresholds.size() ? m_thresholds[i] : 0.0);
        }
        ar << m_dMaxLevel << m_dMinLevel << m_dAverageLevel << m_dSpeechAverageLevel;
        return;
    }

    const bool hasZ = version >= kVersion140;
    const WORD storedCells = ar.ReadWord();
    const WORD colours = ar.ReadWord();
    double pitch = 0.0, step = 0.0, top = 0.0;
    double ext[3] = {};
    double origin[3] = {};
    ar >> pitch >> step >> ext[0] >> ext[1];
    if (hasZ) {
        ar >> ext[2];
    }
    ar >> top >> origin[0] >> origin[1] >> origin[2];
    // The plane's place and dots enter every calculation point and the
    // drawing, its scale every colour and the legend.
    using ProjectFileLimits::IsUsableLength;
    using ProjectFileLimits::IsUsableLevel;
    if (!IsUsableLength(pitch) || !IsUsableLength(ext[0]) || !IsUsableLength(ext[1]) || !IsUsableLength(ext[2]) ||
        !IsUsableLength(origin[0]) || !IsUsableLength(origin[1]) || !IsUsableLength(origin[2])) {
        CArchive::ThrowExplained(LoadStringId(kIdsBadGeometry));
    }
    if (!IsUsableLevel(top) || !IsUsableLevel(step)) {
        CArchive::ThrowExplained(LoadStringId(kIdsBadLevels));
    }

    // The dots on file are the ones Set makes from these values, and Set
    // recounts them: a stored count that differs is only a stale word. A
    // geometry that Set refuses makes no dots, so a record that announces
    // dots for it cannot be read in step and is refused.
    const PlaneGrid g = ComputeGrid(ext, pitch);
    const std::uint64_t cells = g.valid ? g.cells : 0;
    if (!g.valid && storedCells != 0) {
        CArchive::ThrowFormat("the calculation plane's dots do not match its geometry");
    }
    const std::uint64_t dotSize = hasZ ? 7 * 8 : 6 * 8;
    ar.CheckCount(cells, dotSize);

    CListeningPlane loaded;
    loaded.m_nCellCount = storedCells;
    loaded.m_dPitch = pitch;
    loaded.m_dLevelStep = step;
    loaded.m_dTopLevel = top;
    for (int a = 0; a < 3; ++a) {
        loaded.m_dExtent[a] = ext[a];
        loaded.m_dOrigin[a] = origin[a];
    }
    loaded.Set(origin[0], origin[1], origin[2], ext[0], ext[1], ext[2], pitch, top, step);
    for (const auto& dot : loaded.m_cells) {
        double c[3], s[3] = {}, level = 0.0;
        ar >> c[0] >> c[1] >> c[2] >> s[0] >> s[1];
        if (hasZ) {
            ar >> s[2];
        }
        ar >> level;
        // The stored centres are the points the map is calculated at.
        for (int k = 0; k < 3; ++k) {
            if (!IsUsableLength(c[k]) || !IsUsableLength(s[k])) {
                CArchive::ThrowExplained(LoadStringId(kIdsBadGeometry));
            }
        }
        if (!ProjectFileLimits::IsUsableResultLevel(level)) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadLevels));
        }
        dot->SetCenter(c[0], c[1], c[2]);
        dot->SetSize(s[0], s[1], s[2]);
        dot->SetLevel(level);
    }
    ar.CheckCount(colours, 4 + 8);
    loaded.m_colors.assign(colours, 0);
    loaded.m_thresholds.assign(colours, 0.0);
    for (std::size_t i = 0; i < colours; ++i) {
        loaded.m_colors[i] = ar.ReadDword();
        loaded.m_thresholds[i] = ar.ReadDouble();
        if (!IsUsableLevel(loaded.m_thresholds[i])) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadLevels));
        }
    }
    ar >> loaded.m_dMaxLevel >> loaded.m_dMinLevel >> loaded.m_dAverageLevel >> loaded.m_dSpeechAverageLevel;
    for (double result : {loaded.m_dMaxLevel, loaded.m_dMinLevel, loaded.m_dAverageLevel,
                          loaded.m_dSpeechAverageLevel}) {
        if (!ProjectFileLimits::IsUsableResultLevel(result)) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadLevels));
        }
    }
    TakeFrom(loaded);
}
