#pragma once
// Doubles shared by the list and model-command tests: a list control on
// plain vectors, a scripted document user interface, a view that records
// hints, an SPL map view double, the two list panes, ".zsb" texts of
// standard speakers and a fixture holding a document.

#include "document/DocumentUi.h"
#include "document/DocumentViewLinks.h"
#include "document/KDRDoc.h"
#include "models/StdSPModel.h"
#include "platform/Document.h"
#include "views/ReportListControl.h"
#include "views/SpeakerDataList.h"
#include "views/TapList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A report list kept in vectors.
class CFakeList : public IReportListControl {
public:
    std::vector<std::pair<std::string, int>> columns;  // heading, width
    std::vector<std::vector<std::string>> rows;
    int selected = -1;
    int ensured = -1;
    int selectCalls = 0;

    void InsertColumn(int column, const std::string& heading, int width) override
    {
        columns.insert(columns.begin() + column, {heading, width});
    }
    void DeleteAllItems() override
    {
        rows.clear();
        selected = -1;
    }
    int GetItemCount() const override { return static_cast<int>(rows.size()); }
    void InsertItem(int row, const std::string& text) override { rows.insert(rows.begin() + row, {text, ""}); }
    void SetItemText(int row, int column, const std::string& text) override { rows.at(row).at(column) = text; }
    void SelectItem(int row) override
    {
        selected = row;
        ++selectCalls;
    }
    void EnsureVisible(int row) override { ensured = row; }
    std::string Text(int row, int column) const { return rows.at(row).at(column); }
};

// Scripted answers; records what the document asked.
class CFakeDocumentUi : public IDocumentUi {
public:
    class CRecordingProgress : public IProgress {
    public:
        explicit CRecordingProgress(CFakeDocumentUi& ui) : m_ui(ui) {}
        ~CRecordingProgress() override { m_ui.progressDestroyed = true; }
        void SetMessage(const std::string& text) override { m_ui.progressMessage = text; }
        void SetRange(int, int) override {}
        void SetPos(int pos) override { m_ui.progressPositions.push_back(pos); }
        void ShowStopButton(bool show) override { m_ui.stopButtonShown = show; }
        bool PumpMessages() override
        {
            ++m_ui.pumpCalls;
            m_ui.mainWindowDisabledWhilePumping |= !m_ui.mainWindowEnabled;
            return true;
        }

    private:
        CFakeDocumentUi& m_ui;
    };

    // Answers.
    bool fileDialogOk = true;
    std::string path;
    int messageAnswer = IDOK;
    bool preferenceOk = true;
    int newAdvancedMode = 0;
    BOOL newManual = 0;

    // Record.
    int fileDialogs = 0;
    std::vector<std::string> messages;
    int progressCreated = 0;
    int progressShown = 0;
    bool progressDestroyed = false;
    std::string progressMessage;
    std::vector<int> progressPositions;
    bool stopButtonShown = true;
    bool mainWindowEnabled = true;
    bool mainWindowDisabledWhilePumping = false;
    int pumpCalls = 0;
    int preferenceStartAdvanced = -1;
    BOOL preferenceStartManual = -1;
    int zx1Calls = 0;
    double zx1StartAngle = -1.0;
    double zx1StartDistance = -1.0;

    bool AskSpeakerDataPath(std::string& p) override
    {
        ++fileDialogs;
        p = fileDialogOk ? path : p;
        return fileDialogOk;
    }
    std::unique_ptr<IProgress> CreateProgressDialog() override
    {
        ++progressCreated;
        progressDestroyed = false;
        return std::make_unique<CRecordingProgress>(*this);
    }
    void ShowProgressDialog(IProgress&) override { ++progressShown; }
    void EnableMainWindow(bool enable) override { mainWindowEnabled = enable; }
    int RunMessageDialog(const std::string& text) override
    {
        messages.push_back(text);
        return messageAnswer;
    }
    bool RunPreferenceDialog(int& advancedMode, BOOL& manual) override
    {
        preferenceStartAdvanced = advancedMode;
        preferenceStartManual = manual;
        if (preferenceOk) {
            advancedMode = newAdvancedMode;
            manual = newManual;
        }
        return preferenceOk;
    }
    bool RunZx1ExportDialog(double& angle, double& micDistance) override
    {
        ++zx1Calls;
        zx1StartAngle = angle;
        zx1StartDistance = micDistance;
        angle = 45.0;
        return true;
    }
};

// Records the message boxes shown while it lives, and whether one came while
// a progress window was still there or the main window was disabled.
class CRecordingMessageBox : public IMessageBox {
public:
    explicit CRecordingMessageBox(const CFakeDocumentUi& ui) : m_ui(ui) { SetMessages(this); }
    ~CRecordingMessageBox() override { SetMessages(nullptr); }
    int Show(const std::string& text, unsigned type) override
    {
        texts.push_back(text);
        types.push_back(type);
        shownWhileBusy |= (m_ui.progressCreated > 0 && !m_ui.progressDestroyed) || !m_ui.mainWindowEnabled;
        return IDOK;
    }
    void Beep(unsigned) override {}

