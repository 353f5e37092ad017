#pragma once
// An SPL map window without a widget: choice lists kept as string lists, a
// client area of a chosen size, and counters of what the window was asked.

#include "splcalc/SceneSupport.h"
#include "views/ColorMapViewCore.h"

#include <map>
#include <string>
#include <vector>

namespace mapview_test {

struct Combo {
    std::vector<std::string> items;
    int selection = -1;
};

class CTestMapView : public CColorMapViewCore, public IView {
public:
    explicit CTestMapView(CKDRDoc& doc, CSize client = CSize(800, 600)) : CColorMapViewCore(doc), client(client)
    {
        doc.AddView(this);
    }
    ~CTestMapView() override { m_doc.RemoveView(this); }

    void OnUpdate(IView*, long hint) override { OnUpdateHint(hint); }
    void OnPrintCommand(unsigned) override {}

    Combo& Band() { return combos[kIdComboBand]; }
    Combo& Frequency() { return combos[kIdComboFrequency]; }
    Combo& SumMode() { return combos[kIdComboSumMode]; }
    std::string Selected(int id)
    {
        Combo& c = combos[id];
        return c.selection >= 0 && c.selection < static_cast<int>(c.items.size()) ? c.items[c.selection] : "";
    }

    // Protected members, for checks.
    using CColorMapViewCore::m_bPrinting;
    using CColorMapViewCore::m_nPageWidth;
    using CColorMapViewCore::m_rectPrintMargin;
    using CColorMapViewCore::m_nPrintFontHeight;

    CSize client;
    int comboStrip = 20;
    int redraws = 0;
    int scrollChanges = 0;
    std::map<int, Combo> combos;

protected:
    CSize GetClientSize() const override { return client; }
    void OnScrollSizesChanged(const CSize&) override { ++scrollChanges; }
    int GetComboStripHeight() const override { return comboStrip; }
    void ClearAndRedraw() override { ++redraws; }
    void ComboResetContent(int id) override { combos[id] = Combo(); }
    void ComboAddString(int id, const std::string& text) override { combos[id].items.push_back(text); }
    int ComboGetCount(int id) const override
    {
        auto it = combos.find(id);
        return it == combos.end() ? 0 : static_cast<int>(it->second.items.size());
    }
    int ComboGetCurSel(int id) const override
    {
        auto it = combos.find(id);
        return it == combos.end() ? -1 : it->second.selection;
    }
    void ComboSetCurSel(int id, int index) override
    {
        Combo& c = combos[id];
        c.selection = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
    }
};

}  // namespace mapview_test
