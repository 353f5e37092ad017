#pragma once
// What the project document's speaker and tool commands need of the user
// interface: the speaker-data file dialog, the import progress dialog, the
// main window's enabled state and the small modal dialogs. The application
// installs its Qt implementation; tests install a double. Before one is
// installed a default answers Cancel to every question and shows nothing.

#include "platform/MessageBox.h"
#include "platform/Progress.h"
#include "platform/Types.h"

#include <memory>
#include <string>

class IDocumentUi {
public:
    virtual ~IDocumentUi() = default;

    // Open-file dialog for speaker data: open mode, default extension "zsb",
    // no initial name, filter "ZSB Files (*.zsb)" for "*.zsb", the read-only
    // box offered, the working folder left unchanged. True and the chosen
    // path on OK; false on anything else.
    virtual bool AskSpeakerDataPath(std::string& path) = 0;

    // Creates the modeless progress dialog hidden. The caller sets it up
    // (message, position, Stop button) and then calls ShowProgressDialog;
    // destroying the returned object destroys the window.
    virtual std::unique_ptr<IProgress> CreateProgressDialog() = 0;
    virtual void ShowProgressDialog(IProgress& progress) = 0;

    // Enables or disables the main window (disabled while a long loop runs).
    virtual void EnableMainWindow(bool enable) = 0;

    // The question dialog "Message from Kadrel" with OK and Cancel; returns
    // IDOK or IDCANCEL (Escape and the close box give IDCANCEL).
    virtual int RunMessageDialog(const std::string& text) = 0;

    // Preferences: starts with the given values; on OK returns true with
    // advancedMode 2 or 0 and manualRecalculation 1 or 0; false on Cancel
    // (the values are then left as they were).
    virtual bool RunPreferenceDialog(int& advancedMode, BOOL& manualRecalculation) = 0;

    // "Export zx1": asks for an angle (0..360) and a microphone distance;
    // true on OK with the values entered.
    virtual bool RunZx1ExportDialog(double& angle, double& micDistance) = 0;
};

// The instance in use (a silent default until one is installed).
IDocumentUi& DocumentUi();
// nullptr restores the default.
void SetDocumentUi(IDocumentUi* ui);
