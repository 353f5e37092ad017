#pragma once
// Pieces shared by the SPL map benchmarks: the reference room (20 m x 20 m,
// 4 m solid ceiling), its calculation plane (1.2 m high, 0.25 m dots, the
// 1/3-octave band at 1 kHz, "Interference"), speaker data made by the sample
// generator, and the timed map loop.

#include "document/KDRDoc.h"
#include "tools/zsbgen/ZsbWriter.h"
#include "views/SPLMapCalculator.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace BenchScene {

// 1/24-octave data from 100 Hz to 20 kHz on a 5-degree polar and 10-degree
// meridian grid, with one 100 V tap (6 W for a ceiling speaker, else 120 W).
ZsbRecipe ReferenceRecipe(int typeCode, const std::string& name);

// Imports the generated data as the next model; aborts when it cannot.
void Import(CKDRDoc& doc, const ZsbRecipe& recipe);

// The reference room without speakers or plane (metres).
std::unique_ptr<CKDRDoc> MakeRoom();

// The reference plane as colour-map condition 0.
void AddPlane(CKDRDoc& doc);

// Times CalcColorMap of condition 0 and reports dots_per_second and threads.
void RunMap(benchmark::State& state, CKDRDoc& doc, CSPLMapCalculator::Evaluation evaluation, unsigned threads);

}  // namespace BenchScene
