#include "tools/zsbgen/ZsbWriter.h"

#include "models/OctaveFrequencies.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSpeedOfSound = 344.0;

std::string Num(const char* fmt, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

void Line(std::string& out, const std::string& text)
{
    out += text;
    out += "\r\n";
}

// 2 J1(x) / x, 1 at x = 0.
double PistonFactor(double x)
{
    if (std::fabs(x) < 1e-9)
        return 1.0;
    return 2.0 * std::cyl_bessel_j(1.0, x) / x;
}

double WrapPhase(double deg)
{
    double p = std::fmod(deg + 180.0, 360.0);
    if (p < 0.0)
        p += 360.0;
    return p - 180.0;
}

std::vector<ZsbKind>& KindTable()
{
    static std::vector<ZsbKind> table;
    return table;
}

}  // namespace

std::vector<double> ZsbMeridianAngles(const ZsbRecipe& recipe)
{
    std::vector<double> angles;
    const double step = recipe.meridianStep > 0.0 ? recipe.meridianStep : 360.0;
    for (int i = 0;; ++i) {
        const double a = i * step;
        if (a >= 360.0 - 1e-9)
            break;
        angles.push_back(a);
    }
    return angles;
}

std::vector<double> ZsbPolarAngles(const ZsbRecipe& recipe)
{
    std::vector<double> angles;
    const double step = recipe.polarStep > 0.0 ? recipe.polarStep : 180.0;
    for (int i = 0;; ++i) {
        const double a = i * step;
        if (a > 180.0 + 1e-9)
            break;
        angles.push_back(a);
    }
    if (angles.back() < 180.0 - 1e-9)
        angles.push_back(180.0);
    return angles;
}

void ZsbUnitResponse(const ZsbUnit& unit, double f, double meridian, double polar,
                     double& level, double& phase)
{
    const double k = 2.0 * kPi * f / kSpeedOfSound;
    const double theta = polar * kPi / 180.0;
    // Meridians 0 and 180 lie in the horizontal plane (the unit's y axis): a
    // positive ellipticity shrinks the radius there and widens the
    // horizontal coverage.
    const double radius = unit.radius * (1.0 - unit.ellipticity * std::cos(2.0 * meridian * kPi / 180.0));
    const double ka = k * radius;
    // The piston radiates into the front half; towards the rear the cabinet
    // shadows it, less so where the wavelength is long against the piston.
    const double front = PistonFactor(ka * std::sin(std::min(theta, kPi / 2.0)));
    const double wrap = 1.0 / (1.0 + ka * ka);
    const double back = theta > kPi / 2.0 ? wrap + (1.0 - wrap) * std::pow(std::cos(theta - kPi / 2.0), 2.0) : 1.0;
    double magnitude = std::fabs(front) * back;
    magnitude = std::max(magnitude, 0.003);  // about -50 dB: the measurement floor

    // Second-order high-pass (Q = 0.707) at the low corner.
    const double u = f / unit.lowCorner;
    const double hpMagnitude = u * u / std::sqrt((1.0 - u * u) * (1.0 - u * u) + 2.0 * u * u);
    const double hpPhase = 180.0 - std::atan2(std::sqrt(2.0) * u, 1.0 - u * u) * 180.0 / kPi;

    level = unit.sensitivity + 20.0 * std::log10(hpMagnitude * magnitude);
    phase = hpPhase - 360.0 * f * unit.delay * (1.0 - 0.5 * std::sin(theta / 2.0));
    if (front < 0.0)
        phase += 180.0;
    phase = WrapPhase(phase);
}

std::string MakeZsbText(const ZsbRecipe& recipe)
{
    std::string out;
    Line(out, "Version 1.0.0");
    Line(out, std::to_string(recipe.typeCode));
    for (int c : recipe.countLines)
        Line(out, std::to_string(c));

    const std::vector<double> meridians = ZsbMeridianAngles(recipe);
    const std::vector<double> polars = ZsbPolarAngles(recipe);
    int count = 0;
    int end = 0;
    std::vector<double> freqs;
    GetOctaveFrequencies(count, end, recipe.lowest, recipe.highest, recipe.pitch, freqs);

    Line(out, recipe.name);
    Line(out, std::to_string(recipe.taps.size()));
    Line(out, std::to_string(meridians.size()));
    Line(out, std::to_string(polars.size()));
    Line(out, std::to_string(recipe.pitch));
    Line(out, Num("%g", recipe.lowest));
    Line(out, Num("%g", recipe.highest));

    for (const ZsbTap& tap : recipe.taps) {
        std::string text;
        text += tap.kind;
        text += ',';
        text += Num("%g", tap.value);
        text += ',';
        text += Num("%g", tap.power);
        if (tap.hasFactor) {
            text += ',';
            text += Num("%g", tap.factor);
        }
        Line(out, text);
    }

    std::string polarLine;
    for (std::size_t j = 0; j < polars.size(); ++j) {
        if (j)
            polarLine += ',';
        polarLine += Num("%g", polars[j]);
    }
    Line(out, polarLine);

    for (const ZsbAxis& axis : recipe.axes) {
        Line(out, axis.name);
        Line(out, Num("%g", axis.length));
        Line(out, Num("%g", axis.offset));
        Line(out, Num("%g", axis.splay));
        Line(out, Num("%g", axis.share));
    }

    std::vector<ZsbUnit> units = recipe.units;
    if (units.empty())
        units.emplace_back();
    for (const ZsbUnit& unit : units) {
        for (double meridian : meridians) {
            Line(out, Num("%g", meridian));
            for (double f : freqs) {
                std::string text;
                for (std::size_t j = 0; j < polars.size(); ++j) {
                    double level = 0.0;
                    double phase = 0.0;
                    ZsbUnitResponse(unit, f, meridian, polars[j], level, phase);
                    if (j)
                        text += ",";
                    text += Num("%.2f", level);
                    text += ',';
                    text += Num("%.1f", phase);
                }
                Line(out, text);
            }
        }
    }
    return out;
}

void ApplyZsbUnitOverrides(ZsbRecipe& recipe, const ZsbUnitOverrides& overrides)
{
    for (ZsbUnit& u : recipe.units) {
        if (overrides.radius)
            u.radius = *overrides.radius;
        if (overrides.ellipticity)
            u.ellipticity = *overrides.ellipticity;
        if (overrides.sensitivity)
            u.sensitivity = *overrides.sensitivity;
        if (overrides.lowCorner)
            u.lowCorner = *overrides.lowCorner;
        if (overrides.delay)
            u.delay = *overrides.delay;
    }
}

bool RegisterZsbKind(const ZsbKind& kind)
{
    auto& table = KindTable();
    auto it = std::find_if(table.begin(), table.end(), [&](const ZsbKind& k) { return k.typeCode == kind.typeCode; });
    if (it != table.end())
        *it = kind;
    else
        table.push_back(kind);
    return true;
}

const ZsbKind* FindZsbKind(int typeCode)
{
    for (const ZsbKind& k : KindTable()) {
        if (k.typeCode == typeCode)
            return &k;
    }
    return nullptr;
}

std::vector<ZsbKind> ZsbKinds()
{
    std::vector<ZsbKind> kinds = KindTable();
    std::sort(kinds.begin(), kinds.end(), [](const ZsbKind& a, const ZsbKind& b) { return a.typeCode < b.typeCode; });
    return kinds;
}
