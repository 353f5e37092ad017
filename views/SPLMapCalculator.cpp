#include "views/SPLMapCalculator.h"

#include "document/KDRDoc.h"
#include "models/OctaveFrequencies.h"
#include "platform/Progress.h"
#include "platform/ProgressScale.h"
#include "resources/StringTable.h"
#include "views/SPLFastEvaluator.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Band indices beyond these are no band of any speaker data.
constexpr double kMaxBandIndex = 1.0e6;
// Points of the widest band that is taken (a 4-octave band of the finest
// data pitch has 4000).
constexpr int kMaxBandPoints = 100000;

// trunc(v) as an int when v is a finite index within range.
bool TruncIndex(double v, int& out)
{
    if (!std::isfinite(v) || v < -kMaxBandIndex || v > kMaxBandIndex)
        return false;
    out = static_cast<int>(v);
    return true;
}

double LevelOf(double p)
{
    return 20.0 * std::log10(p / CSPComplex::kRefPressure);
}

// The model of an installation, or nullptr when its index names none.
const CSpeakerModel* ModelOf(const CKDRDoc& doc, const CInstallationElement& inst)
{
    const DWORD index = inst.GetModelIndex();
    if (index > static_cast<DWORD>(INT_MAX))
        return nullptr;
    return doc.m_models.GetAt(static_cast<int>(index));
}

}  // namespace

CSPLMapCalculator::CSPLMapCalculator(CKDRDoc& doc, int conditionIndex) : m_doc(doc), m_nCondition(conditionIndex) {}

double CSPLMapCalculator::SeriesFrequency(int i, double ppo)
{
    return std::pow(10.0, 0.3 * i / ppo);
}

void CSPLMapCalculator::CalcBandIndices(double fc, double bandFraction, double ppo, int& iLo, int& iHi)
{
    iLo = iHi = 0;
    if (!(fc > 0.0) || !(bandFraction > 0.0) || !(ppo > 0.0))
        return;
    const double k = std::pow(10.0, 0.15 / bandFraction);
    const double m = ppo / 3.0;
    int lo = 0;
    int hi = 0;
    if (!TruncIndex(10.0 * m * std::log10(fc / k), lo) || !TruncIndex(10.0 * m * std::log10(fc * k), hi))
        return;
    if (hi - lo > kMaxBandPoints)
        return;
    iLo = lo + 1;
    iHi = hi + 1;
}

void CSPLMapCalculator::CalcCoverageBandIndices(double fc, double bandFraction, double ppo, int& iLo, int& iHi)
{
    iLo = iHi = 0;
    if (!(fc > 0.0) || !(bandFraction > 0.0) || !(ppo > 0.0))
        return;
    const double k = std::pow(10.0, 0.15 / bandFraction);
    int whole = 0;
    if (!TruncIndex(ppo / 3.0, whole))
        return;
    int lo = 0;
    int hi = 0;
    if (!TruncIndex(10.0 * whole * std::log10(fc / k) + 0.5, lo) ||
        !TruncIndex(10.0 * whole * std::log10(fc * k) + 0.5, hi))
        return;
    if (hi - lo > kMaxBandPoints)
        return;
    iLo = lo;
    iHi = hi;
}

CColorMapCondition* CSPLMapCalculator::GetCondition() const
{
    return m_doc.m_colorMapConditions.GetAtOrNull(m_nCondition);
}

int CSPLMapCalculator::SumMode() const
{
    const CColorMapCondition* cond = GetCondition();
    return cond ? cond->GetSumMode() : -1;
}

double CSPLMapCalculator::GetFirstInstallationPitch() const
{
    const CInstallationElement* first = m_doc.m_installations.GetAt(0);
    if (!first)
        return 0.0;
    const CSpeakerModel* model = ModelOf(m_doc, *first);
    return model ? model->GetFrequencyPitch() : 0.0;
}

int CSPLMapCalculator::CalcPressureFromInstallation(CSPComplex& out, const CPoint3D& point, double f,
                                                    const CInstallationElement& installation, double ppo,
                                                    int ceilingKind) const
{
    out.Clear();
    // The model computes with the installation's data; it is not changed.
    CSpeakerModel* model = const_cast<CSpeakerModel*>(ModelOf(m_doc, installation));
    if (!model)
        return 0;
    const CInstallationContainer& room = m_doc.m_installations;
    return model->CalcPressure(out, point, installation.GetPosition(), installation.GetAngles(), f,
                               room.GetRoom(CInstallationContainer::kRoomHeight), installation.GetPolarity() == 0,
                               installation.GetPower(), ppo, ceilingKind == 1, m_doc.m_nLengthUnit);
}

