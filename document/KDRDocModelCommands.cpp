// The document's commands on speaker models: import, delete, module
// arrangement, preferences, the zx1 export, and the forwarding of the print
// and View > Room commands to the SPL map views.

#include "document/DocumentUi.h"
#include "document/DocumentViewLinks.h"
#include "document/KDRDoc.h"
#include "models/SpeakerDataProblem.h"
#include "platform/DataExchange.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace {

// First line every speaker-data file must carry, exactly.
constexpr const char* kSpeakerDataVersionLine = "Version 1.0.0";
constexpr const char* kImportingMessage = "Importing Speaker Data...";
constexpr unsigned kStrConfirmRemoveSpeaker = 61633;

// Why an import failed; %1 is the file's name.
constexpr unsigned kStrImportCannotOpen = 39400;
constexpr unsigned kStrImportNotSpeakerData = 39401;
constexpr unsigned kStrImportEndsAfterLine = 39402;
constexpr unsigned kStrImportEndsEarly = 39403;
constexpr unsigned kStrImportValueOnLine = 39404;  // %2 the value, %3 the line
constexpr unsigned kStrImportValue = 39405;        // %2 the value
constexpr unsigned kStrImportOutOfMemory = 39419;
// The names of the values, in the order of CSpeakerDataProblem::Value.
constexpr unsigned kStrFirstValueName = 39406;
static_assert(CSpeakerDataProblem::kPowerShare == 12, "one name per value, 39406 to 39418");

// The file's name, without its folder, as the import messages name it.
std::string FileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// The message for a file that was not imported: its name and what is wrong.
std::string ImportProblemText(const std::string& path, const CSpeakerDataProblem& problem)
{
    const std::string name = FileNameOf(path);
    const std::string line = std::to_string(problem.GetLine());
    auto text = [&name](unsigned id, const std::string& second) {
        return DataExchange::FormatString2(LoadStringId(id), name, second);
    };
    switch (problem.GetKind()) {
    case CSpeakerDataProblem::kEndsEarly:
        return problem.GetLine() == 0 ? text(kStrImportEndsEarly, std::string())
                                      : text(kStrImportEndsAfterLine, line);
    case CSpeakerDataProblem::kValueOutOfRange: {
        const std::string value = LoadStringId(kStrFirstValueName + static_cast<unsigned>(problem.GetValue()));
        if (problem.GetLine() == 0)
            return text(kStrImportValue, value);
        // The line goes in first: the table's text holds no other "%3".
        std::string format = LoadStringId(kStrImportValueOnLine);
        if (const std::size_t at = format.find("%3"); at != std::string::npos)
            format.replace(at, 2, line);
        return DataExchange::FormatString2(format, name, value);
    }
    case CSpeakerDataProblem::kNotSpeakerData:
    case CSpeakerDataProblem::kNone:
    default: return text(kStrImportNotSpeakerData, std::string());
    }
}

void ShowImportProblem(const std::string& text)
{
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

// Keeps the main window disabled while a loop runs and enables it again
// however the loop ends.
class CMainWindowDisabler {
public:
    explicit CMainWindowDisabler(IDocumentUi& ui) : m_ui(ui) { m_ui.EnableMainWindow(false); }
    ~CMainWindowDisabler() { m_ui.EnableMainWindow(true); }
    CMainWindowDisabler(const CMainWindowDisabler&) = delete;
    CMainWindowDisabler& operator=(const CMainWindowDisabler&) = delete;

private:
    IDocumentUi& m_ui;
};

// A View > Room command run on every SPL map view of the document, which is
// then modified (the view layout is part of the project).
void ForwardRoomCommand(CKDRDoc& doc, void (IColorMapViewLink::*operation)())
{
    for (IColorMapViewLink* map : FindColorMapViews(doc))
        (map->*operation)();
    doc.SetModifiedFlag(true);
}

}  // namespace

// ---- command routing ----------------------------------------------------

