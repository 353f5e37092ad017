#pragma once
// Bounds on the counts and values a speaker-data file or a project file may
// give. The files come from anywhere, so every count is checked against
// these before anything is allocated for it, and every value before a model
// that holds it is kept.

#include <cmath>
#include <cstdint>

namespace SpeakerDataLimits {

// Every count of the data header (taps, polar angles, meridian angles,
// frequencies) is stored as a 16-bit word in the project file.
inline constexpr std::uint32_t kMaxCount = 0xFFFFu;

// Cells of one directivity balloon (meridian rows x polar angles x
// frequencies). Measured data sets stay below a few million; 16 Mi cells of
// 16 bytes are 256 MiB, beyond which a file is taken as broken.
inline constexpr std::uint64_t kMaxBalloonCells = 16ull * 1024ull * 1024ull;

// Cells that the records of a project file before 2.0 imply but do not
// carry: the balloons of a model without elements (of each model kept; the
// second copy such a file carries is dropped). A load holds none of them,
// but a save writes them out as zero cells, so all of them in one file
// together may come to 2 Mi cells (32 MiB written; a whole sphere at
// 1-degree steps in 31 third-octave bands is just below), or to the file's
// own size where that is more.
inline constexpr std::uint64_t kMaxImpliedCells = 2ull * 1024ull * 1024ull;

// Cells that the balloons of an imported model may hold beyond the bytes of
// the file left to carry them (rows the file leaves out, lines shorter than
// the grid): 1 MiB of cells, whatever the file. Complete data never need
// it, since they take at least two bytes per cell.
inline constexpr std::uint64_t kCellsBeyondFileBytes = 64u * 1024u;

// The 1/N-octave pitch of the frequency series (24, 12, 6, 3 or 1 in
// practice).
inline constexpr int kMinFrequencyPitch = 1;
inline constexpr int kMaxFrequencyPitch = 1000;

// Modules of one model (centre + upper + lower): real arrays have a few
// dozen at most; each count is also stored as a 16-bit word.
inline constexpr std::uint32_t kMaxModuleCount = 4096u;

// Values. Measured data stay far inside these bounds; beyond them a value can
// only come from a damaged file. Within them every pressure a model gives
// stays a finite double, also after the distance law down to a micrometre,
// an installation power of up to 1e100 W, the sum over all elements and
// their image sources, and the square taken by an energy sum.

// Level of a balloon cell at the reference distance, dB: the scale of the
// 999 dB that a receiver on a source gets.
inline constexpr double kMaxLevel = 1000.0;
// Real and imaginary part of a stored cell, Pa: above the pressure of
// kMaxLevel (2e45 Pa).
inline constexpr double kMaxPressure = 1.0e46;
// Angles and phases in degrees: 2^53, beyond which a double no longer tells
// one degree from the next.
inline constexpr double kMaxAngle = 9007199254740992.0;
// Lengths in metres: positions, module geometry, reference distance.
inline constexpr double kMaxLength = 1.0e6;
// Frequencies of the data, Hz.
inline constexpr double kMaxFrequency = 1.0e9;
// Tap values (volts or ohms), tap powers (W) and power factors.
inline constexpr double kMaxTapValue = 1.0e9;
// Power share of one element.
inline constexpr double kMaxPowerShare = 1.0e6;

// Each is false for a value that is not a number.
inline bool IsUsableAngle(double degrees)
{
    return std::fabs(degrees) <= kMaxAngle;
}

inline bool IsUsableLength(double metres)
{
    return std::fabs(metres) <= kMaxLength;
}

inline bool IsUsableShare(double share)
{
    return share >= 0.0 && share <= kMaxPowerShare;
}

inline bool IsUsableLevelPhase(double level, double phase)
{
    return std::isfinite(level) && level <= kMaxLevel && IsUsableAngle(phase);
}

inline bool IsUsablePressure(double re, double im)
{
    return std::fabs(re) <= kMaxPressure && std::fabs(im) <= kMaxPressure;
}

}  // namespace SpeakerDataLimits
