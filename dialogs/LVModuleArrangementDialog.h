#pragma once
// The body that the LV-3 and LV-6 arrangement dialogs share: a box-count
// combo, one splay-mode combo per joint, frames for the modules, boxes and
// connectors, and the rules that tie the combos to the module splays.
//
// Modules of an array of n (h = n / 2): the upper half is modules 0 to h-1,
// module 0 next to the rigging point; the lower half is modules h to n-1,
// module h next to the rigging point. Combo 0 is the joint between the two
// top modules, combo h-1 the joint at the rigging point (shared half and half
// by the two centre modules), combo n-2 the joint between the two bottom
// modules. The upper half splays negative, the lower half positive.

#include "dialogs/LineArrayArrangementDialog.h"

#include <vector>

// The controls and tables of one LV dialog.
struct CLVArrangementLayout {
    int countCombo = 0;
    int preview = 0;
    std::vector<int> angleCombos;      // joints from the top downward
    std::vector<int> moduleFrames;     // modules from the top downward
    std::vector<int> boxFrames;
    std::vector<int> connectorFrames;  // between boxes
    std::vector<double> splays;        // degrees per joint, by combo item
    std::vector<unsigned> splayTextIds;
    std::vector<unsigned> countTextIds;  // item k: counts (0, 2(k+1), 2(k+1))
};

class CLVModuleArrangementDialog : public CLineArrayArrangementDialog {
public:
    CLVModuleArrangementDialog(unsigned templateId, const CLVArrangementLayout& layout, unsigned centre,
                               unsigned upper, unsigned lower, CAxisEntityArray* entities);

    const CLVArrangementLayout& GetLayout() const { return m_layout; }

    bool OnInitDialog() override;
    void OnControlCommand(int id, int notifyCode) override;

    // Shows the controls for n modules and selects each combo's splay mode
    // from the module vectors.
    void UpdateControls(unsigned n);
    // Writes each module's splay from its combo.
    void ApplyComboAngles(unsigned n);
    void OnCbnSelchangeAngle();
    void OnCbnSelchangeBoxCount();

    // The combo (index into the angle combos, -1 for none) and the sign of
    // module i of n.
    static void ModuleCombo(unsigned i, unsigned n, int* combo, double* sign);

protected:
    // How many splay items each angle combo offers.
    virtual int OfferedSplayItems() const = 0;
    void InvalidatePreview();

    CLVArrangementLayout m_layout;
};
