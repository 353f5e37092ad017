#pragma once
// The project document: speaker models, the room with its installations, one
// colour-map condition per SPL map window, the graphs of the frequency-
// response windows, project-wide settings and the remembered automatic-
// installation values. It reads and writes the project file (".zkdr", and the
// older ".kdr", which is read and saved again as ".zkdr").

#include "document/ColorMapConditionList.h"
#include "document/InstallationContainer.h"
#include "document/SoundGraphConditionList.h"
#include "models/Point3D.h"
#include "models/SpeakerModelContainer.h"
#include "platform/Document.h"
#include "platform/InPlaceSave.h"
#include "platform/Types.h"

#include <functional>
#include <string>
#include <vector>

// Update hints sent to the views.
enum : long {
    kHintRecalcMaps = 1,        // every SPL map recalculates its plane and redraws
    kHintInstallationList = 2,  // the installation list refills
    kHintSpeakerList = 3,       // the speaker-data list refills
    kHintGraphs = 4,            // the frequency-response graphs redraw
    kHintTapList = 5,           // the tap list refills
};

class CKDRDoc : public CDocument {
public:
    // File version written by this program: 0xMMmmpp00.
    static constexpr DWORD kCurrentVersion = 0x02000000;
    // The document type's name, which also opens every current project file.
    static constexpr const char* kTypeName = "ZAVKDRDoc";
    static constexpr std::size_t kTypeNameLength = 9;
    // Marks the remembered automatic-installation height and angles as unset.
    static constexpr double kNotSet = 100000.0;

    CKDRDoc();
    ~CKDRDoc() override;

    // True for the versions whose files can be read.
    static bool IsAcceptedVersion(DWORD version);
    // The version of an old file's first string "Version X.Y.Z" (0 when it
    // does not begin with "Version ").
    static DWORD ParseOldVersion(const std::string& text);
    // The path with a final ".kdr" (any case) replaced by ".zkdr".
    static std::string NewFormatPath(const std::string& path);

    // ---- file ---------------------------------------------------------
    // Frame and body, storing or loading. Loading a version that cannot be
    // read shows "Not available file." and throws CUserException: the file
    // opens no project.
    void Serialize(CArchive& ar) override;
    // The body, gated by the version in hand.
    void SerializeBody(CArchive& ar, DWORD version);
    // TRUE (and m_bOldFormat TRUE) when the path ends in ".kdr", any case.
    BOOL IsOldFormatPath(const std::string& path);
    // TRUE when the file's first bytes may begin a project: the type name,
    // or for an old-form path a first string that begins "Version ";
    // otherwise the user is told and the result is FALSE. Reads no more
    // than the file's start.
    BOOL CheckFileMagic(const std::string& path);

    bool OnNewDocument() override;
    // Opens the project at path. Where a save of it that was written in
    // place was cut off and left a copy of its old content, the user is told
    // where that copy is, whose it is and when it was made: with the report
    // of a file that cannot be read, or after a file that opens (then what is
    // open is what that save wrote).
    bool OnOpenDocument(const std::string& path) override;
    // The load report, with the kept copies of the file being opened.
    void ReportSaveLoadException(const std::string& path, bool saving, const std::exception* e) override;
    // Asks before saving to an old-form path and then saves under the new
    // extension; otherwise writes the file.
    bool OnSaveDocument(const std::string& path) override;
    void OnCloseDocument() override;
    // Every project value back to its default (before a load, after a
    // failed one and when the document closes).
    void DeleteContents() override;

    // File > Save Project: an old-form path is turned into the new one, the
    // file is saved and the user is told about the new extension. A file
    // that has the new name already is replaced only when the user agrees.
    // A save that does not happen leaves the old path and form.
    bool OnFileSave();
    // Saves to the document's path; asks for a name when it has none, or
    // when that file may not be replaced (read-only, or its folder cannot be
    // written), offering the current one.
    bool DoFileSave();
    // Saves to path, or asks for one when it is empty (File > Save Project
    // As...), ProposedSavePath offered; on success the document takes the
    // saved path and is no longer modified.
    bool DoSave(const std::string& path);
    // The name Save As offers: the title (a bare name) when the project has
    // no path; else its path, with the file name moved to the nearest
    // folder that exists when its own folder is gone.
    std::string ProposedSavePath() const;
    // The shell installs the Save As question here: it gets a proposed name
    // and returns false when the user cancels.
    void SetSavePathPrompt(std::function<bool(std::string& path)> prompt) { m_savePathPrompt = std::move(prompt); }
    // Told the path after every successful DoSave, whichever command or
    // question led to it (the recent-file list).
    void SetSavedListener(std::function<void(const std::string& path)> fn) { m_savedListener = std::move(fn); }

