#pragma once
// An SPL map window without a widget for the room-parameters, readout and
// printing tests, on a scene of the SPL map tests.

#include "splcalc/SceneSupport.h"
#include "platform/RecordingDC.h"
#include "views/ColorMapViewCore.h"

#include <map>
#include <string>

namespace roomprint_test {

class CMapWindow : public CColorMapViewCore, public IView {
public:
    explicit CMapWindow(CKDRDoc& doc, int conditionIndex = 0) : CColorMapViewCore(doc)
    {
        SetConditionIndex(conditionIndex);
        doc.AddView(this);
    }
    ~CMapWindow() override { m_doc.RemoveView(this); }

    void OnUpdate(IView*, long) override {}
    void OnPrintCommand(unsigned) override {}
    // Keeps the rows page 1 held, which are known only while printing.
    void OnEndPrinting(IDrawingContext& dc, CPrintInfo& info) override
    {
        lastFirstPageRows = GetFirstTablePageRows();
        CColorMapViewCore::OnEndPrinting(dc, info);
    }

    using CColorMapViewCore::m_fontPrint;
    using CColorMapViewCore::m_fontScreen;
    using CColorMapViewCore::m_nTableTop;
    using CColorMapViewCore::m_rectPrintMargin;
    using CColorMapViewCore::m_rectPrintTable;

    int lastFirstPageRows = -1;
    int redraws = 0;
    // The readout lines written straight onto the window, one pass each.
    std::vector<CRecordingDC> readouts;
    int scrollChanges = 0;

protected:
    CSize GetClientSize() const override { return CSize(800, 600); }
    void OnScrollSizesChanged(const CSize&) override { ++scrollChanges; }
    void ClearAndRedraw() override { ++redraws; }
    void ShowCursorReadout() override
    {
        readouts.emplace_back();
        DrawCursorReadout(readouts.back());
    }
    void ComboResetContent(int id) override { combos[id].clear(); }
    void ComboAddString(int id, const std::string& text) override { combos[id].push_back(text); }
    int ComboGetCount(int id) const override
    {
        auto it = combos.find(id);
        return it == combos.end() ? 0 : static_cast<int>(it->second.size());
    }
    int ComboGetCurSel(int) const override { return -1; }
    void ComboSetCurSel(int, int) override {}

private:
    std::map<int, std::vector<std::string>> combos;
};

}  // namespace roomprint_test
