// How well the progress bar of a large colour map follows the time: a
// 60 m x 40 m plane of 0.1 m dots (240,000 dots) under 187 ceiling speakers
// (17 x 11, 0.1 m below a 4 m solid ceiling), the 1/3-octave band at 1 kHz,
// "Interference", on one worker thread. Every bar position the calculation
// reports is read as the dialog shows it (a 16-bit range, positions outside
// it at its end) and compared with the share of the wall-clock time gone by
// then. Counters: largest_gap, the largest difference between the two
// shares; reports, the positions reported.

#include "bench/BenchScene.h"
#include "platform/Progress.h"
#include "platform/ProgressDialogLayout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::unique_ptr<CKDRDoc> MakeLargeScene()
{
    auto doc = BenchScene::MakeRoom();
    CInstallationContainer& room = doc->m_installations;
    room.SetRoom(CInstallationContainer::kRoomLengthX, 60.0);
    room.SetRoom(CInstallationContainer::kRoomWidthY, 40.0);
    BenchScene::Import(*doc, BenchScene::ReferenceRecipe(1, "Reference Ceiling Speaker"));
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < 17; ++c)
            room.AddInstallation(0, 0, 60.0 / 17.0 * (c + 0.5), 40.0 / 11.0 * (r + 0.5), 3.9, 0.0, 0.0, 90.0, 6.0, 1);
    }
    CListeningPlane plane;
    plane.Set(0.0, 0.0, 1.2, 60.0, 40.0, 0.0, 0.1, 100.0, 2.0);
    doc->m_colorMapConditions.AddNew(1000.0, 3.0, 0, 0, 0, 110, 44, 40, 324, 0.0, plane, 45.0, 75.0, 0.0);
    return doc;
}

// Processor time of the program (all threads): on a busy machine it follows
// the work where the wall clock also counts other programs' turns.
double ProcessorSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The bar as the dialog shows it, with the time of every position.
class CTimedBar : public IProgress {
public:
    struct Report {
        Clock::time_point at;
        double cpu;  // seconds of processor time of the whole program
        double share;
    };
    explicit CTimedBar(std::vector<Report>& out) : m_out(out) {}
    ~CTimedBar() override { m_out = std::move(m_reports); }

    void SetMessage(const std::string&) override {}
    void SetRange(int low, int high) override
    {
        m_nLow = ProgressDialogLayout::WrapRangeValue(low);
        m_nHigh = std::max(ProgressDialogLayout::WrapRangeValue(high), m_nLow);
    }
    void SetPos(int pos) override
    {
        const double share = m_nHigh > m_nLow
                                 ? static_cast<double>(std::clamp(pos, m_nLow, m_nHigh) - m_nLow) / (m_nHigh - m_nLow)
                                 : 0.0;
        m_reports.push_back({Clock::now(), ProcessorSeconds(), share});
    }
    void ShowStopButton(bool) override {}
    bool PumpMessages() override { return true; }

private:
    std::vector<Report>& m_out;
    std::vector<Report> m_reports;
    int m_nLow = 0;
    int m_nHigh = 0;
};

void BM_SPLMapProgressShare(benchmark::State& state)
{
    static std::unique_ptr<CKDRDoc> doc = MakeLargeScene();
    CSPLMapCalculator calc(*doc, 0);
    calc.SetThreadCount(1);
    double largestGap = 0.0;
    double gapAt = 0.0;
    double largestCpuGap = 0.0;
    std::size_t reports = 0;
    for (auto _ : state) {
        // The dialog dies with the calculation: it leaves its reports here.
        std::vector<CTimedBar::Report> timed;
        calc.SetProgressFactory([&timed]() { return std::unique_ptr<IProgress>(std::make_unique<CTimedBar>(timed)); });
        const Clock::time_point start = Clock::now();
        const double cpuStart = ProcessorSeconds();
        calc.CalcColorMap();
        const Clock::time_point end = Clock::now();
        const double cpuTotal = ProcessorSeconds() - cpuStart;
        const double total = std::chrono::duration<double>(end - start).count();
        for (const CTimedBar::Report& r : timed) {
            const double elapsed = std::chrono::duration<double>(r.at - start).count() / total;
            if (std::fabs(r.share - elapsed) > largestGap) {
                largestGap = std::fabs(r.share - elapsed);
                gapAt = elapsed;
            }
            const double cpuElapsed = (r.cpu - cpuStart) / cpuTotal;
            largestCpuGap = std::max(largestCpuGap, std::fabs(r.share - cpuElapsed));
            if (std::getenv("KADREL_BENCH_TRACE"))
                std::fprintf(stderr, "%.4f %.4f %.4f\n", elapsed, cpuElapsed, r.share);
        }
        reports += timed.size();
        benchmark::DoNotOptimize(doc->m_colorMapConditions.GetAt(0)->GetPlane().GetAverageLevel());
    }
    state.counters["largest_gap"] = largestGap;
    state.counters["gap_at"] = gapAt;
    state.counters["largest_cpu_gap"] = largestCpuGap;
    state.counters["reports"] = static_cast<double>(reports);
}

}  // namespace

BENCHMARK(BM_SPLMapProgressShare)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
