#pragma once
// The description of one unit kind (one module of a line array): its name,
// its geometry and its share of the model's power.

#include "models/AxisEntity.h"
#include "platform/Types.h"

#include <string>
#include <vector>

class CArchive;
class CStdioFile;

class CAxisElement {
public:
    CAxisElement() = default;

    // Name, geometry and share.
    void Copy(const CAxisElement& other) { *this = other; }

    const std::string& GetName() const { return m_strName; }
    void SetName(const std::string& name) { m_strName = name; }
    const CAxisEntity& GetVector() const { return m_entity; }
    CAxisEntity& GetVector() { return m_entity; }
    void SetVector(const CAxisEntity& entity) { m_entity = entity; }
    double GetPowerShare() const { return m_dPowerShare; }
    void SetPowerShare(double share) { m_dPowerShare = share; }

    // Five lines: name, module length, front offset, splay, power share. A
    // line that cannot be read leaves its field as it was; always TRUE.
    BOOL ReadText(CStdioFile& file);

    // Name, then f64 offset (x), length (y), splay (z). The share is not
    // part of the record.
    void Serialize(CArchive& ar);

private:
    std::string m_strName;
    CAxisEntity m_entity;
    double m_dPowerShare = 1.0;
};

class CAxisElementArray : public std::vector<CAxisElement> {
public:
    using std::vector<CAxisElement>::vector;
    // Every element's record in order, no count (the owner sizes the array).
    void Serialize(CArchive& ar);
};
