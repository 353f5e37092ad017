#pragma once
// Small scenes for the SPL map tests: a project with speaker models made by
// the sample-data writer, installations, one colour-map condition and one
// frequency-response graph.

#include "document/KDRDoc.h"
#include "platform/Progress.h"
#include "support/RecordingProgress.h"
#include "platform/TextFile.h"
#include "tools/zsbgen/ZsbWriter.h"
#include "views/SPLMapCalculator.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace splcalc_test {

// A small ceiling speaker: 1/24-octave data from 100 Hz to 10 kHz on a
// 30-degree meridian and 15-degree polar grid.
inline ZsbRecipe SmallSpeaker(int pitch = 24, double lowest = 100.0, double highest = 10000.0)
{
    ZsbRecipe recipe;
    recipe.typeCode = 1;
    recipe.name = "Test Ceiling";
    recipe.pitch = pitch;
    recipe.lowest = lowest;
    recipe.highest = highest;
    recipe.meridianStep = 30.0;
    recipe.polarStep = 15.0;
    recipe.taps.push_back(ZsbTap{'h', 100.0, 6.0});
    return recipe;
}

class Scene {
public:
    explicit Scene(int lengthUnit = 0) : doc(std::make_unique<CKDRDoc>())
    {
        doc->m_nLengthUnit = lengthUnit;
        doc->m_installations.m_nCeilingKind = 1;
        doc->m_installations.SetRoom(CInstallationContainer::kRoomHeight, lengthUnit == 1 ? 13.0 : 4.0);
    }

    // Imports the speaker data; returns the model's index.
    int AddModel(const ZsbRecipe& recipe)
    {
        CStdioFile file;
        file.OpenText(MakeZsbText(recipe));
        std::string first;
        file.ReadString(first);
        if (!doc->m_models.ImportModel(file, doc->m_nLengthUnit, nullptr))
            return -1;
        return doc->m_models.GetCount() - 1;
    }

    void Install(int model, double x, double y, double z, double azimuth = 0.0, double rotation = 0.0,
                 double elevation = 90.0, double power = 6.0, bool normal = true)
    {
        doc->m_installations.AddInstallation(static_cast<DWORD>(model), 0, x, y, z, azimuth, rotation, elevation,
                                             power, normal ? 1 : 0);
    }

    // The window's condition with a plane (exactly one extent 0).
    void SetPlane(double x0, double y0, double z0, double ex, double ey, double ez, double pitch,
                  double fc = 1000.0, double band = 3.0, int sumMode = 0)
    {
        CListeningPlane plane;
        plane.Set(x0, y0, z0, ex, ey, ez, pitch, 100.0, 2.0);
        doc->m_colorMapConditions.RemoveAll();
        doc->m_colorMapConditions.AddNew(fc, band, sumMode, 0, 0, 110, 44, 40, 324, 0.0, plane, 45.0, 75.0, 0.0);
        doc->m_colorMapConditions.SetCurrentIndex(0);
    }

    void AddGraph()
    {
        CSoundGraphDataList graph;
        graph.Init(1, 0, 20.0, 50.0, 20000.0, 120.0, 1000.0, 10.0);
        doc->m_soundGraphConditions.Add(-1, 0, 0, 0, 0, 1.0, 1.0, graph);
    }

    CColorMapCondition& Condition() { return *doc->m_colorMapConditions.GetAt(0); }
    CListeningPlane& Plane() { return Condition().GetPlane(); }

    std::vector<double> Levels()
    {
        std::vector<double> out;
        for (const auto& dot : Plane().GetCells())
            out.push_back(dot->GetLevel());
        return out;
    }
    void FillLevels(double level)
    {
        for (const auto& dot : Plane().GetCells())
            dot->SetLevel(level);
    }

    std::unique_ptr<CSPLMapCalculator> Calculator(CSPLMapCalculator::Evaluation e, unsigned threads = 0)
    {
        auto calc = std::make_unique<CSPLMapCalculator>(*doc, 0);
        calc->SetEvaluation(e);
        calc->SetThreadCount(threads);
        return calc;
    }

    std::unique_ptr<CKDRDoc> doc;
};

inline std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Gives the calculator progress dialogs that report to one recorder, which
// outlives them (the calculation destroys its dialog when it ends); made
// counts the dialogs.
inline void UseProgress(CSPLMapCalculator& calc, CRecordingProgress& rec, int* made = nullptr)
{
    struct Forward : IProgress {
        CRecordingProgress& r;
        explicit Forward(CRecordingProgress& to) : r(to) {}
        void SetMessage(const std::string& text) override { r.SetMessage(text); }
        void SetRange(int low, int high) override { r.SetRange(low, high); }
        void SetPos(int pos) override { r.SetPos(pos); }
        void ShowStopButton(bool show) override { r.ShowStopButton(show); }
        bool PumpMessages() override { return r.PumpMessages(); }
    };
    calc.SetProgressFactory([&rec, made] {
        if (made)
            ++*made;
        return std::unique_ptr<IProgress>(std::make_unique<Forward>(rec));
    });
}

}  // namespace splcalc_test
