#pragma once
// Writes speaker-data import files (".zsb") with physically plausible
// directivity: each unit is a rigid circular piston in a baffle (magnitude
// 2*J1(x)/x with x = k*a*sin(theta), the radius optionally varying with the
// meridian for a wider horizontal than vertical coverage), a cabinet that
// lets the low frequencies wrap round to the rear, a second-order high-pass
// roll-off at the low end and a smooth minimum-phase-like phase.
//
// MakeZsbText needs nothing but the standard library and the frequency
// series of the program, so tests and benchmarks can build the file text in
// memory and hand it to CStdioFile::OpenText.

#include <optional>
#include <string>
#include <vector>

struct ZsbTap {
    // 'h' line tap (value in volts) or 'l' low-impedance tap (value in ohms).
    char kind = 'h';
    double value = 100.0;
    double power = 10.0;
    // Written only when hasFactor is set.
    double factor = 1.0;
    bool hasFactor = false;
};

// One axis block (module description) of the array kinds.
struct ZsbAxis {
    std::string name;
    double length = 0.0;  // metres
    double offset = 0.0;  // metres
    double splay = 0.0;   // degrees
    double share = 1.0;
};

// The directivity of one balloon.
struct ZsbUnit {
    double radius = 0.08;        // piston radius, metres
    double ellipticity = 0.0;    // radius * (1 - e*cos(2*meridian)); > 0 widens the horizontal
    double sensitivity = 90.0;   // on-axis dB at 1 m with 1 W
    double lowCorner = 80.0;     // Hz, second-order high-pass
    double delay = 0.0002;       // s, the acoustic centre's lag behind the reference
};

struct ZsbRecipe {
    int typeCode = 1;
    std::string name = "Sample Speaker";
    // Module-count lines, written as they stand (none for type codes 0, 1).
    std::vector<int> countLines;
    int pitch = 3;               // 1/N octave
    double lowest = 100.0;       // Hz
    double highest = 10000.0;    // Hz
    double meridianStep = 30.0;  // degrees; rows at 0, step, ... below 360
    double polarStep = 15.0;     // degrees; columns 0 .. 180
    std::vector<ZsbTap> taps;
    std::vector<ZsbAxis> axes;   // axis blocks (none for type codes 0, 1)
    // One entry per balloon; empty gives one default unit.
    std::vector<ZsbUnit> units;
};

// Unit settings given on the command line. Each one that is set replaces
// that setting in every balloon; the others keep what the kind gave each of
// its units.
struct ZsbUnitOverrides {
    std::optional<double> radius;
    std::optional<double> ellipticity;
    std::optional<double> sensitivity;
    std::optional<double> lowCorner;
    std::optional<double> delay;
};
void ApplyZsbUnitOverrides(ZsbRecipe& recipe, const ZsbUnitOverrides& overrides);

// Meridian angles of the file's rows and the polar angles of its columns.
std::vector<double> ZsbMeridianAngles(const ZsbRecipe& recipe);
std::vector<double> ZsbPolarAngles(const ZsbRecipe& recipe);

// Level (dB at 1 m, 1 W) and phase (degrees, within [-180, 180)) of a unit
// at frequency f towards meridian and polar angle (degrees).
void ZsbUnitResponse(const ZsbUnit& unit, double f, double meridian, double polar,
                     double& level, double& phase);

// The whole file text, "Version 1.0.0" first, lines ending in "\r\n".
std::string MakeZsbText(const ZsbRecipe& recipe);

// Default layouts by type code for the command line (module counts, axis
// blocks, balloons). Each kind registers itself from its own source file.
struct ZsbKind {
    int typeCode;
    const char* description;
    void (*applyDefaults)(ZsbRecipe& recipe);
};
bool RegisterZsbKind(const ZsbKind& kind);
// nullptr when no kind of that type code is registered.
const ZsbKind* FindZsbKind(int typeCode);
std::vector<ZsbKind> ZsbKinds();