    // ---- shared updates -----------------------------------------------
    // After any change of the installations: hints 1 and 2, curve 0 of
    // every graph cleared, hint 4, modified.
    void UpdateAfterInstallationChange();

    // ---- accessors ----------------------------------------------------
    std::string GetProjectName() const { return m_strProjectName; }
    std::string GetDate() const { return m_strDate; }
    DWORD GetVersion() const { return m_dwVersion; }
    int GetLengthUnit() const { return m_nLengthUnit; }
    CSpeakerModelContainer& GetModels() { return m_models; }
    const CSpeakerModelContainer& GetModels() const { return m_models; }
    CInstallationContainer& GetInstallations() { return m_installations; }
    const CInstallationContainer& GetInstallations() const { return m_installations; }
    CColorMapConditionList& GetColorMapConditions() { return m_colorMapConditions; }
    const CColorMapConditionList& GetColorMapConditions() const { return m_colorMapConditions; }
    CSoundGraphConditionList& GetSoundGraphConditions() { return m_soundGraphConditions; }
    const CSoundGraphConditionList& GetSoundGraphConditions() const { return m_soundGraphConditions; }

    // ---- Speaker and tool commands (implemented in KDRDocModelCommands.cpp) ----
    // Command ids of the speaker and tool commands and of the commands the
    // document forwards to its SPL map views.
    enum : unsigned {
        kCmdSpeakerImport = 32771,
        kCmdSpeakerDelete = 32773,
        kCmdSpeakerModuleArrangement = 32811,
        kCmdSpeakerExportZx1 = 32810,
        kCmdToolPreference = 32787,
        kCmdFilePrint = 57607,
        kCmdFilePrintPreview = 57609,
        kCmdViewRoomSizeFit = 32793,
        kCmdViewRoomSizeZoomIn = 32798,
        kCmdViewRoomSizeZoomOut = 32797,
        kCmdViewRoomDirectionXAxisMinus = 32799,
        kCmdViewRoomDirectionYAxisPlus = 32809,
        kCmdViewRoomDirectionZAxisMinus = 32802,
        kCmdViewRoomDirectionDiagonal = 32803,
    };
    // Runs the command id when it is one of those above; false otherwise.
    bool OnModelCommand(unsigned id);
    // True when id is one of those commands, with enabled set as its update
    // handler decides.
    bool GetModelCommandEnabled(unsigned id, bool& enabled) const;

    // Speaker > Import: ImportSpeakerData, then the project is modified
    // whatever happened (also after Cancel).
    void OnSpeakerImport();
    // Asks for a ".zsb" file and reads it into a new model, which becomes
    // current; the lists refill and the SPL maps follow a change of pitch.
    // A file that cannot be opened or read changes nothing and is named in
    // a message that says what is wrong with it.
    void ImportSpeakerData();
    // Reads an open ".zsb" file (its first line not yet read) into a new
    // model as ImportSpeakerData does after the file dialog. True when a
    // model was added; otherwise the user has been told why not.
    bool ImportSpeakerFile(CStdioFile& file);
    // Speaker > Delete: asks, then removes the current model and its
    // installations.
    void OnSpeakerDelete();
    // Speaker > Module Arrangement: the current model's arrangement dialog;
    // powers of low-impedance installations follow the new element count.
    void OnSpeakerModuleArrangement();
    // Tool > Preference.
    void OnToolPreference();
    // "Export zx1...": the dialog runs; nothing is written.
    void OnSpeakerExportZx1();
    // Forwarding to every SPL map view of the document.
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnViewRoomSizeFit();
    void OnViewRoomSizeZoomIn();
    void OnViewRoomSizeZoomOut();
    void OnViewRoomDirectionXAxisMinus();
    void OnViewRoomDirectionYAxisPlus();
    void OnViewRoomDirectionZAxisMinus();
    void OnViewRoomDirectionDiagonal();
    // Enabled when the document holds at least one model.
    bool OnUpdateNeedModel() const;
    // Enabled when the current model offers a module arrangement.
    bool OnUpdateSpeakerModuleArrangement() const;

    // m_nDragInstallState after the current model changed: with
    // installations in the room, 2 when the first installation's model has
    // the current model's frequency pitch, else 0; unchanged without
    // installations or without a current model.
    void UpdateDragInstallState();
    // Curve 0 of every graph of m_soundGraphConditions cleared.
    void ClearGraphCursorCurves();
    // ---- end of speaker and tool commands ----

