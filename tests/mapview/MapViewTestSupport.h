#pragma once
// An SPL map window without a widget: choice lists kept as string lists, a
// client area of a chosen size, and counters of what the window was asked.

#include "platform/RecordingDC.h"
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

// A 10 x 8 room at height 3 (grid pitch 1) seen from above at 0.05 pixels
// per thousandth, plane 10 x 8 at 1.2, margins (110, 44, 40, 324), metres:
// x -> T(x * 50 - 0.5) + 111, y -> T(-y * 50 - 0.5) + 445, total height 768.
struct TopView {
    TopView()
    {
        CInstallationContainer& room = scene.doc->m_installations;
        room.SetRoom(CInstallationContainer::kReferenceX0, 0.0);
        room.SetRoom(CInstallationContainer::kReferenceY0, 0.0);
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchX, 1.0);
        room.SetRoom(CInstallationContainer::kGridPitchY, 1.0);
        scene.doc->m_nLengthUnit = 0;
        scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0);
        scene.Condition().SetViewAngles(0, 0, 0);
        scene.Condition().SetScale(0.05);
        view = std::make_unique<CTestMapView>(*scene.doc);
        view->UpdateScrollSizes(FALSE);
    }
    splcalc_test::Scene scene;
    std::unique_ptr<CTestMapView> view;
};

// The recorded lines of one pen, and the texts with their places.
inline std::vector<CRecordedLine> LinesOf(const CRecordingDC& dc, COLORREF color, int width)
{
    std::vector<CRecordedLine> out;
    for (const auto& l : dc.Lines())
        if (l.pen.color == color && l.pen.width == width)
            out.push_back(l);
    return out;
}

using P = std::pair<CPoint, std::string>;

inline std::vector<P> Texts(const CRecordingDC& dc)
{
    std::vector<P> out;
    for (const auto& op : dc.OpsOf(CDrawOp::TextOut))
        out.emplace_back(op.points.at(0), op.text);
    return out;
}

}  // namespace mapview_test
