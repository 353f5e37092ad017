#include "models/OctaveFrequencies.h"

#include <cmath>

namespace {

// Far beyond any audio series; keeps a bad limit from running away.
constexpr int kMaxIndex = 1000000;

double OctaveFrequency(int i, double n)
{
    return std::pow(10.0, 0.3 * i / n);
}

}  // namespace

void MakeOctaveFrequencies(int& count, int& end, double fmin, double fmax, double n, std::vector<double>* out)
{
    count = 0;
    end = 0;
    if (out)
        out->clear();
    if (!(n > 0.0) || !std::isfinite(n) || !std::isfinite(fmax))
        return;
    int i = 0;
    double f;
    do {
        f = OctaveFrequency(i, n);
        if (f >= fmin)
            ++count;
        ++i;
    } while (f <= fmax && i < kMaxIndex);
    end = i - 1;
    count = count - 1;
    if (out && count >= 1) {
        out->resize(static_cast<std::size_t>(count));
        for (int j = 0; j < count; ++j)
            (*out)[static_cast<std::size_t>(j)] = OctaveFrequency(end - count + j, n);
    }
}

void CountOctaveFrequencies(int& count, int& end, double fmin, double fmax, double n)
{
    MakeOctaveFrequencies(count, end, fmin, fmax, n, nullptr);
}

void GetOctaveFrequencies(int& count, int& end, double fmin, double fmax, double n, std::vector<double>& out)
{
    MakeOctaveFrequencies(count, end, fmin, fmax, n, &out);
}
