#pragma once
// What the column arrays with one description per module share (LV-3,
// LV-6, TypeS and TypeT): the three-word module-count record and the three
// count lines of the import file, one axis element per module read from the
// import file and saved as the axis record, placement i taking axis element
// i, and element i linking placement i to the one balloon all modules share.

#include "models/SpeakerModel.h"

class CLineArrayModel : public CSpeakerModel {
public:
    explicit CLineArrayModel(int typeCode);
    ~CLineArrayModel() override;

    // WORD centre, upper, lower. Loading stores the counts and sizes the
    // axis elements (GetAxisCountFor) and the balloons (one).
    void SerializeModuleCounts(CArchive& ar) override;
    // The axis elements' records, no count.
    void SerializeAxisData(CArchive& ar) override;
    // Three lines: centre, upper and lower count. FALSE, with nothing
    // changed, when a line is missing or the counts are no module counts.
    BOOL ReadModuleCounts(CStdioFile& file) override;
    // One five-line block per axis element, in index order; always TRUE.
    BOOL ReadAxisData(CStdioFile& file) override;
    // Element i: header, tap table, placement i and balloon 0, for the
    // first GetBuiltElementCount placements.
    void BuildSpeakerElements() override;
    BOOL CanAutoInstall() const override;
    BOOL HasModuleArrangement() const override;
    BOOL IsAutoInstallDoubtful() const override;
    // Placement i takes axis element i (bFull: name, vector and share; else
    // the vector only), for every i below both array sizes.
    void AssignAxisData(BOOL bFull) override;

    // centre + upper + lower.
    DWORD GetTotalCount() const { return m_tapTable.GetElementCount(); }

protected:
    // Axis elements the model keeps for the given counts: one per module.
    virtual DWORD GetAxisCountFor(DWORD centre, DWORD upper, DWORD lower) const;
    // Elements built from the placements: every module.
    virtual DWORD GetBuiltElementCount() const;
    // Stores the counts and sizes the axis and balloon arrays for them.
    void SetCountsAndSizeArrays(DWORD centre, DWORD upper, DWORD lower);

    // The suffix text of the string table, or "" for id 0.
    static std::string SuffixText(unsigned id);
};