bool CKDRDoc::OnModelCommand(unsigned id)
{
    switch (id) {
    case kCmdSpeakerImport: OnSpeakerImport(); return true;
    case kCmdSpeakerDelete: OnSpeakerDelete(); return true;
    case kCmdSpeakerModuleArrangement: OnSpeakerModuleArrangement(); return true;
    case kCmdSpeakerExportZx1: OnSpeakerExportZx1(); return true;
    case kCmdToolPreference: OnToolPreference(); return true;
    case kCmdFilePrint: OnFilePrint(); return true;
    case kCmdFilePrintPreview: OnFilePrintPreview(); return true;
    case kCmdViewRoomSizeFit: OnViewRoomSizeFit(); return true;
    case kCmdViewRoomSizeZoomIn: OnViewRoomSizeZoomIn(); return true;
    case kCmdViewRoomSizeZoomOut: OnViewRoomSizeZoomOut(); return true;
    case kCmdViewRoomDirectionXAxisMinus: OnViewRoomDirectionXAxisMinus(); return true;
    case kCmdViewRoomDirectionYAxisPlus: OnViewRoomDirectionYAxisPlus(); return true;
    case kCmdViewRoomDirectionZAxisMinus: OnViewRoomDirectionZAxisMinus(); return true;
    case kCmdViewRoomDirectionDiagonal: OnViewRoomDirectionDiagonal(); return true;
    default: return false;
    }
}

bool CKDRDoc::GetModelCommandEnabled(unsigned id, bool& enabled) const
{
    switch (id) {
    case kCmdSpeakerDelete:
    case kCmdSpeakerExportZx1: enabled = OnUpdateNeedModel(); return true;
    case kCmdSpeakerModuleArrangement: enabled = OnUpdateSpeakerModuleArrangement(); return true;
    case kCmdViewRoomSizeZoomIn: {
        // Enabled while it enlarges a map (or there is none to ask).
        const std::vector<IColorMapViewLink*> maps = FindColorMapViews(*this);
        enabled = maps.empty() ||
                  std::any_of(maps.begin(), maps.end(), [](const IColorMapViewLink* m) { return m->CanZoomIn(); });
        return true;
    }
    case kCmdSpeakerImport:
    case kCmdToolPreference:
    case kCmdFilePrint:
    case kCmdFilePrintPreview:
    case kCmdViewRoomSizeFit:
    case kCmdViewRoomSizeZoomOut:
    case kCmdViewRoomDirectionXAxisMinus:
    case kCmdViewRoomDirectionYAxisPlus:
    case kCmdViewRoomDirectionZAxisMinus:
    case kCmdViewRoomDirectionDiagonal: enabled = true; return true;
    default: return false;
    }
}

bool CKDRDoc::OnUpdateNeedModel() const { return m_models.GetCount() > 0; }

bool CKDRDoc::OnUpdateSpeakerModuleArrangement() const
{
    const CSpeakerModel* model = m_models.GetCurrent();
    return model != nullptr && model->HasModuleArrangement() != FALSE;
}

// ---- shared helpers -----------------------------------------------------

void CKDRDoc::UpdateDragInstallState()
{
    const CInstallationElement* first = m_installations.GetAt(0);
    const CSpeakerModel* current = m_models.GetCurrent();
    if (first == nullptr || current == nullptr)
        return;
    const CSpeakerModel* installed = m_models.GetAt(static_cast<int>(first->GetModelIndex()));
    if (installed == nullptr)
        return;
    m_nDragInstallState = installed->GetFrequencyPitch() == current->GetFrequencyPitch() ? 2 : 0;
}

void CKDRDoc::ClearGraphCursorCurves()
{
    for (int i = 0; i < m_soundGraphConditions.GetCount(); ++i)
        m_soundGraphConditions.GetGraph(i).ClearData(0);
}

// ---- Speaker > Import ---------------------------------------------------

void CKDRDoc::OnSpeakerImport()
{
    ImportSpeakerData();
    SetModifiedFlag(true);
}

void CKDRDoc::ImportSpeakerData()
{
    m_bNeverImported = FALSE;

    std::string path;
    if (!DocumentUi().AskSpeakerDataPath(path))
        return;

    CStdioFile file;
    if (!file.Open(path)) {
        ShowImportProblem(DataExchange::FormatString2(LoadStringId(kStrImportCannotOpen), FileNameOf(path), std::string()));
        return;
    }
    ImportSpeakerFile(file);
}

