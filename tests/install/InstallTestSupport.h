#pragma once
// Doubles for the installation-command tests: a scripted installation user
// interface (dialogs and coverage scan), a document user interface that
// records its questions, a view that records hints, an SPL map view double,
// in-memory dialog controls, and speaker models with chosen properties.

#include "document/DocumentUi.h"
#include "document/DocumentViewLinks.h"
#include "document/InstallationUi.h"
#include "document/KDRDoc.h"
#include "models/StdSPModel.h"
#include "platform/Dialog.h"
#include "platform/DialogControls.h"
#include "platform/MessageBox.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A standard speaker whose answers the tests choose.
class CTestModel : public CStdSPModel {
public:
    struct Taps {
        bool lowImpedance;
        double power;
    };
    CTestModel(int typeCode, double pitch, const std::vector<Taps>& taps, int currentTap = 0);
    BOOL CanAutoInstall() const override { return canAuto; }
    BOOL IsAutoInstallDoubtful() const override { return doubtful; }
    double GetDefaultElevation() const override { return defaultElevation; }

    BOOL canAuto = TRUE;
    BOOL doubtful = FALSE;
    double defaultElevation = 0.0;
};

// Adds a model to the document and makes it current; returns it.
CTestModel& AddModel(CKDRDoc& doc, int typeCode, double pitch, const std::vector<CTestModel::Taps>& taps,
                     int currentTap = 0);

// Adds a horizontal colour-map condition over the room at height z.
void AddCondition(CKDRDoc& doc, double z);
// Adds a frequency-response graph whose curve 0 holds two points.
void AddGraph(CKDRDoc& doc);

// Scripted dialogs and coverage.
class CFakeInstallationUi : public IInstallationUi {
public:
    CFakeInstallationUi() { SetInstallationUi(this); }
    ~CFakeInstallationUi() override { SetInstallationUi(nullptr); }

    // Installation dialog: what it was given, and what the "user" does.
    std::vector<CInstallationValues> shown;
    std::vector<int> shownUnit;
    std::vector<BOOL> shownFullMode;
    bool dialogOk = true;
    std::function<void(CInstallationValues&)> edit;

    // Automatic installation dialog.
    std::vector<CAutoInstallationValues> autoShown;
    std::vector<int> autoLevel;
    bool autoOk = true;
    std::function<void(CAutoInstallationValues&)> autoEdit;

    // Coverage: distances per axis (forward, backward); failure per axis.
    double coverage[4] = {2.0, 2.0, 2.0, 2.0};
    int coverageResult[2] = {0, 0};
    std::vector<int> coverageConditions;
    int installationsAtScan = -1;
    // Frequency response.
    std::vector<int> responseConditions;

    bool RunInstallationDialog(CInstallationValues& values, int unit, BOOL fullMode) override;
    bool RunAutoInstallationDialog(CAutoInstallationValues& values, int unit, int level) override;
    int CalcCoverage(CKDRDoc& doc, int conditionIndex, int axis, double& forward, double& backward, double& offset,
                     double drop) override;
    void CalcFrequencyResponse(CKDRDoc& doc, int conditionIndex, const CPoint3D& point) override;
};

// Records the questions; answers from a queue (OK when it runs dry).
class CFakeDocumentUi : public IDocumentUi {
public:
    CFakeDocumentUi() { SetDocumentUi(this); }
    ~CFakeDocumentUi() override { SetDocumentUi(nullptr); }
    std::vector<std::string> messages;
    std::deque<int> answers;
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
        answers.pop_front();
        return a;
    }
    bool RunPreferenceDialog(int&, BOOL&) override { return false; }
    bool RunZx1ExportDialog(double&, double&) override { return false; }
};

// Message boxes recorded.
class CRecordingMessageBox : public IMessageBox {
public:
    CRecordingMessageBox() { SetMessages(this); }
    ~CRecordingMessageBox() override { SetMessages(nullptr); }
    std::vector<std::pair<std::string, unsigned>> shown;
    int Show(const std::string& text, unsigned type) override
    {
        shown.emplace_back(text, type);
        return IDOK;
    }
    void Beep(unsigned) override {}
};