int CSPLMapCalculator::CalcPressureAt(double& p, const CPoint3D& point, int iLo, int iHi, double ppo) const
{
    const int sumMode = SumMode();
    if (m_evaluation == Evaluation::Reference)
        return CalcPressureAtReference(p, point, iLo, iHi, ppo, sumMode);
    p = 0.0;
    if (sumMode != 0 && sumMode != 1)
        return sumMode < 0 ? 1 : 0;
    if (iHi <= iLo)
        return 1;
    CSPLFastEvaluator evaluator(m_doc, iLo, iHi, ppo, sumMode, false);
    auto scratch = evaluator.MakeScratch();
    return evaluator.Evaluate(point, iLo, iHi, p, *scratch);
}

int CSPLMapCalculator::CalcPressureAtReference(double& p, const CPoint3D& point, int iLo, int iHi, double ppo,
                                               int sumMode) const
{
    p = 0.0;
    // A window without condition has no sum mode: nothing can be computed.
    if (sumMode < 0)
        return 1;
    if (sumMode != 0 && sumMode != 1)
        return 0;
    // An empty (or reversed) band has no frequency to average over.
    if (iHi <= iLo)
        return 1;
    const double n = static_cast<double>(iHi - iLo);
    const CInstallationContainer& room = m_doc.m_installations;
    const int ceilingKind = room.GetCeilingKind();
    if (sumMode == 0) {
        double acc = 0.0;
        for (int i = iLo; i < iHi; ++i) {
            const double f = SeriesFrequency(i, ppo);
            CSPComplex sum;
            for (const auto& inst : room.GetList()) {
                CSPComplex out;
                if (CalcPressureFromInstallation(out, point, f, *inst, ppo, ceilingKind) != 0)
                    return 1;
                sum.Add(out.re, out.im);
            }
            acc += sum.re * sum.re + sum.im * sum.im;
        }
        p = std::sqrt(acc / n);
    } else {
        double total = 0.0;
        for (const auto& inst : room.GetList()) {
            double acc = 0.0;
            for (int i = iLo; i < iHi; ++i) {
                const double f = SeriesFrequency(i, ppo);
                CSPComplex out;
                if (CalcPressureFromInstallation(out, point, f, *inst, ppo, ceilingKind) != 0)
                    return 1;
                acc += out.re * out.re + out.im * out.im;
            }
            total += acc / n;
        }
        p = std::sqrt(total);
    }
    return 0;
}

void CSPLMapCalculator::CalcColorMap()
{
    if (m_doc.m_installations.GetCount() == 0)
        return;
    CColorMapCondition* cond = GetCondition();
    if (!cond)
        return;
    CListeningPlane& plane = cond->GetPlane();
    plane.ClearResults();
    const double ppo = GetFirstInstallationPitch();
    int iLo = 0;
    int iHi = 0;
    CalcBandIndices(cond->GetFrequency(), cond->GetBandFraction(), ppo, iLo, iHi);
    // A plane without dots has nothing to calculate and no average.
    if (plane.GetCells().IsEmpty())
        return;

    std::unique_ptr<IProgress> progress;
    if (m_progressFactory)
        progress = m_progressFactory();
    CNullProgress noProgress;
    IProgress& prog = progress ? *progress : noProgress;
    prog.SetMessage(LoadStringId(kIdsCalculating));
    // The bar counts dots: every dot costs the same work (all installations
    // at every frequency of the band).
    const CProgressScale bar(plane.GetCells().GetCount());
    prog.SetRange(0, bar.GetRange());
    prog.SetPos(0);

    if (m_evaluation == Evaluation::Reference)
        CalcColorMapReference(prog, bar, iLo, iHi, ppo, cond->GetSumMode());
    else
        CalcColorMapFast(prog, bar, iLo, iHi, ppo, cond->GetSumMode());
}

