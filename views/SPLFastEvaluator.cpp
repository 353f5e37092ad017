#include "views/SPLFastEvaluator.h"

#include "document/KDRDoc.h"
#include "models/AngleBracket.h"
#include "models/Geometry.h"
#include "models/SpeakerModel.h"
#include "views/SPLMapCalculator.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

// The arithmetic below repeats, operation for operation, the model's
// pressure steps (element source, directivity lookup, propagation, polarity
// and power); only the order of the loops differs: the point geometry of an
// element is worked out once for all frequencies of the band, and what does
// not depend on the point at all is worked out when the evaluator is built.

namespace {

// The arithmetic of CSPComplex (level and phase, propagation) with pi held
// in a member instead of being fetched for every operation.
struct ComplexArithmetic {
    double pi = Pi();

    void SetLevelPhase(CSPComplex& c, double level, double phaseDeg) const
    {
        const double m = CSPComplex::kRefPressure * std::pow(10.0, level / 20.0);
        c.re = m * std::cos(phaseDeg * pi / 180.0);
        c.im = m * std::sin(phaseDeg * pi / 180.0);
    }
    static double Level(const CSPComplex& c)
    {
        const double m = std::sqrt(c.re * c.re + c.im * c.im);
        if (m == 0.0)
            return 0.0;
        return 20.0 * std::log10(m / CSPComplex::kRefPressure);
    }
    double Phase(const CSPComplex& c) const { return std::atan2(c.im, c.re) * 180.0 / pi; }
    // Propagate of a value whose level and phase are already known.
    void Propagate(CSPComplex& c, double level, double phase, double r, double r0, double f) const
    {
        const double m = CSPComplex::kRefPressure * std::pow(10.0, level / 20.0) * r0 / r;
        const double cycles = (r - r0) / CSPComplex::kSpeedOfSound * f;
        const double turned = phase - (cycles - std::floor(cycles)) * 360.0;
        c.re = m * std::cos(turned * pi / 180.0);
        c.im = m * std::sin(turned * pi / 180.0);
    }
};

}  // namespace

bool CSPLFastEvaluator::IsAscending(const std::vector<double>& angles)
{
    for (std::size_t i = 0; i < angles.size(); ++i) {
        if (!std::isfinite(angles[i]) || (i > 0 && !(angles[i - 1] < angles[i])))
            return false;
    }
    return true;
}

// Every pair (A, B) with a >= B + t can match none of the scan's three tests
// (A + t <= B + t <= a and B <= a), so the scan may begin at the first pair
// with a < B + t, found by bisection when the angles ascend.
BOOL CSPLFastEvaluator::FindBracket(const std::vector<double>& angles, bool ascending, double a, double& lo,
                                    double& hi, int& iLo, int& iHi)
{
    const std::size_t n = angles.size();
    if (!ascending || n < 2)
        return FindAngleBracketIn(angles, a, lo, hi, iLo, iHi);
    const double t = kAngleBracketTolerance;
    std::size_t first = 0;
    std::size_t last = n - 1;  // pairs first .. last - 1 are undecided
    while (first < last) {
        const std::size_t mid = first + (last - first) / 2;
        if (a < angles[mid + 1] + t)
            last = mid;
        else
            first = mid + 1;
    }
    return FindAngleBracketFrom(angles, first, a, lo, hi, iLo, iHi);
}

namespace {

// Status of a band frequency in a model.
enum : int { kOutOfRange = -2, kNotInSeries = -1 };

// A balloon cell with its level and phase as the model computes them.
struct CellValue {
    double re;
    double im;
    double level;
    double phase;
};

struct BalloonPrep {
    const CBalloonElement* balloon = nullptr;
    int rows = 0;
    int columns = 0;
    std::vector<double> meridians;
    bool meridiansAscending = false;
    // DirectionVector(meridian i, polar j) at i * columns + j.
    std::vector<CPoint3D> nodes;
    // With cell tables: per band slot, rows * columns values (empty for a
    // slot whose frequency is not a data frequency).
    std::vector<std::vector<CellValue>> tables;
};

struct ModelPrep {
    const CSpeakerModel* model = nullptr;
    std::vector<double> polars;
    bool polarsAscending = false;
    double referenceDistance = 1.0;
    // Per band slot: the data-frequency index, kOutOfRange or kNotInSeries.
    std::vector<int> frequencyIndex;
    std::vector<BalloonPrep> balloons;
};

struct PassPrep {
    CPoint3D source;
    // Cosines and sines of the aim, in the argument order of RotateComponents.
    double ca, cc, cb, sa, sc, sb;
    bool image;
};

struct ElementPrep {
    int balloon = -1;  // -1: not on the grid, silent
    double scale = 0.0;
    int passes = 0;
    PassPrep pass[2];
};

struct InstallationPrep {
    int model = -1;  // -1: no model, adds nothing
    bool reversed = false;
    std::vector<ElementPrep> elements;
};

// The geometry of one element pass towards the current point.
struct PassGeometry {
    enum Kind : unsigned char { kAtSource, kCell, kInterpolated, kSilent };
    Kind kind = kSilent;
    double r = 0.0;      // distance, metres, for the propagation
    int cell[4] = {};    // i * columns + j of the corners c1, c2, c3, c4 (kCell: cell[0])
    double w[4] = {};    // interpolation weights
    double weightSum = 0.0;
};

}  // namespace

