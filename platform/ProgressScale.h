#pragma once
// The bar of a progress dialog for a loop of many steps. The bar's range is
// 16-bit, so a loop of more steps than it holds cannot count them one by
// one: up to kMaxRange steps the bar's range is the step count and its
// position the step's index; beyond, the range is kMaxRange and positions
// follow the steps in proportion.

#include <cstddef>

class CProgressScale {
public:
    // The largest range end the bar keeps.
    static constexpr int kMaxRange = 0xFFFF;

    explicit CProgressScale(std::size_t steps);

    // The high end of the bar's range (the low end is 0).
    int GetRange() const { return m_nRange; }
    // The bar position of step index (0 .. steps; larger indices stand at
    // the end).
    int GetPosition(std::size_t index) const;

private:
    std::size_t m_nSteps;
    int m_nRange;
};