void CSPLMapCalculator::CalcColorMapReference(IProgress& progress, const CProgressScale& bar, int iLo, int iHi,
                                              double ppo, int sumMode)
{
    CListeningPlane& plane = GetCondition()->GetPlane();
    const std::size_t count = plane.GetCells().GetCount();
    double maxLevel = kNoSoundLevel;
    double minLevel = 1000.0;
    std::size_t counter = 0;
    for (const auto& dot : plane.GetCells()) {
        if (!progress.PumpMessages())
            return;
        double p = 0.0;
        const double* c = dot->GetCenter();
        if (CalcPressureAtReference(p, CPoint3D(c[0], c[1], c[2]), iLo, iHi, ppo, sumMode) != 0)
            return;
        const double level = LevelOf(p);
        dot->SetLevel(level);
        if (level > maxLevel)
            maxLevel = level;
        if (level < minLevel)
            minLevel = level;
        progress.SetPos(bar.GetPosition(counter));
        ++counter;
        if (counter == count)
            break;
    }
    StoreResults(maxLevel, minLevel);
}

void CSPLMapCalculator::StoreResults(double maxLevel, double minLevel)
{
    CListeningPlane& plane = GetCondition()->GetPlane();
    plane.SetMaxLevel(maxLevel);
    plane.SetMinLevel(minLevel);
    double sum = 0.0;
    for (const auto& dot : plane.GetCells()) {
        const double a = std::pow(10.0, dot->GetLevel() / 20.0);
        sum += a * a;
    }
    const double n = static_cast<double>(plane.GetCells().GetCount());
    const double average = 20.0 * std::log10(std::sqrt(sum / n));
    plane.SetAverageLevel(average);
    plane.SetSpeechAverageLevel(average - 4.0);
}

namespace {

// Dot states of the parallel map.
enum : std::uint8_t { kDotPending = 0, kDotDone = 1, kDotFailed = 2 };

// Longest wait of the calling thread between two pumps of the dialog.
constexpr auto kPumpInterval = std::chrono::milliseconds(20);

}  // namespace

void CSPLMapCalculator::CalcColorMapFast(IProgress& progress, const CProgressScale& bar, int iLo, int iHi, double ppo,
                                         int sumMode)
{
    CListeningPlane& plane = GetCondition()->GetPlane();
    const CPlaceElementList& cells = plane.GetCells();
    const std::size_t count = cells.GetCount();

    // The pump before the first dot: a Stop already pressed ends the map
    // before anything changes.
    if (!progress.PumpMessages())
        return;

    const bool computable = (sumMode == 0 || sumMode == 1) && iHi > iLo;
    if (sumMode == 0 || sumMode == 1) {
        if (!computable)
            return;  // the first dot fails: nothing changes
    }

    std::vector<double> centres(count * 3);
    for (std::size_t d = 0; d < count; ++d) {
        const double* c = cells.GetAt(d)->GetCenter();
        centres[3 * d] = c[0];
        centres[3 * d + 1] = c[1];
        centres[3 * d + 2] = c[2];
    }

    std::unique_ptr<CSPLFastEvaluator> evaluator;
    if (computable)
        evaluator = std::make_unique<CSPLFastEvaluator>(m_doc, iLo, iHi, ppo, sumMode, true);

    std::vector<double> levels(count, 0.0);
    std::unique_ptr<std::atomic<std::uint8_t>[]> states(new std::atomic<std::uint8_t>[count]);
    for (std::size_t d = 0; d < count; ++d)
        states[d].store(kDotPending, std::memory_order_relaxed);

    unsigned threads = m_nThreads ? m_nThreads : std::max(1u, std::thread::hardware_concurrency());
    const std::size_t chunk = std::clamp<std::size_t>(count / (static_cast<std::size_t>(threads) * 16), 1, 64);
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, (count + chunk - 1) / chunk));

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> firstFailure{count};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    unsigned running = threads;

    std::vector<CSPLFastEvaluator::ScratchPtr> scratches;
    for (unsigned t = 0; t < threads; ++t)
        scratches.push_back(evaluator ? evaluator->MakeScratch() : nullptr);

    auto work = [&](unsigned t) {
        CSPLFastEvaluator::CScratch* scratch = scratches[t].get();
        for (;;) {
            const std::size_t start = next.fetch_add(chunk, std::memory_order_relaxed);
            if (start >= count || start > firstFailure.load(std::memory_order_relaxed))
                break;
            const std::size_t end = std::min(count, start + chunk);
            bool quit = false;
            for (std::size_t d = start; d < end; ++d) {
                if (stop.load(std::memory_order_relaxed) || d > firstFailure.load(std::memory_order_relaxed)) {
                    quit = true;
                    break;
                }
                double p = 0.0;
                int result = 0;
                if (evaluator)
                    result = evaluator->Evaluate(CPoint3D(centres[3 * d], centres[3 * d + 1], centres[3 * d + 2]),
                                                 iLo, iHi, p, *scratch);
                if (result != 0) {
                    std::size_t seen = firstFailure.load(std::memory_order_relaxed);
                    while (d < seen && !firstFailure.compare_exchange_weak(seen, d, std::memory_order_relaxed)) {
                    }
                    states[d].store(kDotFailed, std::memory_order_release);
                    quit = true;
                    break;
                }
                levels[d] = LevelOf(p);
                states[d].store(kDotDone, std::memory_order_release);
            }
            if (quit)
                break;
        }
        std::lock_guard<std::mutex> lock(mutex);
        if (--running == 0)
            finished.notify_all();
    };

    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (unsigned t = 0; t < threads; ++t) {
        try {
            pool.emplace_back(work, t);
        } catch (const std::system_error&) {
            // No more threads to be had: the ones started share the dots.
            std::lock_guard<std::mutex> lock(mutex);
            running -= threads - t;
            break;
        }
    }
    if (pool.empty()) {
        // Not even one: the calling thread computes the map itself.
        running = 1;
        work(0);
    }

    CPlaceElementList& dots = plane.GetCells();
    double maxLevel = kNoSoundLevel;
    double minLevel = 1000.0;
    std::size_t committed = 0;
    bool failed = false;
    // Takes the levels of the dots finished in an unbroken run from the
    // start of the list, in list order.
    auto commit = [&]() {
        while (committed < count) {
            const std::uint8_t state = states[committed].load(std::memory_order_acquire);
            if (state == kDotFailed)
                failed = true;
            if (state != kDotDone)
                break;
            CPlaceElement* dot = dots.GetAt(committed);
            if (!dot) {
                failed = true;  // the plane lost dots meanwhile: keep what was taken
                break;
            }
            const double level = levels[committed];
            dot->SetLevel(level);
            if (level > maxLevel)
                maxLevel = level;
            if (level < minLevel)
                minLevel = level;
            ++committed;
        }
    };

    bool stopped = false;
    for (;;) {
        bool allDone = false;
        {
            std::unique_lock<std::mutex> lock(mutex);
            allDone = finished.wait_for(lock, kPumpInterval, [&] { return running == 0; });
        }
        commit();
        if (failed || committed == count)
            break;
        if (committed > 0)
            progress.SetPos(bar.GetPosition(committed - 1));
        if (allDone)
            break;  // cannot happen without a failure or a full map; kept as a guard
        if (!progress.PumpMessages()) {
            stopped = true;
            break;
        }
    }
    // Whatever ended the loop, no worker starts another dot.
    stop.store(true, std::memory_order_relaxed);
    for (auto& t : pool)
        t.join();
    if (stopped || !failed)
        commit();
    if (!failed && !stopped && committed == count)
        StoreResults(maxLevel, minLevel);
}

