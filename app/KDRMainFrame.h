#pragma once
// The main window: the project windows in an MDI area, the menu of the
// active state (no project: File, View, Help; a project: the full menu),
// the toolbar, the status bar, dropped files, and the routing of every
// command to the active view, its document, the frames and the application.

#include "platform/CommandTarget.h"

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QToolBar>

class CKDRApp;
class CKDRChildFrame;
class CKDRDoc;
class QMenu;
class QTimer;

class CKDRMainFrame : public QMainWindow, public ICommandRouter, public ICommandTarget {
    Q_OBJECT
public:
    explicit CKDRMainFrame(CKDRApp& app);
    ~CKDRMainFrame() override;

    // Menu 128, toolbar 128 and the status bar; 800 x 600, "Kadrel".
    bool LoadFrame();

    QMdiArea* MdiArea() const { return m_mdi; }
    QToolBar* ToolBar() const { return m_toolBar; }
    // The menu resource the menu bar shows now (128 or 129).
    unsigned CurrentMenuId() const { return m_menuId; }

    // The window of a new document with its five panes (not yet shown).
    CKDRChildFrame* CreateChildFrame(CKDRDoc& doc);
    CKDRChildFrame* FindFrame(const CKDRDoc& doc) const;
    CKDRChildFrame* ActiveChildFrame() const;
    QList<CKDRChildFrame*> ChildFrames() const;

    // The save question for a modified document: true when it may close.
    bool SaveModified(CKDRDoc& doc);
    // Closes the document and its window at once (no question). The window
    // used before it comes to the front, maximised when the closed one was.
    void CloseDocumentNow(CKDRDoc& doc);

    // While a long loop runs the user cannot reach menus, toolbar and windows.
    // Disabling drops the window's focus; enabling again gives it back to the
    // project window and the widget that had it, so that the program's own
    // window activation does not pick the first pane of the first project.
    // Calls nest: only the outermost pair disables and restores.
    void EnableMainWindow(bool enable);

    // Brings the menu bar, the caption and the toolbar's enabling up to date.
    void UpdateFrameState();
    // The caption names the active project window's document, now and again
    // once pending window events are done.
    void UpdateFrameTitle();

    // ICommandRouter
    bool RouteCommand(unsigned id) override;
    void RouteUpdate(CCmdUI& ui) override;

    // ICommandTarget: the frame's own commands.
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    bool HasCommandHandler(unsigned id) const override;

    // Files dropped on the window open one after the other.
    void OnDropFiles(const QStringList& paths);

    // "Sen&d..." is offered when the desktop has a mail program.
    static bool HasMailProgram();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateToolBar();
    void CreateStatusBar();
    void SetMenu(unsigned menuId);
    // The open project windows at the end of the Window menu, the active one checked.
    void FillWindowList(QMenu* menu);
    void UpdateToolBar();
    void SetFrameTitle();
    // The project window activated last before the given one, if any.
    QMdiSubWindow* WindowUsedBefore(QMdiSubWindow* window) const;
    void CloseDocumentNow(CKDRDoc& doc, QMdiSubWindow* front);
    void ScheduleFrameTitle();
    void ArrangeIcons();
    // The document commands that need the window system.
    bool OnDocumentCommand(CKDRDoc& doc, unsigned id);
    bool UpdateDocumentCommand(CKDRDoc& doc, CCmdUI& ui);
    void OnFileSendMail(CKDRDoc& doc);

    CKDRApp& m_app;
    QMdiArea* m_mdi = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_message = nullptr;
    QTimer* m_idleTimer = nullptr;
    unsigned m_menuId = 0;
    // Disabled by EnableMainWindow: how deep, and where the focus was.
    int m_disabledDepth = 0;
    QPointer<QMdiSubWindow> m_activeBeforeDisable;
    QPointer<QWidget> m_focusBeforeDisable;
    bool m_titlePending = false;
    bool m_settingTitle = false;
};