struct CSPLFastEvaluator::Impl {
    int iMin = 0;
    int iMax = 0;
    double ppo = 0.0;
    int sumMode = 0;
    bool tables = false;
    double ceilingHeight = 0.0;
    bool ceiling = false;
    int unitFlag = 0;
    std::vector<double> frequencies;  // per band slot
    std::vector<ModelPrep> models;
    std::vector<InstallationPrep> installations;
    std::size_t passCount = 0;
    CSPComplex atSource;  // the value added for a receiver on a source
    ComplexArithmetic arith;

    void PrepareBalloon(ModelPrep& mp, BalloonPrep& bp) const;
    void Geometry(const CPoint3D& point, const ModelPrep& mp, const ElementPrep& ep, const PassPrep& pp,
                  PassGeometry& g) const;
    // The directivity value at band slot q for geometry g (kCell or
    // kInterpolated), as the model's lookup gives it, with its level and
    // phase.
    CSPComplex Directivity(const BalloonPrep& bp, const PassGeometry& g, int q, int k, double& level,
                           double& phase) const;
};

class CSPLFastEvaluator::CScratch {
public:
    std::vector<PassGeometry> geometry;
    std::vector<CSPComplex> out;
    std::vector<CSPComplex> sum;
};

CSPLFastEvaluator::CSPLFastEvaluator(const CKDRDoc& doc, int iMin, int iMax, double ppo, int sumMode, bool cellTables)
    : m_impl(std::make_unique<Impl>())
{
    Impl& im = *m_impl;
    im.iMin = iMin;
    im.iMax = std::max(iMin, iMax);
    im.ppo = ppo;
    im.sumMode = sumMode;
    im.tables = cellTables;
    const CInstallationContainer& room = doc.m_installations;
    im.ceilingHeight = room.GetRoom(CInstallationContainer::kRoomHeight);
    im.ceiling = room.GetCeilingKind() == 1;
    im.unitFlag = doc.m_nLengthUnit;
    im.atSource.SetLevelPhase(999.0, 0.0);

    const int slots = im.iMax - im.iMin;
    im.frequencies.resize(static_cast<std::size_t>(slots));
    for (int q = 0; q < slots; ++q)
        im.frequencies[static_cast<std::size_t>(q)] = CSPLMapCalculator::SeriesFrequency(im.iMin + q, ppo);

    std::map<const CSpeakerModel*, int> modelIndex;
    for (const auto& inst : room.GetList()) {
        InstallationPrep ip;
        const DWORD mi = inst->GetModelIndex();
        const CSpeakerModel* model = mi <= static_cast<DWORD>(INT_MAX) ? doc.m_models.GetAt(static_cast<int>(mi)) : nullptr;
        if (model) {
            auto found = modelIndex.find(model);
            if (found == modelIndex.end()) {
                ModelPrep mp;
                mp.model = model;
                const CSpeakerDataHeader& header = model->GetHeader();
                mp.polars = header.GetPolarAngles();
                mp.polarsAscending = CSPLFastEvaluator::IsAscending(mp.polars);
                mp.referenceDistance = header.GetReferenceDistance();
                mp.frequencyIndex.resize(static_cast<std::size_t>(slots));
                for (int q = 0; q < slots; ++q) {
                    const double f = im.frequencies[static_cast<std::size_t>(q)];
                    int k = kOutOfRange;
                    if (!header.IsFrequencyOutOfRange(f)) {
                        k = header.FindFrequencyIndex(f);
                        if (k < 0)
                            k = kNotInSeries;
                    }
                    mp.frequencyIndex[static_cast<std::size_t>(q)] = k;
                }
                found = modelIndex.emplace(model, static_cast<int>(im.models.size())).first;
                im.models.push_back(std::move(mp));
            }
            ip.model = found->second;
            ip.reversed = inst->GetPolarity() == 0;
            ModelPrep& mp = im.models[static_cast<std::size_t>(ip.model)];
            for (const CSpeakerElement& e : model->GetElements()) {
                ElementPrep ep;
                if (e.IsGridUsable()) {
                    int b = -1;
                    for (std::size_t i = 0; i < mp.balloons.size(); ++i) {
                        if (mp.balloons[i].balloon == e.GetBalloon())
                            b = static_cast<int>(i);
                    }
                    if (b < 0) {
                        BalloonPrep bp;
                        bp.balloon = e.GetBalloon();
                        im.PrepareBalloon(mp, bp);
                        b = static_cast<int>(mp.balloons.size());
                        mp.balloons.push_back(std::move(bp));
                    }
                    ep.balloon = b;
                }
                ep.scale = std::sqrt(e.GetPowerShare() * inst->GetPower());
                CPoint3D source;
                CPoint3D aim;
                CSpeakerModel::GetElementSource(e, inst->GetPosition(), inst->GetAngles(), source, aim);
                auto fill = [](PassPrep& pp, const CPoint3D& s, const CPoint3D& a, bool image) {
                    // CPoint3D::Rotate turns by (azimuth, elevation, rotation).
                    const double ar = DegreesToRadians(a.x);
                    const double br = DegreesToRadians(a.z);
                    const double cr = DegreesToRadians(a.y);
                    pp.source = s;
                    pp.ca = std::cos(ar);
                    pp.cc = std::cos(cr);
                    pp.cb = std::cos(br);
                    pp.sa = std::sin(ar);
                    pp.sc = std::sin(cr);
                    pp.sb = std::sin(br);
                    pp.image = image;
                };
                fill(ep.pass[0], source, aim, false);
                ep.passes = 1;
                if (im.ceiling) {
                    CSpeakerModel::MakeImageSource(source, aim, im.ceilingHeight);
                    fill(ep.pass[1], source, aim, true);
                    ep.passes = 2;
                }
                im.passCount += static_cast<std::size_t>(ep.passes);
                ip.elements.push_back(ep);
            }
        }
        im.installations.push_back(std::move(ip));
    }
}

