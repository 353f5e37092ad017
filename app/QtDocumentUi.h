#pragma once
// What the project document's commands need of the desktop: the speaker-data
// file dialog, the progress dialog, the main window's enabled state and the
// small dialogs.

#include "document/DocumentUi.h"

class CKDRApp;

class CQtDocumentUi : public IDocumentUi {
public:
    explicit CQtDocumentUi(CKDRApp& app) : m_app(app) {}

    bool AskSpeakerDataPath(std::string& path) override;
    std::unique_ptr<IProgress> CreateProgressDialog() override;
    void ShowProgressDialog(IProgress& progress) override;
    void EnableMainWindow(bool enable) override;
    int RunMessageDialog(const std::string& text) override;
    bool RunPreferenceDialog(int& advancedMode, BOOL& manualRecalculation) override;
    bool RunZx1ExportDialog(double& angle, double& micDistance) override;

private:
    CKDRApp& m_app;
};
