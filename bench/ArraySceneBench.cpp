// The SPL colour map of a second reference scene with line arrays: the same
// room as the ceiling-speaker scene (20 m x 20 m, 4 m solid ceiling, a plane
// at 1.2 m of 0.25 m dots, 6400 dots), four LV-3 arrays of 16 modules
// (2 x 8 modules split at the rigging point, one in the middle of each wall,
// aimed at the room's centre) and 16 ceiling speakers; 1/24-octave data from
// 100 Hz to 20 kHz on a 5-degree polar and 10-degree meridian grid, the
// 1/3-octave band at 1 kHz, "Interference". Timed for the plain evaluation,
// the fast evaluation on one worker thread and on every core.

#include "bench/BenchScene.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using BenchScene::Import;
using BenchScene::ReferenceRecipe;

std::unique_ptr<CKDRDoc> MakeArrayScene()
{
    auto doc = BenchScene::MakeRoom();
    CInstallationContainer& room = doc->m_installations;

    // Model 0: the ceiling speaker.
    Import(*doc, ReferenceRecipe(1, "Reference Ceiling Speaker"));

    // Model 1: an LV-3 array of four boxes, 8 modules above and 8 below the
    // rigging point, 0.12 m modules splayed progressively outward.
    ZsbRecipe lv3 = ReferenceRecipe(5, "Reference LV-3 Array");
    lv3.countLines = {0, 8, 8};
    const double splays[8] = {0.0, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0};
    for (int half = 0; half < 2; ++half) {
        for (int i = 0; i < 8; ++i) {
            ZsbAxis axis;
            axis.name = half == 0 ? "LV3-U" : "LV3-L";
            axis.length = 0.12;
            axis.offset = 0.05;
            axis.splay = splays[i];
            axis.share = 1.0 / 16.0;
            lv3.axes.push_back(axis);
        }
    }
    lv3.units.resize(1);
    lv3.units[0].radius = 0.05;
    Import(*doc, lv3);

    // 4 x 4 ceiling speakers, 5 m apart, 0.1 m below the ceiling, aimed down.
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            room.AddInstallation(0, 0, 5.0 * (c + 0.5), 5.0 * (r + 0.5), 3.9, 0.0, 0.0, 90.0, 6.0, 1);
    }
    // The arrays, rigged at 2.6 m, 0.3 m off the middle of each wall, aimed
    // at the centre and 3 degrees down.
    room.AddInstallation(1, 0, 0.3, 10.0, 2.6, 0.0, 0.0, 3.0, 120.0, 1);
    room.AddInstallation(1, 0, 19.7, 10.0, 2.6, 180.0, 0.0, 3.0, 120.0, 1);
    room.AddInstallation(1, 0, 10.0, 0.3, 2.6, 90.0, 0.0, 3.0, 120.0, 1);
    room.AddInstallation(1, 0, 10.0, 19.7, 2.6, -90.0, 0.0, 3.0, 120.0, 1);

    BenchScene::AddPlane(*doc);
    return doc;
}

CKDRDoc& ArrayScene()
{
    static std::unique_ptr<CKDRDoc> doc = MakeArrayScene();
    return *doc;
}

void RunArrayMap(benchmark::State& state, CSPLMapCalculator::Evaluation evaluation, unsigned threads)
{
    BenchScene::RunMap(state, ArrayScene(), evaluation, threads);
    state.counters["sources"] = 16.0 + 4.0 * 16.0;
}

void BM_SPLMapArraysReference(benchmark::State& state)
{
    RunArrayMap(state, CSPLMapCalculator::Evaluation::Reference, 1);
}

void BM_SPLMapArraysFastOneThread(benchmark::State& state)
{
    RunArrayMap(state, CSPLMapCalculator::Evaluation::Fast, 1);
}

void BM_SPLMapArraysFastAllCores(benchmark::State& state)
{
    RunArrayMap(state, CSPLMapCalculator::Evaluation::Fast, 0);
}

}  // namespace

BENCHMARK(BM_SPLMapArraysReference)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_SPLMapArraysFastOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SPLMapArraysFastAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