    std::vector<std::string> texts;
    std::vector<unsigned> types;
    bool shownWhileBusy = false;

private:
    const CFakeDocumentUi& m_ui;
};

// Registers itself with the document for its lifetime.
class CAttachedView : public IView {
public:
    explicit CAttachedView(CKDRDoc& doc) : m_doc(doc) { doc.AddView(this); }
    ~CAttachedView() override { m_doc.RemoveView(this); }

protected:
    CKDRDoc& m_doc;
};

// Records every hint in order, and at hint 4 whether curve 0 of the first
// graph was already cleared.
class CHintRecorder : public CAttachedView {
public:
    using CAttachedView::CAttachedView;
    void OnUpdate(IView*, long hint) override
    {
        hints.push_back(hint);
        if (hint == kHintGraphs && m_doc.m_soundGraphConditions.GetCount() > 0) {
            const CSoundGraphDataList& graph = m_doc.m_soundGraphConditions.GetGraph(0);
            graphClearedAtHint4 = graph.GetCurveCount() > 0 && graph.GetCurve(0)->GetY(0) == 0.0;
        }
    }
    std::vector<long> hints;
    bool graphClearedAtHint4 = false;
};

// An SPL map view double: records the direct calls.
class CFakeMapView : public CAttachedView, public IColorMapViewLink {
public:
    using CAttachedView::CAttachedView;
    void OnUpdate(IView*, long) override {}
    void UpdateConditionControls(BOOL bSave, BOOL bResetBand) override
    {
        calls.push_back("Update(" + std::to_string(bSave) + "," + std::to_string(bResetBand) + ")");
    }
    void OnPrintCommand(unsigned id) override { calls.push_back("Print(" + std::to_string(id) + ")"); }
    void Fit() override { calls.push_back("Fit"); }
    void ZoomIn() override { calls.push_back("ZoomIn"); }
    void ZoomOut() override { calls.push_back("ZoomOut"); }
    void ViewXAxisMinus() override { calls.push_back("X-"); }
    void ViewYAxisPlus() override { calls.push_back("Y+"); }
    void ViewZAxisMinus() override { calls.push_back("Z-"); }
    void ViewDiagonal() override { calls.push_back("Diagonal"); }
    std::vector<std::string> calls;
};

// A list pane as the project window has it, on a fake list control.
template <class Logic, class Link>
class CListPane : public CAttachedView, public Link {
public:
    explicit CListPane(CKDRDoc& doc) : CAttachedView(doc), logic(&doc, list) { logic.OnInitialUpdate(); }
    void OnUpdate(IView*, long hint) override { logic.OnUpdate(hint); }
    void FillList() override
    {
        ++fills;
        logic.FillList();
    }
    CFakeList list;
    Logic logic;
    int fills = 0;
};
using CSpeakerListPane = CListPane<CSpeakerDataList, ISpeakerDataListLink>;
using CTapListPane = CListPane<CTapList, ITapListLink>;

// A standard speaker's ".zsb" text: one frequency (1000 Hz) at the given
// pitch, three polar angles, one meridian row, and the tap lines given.
std::string StdSpeakerZsb(const std::string& name, int pitch, const std::vector<std::string>& taps,
                          const std::string& versionLine = "Version 1.0.0");

// Writes text to a fresh file in the test's temporary folder; returns its path.
std::string WriteTempFile(const std::string& fileName, const std::string& text);

// A standard speaker whose arrangement dialog answers a fixed ratio.
class CArrangeableModel : public CStdSPModel {
public:
    explicit CArrangeableModel(double ratio) : CStdSPModel(0), m_ratio(ratio) {}
    BOOL HasModuleArrangement() const override { return TRUE; }
    double DoModuleArrangement(int nLengthUnit) override
    {
        lastUnit = nLengthUnit;
        return m_ratio;
    }
    int lastUnit = -1;

private:
    double m_ratio;
};

// A document with the scripted user interface installed.
class ListsTest : public ::testing::Test {
protected:
    ListsTest() { SetDocumentUi(&ui); }
    ~ListsTest() override { SetDocumentUi(nullptr); }

    // Imports a standard speaker through Speaker > Import.
    void Import(const std::string& name, int pitch, const std::vector<std::string>& taps = {"h,100,10"})
    {
        ui.fileDialogOk = true;
        ui.path = WriteTempFile(name + ".zsb", StdSpeakerZsb(name, pitch, taps));
        doc.OnSpeakerImport();
    }
    void Install(DWORD model, double power)
    {
        doc.m_installations.AddInstallation(model, 0, 1.0, 1.0, 3.0, 0.0, 0.0, 0.0, power, TRUE);
    }

    CFakeDocumentUi ui;
    CKDRDoc doc;
};
