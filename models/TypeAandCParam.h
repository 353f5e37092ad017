#pragma once
// The per-cabinet choice of a cabinet array: which unit (cabinet or box
// kind) the element is, and its tilt against the element above it.

#include <cstdint>
#include <vector>

class CArchive;

class CTypeAandCParam {
public:
    CTypeAandCParam() = default;
    CTypeAandCParam(std::int32_t type, double angle) : m_nType(type), m_dAngle(angle) {}

    // int32 unit index, then f64 tilt (12 bytes).
    void Serialize(CArchive& ar);

    bool operator==(const CTypeAandCParam&) const = default;

    // Index into the model's unit descriptions and balloons.
    std::int32_t m_nType = 0;
    // Tilt against the element above, degrees; not used for the top element.
    double m_dAngle = 0.0;
};

class CTypeAandCParamArray : public std::vector<CTypeAandCParam> {
public:
    using std::vector<CTypeAandCParam>::vector;

    static constexpr std::uint64_t kRecordSize = 12;

    // Every entry's record in order, no count: the owner sizes the array
    // before loading.
    void Serialize(CArchive& ar);
};
