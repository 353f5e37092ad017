#pragma once
// What the cabinet arrays share (TypeA, TypeC and TypeH): a column hanging
// below the rigging point whose every element is one of a few units (cabinet
// or box kinds), each unit with its own description and balloon. The choice
// per element (unit index and tilt against the element above) is kept in
// m_params; the element geometry, aim angles and element links follow from
// it.

#include "models/SpeakerModel.h"
#include "models/TypeAandCParam.h"

class CCabinetArrayModel : public CSpeakerModel {
public:
    CCabinetArrayModel(int typeCode, DWORD unitCount, DWORD importLowerCount);
    ~CCabinetArrayModel() override;

    // WORD centre, upper, lower; loading stores the counts and sizes the
    // units and balloons to the model's unit count.
    void SerializeModuleCounts(CArchive& ar) override;
    // The unit descriptions' records, then one parameter record per
    // element. A loaded unit index outside the units, a tilt or a unit
    // geometry that is no finite number is a format error.
    void SerializeAxisData(CArchive& ar) override;
    // Three lines: centre and upper count, the third read and ignored; the
    // counts become (centre, upper, import lower count).
    BOOL ReadModuleCounts(CStdioFile& file) override;
    // One five-line block per unit, in index order; FALSE when a unit's
    // offset, length or splay is no finite number.
    BOOL ReadAxisData(CStdioFile& file) override;
    // The downward column of StackColumnDownward.
    void CalcAimAngles() override;
    // Element i: header, tap table, placement i and the balloon of its unit;
    // then CalcAimAngles.
    void BuildSpeakerElements() override;
    BOOL CanAutoInstall() const override;
    BOOL HasModuleArrangement() const override;
    BOOL IsAutoInstallDoubtful() const override;
    // Grows m_params to the placements; placement i takes the description of
    // its unit (bFull: name, vector and share; else the vector only); the
    // top element's tilt becomes 0.0, element i's tilt m_params[i].m_dAngle.
    void AssignAxisData(BOOL bFull) override;
    // Runs the arrangement dialog with the counts, units and parameters;
    // 0.0 when cancelled (or when the dialog's result cannot be applied),
    // else old element count / new element count.
    double DoModuleArrangement(int nLengthUnit) override;
    // The base sizing, then m_params sized to the placements.
    void ResizeVariableParams() override;

    // Rebuilds the model from the counts and the parameters. Does nothing
    // (and returns false) with a centre or upper element, with fewer
    // parameters than elements, a unit index outside the units or a total
    // beyond the module limit. total is not used.
    bool ApplyArrangement(DWORD centre, DWORD upper, DWORD lower, DWORD total,
                          const CTypeAandCParamArray& params);

    // centre + upper + lower.
    DWORD GetTotalCount() const { return m_tapTable.GetElementCount(); }
    DWORD GetUnitCount() const { return m_dwUnitCount; }
    const CTypeAandCParamArray& GetParams() const { return m_params; }

protected:
    // "(x n)" of the string table for 2 <= n <= 12, else "".
    static std::string CabinetCountSuffix(DWORD n);

    CTypeAandCParamArray m_params;

private:
    bool IsValidUnit(std::int32_t type) const;
    // Every unit's vector (offset, length, splay) is finite.
    bool AreUnitsFinite() const;

    DWORD m_dwUnitCount;
    DWORD m_dwImportLowerCount;
};
