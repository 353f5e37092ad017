#pragma once
// The application: start-up (settings file, document template, main
// window, first-start question), the New, Open, Print Setup and About
// commands, the recent-file list, and the settings other parts read.

#include "platform/AppSettings.h"
#include "platform/CommandTarget.h"

#include <QPixmap>
#include <QStringList>
#include <memory>
#include <string>

class CKDRDoc;
class CKDRDocTemplate;
class CKDRMainFrame;
class CQtDialogRunner;
class CQtDocumentUi;
class CQtMessageBox;
class CQtWindowLocator;
class IDialogRunner;
class IFileDialogs;
class IMessageBox;

// What a test may put in place of the desktop: each null member keeps the
// Qt implementation.
struct CKDRAppOptions {
    std::string settingsPath;  // empty: beside the program (or the user's config folder)
    IDialogRunner* dialogRunner = nullptr;
    IMessageBox* messages = nullptr;
    IFileDialogs* fileDialogs = nullptr;
    std::string recentFilesScope;  // application name of the recent-file list; empty: "Kadrel"
    bool showMainWindow = true;
};

class CKDRApp : public ICommandTarget {
public:
    static constexpr int kRecentFileCount = 4;

    using Options = CKDRAppOptions;

    CKDRApp();
    ~CKDRApp() override;
    CKDRApp(const CKDRApp&) = delete;
    CKDRApp& operator=(const CKDRApp&) = delete;

    // The application running now (nullptr before one is constructed).
    static CKDRApp* Instance();

    // The start-up steps up to the first-start question; false ends the
    // program (no main window, or the first-start dialog was cancelled).
    // Needs a QApplication; does not enter its event loop.
    bool InitInstance(int argc, char** argv, const Options& options = Options());
    // The event loop; its exit code.
    int Run();

    CKDRMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
    CKDRDocTemplate* GetDocTemplate() const { return m_template.get(); }
    IFileDialogs& FileDialogs() const { return *m_fileDialogs; }

    // The four settings of this start and the one-line section writes.
    CAppSettings& Settings() const { return AppSettings(); }
    bool WriteIniInt(const std::string& section, const std::string& key, int value) const;

    // Icons 130 and 141 that the SPL map draws at installations.
    QPixmap m_hSpeakerIcon;
    QPixmap m_hCurrentSpeakerIcon;

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppAbout();
    CKDRDoc* OpenDocumentFile(const std::string& path);

    // The recent-file list (most recent first, at most four).
    QStringList RecentFiles() const;
    void AddToRecentFileList(const std::string& path);

    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    bool HasCommandHandler(unsigned id) const override;

private:
    void SaveRecentFiles() const;

    std::unique_ptr<CKDRDocTemplate> m_template;
    std::unique_ptr<CKDRMainFrame> m_mainFrame;
    std::unique_ptr<CQtMessageBox> m_qtMessages;
    std::unique_ptr<CQtDialogRunner> m_qtRunner;
    std::unique_ptr<IFileDialogs> m_qtFileDialogs;
    std::unique_ptr<CQtWindowLocator> m_locator;
    std::unique_ptr<CQtDocumentUi> m_documentUi;
    IFileDialogs* m_fileDialogs = nullptr;
    QString m_recentScope;
    QStringList m_recentFiles;
};
