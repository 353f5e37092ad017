#pragma once
// Locating an angle in an ascending list of grid angles (polar angles of the
// data header, meridian angles of a balloon).

#include "platform/Types.h"

#include <cstddef>
#include <vector>

// Tolerance within which an angle counts as lying on a grid angle.
inline constexpr double kAngleBracketTolerance = 1e-5;

// Finds a among the ascending angles. Within the tolerance of an entry:
// lo = hi = that entry, iLo = iHi = its index, TRUE. Strictly between two
// neighbours A < a < B: lo = A, hi = B, their indices, FALSE. A single entry,
// or an angle outside every pair: indices 0, 0, lo = hi = entry 0, FALSE.
// An empty list is not read: indices 0, 0, lo = hi = 0.0, FALSE.
BOOL FindAngleBracketIn(const std::vector<double>& angles, double a,
                        double& lo, double& hi, int& iLo, int& iHi);

// The scan of FindAngleBracketIn begun at the pair (start, start + 1) of a
// list of at least two angles; pairs before start are skipped.
BOOL FindAngleBracketFrom(const std::vector<double>& angles, std::size_t start, double a,
                          double& lo, double& hi, int& iLo, int& iHi);
