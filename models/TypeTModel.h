#pragma once
// The TypeT column (type code 2): 8 elements hanging below the rigging point
// with a built-in progressive curvature. The splays come from the model's
// own table; the import file and the user give none. Module Arrangement is
// offered but changes nothing.

#include "models/LineArrayModel.h"

class CTypeTModel : public CLineArrayModel {
public:
    static constexpr int kTypeCode = 2;
    static constexpr DWORD kElementCount = 8;
    // Splay of element i against the element above it (element 0 against
    // the rigging line), degrees.
    static constexpr double kSplays[kElementCount] = {4.0, 0.4, 0.8, 1.6, 2.8, 4.4, 6.4, 10.0};

    CTypeTModel();
    ~CTypeTModel() override;

    // Three lines: centre and upper count; the third is read and ignored,
    // the lower count being 8. Axis elements and placements are sized to 8.
    BOOL ReadModuleCounts(CStdioFile& file) override;
    // With no centre and no upper element: each of the lower-count elements
    // takes offset and length from its axis element and its splay from the
    // table, and the column is stacked downward from height 0.0. Elements
    // beyond the table (only a project file can hold more than 8) repeat the
    // last element's offset and length and hang straight on (splay 0.0).
    void CalcAimAngles() override;

protected:
    DWORD GetAxisCountFor(DWORD centre, DWORD upper, DWORD lower) const override;
    // The lower count.
    DWORD GetBuiltElementCount() const override;
};
