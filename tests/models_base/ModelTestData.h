#pragma once
// Small speaker data sets and helpers shared by the model test programs.

#include "models/SpeakerModel.h"
#include "models/SpeakerModelContainer.h"
#include "models_data/GoldenBytes.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"
#include "tools/zsbgen/ZsbWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <sstream>
#include <string>
#include <vector>

namespace modeltest {

// A standard speaker of the given type code: meridian rows 0, 180 (and the
// closing 360), polar angles 0, 90, 180, the 1/3-octave frequencies 1000,
// 1258.9, 1584.9 and 1995.3 Hz, one 100 V tap of 10 W. Every cell is
// "level,phase" as given (a pole value repeats for every meridian).
inline std::string TinyZsb(int typeCode, const std::string& frontPair = "90,0",
                           const std::string& sidePair = "84,30", const std::string& rearPair = "70,60")
{
    std::string text = "Version 1.0.0\n" + std::to_string(typeCode) + "\n"
                       "Tiny\n1\n2\n3\n3\n1000\n2000\nh,100,10\n0,90,180\n";
    const std::string line = frontPair + "," + sidePair + "," + rearPair + "\n";
    for (const char* meridian : {"0", "180"}) {
        text += std::string(meridian) + "\n";
        for (int k = 0; k < 4; ++k)
            text += line;
    }
    return text;
}

// A standard speaker whose balloon differs on every meridian (0, 90, 180,
// 270) and polar angle (0, 45, ..., 180), on the frequencies of TinyZsb.
inline std::string AsymmetricZsb(int typeCode)
{
    std::string text = "Version 1.0.0\n" + std::to_string(typeCode) + "\n"
                       "Lopsided\n1\n4\n5\n3\n1000\n2000\nh,100,10\n0,45,90,135,180\n";
    for (int i = 0; i < 4; ++i) {
        text += std::to_string(90 * i) + "\n";
        for (int k = 0; k < 4; ++k) {
            for (int j = 0; j < 5; ++j) {
                text += std::to_string(92 - 3 * i - 4 * j - k) + "," + std::to_string(10 * i + 7 * j + 20 * k);
                text += j < 4 ? "," : "\n";
            }
        }
    }
    return text;
}

// A generator recipe of a coarse grid (1/1 octave, 90-degree rows) for the
// given type code, with the kind's own defaults when it has any.
inline ZsbRecipe SmallRecipe(int typeCode, double lowest = 125.0, double highest = 8000.0, double polarStep = 45.0)
{
    ZsbRecipe recipe;
    recipe.typeCode = typeCode;
    recipe.pitch = 1;
    recipe.lowest = lowest;
    recipe.highest = highest;
    recipe.meridianStep = 90.0;
    recipe.polarStep = polarStep;
    recipe.taps = {ZsbTap{}};
    if (const ZsbKind* kind = FindZsbKind(typeCode))
        kind->applyDefaults(recipe);
    return recipe;
}

// Imports text (whose first line is the version line) into a new model the
// way the container does; nullptr when the import fails.
inline std::unique_ptr<CSpeakerModel> ImportText(const std::string& text, int unitFlag = 0)
{
    CStdioFile file;
    file.OpenText(text);
    std::string line;
    if (!file.ReadString(line) || line != "Version 1.0.0" || !file.ReadString(line))
        return nullptr;
    std::unique_ptr<CSpeakerModel> model = CSpeakerModel::CreateModel(std::atoi(line.c_str()));
    if (!model)
        return nullptr;
    model->SetUnitFlag(unitFlag);
    if (!model->ImportFromFile(file, nullptr))
        return nullptr;
    return model;
}

// Imports text that must import; a failure ends the test with an exception.
inline std::unique_ptr<CSpeakerModel> Imported(const std::string& text, int unitFlag = 0)
{
    std::unique_ptr<CSpeakerModel> model = ImportText(text, unitFlag);
    if (!model)
        throw std::runtime_error("the test's speaker data did not import");
    return model;
}

// Imports text without its version line through a container; the number of
// models it then holds (0 or 1) is the result.
inline int ImportThroughContainer(const std::string& textAfterVersion)
{
    CStdioFile file;
    file.OpenText(textAfterVersion);
    CSpeakerModelContainer container;
    const BOOL ok = container.ImportModel(file, 0, nullptr);
    EXPECT_EQ(ok != FALSE, container.GetCount() == 1);
    return container.GetCount();
}

// Stores a model record and loads it back through the factory.
inline std::unique_ptr<CSpeakerModel> SaveAndLoad(CSpeakerModel& model, DWORD version = 0x02000000)
{
    CArchive out;
    model.Serialize(out, version);
    CArchive in(out.TakeBuffer());
    return CSpeakerModel::CreateFromArchive(in, version);
}

// The lines of a text without their ends ("\r\n" or "\n").
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The first n lines (all by default) joined again, each ending in "\n".
inline std::string Join(const std::vector<std::string>& lines, std::size_t n = std::string::npos)
{
    std::string text;
    for (std::size_t i = 0; i < n && i < lines.size(); ++i)
        text += lines[i] + "\n";
    return text;
}

// What every model that imports or loads must give: at every data
// frequency, at a point that is not at a source, in both units, with a
// ceiling image, at the lowest and the highest of the dialogs' 10000 W and
// the taps' powers (the pressure grows with the power), a pressure whose
// parts and whose square (an energy sum) are finite.
inline void ExpectFinitePressures(CSpeakerModel& m)
{
    double lowest = 10000.0;
    double highest = 10000.0;
    for (int t = 0; t < m.GetTapCount(); ++t) {
        lowest = std::min(lowest, m.GetTapPower(t));
        highest = std::max(highest, m.GetTapPower(t));
    }
    for (double f : m.GetHeader().GetFrequencies()) {
        for (int unit : {0, 1}) {
            for (double power : {lowest, highest}) {
                CSPComplex p;
                m.CalcPressure(p, CPoint3D(2, 1, 0.5), CPoint3D(0, 0, 2), CPoint3D(10, 5, 30), f, 3.0, unit == 1,
                               power, 1.0, true, unit);
                if (!std::isfinite(p.re) || !std::isfinite(p.im) || !std::isfinite(p.re * p.re + p.im * p.im)) {
                    ADD_FAILURE() << "pressure (" << p.re << ", " << p.im << ") at " << f << " Hz, power " << power
                                  << ", unit " << unit;
                    return;
                }
            }
        }
    }
}

// Adds the pressure of model m at a few points and frequencies; a damaged
// model that was kept must compute, and compute finite pressures.
inline void Exercise(CSpeakerModel& m)
{
    ExpectFinitePressures(m);
}

}  // namespace modeltest
