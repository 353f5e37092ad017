#pragma once
// Bounds on the values of a project file that enter a calculation or a
// drawing: installations, room, calculation planes, colour maps and the
// remembered automatic-installation values. A file this program wrote stays
// far inside them; beyond them a value can only come from a damaged or
// hostile file, and the file is refused before a level turns infinite or
// into no number. Each test is false for a value that is not a number.

#include "models/Point3D.h"
#include "models/SpeakerDataLimits.h"

#include <cmath>
#include <limits>

namespace ProjectFileLimits {

// Lengths and positions in the project's unit (metres or feet). The dialogs
// accept 10000; a speaker dragged to the far corner of such a room sits at
// 20000, and turning the project to feet multiplies by 3.28. Up to 1e6 every
// distance of the calculation, its image source under the ceiling and its
// square stay finite, as for the module geometry of the speaker data.
inline constexpr double kMaxLength = SpeakerDataLimits::kMaxLength;

// Power of one installation, W. The dialog gives up to 10000 W, an
// automatic installation the tap's power (up to 1e9 W) and a module
// arrangement rescales by the ratio of module counts; the pressure of a
// model stays finite up to 1e100 W.
inline constexpr double kMaxPower = 1.0e100;
// The total of up to 65535 installations.
inline constexpr double kMaxTotalPower = kMaxPower * 65536.0;

// Angles in degrees: as those of the speaker data (2^53, beyond which a
// double no longer tells one degree from the next); the rotations stay
// finite for any angle up to it.
inline constexpr double kMaxAngle = SpeakerDataLimits::kMaxAngle;

// Levels in dB: the colour scale's top level and step (the dialog allows
// -10000 to 10000) with the thresholds derived from them, and the levels of
// a calculation (a few thousand dB at the very most).
inline constexpr double kMaxLevel = 1.0e6;

// Frequencies in Hz, as those of the speaker data.
inline constexpr double kMaxFrequency = SpeakerDataLimits::kMaxFrequency;
// N of a 1/N-octave band: as the finest frequency pitch of speaker data.
inline constexpr double kMaxBandFraction = SpeakerDataLimits::kMaxFrequencyPitch;

// Drawing scale of a map window, pixels per millimetre. The projection turns
// any finite scale into whole pixels; zooming in from the largest scale a
// fit gives would take over a thousand steps to come near this.
inline constexpr double kMaxScale = 1.0e100;

inline bool IsUsableLength(double v)
{
    return std::fabs(v) <= kMaxLength;
}

inline bool IsUsablePoint(const CPoint3D& p)
{
    return IsUsableLength(p.x) && IsUsableLength(p.y) && IsUsableLength(p.z);
}

inline bool IsUsableAngle(double degrees)
{
    return std::fabs(degrees) <= kMaxAngle;
}

inline bool IsUsableAngles(const CPoint3D& a)
{
    return IsUsableAngle(a.x) && IsUsableAngle(a.y) && IsUsableAngle(a.z);
}

inline bool IsUsablePower(double watts)
{
    return watts >= 0.0 && watts <= kMaxPower;
}

inline bool IsUsableTotalPower(double watts)
{
    return watts >= 0.0 && watts <= kMaxTotalPower;
}

// A level of the colour scale.
inline bool IsUsableLevel(double db)
{
    return std::fabs(db) <= kMaxLevel;
}

// A level a calculation stored: also minus infinity, the level where
// nothing sounds.
inline bool IsUsableResultLevel(double db)
{
    return IsUsableLevel(db) || db == -std::numeric_limits<double>::infinity();
}

// 0 stands for a frequency or band not chosen yet.
inline bool IsUsableFrequency(double hz)
{
    return hz >= 0.0 && hz <= kMaxFrequency;
}

inline bool IsUsableBandFraction(double n)
{
    return n >= 0.0 && n <= kMaxBandFraction;
}

inline bool IsUsableScale(double pixelsPerMillimetre)
{
    return pixelsPerMillimetre >= 0.0 && pixelsPerMillimetre <= kMaxScale;
}

}  // namespace ProjectFileLimits
