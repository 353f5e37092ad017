#include "bench/BenchScene.h"

#include "platform/TextFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace BenchScene {

ZsbRecipe ReferenceRecipe(int typeCode, const std::string& name)
{
    ZsbRecipe recipe;
    recipe.typeCode = typeCode;
    recipe.name = name;
    recipe.pitch = 24;
    recipe.lowest = 100.0;
    recipe.highest = 20000.0;
    recipe.meridianStep = 10.0;
    recipe.polarStep = 5.0;
    ZsbTap tap;
    tap.kind = 'h';
    tap.value = 100.0;
    tap.power = typeCode == 1 ? 6.0 : 120.0;
    recipe.taps.push_back(tap);
    return recipe;
}

void Import(CKDRDoc& doc, const ZsbRecipe& recipe)
{
    CStdioFile file;
    file.OpenText(MakeZsbText(recipe));
    std::string first;
    file.ReadString(first);
    if (!doc.m_models.ImportModel(file, 0, nullptr)) {
        std::fprintf(stderr, "the reference speaker data \"%s\" could not be read\n", recipe.name.c_str());
        std::abort();
    }
}

std::unique_ptr<CKDRDoc> MakeRoom()
{
    auto doc = std::make_unique<CKDRDoc>();
    doc->m_nLengthUnit = 0;
    CInstallationContainer& room = doc->m_installations;
    room.m_nCeilingKind = 1;
    room.SetRoom(CInstallationContainer::kRoomLengthX, 20.0);
    room.SetRoom(CInstallationContainer::kRoomWidthY, 20.0);
    room.SetRoom(CInstallationContainer::kRoomHeight, 4.0);
    return doc;
}

void AddPlane(CKDRDoc& doc)
{
    CListeningPlane plane;
    plane.Set(0.0, 0.0, 1.2, 20.0, 20.0, 0.0, 0.25, 100.0, 2.0);
    doc.m_colorMapConditions.AddNew(1000.0, 3.0, 0, 0, 0, 110, 44, 40, 324, 0.0, plane, 45.0, 75.0, 0.0);
}

void RunMap(benchmark::State& state, CKDRDoc& doc, CSPLMapCalculator::Evaluation evaluation, unsigned threads)
{
    CSPLMapCalculator calc(doc, 0);
    calc.SetEvaluation(evaluation);
    calc.SetThreadCount(threads);
    const double dots = static_cast<double>(doc.m_colorMapConditions.GetAt(0)->GetPlane().GetCells().GetCount());
    for (auto _ : state) {
        calc.CalcColorMap();
        benchmark::DoNotOptimize(doc.m_colorMapConditions.GetAt(0)->GetPlane().GetAverageLevel());
    }
    state.counters["dots_per_second"] =
        benchmark::Counter(dots * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["threads"] = threads ? threads : std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace BenchScene