bool CKDRDoc::ImportSpeakerFile(CStdioFile& file)
{
    const std::string path = file.GetFilePath();
    CSpeakerDataProblem problem;
    std::string firstLine;
    if (!file.ReadString(firstLine) || firstLine != kSpeakerDataVersionLine) {
        file.Close();
        problem.SetNotSpeakerData(1);
        ShowImportProblem(ImportProblemText(path, problem));
        return false;
    }

    const int countBefore = m_models.GetCount();
    bool outOfMemory = false;
    IDocumentUi& ui = DocumentUi();
    {
        std::unique_ptr<IProgress> progress = ui.CreateProgressDialog();
        progress->ShowStopButton(false);
        progress->SetMessage(kImportingMessage);
        progress->SetPos(0);
        ui.ShowProgressDialog(*progress);

        CMainWindowDisabler disabled(ui);
        try {
            m_models.ImportModel(file, m_nLengthUnit, progress.get(), &problem);
        } catch (const std::exception&) {
            // Only a model too large for the memory left makes a reader
            // throw; the list stays as it was, as after any refusal.
            outOfMemory = true;
        }
    }
    file.Close();
    // A refused file changes nothing, not even the current model; the user
    // is told why, once the progress window has gone.
    if (m_models.GetCount() == countBefore) {
        ShowImportProblem(outOfMemory ? DataExchange::FormatString2(LoadStringId(kStrImportOutOfMemory),
                                                                    FileNameOf(path), std::string())
                                      : ImportProblemText(path, problem));
        return false;
    }

    // The pitch of the model that was current before the new one.
    double previousPitch = 0.0;
    if (m_models.GetCount() > 1) {
        if (const CSpeakerModel* previous = m_models.GetCurrent())
            previousPitch = previous->GetFrequencyPitch();
    }

    // The new model, the last, becomes current.
    m_models.SetCurrentIndex(m_models.GetCount() - 1);
    const CSpeakerModel* current = m_models.GetCurrent();

    for (IView* view : GetViews()) {
        if (auto* map = dynamic_cast<IColorMapViewLink*>(view)) {
            if (current != nullptr && current->GetFrequencyPitch() != previousPitch)
                map->UpdateConditionControls(FALSE, TRUE);
        }
        if (auto* list = dynamic_cast<ISpeakerDataListLink*>(view))
            list->FillList();
        if (auto* taps = dynamic_cast<ITapListLink*>(view))
            taps->FillList();
    }

    UpdateDragInstallState();
    return true;
}

// ---- Speaker > Delete ---------------------------------------------------

void CKDRDoc::OnSpeakerDelete()
{
    if (m_models.GetCurrent() == nullptr)
        return;
    if (DocumentUi().RunMessageDialog(LoadStringId(kStrConfirmRemoveSpeaker)) != IDOK)
        return;

    for (double& d : m_dAutoDistance)
        d = 0.0;
    m_bAutoInstalled = FALSE;
    m_nAutoOverlapMode = 2;
    m_nAutoLayoutPattern = 0;
    m_dAutoCenterFreq = 0.0;
    m_dAutoBand = 0.0;

    for (const auto& condition : m_colorMapConditions) {
        CListeningPlane& plane = condition->GetPlane();
        plane.SetMaxLevel(0.0);
        plane.SetMinLevel(0.0);
        plane.SetAverageLevel(0.0);
        plane.SetSpeechAverageLevel(0.0);
    }

    const int removed = m_models.GetCurrentIndex();
    if (m_installations.GetCount() > 0) {
        m_installations.RemoveByModel(static_cast<DWORD>(removed));
        for (const auto& element : m_installations.GetList()) {
            if (element->GetModelIndex() > static_cast<DWORD>(removed))
                element->SetModelIndex(element->GetModelIndex() - 1);
        }
        m_installations.UpdateTotalPower();
    }
    m_models.RemoveAt(removed);

    // The installed speakers that remain decide whether the new current
    // model may be installed; an empty room takes any model.
    if (m_installations.GetCount() == 0)
        m_nDragInstallState = 2;
    else
        UpdateDragInstallState();

    UpdateAllViews(nullptr, kHintRecalcMaps);
    UpdateAllViews(nullptr, kHintInstallationList);
    UpdateAllViews(nullptr, kHintSpeakerList);
    UpdateAllViews(nullptr, kHintTapList);
    ClearGraphCursorCurves();
    UpdateAllViews(nullptr, kHintGraphs);

    if (m_models.GetCount() == 0) {
        for (IColorMapViewLink* map : FindColorMapViews(*this))
            map->UpdateConditionControls(FALSE, TRUE);
    }
    SetModifiedFlag(true);
}

