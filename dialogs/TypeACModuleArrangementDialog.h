#pragma once
// The body shared by the TypeA (DM-K14) and TypeC (DM-P6) arrangement
// dialogs: a column of wedge-shaped L and S cabinets hung from a rigging
// point. The user picks the number of cabinets, the kind of each cabinet and
// the angle setting of every joint; the dialog keeps per cabinet its kind
// and its tilt against the cabinet above, and the counts (0, 0, n) once a
// box count has been chosen. The two kinds differ only in their layout.

#include "dialogs/CabinetArrangementDialog.h"

class CCabinetViewStatic;

// Control ids, item texts and outline depths of one kind of column.
struct CCabinetColumnLayout {
    unsigned templateId = 0;
    int previewId = 0;
    int boxCountId = 0;
    int firstCabinetId = 0;
    int cabinetCount = 0;
    int firstAngleId = 0;
    int angleCount = 0;
    // String ids of the box-count items (item k means k + 1 cabinets) and
    // of the L and S cabinet items.
    unsigned firstBoxCountString = 0;
    unsigned cabinetStrings[2] = {0, 0};
    // Depth of an L and of an S cabinet outline.
    double depths[2] = {0.0, 0.0};
};

class CTypeACModuleArrangementDialog : public CCabinetArrangementDialog {
public:
    // Angle-combo items: the text of item s is "<s>deg", s = 0 .. 5.
    static constexpr int kAngleItems = 6;
    static constexpr unsigned kFirstAngleString = 64440;
    // Wedge angle of an L and of an S cabinet, degrees.
    static constexpr double kWedges[2] = {5.0, 15.0};

    // Half the wedge angle of a cabinet kind: 2.5 for L (0), 7.5 otherwise.
    static double HalfWedge(int kind) { return kind == 0 ? 2.5 : 7.5; }

    const CCabinetColumnLayout& GetLayout() const { return m_layout; }

    bool OnInitDialog() override;
    void OnControlCommand(int id, int notifyCode) override;
    void OnDrawControl(int id, IDrawingContext& dc, const CRect& client) override;

    // Selects the box count of n cabinets and enables the combos of the
    // first n cabinets and of the n - 1 joints between them.
    void EnableControls(unsigned n);
    // Vectors, wedge angles and depths from the kinds and tilts.
    void RecalcGeometry();

    void OnCbnSelchangeBoxCount();
    void OnCbnSelchangeCabinet(int id);
    void OnCbnSelchangeAngle(int id);

    virtual CCabinetViewStatic& GetPreview() = 0;

protected:
    // The length unit is accepted and not used.
    CTypeACModuleArrangementDialog(const CCabinetColumnLayout& layout, unsigned centre, unsigned upper,
                                   unsigned lower, const CAxisElementArray& units, int lengthUnit);

private:
    int CabinetId(std::size_t i) const { return m_layout.firstCabinetId + static_cast<int>(i); }
    int AngleId(std::size_t k) const { return m_layout.firstAngleId + static_cast<int>(k); }
    // Sets the tilt of cabinet i >= 1 from the angle combo of the joint
    // above it and the kinds on both sides; a joint without a combo or
    // without a selection keeps the tilt it has.
    void ApplyTiltRule(std::size_t i);
    void InvalidatePreview() { Invalidate(m_layout.previewId); }

    CCabinetColumnLayout m_layout;
};
