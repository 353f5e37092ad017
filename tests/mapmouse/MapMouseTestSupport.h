#pragma once
// Doubles for the map-mouse and installation-list tests: a report list kept
// in vectors, a scripted installation dialog, a recorder of update hints and
// an SPL map window without a widget whose screen is its logical space
// shifted by a fixed offset.

#include "document/DocumentUi.h"
#include "document/InstallationUi.h"
#include "document/KDRDoc.h"
#include "splcalc/SceneSupport.h"
#include "views/ColorMapViewCore.h"
#include "views/InstallationContainerViewCore.h"

#include "models/Geometry.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace mapmouse_test {

class CVectorList : public IInstallationListControl {
public:
    struct Column {
        std::string heading;
        int width;
    };
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;
    int selected = -1;
    int visible = -1;
    int selectCalls = 0;

    void InsertColumn(int column, const std::string& heading, int width) override
    {
        columns.insert(columns.begin() + column, Column{heading, width});
    }
    void DeleteColumn(int column) override
    {
        if (column >= 0 && column < static_cast<int>(columns.size()))
            columns.erase(columns.begin() + column);
    }
    int GetColumnCount() const override { return static_cast<int>(columns.size()); }
    void DeleteAllItems() override
    {
        rows.clear();
        selected = -1;
    }
    int GetItemCount() const override { return static_cast<int>(rows.size()); }
    void InsertItem(int row, const std::string& text) override
    {
        rows.insert(rows.begin() + row, std::vector<std::string>(10));
        rows[row][0] = text;
    }
    void SetItemText(int row, int column, const std::string& text) override { rows.at(row).at(column) = text; }
    void SelectItem(int row) override
    {
        selected = row;
        ++selectCalls;
    }
    void EnsureVisible(int row) override { visible = row; }

    std::vector<std::string> Headings() const
    {
        std::vector<std::string> out;
        for (const Column& c : columns)
            out.push_back(c.heading);
        return out;
    }
};

// The installation dialog: records what it was shown, OK or Cancel.
class CScriptedInstallationUi : public IInstallationUi {
public:
    CScriptedInstallationUi() { SetInstallationUi(this); }
    ~CScriptedInstallationUi() override { SetInstallationUi(nullptr); }
    std::vector<CInstallationValues> shown;
    bool ok = true;
    bool RunInstallationDialog(CInstallationValues& values, int, BOOL) override
    {
        shown.push_back(values);
        return ok;
    }
    bool RunAutoInstallationDialog(CAutoInstallationValues&, int, int) override { return false; }
    int CalcCoverage(CKDRDoc&, int, int, double&, double&, double&, double) override { return 1; }
    void CalcFrequencyResponse(CKDRDoc&, int, const CPoint3D&) override {}
};

// The removal question and other messages: answers in turn (IDOK when none left).
class CScriptedDocumentUi : public IDocumentUi {
public:
    CScriptedDocumentUi() { SetDocumentUi(this); }
    ~CScriptedDocumentUi() override { SetDocumentUi(nullptr); }
    std::vector<std::string> messages;
    std::vector<int> answers;
    bool AskSpeakerDataPath(std::string&) override { return false; }
    std::unique_ptr<IProgress> CreateProgressDialog() override { return std::make_unique<CNullProgress>(); }
    void ShowProgressDialog(IProgress&) override {}
    void EnableMainWindow(bool) override {}
    int RunMessageDialog(const std::string& text) override
    {
        messages.push_back(text);
        if (answers.empty())
            return IDOK;
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    bool RunPreferenceDialog(int&, BOOL&) override { return false; }
    bool RunZx1ExportDialog(double&, double&) override { return false; }
};

class CHints : public IView {
public:
    explicit CHints(CDocument& doc) : m_doc(doc) { doc.AddView(this); }
    ~CHints() override { m_doc.RemoveView(this); }
    void OnUpdate(IView*, long hint) override { hints.push_back(hint); }
    std::vector<long> hints;

private:
    CDocument& m_doc;
};

// A map window: logical = screen - offset; the choice lists are not kept.
class CTestMap : public CColorMapViewCore, public IView {
public:
    explicit CTestMap(CKDRDoc& doc) : CColorMapViewCore(doc) { doc.AddView(this); }
    ~CTestMap() override { m_doc.RemoveView(this); }
    void OnUpdate(IView*, long) override {}
    void OnPrintCommand(unsigned) override {}

    CPoint Screen(CPoint logical) const { return CPoint(logical.x + offset.x, logical.y + offset.y); }

    using CColorMapViewCore::m_bDragging;
    using CColorMapViewCore::m_bOnSpeaker;

    CPoint offset{1000, 500};
    int redraws = 0;

protected:
    CSize GetClientSize() const override { return CSize(800, 600); }
    void ClearAndRedraw() override { ++redraws; }
    void ComboResetContent(int) override {}
    void ComboAddString(int, const std::string&) override {}
    int ComboGetCount(int) const override { return 0; }
    int ComboGetCurSel(int) const override { return -1; }
    void ComboSetCurSel(int, int) override {}
    CPoint ScreenToLogical(const CPoint& screen) const override
    {
        return CPoint(screen.x - offset.x, screen.y - offset.y);
    }
};

inline WPARAM DocParam(CKDRDoc& doc) { return reinterpret_cast<WPARAM>(static_cast<CDocument*>(&doc)); }

// Widens a window box so that it holds a projected corner and a few pixels
// round it.
inline void GrowBox(CRect& box, const IntPoint& v)
{
    box.left = std::min(box.left, v.x - 3);
    box.top = std::min(box.top, v.y - 3);
    box.right = std::max(box.right, v.x + 3);
    box.bottom = std::max(box.bottom, v.y + 3);
}

}  // namespace mapmouse_test
