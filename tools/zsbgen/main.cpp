// kadrel_zsbgen: writes a ".zsb" speaker-data file with piston directivity.
#include "tools/zsbgen/ZsbWriter.h"

#include "models/OctaveFrequencies.h"
#include "models/SpeakerDataLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// Finest meridian and polar step (degrees) the generator writes.
constexpr double kMinStep = 0.01;

void PrintUsage()
{
    std::cout <<
        "usage: kadrel_zsbgen [options] -o FILE.zsb\n"
        "  --type N            type code (default 1)\n"
        "  --name TEXT         speaker name (default \"Sample Speaker\")\n"
        "  --pitch N           1/N-octave frequency pitch: 24, 12, 6, 3 or 1 (default 3)\n"
        "  --fmin HZ           lowest frequency (default 100)\n"
        "  --fmax HZ           highest frequency (default 10000)\n"
        "  --meridian-step DEG meridian step (default 30)\n"
        "  --polar-step DEG    polar step, 0 to 180 (default 15)\n"
        "  --tap K,V,P[,F]     a tap: K = h (line, V volts) or l (low impedance,\n"
        "                      V ohms), P watts, F power factor; repeatable\n"
        "Unit settings: each one given applies to every balloon; without it each\n"
        "balloon keeps what the kind gives its unit (shown here for the single\n"
        "speakers):\n"
        "  --radius M          piston radius in metres (default 0.08)\n"
        "  --ellipticity E     radius varies as 1 - E*cos(2*meridian); E > 0 widens the\n"
        "                      horizontal coverage (default 0)\n"
        "  --sensitivity DB    on-axis level at 1 m with 1 W (default 90)\n"
        "  --low-corner HZ     second-order high-pass corner (default 80)\n"
        "  -o, --out FILE      output file\n"
        "  --list-kinds        lists the type codes this generator knows\n";
}

bool ParseTap(const std::string& text, ZsbTap& tap)
{
    if (text.size() < 3 || (text[0] != 'h' && text[0] != 'l') || text[1] != ',')
        return false;
    tap.kind = text[0];
    double v = 0.0, p = 0.0, f = 0.0;
    const int n = std::sscanf(text.c_str() + 2, "%lf,%lf,%lf", &v, &p, &f);
    if (n < 2)
        return false;
    tap.value = v;
    tap.power = p;
    tap.hasFactor = n == 3;
    tap.factor = n == 3 ? f : (tap.kind == 'l' ? 2.0 : 1.0);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    ZsbRecipe recipe;
    ZsbUnitOverrides unit;
    std::string outPath;
    auto need = [&](int& i) -> const char* {
        if (i + 1 >= argc) {
            std::cerr << "kadrel_zsbgen: " << argv[i] << " needs a value\n";
            std::exit(2);
        }
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            PrintUsage();
            return 0;
        } else if (a == "--list-kinds") {
            for (const ZsbKind& k : ZsbKinds())
                std::cout << k.typeCode << "  " << k.description << "\n";
            return 0;
        } else if (a == "--type") {
            recipe.typeCode = std::atoi(need(i));
        } else if (a == "--name") {
            recipe.name = need(i);
        } else if (a == "--pitch") {
            recipe.pitch = std::atoi(need(i));
        } else if (a == "--fmin") {
            recipe.lowest = std::atof(need(i));
        } else if (a == "--fmax") {
            recipe.highest = std::atof(need(i));
        } else if (a == "--meridian-step") {
            recipe.meridianStep = std::atof(need(i));
        } else if (a == "--polar-step") {
            recipe.polarStep = std::atof(need(i));
        } else if (a == "--tap") {
            ZsbTap tap;
            if (!ParseTap(need(i), tap)) {
                std::cerr << "kadrel_zsbgen: bad tap \"" << argv[i] << "\" (want h,100,30 or l,8,100)\n";
                return 2;
            }
            recipe.taps.push_back(tap);
        } else if (a == "--radius") {
            unit.radius = std::atof(need(i));
        } else if (a == "--ellipticity") {
            unit.ellipticity = std::atof(need(i));
        } else if (a == "--sensitivity") {
            unit.sensitivity = std::atof(need(i));
        } else if (a == "--low-corner") {
            unit.lowCorner = std::atof(need(i));
        } else if (a == "-o" || a == "--out") {
            outPath = need(i);
        } else {
            std::cerr << "kadrel_zsbgen: unknown option " << a << "\n";
            PrintUsage();
            return 2;
        }
    }
    if (outPath.empty()) {
        PrintUsage();
        return 2;
    }
    const ZsbKind* kind = FindZsbKind(recipe.typeCode);
    if (kind == nullptr) {
        std::cerr << "kadrel_zsbgen: no layout for type code " << recipe.typeCode << " (see --list-kinds)\n";
        return 2;
    }
    if (recipe.pitch < SpeakerDataLimits::kMinFrequencyPitch || recipe.pitch > SpeakerDataLimits::kMaxFrequencyPitch
        || !(recipe.lowest > 0.0) || !(recipe.highest >= recipe.lowest) || !std::isfinite(recipe.highest) || !(recipe.meridianStep >= kMinStep)
        || !(recipe.polarStep >= kMinStep)) {
        std::cerr << "kadrel_zsbgen: pitch, frequency range or angle steps out of range\n";
        return 2;
    }
    // A grid the program would refuse to import is not written.
    int frequencyCount = 0;
    int end = 0;
    CountOctaveFrequencies(frequencyCount, end, recipe.lowest, recipe.highest, recipe.pitch);
    const std::uint64_t cells = static_cast<std::uint64_t>(ZsbMeridianAngles(recipe).size() + 1)
                                * ZsbPolarAngles(recipe).size() * static_cast<std::uint64_t>(std::max(frequencyCount, 0));
    if (frequencyCount < 1 || cells > SpeakerDataLimits::kMaxBalloonCells) {
        std::cerr << "kadrel_zsbgen: no frequency in the range, or a grid too large to import\n";
        return 2;
    }
    if (recipe.taps.empty())
        recipe.taps.push_back(ZsbTap{});
    kind->applyDefaults(recipe);
    ApplyZsbUnitOverrides(recipe, unit);

    std::ofstream out(outPath, std::ios::binary);
    out << MakeZsbText(recipe);
    if (!out) {
        std::cerr << "kadrel_zsbgen: cannot write " << outPath << "\n";
        return 1;
    }
    return 0;
}