// ---- Speaker > Module Arrangement ---------------------------------------

void CKDRDoc::OnSpeakerModuleArrangement()
{
    CSpeakerModel* model = m_models.GetCurrent();
    if (model == nullptr)
        return;
    const double ratio = model->DoModuleArrangement(m_nLengthUnit);
    if (ratio == 0.0)
        return;

    const int tap = model->GetCurrentTap();
    if (tap >= 0 && tap < model->GetTapCount() && model->IsLowImpedanceTap(tap)) {
        const DWORD modelIndex = static_cast<DWORD>(m_models.GetCurrentIndex());
        for (const auto& element : m_installations.GetList()) {
            if (element->GetModelIndex() == modelIndex)
                element->SetPower(element->GetPower() / ratio);
        }
        m_installations.SetTotalPower(m_installations.GetList().GetTotalPower());
    }

    SetModifiedFlag(true);
    m_bAutoInstalled = FALSE;

    UpdateAllViews(nullptr, kHintRecalcMaps);
    UpdateAllViews(nullptr, kHintInstallationList);
    UpdateAllViews(nullptr, kHintSpeakerList);
    ClearGraphCursorCurves();
    UpdateAllViews(nullptr, kHintGraphs);
    UpdateAllViews(nullptr, kHintTapList);
}

// ---- Tool > Preference --------------------------------------------------

void CKDRDoc::OnToolPreference()
{
    int advancedMode = m_nAdvancedMode;
    BOOL manual = m_bManualRecalculation;
    if (!DocumentUi().RunPreferenceDialog(advancedMode, manual))
        return;

    m_nAdvancedMode = advancedMode;
    m_bManualRecalculation = manual;
    if (m_nAdvancedMode == 0) {
        m_dAutoHeight = m_installations.GetRoom(CInstallationContainer::kRoomHeight);
        m_ptAutoAngles = CPoint3D(kNotSet, kNotSet, kNotSet);
        m_dAutoCenterFreq = 0.0;
        m_dAutoBand = 0.0;
    }
    UpdateAllViews(nullptr, kHintInstallationList);
    SetModifiedFlag(true);
}

// ---- Export zx1 ---------------------------------------------------------

void CKDRDoc::OnSpeakerExportZx1()
{
    if (m_models.GetCount() == 0)
        return;
    double angle = 0.0;
    double micDistance = 20.0;
    DocumentUi().RunZx1ExportDialog(angle, micDistance);
}

// ---- forwarding to the SPL map views ------------------------------------

void CKDRDoc::OnFilePrint()
{
    for (IColorMapViewLink* map : FindColorMapViews(*this))
        map->OnPrintCommand(kCmdFilePrint);
}

void CKDRDoc::OnFilePrintPreview()
{
    for (IColorMapViewLink* map : FindColorMapViews(*this))
        map->OnPrintCommand(kCmdFilePrintPreview);
}

void CKDRDoc::OnViewRoomSizeFit() { ForwardRoomCommand(*this, &IColorMapViewLink::Fit); }
void CKDRDoc::OnViewRoomSizeZoomIn() { ForwardRoomCommand(*this, &IColorMapViewLink::ZoomIn); }
void CKDRDoc::OnViewRoomSizeZoomOut() { ForwardRoomCommand(*this, &IColorMapViewLink::ZoomOut); }
void CKDRDoc::OnViewRoomDirectionXAxisMinus() { ForwardRoomCommand(*this, &IColorMapViewLink::ViewXAxisMinus); }
void CKDRDoc::OnViewRoomDirectionYAxisPlus() { ForwardRoomCommand(*this, &IColorMapViewLink::ViewYAxisPlus); }
void CKDRDoc::OnViewRoomDirectionZAxisMinus() { ForwardRoomCommand(*this, &IColorMapViewLink::ViewZAxisMinus); }
void CKDRDoc::OnViewRoomDirectionDiagonal() { ForwardRoomCommand(*this, &IColorMapViewLink::ViewDiagonal); }