// Records hints, and for each whether curve 0 of graph 0 was cleared and
// whether a recalculation was requested at that moment.
class CHintRecorder : public IView {
public:
    explicit CHintRecorder(CKDRDoc& doc) : m_doc(doc) { doc.AddView(this); }
    ~CHintRecorder() override { m_doc.RemoveView(this); }
    void OnUpdate(IView*, long hint) override;
    std::vector<long> hints;
    std::vector<bool> graphCleared;
    std::vector<BOOL> recalcRequested;
    std::vector<int> installationCounts;

private:
    CKDRDoc& m_doc;
};

// An SPL map window double.
class CFakeMapView : public IView, public IColorMapViewLink {
public:
    CFakeMapView(CKDRDoc& doc, int conditionIndex) : m_doc(doc), condition(conditionIndex) { doc.AddView(this); }
    ~CFakeMapView() override { m_doc.RemoveView(this); }
    void OnUpdate(IView*, long) override {}
    void UpdateConditionControls(BOOL bSave, BOOL bResetBand) override
    {
        calls.push_back("Update(" + std::to_string(bSave) + "," + std::to_string(bResetBand) + ")");
    }
    void OnPrintCommand(unsigned) override {}
    void Fit() override {}
    void ZoomIn() override {}
    void ZoomOut() override {}
    void ViewXAxisMinus() override {}
    void ViewYAxisPlus() override {}
    void ViewZAxisMinus() override {}
    void ViewDiagonal() override {}
    int GetConditionIndex() const override { return condition; }
    int EditRoomParameters(BOOL bExisting) override
    {
        calls.push_back("Room(" + std::to_string(bExisting) + ")");
        return roomResult;
    }
    std::vector<std::string> calls;
    int roomResult = 0;

private:
    CKDRDoc& m_doc;

public:
    int condition;
};

// In-memory dialog controls.
struct FakeControl {
    std::string text;
    std::vector<std::string> items;
    int sel = -1;
    bool visible = true;
};

class CFakeControls : public IDialogControls {
public:
    std::map<int, FakeControl> c;
    std::vector<int> focus;
    std::string GetWindowText(int id) const override { return Get(id).text; }
    void SetWindowText(int id, const std::string& text) override { c[id].text = text; }
    int GetCheck(int) const override { return 0; }
    void SetCheck(int, int) override {}
    void ResetContent(int id) override
    {
        c[id].items.clear();
        c[id].sel = -1;
    }
    int AddString(int id, const std::string& text) override
    {
        c[id].items.push_back(text);
        return static_cast<int>(c[id].items.size()) - 1;
    }
    int GetCount(int id) const override { return static_cast<int>(Get(id).items.size()); }
    int GetCurSel(int id) const override { return Get(id).sel; }
    void SetCurSel(int id, int index) override
    {
        c[id].sel = index >= 0 && index < static_cast<int>(c[id].items.size()) ? index : -1;
    }
    void ShowWindow(int id, bool show) override { c[id].visible = show; }
    bool IsWindowVisible(int id) const override { return Get(id).visible; }
    void EnableWindow(int, bool) override {}
    void SetFocus(int id) override { focus.push_back(id); }

private:
    const FakeControl& Get(int id) const
    {
        static const FakeControl none;
        auto it = c.find(id);
        return it == c.end() ? none : it->second;
    }
};

// Runs a dialog against in-memory controls with a script.
class CScriptRunner : public IDialogRunner {
public:
    CScriptRunner() { SetDialogRunner(this); }
    ~CScriptRunner() override { SetDialogRunner(nullptr); }
    std::function<void(CDialog&, CFakeControls&)> script;
    CFakeControls controls;
    int RunModal(CDialog& d) override
    {
        controls = CFakeControls();
        d.AttachControls(&controls);
        d.OnInitDialog();
        if (script)
            script(d, controls);
        return d.IsEnded() ? d.GetResult() : IDCANCEL;
    }
};
