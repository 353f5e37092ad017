#pragma once
// A complex sound pressure in pascal; levels in dB re 20 uPa, phases in
// degrees, sound travelling at 344.0 m/s.
#include <vector>

class CSPComplex {
public:
    static constexpr double kRefPressure = 2e-5;
    static constexpr double kSpeedOfSound = 344.0;

    CSPComplex() = default;
    CSPComplex(double re_, double im_) : re(re_), im(im_) {}

    void SetLevelPhase(double level, double phaseDeg);
    // 0.0 when the magnitude is 0.
    double GetLevel() const;
    // atan2(im, re) in degrees, in (-180, 180].
    double GetPhase() const;
    void Scale(double k) { re *= k; im *= k; }
    void Add(double dre, double dim) { re += dre; im += dim; }
    void Clear() { re = 0.0; im = 0.0; }
    // Moves the pressure from distance r0 to distance r at frequency f.
    void Propagate(double r, double r0, double f);

    double re = 0.0;
    double im = 0.0;
};

using CSPComplexArray = std::vector<CSPComplex>;
