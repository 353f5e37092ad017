#pragma once
// The 1/N-octave series f_i = 10^(0.3 i / N) Hz within [fmin, fmax].
#include <vector>

// count: how many lie within; end: index of the first one above fmax.
void CountOctaveFrequencies(int& count, int& end, double fmin, double fmax, double n);
void GetOctaveFrequencies(int& count, int& end, double fmin, double fmax, double n, std::vector<double>& out);
// Either of the above (array may be nullptr).
void MakeOctaveFrequencies(int& count, int& end, double fmin, double fmax, double n, std::vector<double>* out = nullptr);