CSPLFastEvaluator::~CSPLFastEvaluator() = default;

void CSPLFastEvaluator::Impl::PrepareBalloon(ModelPrep& mp, BalloonPrep& bp) const
{
    const CBalloonElement& balloon = *bp.balloon;
    bp.rows = static_cast<int>(balloon.GetRowCount());
    bp.columns = static_cast<int>(balloon.GetColumnCount());
    bp.meridians = balloon.GetAngles();
    bp.meridiansAscending = CSPLFastEvaluator::IsAscending(bp.meridians);
    bp.nodes.resize(static_cast<std::size_t>(bp.rows) * static_cast<std::size_t>(bp.columns));
    for (int i = 0; i < bp.rows; ++i) {
        for (int j = 0; j < bp.columns; ++j)
            bp.nodes[static_cast<std::size_t>(i * bp.columns + j)] =
                DirectionVector(bp.meridians[static_cast<std::size_t>(i)], mp.polars[static_cast<std::size_t>(j)]);
    }
    if (!tables)
        return;
    bp.tables.resize(mp.frequencyIndex.size());
    for (std::size_t q = 0; q < mp.frequencyIndex.size(); ++q) {
        const int k = mp.frequencyIndex[q];
        if (k < 0)
            continue;
        std::vector<CellValue>& table = bp.tables[q];
        table.resize(bp.nodes.size());
        for (int i = 0; i < bp.rows; ++i) {
            for (int j = 0; j < bp.columns; ++j) {
                const CSPComplex& c = balloon.GetCell(i, j, k);
                table[static_cast<std::size_t>(i * bp.columns + j)] = CellValue{c.re, c.im, c.GetLevel(), c.GetPhase()};
            }
        }
    }
}

void CSPLFastEvaluator::ScratchDeleter::operator()(CScratch* s) const
{
    delete s;
}

CSPLFastEvaluator::ScratchPtr CSPLFastEvaluator::MakeScratch() const
{
    ScratchPtr s(new CScratch);
    s->geometry.resize(m_impl->passCount);
    s->out.resize(m_impl->frequencies.size());
    s->sum.resize(m_impl->frequencies.size());
    return s;
}