    // ---- Installation and room commands (implemented in KDRDocInstallCommands.cpp) ----
    enum : unsigned {
        kCmdRoomParameters = 32777,
        kCmdInstallationAuto = 32784,
        kCmdInstallationManually = 32782,
        kCmdInstallationProperties = 32780,
        kCmdInstallationRemove = 32779,
        kCmdInstallationRemoveAll = 32783,
        kCmdToolRecalculate = 32794,
    };
    // Runs the command id when it is one of those above; false otherwise.
    bool OnInstallCommand(unsigned id);
    // True when id is one of those commands, with enabled set as its update
    // handler decides (left as passed in when the handler leaves the item
    // unchanged).
    bool GetInstallCommandEnabled(unsigned id, bool& enabled) const;

    void OnRoomParameters();
    // Installation > Auto...: AutoInstall, then modified when a grid was laid.
    void OnInstallationAuto();
    // Installation > Manually...: a speaker proposed at the room's centre.
    void OnInstallationManually();
    void OnInstallationProperties();
    void OnInstallationRemove();
    void OnInstallationRemoveAll();
    void OnToolRecalculate();
    // Disabled with a vertical calculation plane; otherwise enabled when the
    // current model can be laid out automatically.
    bool OnUpdateInstallationAuto() const;
    // False when the item is left unchanged; otherwise true with enabled.
    bool OnUpdateInstallationManually(bool& enabled) const;
    // Enabled when the room holds at least one installation.
    bool OnUpdateNeedInstallation() const;

    // Shared with the drops and drags of the map and the installation list
    // (the callers send the updates): 0 done, 1 not.
    int InstallSpeakerAt(double x, double y);
    int EditInstallationProperties(double x, double y, double z, double azimuth, double rotation, double elevation,
                                   double power, BOOL polarityNormal);
    int RemoveInstallation(BOOL bAll);
    // Lays a grid of the current model over the room: 0 laid, 1 stopped
    // (the project then as it was before, the dialog's values included).
    int AutoInstall();
    // Rows per printed page and pages of the installation table for the
    // device's printable height.
    void CalcPrintPages(class IDrawingContext* pDC, unsigned rowHeight, unsigned topMargin, unsigned bottomMargin);
    // Every colour-map condition's plane back to level 0 with its results
    // cleared.
    void RebuildAllPlanes();
    // ---- end of installation and room commands ----

    // ---- project data (public: the views and commands read and change it) ----
    BOOL m_bRecalcRequested = FALSE;      // only while Tool > Recalculate sends its hints
    BOOL m_bManualRecalculation = FALSE;  // maps recalculate only on Tool > Recalculate
    int m_nPrintPageCount = 0;            // pages of the printed installation table
    int m_nPrintRowsPerPage = 0;          // table rows per printed page
    int m_nAdvancedMode = 0;              // 2 on, 0 off
    BOOL m_bSameAsRoom = TRUE;            // plane "Same as room dimensions"
    int m_nAutoLayoutPattern = 0;         // 0 "Rectangle", 1 "Hexagonal"; not saved
    int m_nLengthUnit = 1;                // 0 metres, 1 feet
    std::string m_strDate;
    std::string m_strProjectName;
    BOOL m_bAutoInstalled = FALSE;  // the present layout came from Installation > Auto
    double m_dAutoBand = 0.0;       // judgment band N (1/N octave)
    double m_dAutoCenterFreq = 0.0; // judgment centre frequency, Hz
    // [0] bottom wall to first row, [1] left wall to first column,
    // [2] between rows, [3] between columns.
    double m_dAutoDistance[4] = {0.0, 0.0, 0.0, 0.0};
    int m_nAutoOverlapMode = 2;     // 0 max overlap ... 4 "2 * Edge-to-Edge"
    int m_nDragInstallState = 2;    // 2 the current model may be installed, 0 not
    BOOL m_bNeverImported = TRUE;
    CPoint3D m_ptAutoAngles{kNotSet, kNotSet, kNotSet};
    double m_dAutoHeight = kNotSet;
    BOOL m_bOpenedFromFile = FALSE; // loaded from a file: views take stored entry 0
    BOOL m_bOldFormat = FALSE;      // the path in hand ends in ".kdr"
    DWORD m_dwVersion = kCurrentVersion;
    CSpeakerModelContainer m_models;
    CInstallationContainer m_installations;
    CColorMapConditionList m_colorMapConditions;
    CSoundGraphConditionList m_soundGraphConditions;

private:
    std::vector<FileIO::KeptCopyFound> m_keptCopies;  // of the file being opened
    std::function<bool(std::string& path)> m_savePathPrompt;
    std::function<void(const std::string& path)> m_savedListener;
};
