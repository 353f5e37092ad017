// The SPL map window on the screen (offscreen platform): a full paint of a
// map of 1,000,000 colour dots against the repaint that follows a hover over
// the plane (the readout line written over the kept picture), and the parts
// of a mouse move over it.

#include "bench/BenchScene.h"
#include "views/SPLMapCalculator.h"
#include "views/qt/ColorMapView.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cmath>
#include <memory>

namespace {

// The reference room with one ceiling speaker and a 20 m x 20 m plane of
// 2 cm dots whose levels run through every colour.
struct MapWindow {
    MapWindow()
    {
        doc = BenchScene::MakeRoom();
        BenchScene::Import(*doc, BenchScene::ReferenceRecipe(1, "Ceiling"));
        doc->m_installations.AddInstallation(0, 0, 10.0, 10.0, 3.9, 0.0, 0.0, 90.0, 6.0, 1);
        CListeningPlane plane;
        plane.Set(0.0, 0.0, 1.2, 20.0, 20.0, 0.0, 0.02, 100.0, 2.0);
        doc->m_colorMapConditions.AddNew(1000.0, 3.0, 0, 0, 0, 110, 44, 40, 324, 0.0, plane, 0.0, 0.0, 0.0);
        doc->m_colorMapConditions.SetCurrentIndex(0);
        int i = 0;
        for (const auto& dot : doc->m_colorMapConditions.GetAt(0)->GetPlane().GetCells())
            dot->SetLevel(50.0 + 55.0 * std::fabs(std::sin(0.001 * i++)));
        view = std::make_unique<CColorMapView>(*doc, nullptr);
        view->SetConditionIndex(0);
        view->resize(1200, 1000);
        view->show();
        view->UpdateScrollSizes(TRUE);
        QApplication::processEvents();
    }
    std::unique_ptr<CKDRDoc> doc;
    std::unique_ptr<CColorMapView> view;
};

MapWindow& Window()
{
    static MapWindow window;
    return window;
}

void BM_MapFullPaint(benchmark::State& state)
{
    MapWindow& w = Window();
    state.counters["dots"] = static_cast<double>(w.doc->m_colorMapConditions.GetAt(0)->GetPlane().GetCellCount());
    for (auto _ : state) {
        w.view->Redraw();
        QApplication::processEvents();
    }
    state.counters["full_paints"] = w.view->GetFullPaintCount();
}
BENCHMARK(BM_MapFullPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MapHoverRepaint(benchmark::State& state)
{
    MapWindow& w = Window();
    w.view->Redraw();
    QApplication::processEvents();
    const int before = w.view->GetFullPaintCount();
    // Two dot centres in turn, so that every hover writes a new readout:
    // the level at the dot, the line written and the window repainted.
    const double a[3] = {5.01, 7.01, 1.2};
    const double b[3] = {12.51, 9.51, 1.2};
    bool first = true;
    for (auto _ : state) {
        w.view->DrawCursorSPL(first ? a : b);
        first = !first;
        QApplication::processEvents();
    }
    state.counters["full_paints"] = w.view->GetFullPaintCount() - before;
}
BENCHMARK(BM_MapHoverRepaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The whole mouse move over the plane: the hit tests of the speakers and of
// the dot under the mouse, the readout, the frequency response and the
// repaint.
void BM_MapMouseMove(benchmark::State& state)
{
    MapWindow& w = Window();
    const CPoint a = w.view->ProjectPoint(CPoint3D(5.01, 7.01, 1.2));
    const CPoint b = w.view->ProjectPoint(CPoint3D(12.51, 9.51, 1.2));
    bool first = true;
    for (auto _ : state) {
        w.view->OnMouseMove(first ? a : b);
        first = !first;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MapMouseMove)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The parts of that mouse move: the colour dot under the mouse, and the
// frequency response at its centre.
void BM_MapDotHitTest(benchmark::State& state)
{
    MapWindow& w = Window();
    const CPoint a = w.view->ProjectPoint(CPoint3D(5.01, 7.01, 1.2));
    const CPoint b = w.view->ProjectPoint(CPoint3D(12.51, 9.51, 1.2));
    bool first = true;
    double position[3] = {};
    for (auto _ : state) {
        benchmark::DoNotOptimize(w.view->HitTestPlaneDot(first ? a : b, position));
        first = !first;
    }
}
BENCHMARK(BM_MapDotHitTest)->Unit(benchmark::kMicrosecond);

void BM_MapFrequencyResponseAtDot(benchmark::State& state)
{
    MapWindow& w = Window();
    bool first = true;
    for (auto _ : state) {
        CSPLMapCalculator(*w.doc, 0).CalcFrequencyResponse(first ? CPoint3D(5.01, 7.01, 1.2)
                                                                 : CPoint3D(12.51, 9.51, 1.2));
        first = !first;
    }
}
BENCHMARK(BM_MapFrequencyResponseAtDot)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
