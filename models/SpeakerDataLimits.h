#pragma once
// Bounds on the counts a speaker-data file or a project file may give. The
// files come from anywhere, so every count is checked against these before
// anything is allocated for it.

#include <cstdint>

namespace SpeakerDataLimits {

// Every count of the data header (taps, polar angles, meridian angles,
// frequencies) is stored as a 16-bit word in the project file.
inline constexpr std::uint32_t kMaxCount = 0xFFFFu;

// Cells of one directivity balloon (meridian rows x polar angles x
// frequencies). Measured data sets stay below a few million; 16 Mi cells of
// 16 bytes are 256 MiB, beyond which a file is taken as broken.
inline constexpr std::uint64_t kMaxBalloonCells = 16ull * 1024ull * 1024ull;

// The 1/N-octave pitch of the frequency series (24, 12, 6, 3 or 1 in
// practice).
inline constexpr int kMinFrequencyPitch = 1;
inline constexpr int kMaxFrequencyPitch = 1000;

// Modules of one model (centre + upper + lower): real arrays have a few
// dozen at most; each count is also stored as a 16-bit word.
inline constexpr std::uint32_t kMaxModuleCount = 4096u;

}  // namespace SpeakerDataLimits
