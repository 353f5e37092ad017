#pragma once
// Small hand-written speaker data sets for the model tests.

#include "models/SpeakerModel.h"
#include "models/SpeakerModelContainer.h"
#include "platform/TextFile.h"

#include "platform/Archive.h"

#include <cstdlib>
#include <memory>
#include <string>

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

// Imports text (whose first line is the version line) into a new model the
// way the container does; nullptr when the import fails.
inline std::unique_ptr<CSpeakerModel> ImportText(const std::string& text, int unitFlag = 0)
{
    CStdioFile file;
    file.OpenText(text);
    std::string line;
    if (!file.ReadString(line) || !file.ReadString(line))
        return nullptr;
    std::unique_ptr<CSpeakerModel> model = CSpeakerModel::CreateModel(std::atoi(line.c_str()));
    if (!model)
        return nullptr;
    model->SetUnitFlag(unitFlag);
    if (!model->ImportFromFile(file, nullptr))
        return nullptr;
    return model;
}

// Stores a model record and loads it back through the factory.
inline std::unique_ptr<CSpeakerModel> SaveAndLoad(CSpeakerModel& model, DWORD version = 0x02000000)
{
    CArchive out;
    model.Serialize(out, version);
    CArchive in(out.TakeBuffer());
    return CSpeakerModel::CreateFromArchive(in, version);
}

}  // namespace modeltest