void CSPLFastEvaluator::Impl::Geometry(const CPoint3D& point, const ModelPrep& mp, const ElementPrep& ep,
                                       const PassPrep& pp, PassGeometry& g) const
{
    CPoint3D d(point.x - pp.source.x, point.y - pp.source.y, point.z - pp.source.z);
    RotateComponents(d.x, d.y, d.z, pp.ca, pp.cc, pp.cb, pp.sa, pp.sc, pp.sb);
    double r = CalcDistance3D(CPoint3D(0.0, 0.0, 0.0), d);
    if (r == 0.0) {
        g.kind = PassGeometry::kAtSource;
        return;
    }
    if (ep.balloon < 0) {
        g.kind = PassGeometry::kSilent;
        return;
    }
    double h = RadiansToDegrees(std::atan2(d.z, d.y));
    if (h < 0.0)
        h += 360.0;
    const double cosine = std::clamp(d.x / r, -1.0, 1.0);
    const double v = RadiansToDegrees(std::acos(cosine));
    if (pp.image)
        h = 360.0 - h;
    if (unitFlag == 1)
        r *= CSpeakerModel::kMetresPerFoot;
    g.r = r;

    const BalloonPrep& bp = mp.balloons[static_cast<std::size_t>(ep.balloon)];
    double pLo = 0.0, pHi = 0.0;
    int jLo = 0, jHi = 0;
    const BOOL polarExact = FindBracket(mp.polars, mp.polarsAscending, v, pLo, pHi, jLo, jHi);
    double rLo = 0.0, rHi = 0.0;
    int iLo = 0, iHi = 0;
    const BOOL meridianExact = FindBracket(bp.meridians, bp.meridiansAscending, h, rLo, rHi, iLo, iHi);
    const int columns = bp.columns;
    if (polarExact && meridianExact) {
        g.kind = PassGeometry::kCell;
        g.cell[0] = iLo * columns + jLo;
        return;
    }
    g.cell[0] = iLo * columns + jLo;
    g.cell[1] = iHi * columns + jLo;
    g.cell[2] = iLo * columns + jHi;
    g.cell[3] = iHi * columns + jHi;
    const CPoint3D t = DirectionVector(h, v);
    double dist[4];
    for (int n = 0; n < 4; ++n)
        dist[n] = Distance3D(t, bp.nodes[static_cast<std::size_t>(g.cell[n])]);
    static constexpr int kNearOrder[4] = {0, 2, 1, 3};
    for (int n : kNearOrder) {
        if (dist[n] < 1e-6) {
            g.kind = PassGeometry::kCell;
            g.cell[0] = g.cell[n];
            return;
        }
    }
    g.kind = PassGeometry::kInterpolated;
    double weightSum = 0.0;
    for (int n = 0; n < 4; ++n) {
        g.w[n] = 1.0 / dist[n];
        weightSum += g.w[n];
    }
    g.weightSum = weightSum;
}

CSPComplex CSPLFastEvaluator::Impl::Directivity(const BalloonPrep& bp, const PassGeometry& g, int q, int k,
                                               double& level, double& phase) const
{
    const std::vector<CellValue>* table = tables ? &bp.tables[static_cast<std::size_t>(q)] : nullptr;
    const int columns = bp.columns;
    if (g.kind == PassGeometry::kCell) {
        if (table) {
            const CellValue& c = (*table)[static_cast<std::size_t>(g.cell[0])];
            level = c.level;
            phase = c.phase;
            return CSPComplex(c.re, c.im);
        }
        const CSPComplex c = bp.balloon->GetCell(g.cell[0] / columns, g.cell[0] % columns, k);
        level = ComplexArithmetic::Level(c);
        phase = arith.Phase(c);
        return c;
    }
    double levels[4];
    double phases[4];
    for (int n = 0; n < 4; ++n) {
        if (table) {
            const CellValue& c = (*table)[static_cast<std::size_t>(g.cell[n])];
            levels[n] = c.level;
            phases[n] = c.phase;
        } else {
            const CSPComplex& c = bp.balloon->GetCell(g.cell[n] / columns, g.cell[n] % columns, k);
            levels[n] = ComplexArithmetic::Level(c);
            phases[n] = arith.Phase(c);
        }
    }
    double levelSum = 0.0;
    double phaseSum = 0.0;
    const double phase1 = phases[0];
    for (int n = 0; n < 4; ++n) {
        const double w = g.w[n];
        double ph = phases[n];
        if (n > 0) {
            // Unwrapped against corner 1, as the lookup does.
            const double best = std::fabs(ph - phase1);
            const double up = ph + 360.0;
            const double down = ph - 360.0;
            if (std::fabs(up - phase1) < best) {
                ph = up;
            } else if (std::fabs(down - phase1) < best) {
                ph = down;
            }
        }
        levelSum += w * levels[n];
        phaseSum += w * ph;
    }
    CSPComplex result;
    arith.SetLevelPhase(result, levelSum / g.weightSum, phaseSum / g.weightSum);
    level = ComplexArithmetic::Level(result);
    phase = arith.Phase(result);
    return result;
}