void CSPLMapCalculator::CalcFrequencyResponse(const CPoint3D& point)
{
    CSoundGraphConditionList& graphs = m_doc.m_soundGraphConditions;
    if (m_doc.m_installations.GetCount() == 0) {
        for (int g = 0; g < graphs.GetCount(); ++g)
            graphs.GetGraph(g).SetData(0, 1, nullptr, nullptr);
        return;
    }
    const CColorMapCondition* cond = GetCondition();
    if (!cond)
        return;
    std::vector<double> centres;
    int count = 0;
    int end = 0;
    GetOctaveFrequencies(count, end, 20.0, 20000.0, cond->GetBandFraction(), centres);
    const double ppo = GetFirstInstallationPitch();
    std::vector<double> levels(centres.size(), 0.0);
    std::vector<int> lows(centres.size(), 0);
    std::vector<int> highs(centres.size(), 0);
    int iMin = INT_MAX;
    int iMax = INT_MIN;
    for (std::size_t b = 0; b < centres.size(); ++b) {
        CalcBandIndices(centres[b], cond->GetBandFraction(), ppo, lows[b], highs[b]);
        iMin = std::min(iMin, lows[b]);
        iMax = std::max(iMax, highs[b]);
    }

    if (m_evaluation == Evaluation::Reference) {
        for (std::size_t b = 0; b < centres.size(); ++b) {
            double p = 0.0;
            if (CalcPressureAt(p, point, lows[b], highs[b], ppo) != 0)
                return;
            levels[b] = LevelOf(p);
        }
    } else if (!centres.empty()) {
        const int sumMode = cond->GetSumMode();
        if (sumMode == 0 || sumMode == 1) {
            // One evaluator over the whole range; the geometry towards the
            // point is worked out once for every band.
            CSPLFastEvaluator evaluator(m_doc, iMin, std::max(iMin, iMax), ppo, sumMode, false);
            auto scratch = evaluator.MakeScratch();
            evaluator.PreparePoint(point, *scratch);
            for (std::size_t b = 0; b < centres.size(); ++b) {
                double p = 0.0;
                if (highs[b] <= lows[b] || evaluator.EvaluateBand(*scratch, lows[b], highs[b], p) != 0)
                    return;
                levels[b] = LevelOf(p);
            }
        } else {
            for (std::size_t b = 0; b < centres.size(); ++b)
                levels[b] = LevelOf(0.0);
        }
    }
    for (int g = 0; g < graphs.GetCount(); ++g)
        graphs.GetGraph(g).SetData(0, static_cast<int>(centres.size()), centres.data(), levels.data());
}

