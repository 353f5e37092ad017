// The SPL colour map of a reference scene: a 20 m x 20 m room with a 4 m
// solid ceiling, a plane at 1.2 m of 0.25 m dots (6400 dots), 36 ceiling
// speakers (1/24-octave data from 100 Hz to 20 kHz on a 5-degree polar and
// 10-degree meridian grid), the 1/3-octave band at 1 kHz, "Interference".
// Timed for the plain evaluation, the fast evaluation on one worker thread
// and the fast evaluation on every core; the counter dots_per_second is
// the map's dots over the wall-clock time.

#include "bench/BenchScene.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<CKDRDoc> MakeReferenceScene()
{
    auto doc = BenchScene::MakeRoom();
    CInstallationContainer& room = doc->m_installations;
    BenchScene::Import(*doc, BenchScene::ReferenceRecipe(1, "Reference Ceiling Speaker"));

    // 6 x 6 speakers, 3.33 m apart, 0.1 m below the ceiling, aimed down.
    const double pitch = 20.0 / 6.0;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 6; ++c)
            room.AddInstallation(0, 0, pitch * (c + 0.5), pitch * (r + 0.5), 3.9, 0.0, 0.0, 90.0, 6.0, 1);
    }

    BenchScene::AddPlane(*doc);
    return doc;
}

CKDRDoc& ReferenceScene()
{
    static std::unique_ptr<CKDRDoc> doc = MakeReferenceScene();
    return *doc;
}

void RunMap(benchmark::State& state, CSPLMapCalculator::Evaluation evaluation, unsigned threads)
{
    BenchScene::RunMap(state, ReferenceScene(), evaluation, threads);
}

void BM_SPLMapReference(benchmark::State& state)
{
    RunMap(state, CSPLMapCalculator::Evaluation::Reference, 1);
}

void BM_SPLMapFastOneThread(benchmark::State& state)
{
    RunMap(state, CSPLMapCalculator::Evaluation::Fast, 1);
}

void BM_SPLMapFastAllCores(benchmark::State& state)
{
    RunMap(state, CSPLMapCalculator::Evaluation::Fast, 0);
}

// The frequency response at one point (1/3-octave bands from 25 Hz to
// 20 kHz), as the map computes it when the cursor moves.
void RunResponse(benchmark::State& state, CSPLMapCalculator::Evaluation evaluation)
{
    CKDRDoc& doc = ReferenceScene();
    if (doc.m_soundGraphConditions.GetCount() == 0) {
        CSoundGraphDataList graph;
        graph.Init(1, 0, 20.0, 50.0, 20000.0, 120.0, 1000.0, 10.0);
        doc.m_soundGraphConditions.Add(-1, 0, 0, 0, 0, 1.0, 1.0, graph);
    }
    CSPLMapCalculator calc(doc, 0);
    calc.SetEvaluation(evaluation);
    for (auto _ : state) {
        calc.CalcFrequencyResponse(CPoint3D(7.3, 11.1, 1.2));
        benchmark::DoNotOptimize(doc.m_soundGraphConditions.GetGraph(0).GetCurve(0)->GetY(0));
    }
}

void BM_SPLResponseReference(benchmark::State& state)
{
    RunResponse(state, CSPLMapCalculator::Evaluation::Reference);
}

void BM_SPLResponseFast(benchmark::State& state)
{
    RunResponse(state, CSPLMapCalculator::Evaluation::Fast);
}

}  // namespace

// Each map benchmark is repeated; read the median rows, which are the least
// disturbed by other work on the machine (the median of dots_per_second
// belongs to the median time).
BENCHMARK(BM_SPLResponseReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SPLResponseFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SPLMapReference)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SPLMapFastOneThread)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SPLMapFastAllCores)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