void CSPLFastEvaluator::PreparePoint(const CPoint3D& point, CScratch& scratch) const
{
    const Impl& im = *m_impl;
    std::size_t n = 0;
    for (const InstallationPrep& ip : im.installations) {
        if (ip.model < 0)
            continue;
        const ModelPrep& mp = im.models[static_cast<std::size_t>(ip.model)];
        for (const ElementPrep& ep : ip.elements) {
            for (int s = 0; s < ep.passes; ++s)
                im.Geometry(point, mp, ep, ep.pass[s], scratch.geometry[n++]);
        }
    }
}

int CSPLFastEvaluator::EvaluateBand(CScratch& scratch, int iLo, int iHi, double& p) const
{
    const Impl& im = *m_impl;
    p = 0.0;
    if (iHi <= iLo || iLo < im.iMin || iHi > im.iMax)
        return 1;
    const int q0 = iLo - im.iMin;
    const int q1 = iHi - im.iMin;
    const double n = static_cast<double>(iHi - iLo);
    CSPComplex* out = scratch.out.data();
    CSPComplex* sum = scratch.sum.data();
    for (int q = q0; q < q1; ++q)
        sum[q].Clear();
    double total = 0.0;
    std::size_t passIndex = 0;
    for (const InstallationPrep& ip : im.installations) {
        for (int q = q0; q < q1; ++q)
            out[q].Clear();
        if (ip.model >= 0) {
            const ModelPrep& mp = im.models[static_cast<std::size_t>(ip.model)];
            for (const ElementPrep& ep : ip.elements) {
                for (int s = 0; s < ep.passes; ++s) {
                    const PassGeometry& g = scratch.geometry[passIndex++];
                    if (g.kind == PassGeometry::kAtSource) {
                        for (int q = q0; q < q1; ++q)
                            out[q].Add(im.atSource.re, im.atSource.im);
                        continue;
                    }
                    for (int q = q0; q < q1; ++q) {
                        const int k = mp.frequencyIndex[static_cast<std::size_t>(q)];
                        if (k == kOutOfRange)
                            continue;
                        if (k == kNotInSeries) {
                            p = 0.0;
                            return 1;
                        }
                        if (g.kind == PassGeometry::kSilent)
                            continue;
                        const BalloonPrep& bp = mp.balloons[static_cast<std::size_t>(ep.balloon)];
                        double level = 0.0;
                        double phase = 0.0;
                        CSPComplex c = im.Directivity(bp, g, q, k, level, phase);
                        if (c.re == 0.0 && c.im == 0.0)
                            continue;
                        im.arith.Propagate(c, level, phase, g.r, mp.referenceDistance,
                                           im.frequencies[static_cast<std::size_t>(q)]);
                        if (ip.reversed)
                            im.arith.SetLevelPhase(c, ComplexArithmetic::Level(c), im.arith.Phase(c) + 180.0);
                        c.Scale(ep.scale);
                        out[q].Add(c.re, c.im);
                    }
                }
            }
        }
        if (im.sumMode == 0) {
            for (int q = q0; q < q1; ++q)
                sum[q].Add(out[q].re, out[q].im);
        } else {
            double acc = 0.0;
            for (int q = q0; q < q1; ++q)
                acc += out[q].re * out[q].re + out[q].im * out[q].im;
            total += acc / n;
        }
    }
    if (im.sumMode == 0) {
        double acc = 0.0;
        for (int q = q0; q < q1; ++q)
            acc += sum[q].re * sum[q].re + sum[q].im * sum[q].im;
        p = std::sqrt(acc / n);
    } else {
        p = std::sqrt(total);
    }
    return 0;
}

int CSPLFastEvaluator::Evaluate(const CPoint3D& point, int iLo, int iHi, double& p, CScratch& scratch) const
{
    PreparePoint(point, scratch);
    return EvaluateBand(scratch, iLo, iHi, p);
}
