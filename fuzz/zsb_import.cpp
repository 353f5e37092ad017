// Fuzz target: a ".zsb" speaker-data file through the document's import
// (first line, type code, the model's own reader), as Speaker > Import runs
// it after the file dialog. A file that imports must give a finite pressure
// at a few points and keep it to the last bit through a project save and
// reload; one that is refused must say so in one message and add nothing.
//
// To keep each run short the harness skips files whose header declares a
// grid larger than a small bound; the program's own limits are far larger
// and are exercised by the tests.

#include "FuzzQuiet.h"

#include "document/KDRDoc.h"
#include "models/SpeakerModel.h"
#include "platform/Archive.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kMaxModulesPerLine = 8;
constexpr int kMaxTaps = 8;
constexpr int kMaxRows = 12;
constexpr int kMaxPolars = 24;
constexpr int kMaxPitch = 48;
constexpr double kMaxFrequencies = 24.0;
constexpr double kMaxCells = 1024.0;

// True when the declared sizes stay within the bounds above (a line that is
// missing counts as within: the import refuses the file anyway).
bool DeclaresSmallGrid(const std::string& text)
{
    CStdioFile file;
    file.OpenText(text);
    std::string line;
    if (!file.ReadString(line))  // version
        return true;
    if (!file.ReadString(line))
        return true;
    const int type = Numbers::Atoi(line);
    if (type != 0 && type != 1) {
        for (int i = 0; i < 3; ++i) {
            if (!file.ReadString(line))
                return true;
            if (Numbers::Atoi(line) > kMaxModulesPerLine)
                return false;
        }
    }
    std::string header[7];
    for (std::string& h : header) {
        if (!file.ReadString(h))
            return true;
    }
    const int taps = Numbers::Atoi(header[1]);
    const int rows = Numbers::Atoi(header[2]);
    const int polars = Numbers::Atoi(header[3]);
    const int pitch = Numbers::Atoi(header[4]);
    const double lowest = Numbers::Atof(header[5]);
    const double highest = Numbers::Atof(header[6]);
    if (taps > kMaxTaps || rows > kMaxRows || polars > kMaxPolars || pitch > kMaxPitch)
        return false;
    if (!std::isfinite(lowest) || !std::isfinite(highest))
        return true;
    // The series has about log2(highest / lowest) * pitch members.
    const double span = std::log10(std::max(highest, 1.0)) - std::log10(std::max(lowest, 1.0));
    const double frequencies = std::max(0.0, span * std::max(pitch, 0) / 0.3) + 2.0;
    if (frequencies > kMaxFrequencies)
        return false;
    return (std::max(rows, 0) + 1.0) * std::max(polars, 0) * frequencies <= kMaxCells;
}

struct Probe {
    CPoint3D point;
    bool reflection;
};

const Probe kProbes[] = {
    {CPoint3D(4.0, 3.0, 0.0), false},
    {CPoint3D(-1.0, 2.2, 1.2), true},
    {CPoint3D(1.3, 2.4, 2.6), true},
};

// Pressures of the model at the probes, at its lowest, a middle and its
// highest data frequency.
std::vector<CSPComplex> Pressures(CSpeakerModel& model, int unit)
{
    const CSpeakerDataHeader& header = model.GetHeader();
    const int n = static_cast<int>(header.GetFrequencies().size());
    std::vector<CSPComplex> out;
    for (int k : {0, n / 2, n - 1}) {
        const double f = header.GetFrequency(k);
        for (const Probe& p : kProbes) {
            CSPComplex c;
            model.CalcPressure(c, p.point, CPoint3D(1.0, 2.0, 2.7), CPoint3D(15.0, 5.0, 60.0), f, 3.0, false, 5.0,
                               header.GetFrequencyPitch(), p.reflection, unit);
            out.push_back(c);
        }
    }
    return out;
}

std::vector<BYTE> Save(CKDRDoc& doc)
{
    CArchive ar;
    doc.Serialize(ar);
    return ar.TakeBuffer();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CQuietMessages& messages = InstallQuietUi();

    std::string text(reinterpret_cast<const char*>(data), size);
    if (!DeclaresSmallGrid(text))
        return -1;

    CKDRDoc doc;
    CStdioFile file;
    file.OpenText(std::move(text));
    const int shownBefore = messages.shown;
    if (!doc.ImportSpeakerFile(file)) {
        // Refused, and the user told why, once.
        FUZZ_CHECK(messages.shown == shownBefore + 1);
        FUZZ_CHECK(doc.GetModels().GetCount() == 0);
        return 0;
    }
    FUZZ_CHECK(messages.shown == shownBefore);

    CSpeakerModel* model = doc.GetModels().GetCurrent();
    FUZZ_CHECK(model != nullptr);
    const int unit = doc.GetLengthUnit();
    const std::vector<CSPComplex> before = Pressures(*model, unit);
    for (const CSPComplex& c : before)
        FUZZ_CHECK(std::isfinite(c.re) && std::isfinite(c.im));

    const std::vector<BYTE> saved = Save(doc);
    CKDRDoc reloaded;
    CArchive in(saved);
    reloaded.Serialize(in);
    FUZZ_CHECK(in.Remaining() == 0);
    CSpeakerModel* again = reloaded.GetModels().GetCurrent();
    FUZZ_CHECK(again != nullptr);
    const std::vector<CSPComplex> after = Pressures(*again, unit);
    FUZZ_CHECK(after.size() == before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(std::memcmp(&before[i].re, &after[i].re, sizeof(double)) == 0);
        FUZZ_CHECK(std::memcmp(&before[i].im, &after[i].im, sizeof(double)) == 0);
    }
    return 0;
}