int CSPLMapCalculator::CalcCoverageX(double& forward, double& backward, double& offset, double drop)
{
    return CalcCoverage(0, forward, backward, offset, drop);
}

int CSPLMapCalculator::CalcCoverageY(double& forward, double& backward, double& offset, double drop)
{
    return CalcCoverage(1, forward, backward, offset, drop);
}

int CSPLMapCalculator::CalcCoverage(int axis, double& forward, double& backward, double& offset, double drop)
{
    const CInstallationElement* first = m_doc.m_installations.GetAt(0);
    const CColorMapCondition* cond0 = m_doc.m_colorMapConditions.GetAtOrNull(0);
    if (!first || !cond0 || !GetCondition())
        return 1;
    const double ppo = GetFirstInstallationPitch();
    int iLo = 0;
    int iHi = 0;
    CalcCoverageBandIndices(m_doc.m_dAutoCenterFreq, m_doc.m_dAutoBand, ppo, iLo, iHi);
    if (iHi <= iLo)
        return 1;
    const int sumMode = SumMode();

    CPoint3D point(first->GetPosition().x, first->GetPosition().y, cond0->GetPlane().GetOrigin(2));
    const double start = axis == 0 ? point.x : point.y;

    std::unique_ptr<CSPLFastEvaluator> evaluator;
    CSPLFastEvaluator::ScratchPtr scratch;
    if (m_evaluation == Evaluation::Fast && (sumMode == 0 || sumMode == 1)) {
        evaluator = std::make_unique<CSPLFastEvaluator>(m_doc, iLo, iHi, ppo, sumMode, false);
        scratch = evaluator->MakeScratch();
    }
    // The level at coordinate v of the scan axis; false when it cannot be
    // had or is not a finite number.
    auto levelAt = [&](double v, double& level) {
        (axis == 0 ? point.x : point.y) = v;
        double p = 0.0;
        const int result = evaluator ? evaluator->Evaluate(point, iLo, iHi, p, *scratch)
                                     : CalcPressureAtReference(p, point, iLo, iHi, ppo, sumMode);
        if (result != 0)
            return false;
        level = LevelOf(p);
        return std::isfinite(level);
    };

    double maxLevel = -1000.0;
    double prev = -1000.0;
    double level = 0.0;
    double at = 0.0;
    double fwd = 0.0;
    double off = 0.0;
    bool crossed = false;
    for (int j = 1; j <= kMaxCoverageSteps && !crossed; ++j) {
        at = start + kCoverageStep * j;
        if (!levelAt(at, level))
            return 1;
        if (level > maxLevel) {
            maxLevel = level;
            off = at - start;
        }
        if (level < maxLevel - drop) {
            const double xc = at - kCoverageStep + kCoverageStep * ((maxLevel - drop) - prev) / (level - prev);
            fwd = xc - start;
            crossed = true;
        } else {
            prev = level;
        }
    }
    if (!crossed)
        return 1;

    prev = level;
    const double from = start + off;
    double bwd = 0.0;
    crossed = false;
    for (int j = 1; j <= kMaxCoverageSteps && !crossed; ++j) {
        at = from - kCoverageStep * j;
        if (!levelAt(at, level))
            return 1;
        if (level > maxLevel)
            maxLevel = level;
        if (level < maxLevel - drop) {
            const double xc = at + kCoverageStep - kCoverageStep * ((maxLevel - drop) - prev) / (level - prev);
            bwd = start - xc;
            crossed = true;
        } else {
            prev = level;
        }
    }
    if (!crossed || !std::isfinite(fwd) || !std::isfinite(bwd))
        return 1;
    forward = fwd;
    backward = bwd;
    offset = off;
    return 0;
}
