#include "app/KDRMainFrame.h"

#include "app/FileDialogs.h"
#include "app/KDRApp.h"
#include "app/KDRChildFrame.h"
#include "app/KDRDocTemplate.h"
#include "document/KDRDoc.h"
#include "platform/FrameTitle.h"
#include "platform/MessageBox.h"
#include "platform/qt/MenuBuilder.h"
#include "platform/qt/ProgramResources.h"
#include "platform/qt/ViewBase.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {

// The text of a command as the menus show it, for tool tips.
std::string CommandText(unsigned id)
{
    struct Finder {
        static bool Find(const std::vector<MenuItemDef>& items, unsigned id, std::string& text)
        {
            for (const MenuItemDef& it : items) {
                if (it.kind == MenuItemDef::Command && it.id == id) {
                    text = StripMnemonic(it.text);
                    return true;
                }
                if (it.kind == MenuItemDef::Popup && Find(it.items, id, text))
                    return true;
            }
            return false;
        }
    };
    std::string text;
    if (const auto* menu = FindMenu(IDR_KDRTYPE))
        Finder::Find(*menu, id, text);
    if (!text.empty() && text.size() > 3 && text.compare(text.size() - 3, 3, "...") == 0)
        text.resize(text.size() - 3);
    return text;
}

void FillRecentFiles(QMenu* menu, QAction* before, void* ctx)
{
    auto* app = static_cast<CKDRApp*>(ctx);
    // Drop the entries of the last opening.
    for (QAction* a : menu->actions())
        if (a->property("kadrelRecent").toBool())
            delete a;
    const QStringList files = app->RecentFiles();
    if (files.isEmpty()) {
        QAction* a = new QAction(QStringLiteral("Recent File"), menu);
        a->setEnabled(false);
        a->setProperty("kadrelRecent", true);
        menu->insertAction(before, a);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        // An "&" of the name is shown, not taken as the entry's mnemonic.
        QString name = QDir::toNativeSeparators(files[i]);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(name);
        QAction* a = new QAction(text, menu);
        a->setProperty("kadrelRecent", true);
        a->setProperty("kadrelCommandId", ID_FILE_MRU_FILE1 + i);
        const unsigned id = ID_FILE_MRU_FILE1 + i;
        QObject::connect(a, &QAction::triggered, a, [id] {
            if (ICommandRouter* r = GetCommandRouter())
                r->RouteCommand(id);
        });
        menu->insertAction(before, a);
    }
}

}  // namespace

CKDRMainFrame::CKDRMainFrame(CKDRApp& app) : m_app(app) {}

CKDRMainFrame::~CKDRMainFrame()
{
    if (GetCommandRouter() == this)
        SetCommandRouter(nullptr);
}

bool CKDRMainFrame::LoadFrame()
{
    resize(800, 600);
    setWindowTitle(QStringLiteral("Kadrel"));
    setWindowIcon(QIcon(LoadProgramIcon(IDI_APPLICATION_ICON)));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    SetCommandRouter(this);
    SetMenu(IDR_MAINFRAME);
    CreateToolBar();
    CreateStatusBar();
    setAcceptDrops(true);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) { UpdateFrameState(); });
    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(next, &QShortcut::activated, this, [this] { RouteCommand(ID_NEXT_PANE); });
    auto* prev = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(prev, &QShortcut::activated, this, [this] { RouteCommand(ID_PREV_PANE); });

    // The toolbar follows the update handlers while the program is idle.
    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(250);
    connect(m_idleTimer, &QTimer::timeout, this, [this] { UpdateToolBar(); });
    m_idleTimer->start();
    return true;
}

void CKDRMainFrame::SetMenu(unsigned menuId)
{
    if (m_menuId == menuId)
        return;
    m_menuId = menuId;
    MenuBuilder::FillMenuBar(menuBar(), menuId, &FillRecentFiles, &m_app);
    for (QAction* top : menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (menu && menu->title() == QStringLiteral("&Window"))
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowList(menu); });
    }
}

void CKDRMainFrame::FillWindowList(QMenu* menu)
{
    const char* const marker = "kadrelWindowList";
    for (QAction* a : menu->actions())
        if (a->property(marker).toBool())
            delete a;
    const QList<CKDRChildFrame*> frames = ChildFrames();
    if (frames.isEmpty())
        return;
    menu->addSeparator()->setProperty(marker, true);
    const CKDRChildFrame* active = ActiveChildFrame();
    int number = 1;
    for (CKDRChildFrame* f : frames) {
        QString title = QString::fromStdString(f->GetDocument().GetTitle());
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(title));
        a->setProperty(marker, true);
        a->setCheckable(true);
        a->setChecked(f == active);
        connect(a, &QAction::triggered, this, [this, f] {
            if (ChildFrames().contains(f))
                m_mdi->setActiveSubWindow(f);
        });
    }
}

void CKDRMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar128"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setMovable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    // The buttons in their groups; each takes the next image of the strip.
    const unsigned groups[][4] = {
        {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT},
        {ID_VIEW_ROOM_DIRECTION_XAXISMINUS, ID_VIEW_ROOM_DIRECTION_YAXISPLUS, ID_VIEW_ROOM_DIRECTION_ZAXISMINUS,
         ID_VIEW_ROOM_DIRECTION_DIAGONAL},
        {ID_ROOM_PARAMETERS, ID_SPEAKER_IMPORT, ID_INSTALLATION_AUTO, 0},
        {ID_TOOL_RECALCULATE, ID_TOOL_PREFERENCE, 0, 0},
        {ID_VIEW_ROOM_SIZE_FIT, ID_VIEW_ROOM_SIZE_ZOOMIN, ID_VIEW_ROOM_SIZE_ZOOMOUT, 0},
        {ID_APP_ABOUT, 0, 0, 0},
    };
    bool first = true;
    int image = 0;
    for (const auto& group : groups) {
        if (!first)
            m_toolBar->addSeparator();
        first = false;
        for (const unsigned id : group) {
            if (id == 0)
                continue;
            MenuItemDef item;
            item.id = id;
            item.text = CommandText(id);
            QAction* a = MenuBuilder::MakeAction(item, m_toolBar);
            a->setIcon(QIcon(LoadProgramToolBarButton(IDR_MAINFRAME, image++)));
            a->setToolTip(QString::fromStdString(item.text));
            m_toolBar->addAction(a);
        }
    }
}

void CKDRMainFrame::CreateStatusBar()
{
    m_message = new QLabel(QString::fromStdString(LoadStringId(61717)), this);
    statusBar()->addWidget(m_message, 1);
    // Caps Lock, Num Lock and Scroll Lock: the places are kept; the desktop
    // does not tell this program the lock states, so they stay blank.
    for (const char* name : {"CAP", "NUM", "SCRL"}) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        statusBar()->addPermanentWidget(l);
    }
}

CKDRChildFrame* CKDRMainFrame::CreateChildFrame(CKDRDoc& doc)
{
    auto* frame = new CKDRChildFrame(doc);
    frame->setWindowIcon(QIcon(LoadProgramIcon(IDI_APPLICATION_ICON)));
    if (!frame->OnCreateClient()) {
        delete frame;
        return nullptr;
    }
    m_mdi->addSubWindow(frame);
    frame->setGeometry(0, 0, 785, 500);
    frame->m_onClose = [this](CKDRChildFrame& f) {
        CKDRDoc& d = f.GetDocument();
        if (!SaveModified(d))
            return false;
        // The window goes once its close has finished. The one to come to
        // the front is the one used before it, known only now: the hiding
        // hands the focus to the first window.
        QTimer::singleShot(0, this, [this, docPtr = &d, front = QPointer<QMdiSubWindow>(WindowUsedBefore(&f))] {
            if (FindFrame(*docPtr))
                CloseDocumentNow(*docPtr, front);
        });
        return true;
    };
    connect(frame, &QMdiSubWindow::windowStateChanged, this, [this] { UpdateFrameTitle(); });
    doc.SetChangeListener(
        [](CDocument* changed, void* ctx) {
            auto* self = static_cast<CKDRMainFrame*>(ctx);
            if (CKDRChildFrame* f = self->FindFrame(*static_cast<CKDRDoc*>(changed)))
                f->UpdateTitle();
            self->UpdateFrameTitle();
        },
        this);
    return frame;
}

CKDRChildFrame* CKDRMainFrame::FindFrame(const CKDRDoc& doc) const
{
    for (CKDRChildFrame* f : ChildFrames())
        if (&f->GetDocument() == &doc)
            return f;
    return nullptr;
}

QList<CKDRChildFrame*> CKDRMainFrame::ChildFrames() const
{
    QList<CKDRChildFrame*> out;
    if (!m_mdi)
        return out;
    for (QMdiSubWindow* w : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* f = qobject_cast<CKDRChildFrame*>(w))
            out << f;
    return out;
}

CKDRChildFrame* CKDRMainFrame::ActiveChildFrame() const
{
    if (!m_mdi)
        return nullptr;
    if (auto* f = qobject_cast<CKDRChildFrame*>(m_mdi->activeSubWindow()))
        return f;
    if (auto* f = qobject_cast<CKDRChildFrame*>(m_mdi->currentSubWindow()))
        return f;
    // Without an activated window (no desktop focus) the newest one counts.
    const QList<CKDRChildFrame*> frames = ChildFrames();
    return frames.isEmpty() ? nullptr : frames.back();
}

bool CKDRMainFrame::SaveModified(CKDRDoc& doc)
{
    if (!doc.IsModified())
        return true;
    std::string name = doc.GetPathName().empty() ? doc.GetTitle() : doc.GetPathName();
    std::string text = LoadStringId(61716);
    const size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    switch (AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return false;
    case IDYES: return doc.DoFileSave();
    default: return true;
    }
}

void CKDRMainFrame::CloseDocumentNow(CKDRDoc& doc)
{
    CKDRChildFrame* f = FindFrame(doc);
    CloseDocumentNow(doc, f ? WindowUsedBefore(f) : nullptr);
}

QMdiSubWindow* CKDRMainFrame::WindowUsedBefore(QMdiSubWindow* window) const
{
    const QList<QMdiSubWindow*> used = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = used.rbegin(); it != used.rend(); ++it)
        if (*it != window && (*it)->isVisible())
            return *it;
    return nullptr;
}

void CKDRMainFrame::CloseDocumentNow(CKDRDoc& doc, QMdiSubWindow* front)
{
    doc.OnCloseDocument();
    doc.SetChangeListener(nullptr, nullptr);
    if (CKDRChildFrame* f = FindFrame(doc)) {
        const bool wasMaximized = f->isMaximized();
        f->m_onClose = nullptr;
        m_mdi->removeSubWindow(f);
        delete f;
        // The window used before comes to the front; in the place of a
        // maximised window it is maximised itself.
        if (front && m_mdi->subWindowList().contains(front)) {
            if (wasMaximized)
                front->showMaximized();
            m_mdi->setActiveSubWindow(front);
        }
    }
    if (CKDRDocTemplate* t = m_app.GetDocTemplate())
        t->RemoveDocument(&doc);
    UpdateFrameState();
}

void CKDRMainFrame::EnableMainWindow(bool enable)
{
    // The progress dialog is no Qt child of this window and stays usable.
    if (!enable) {
        if (m_disabledDepth++ > 0)
            return;
        // The window's focus widget is kept while another window (the
        // progress dialog) is active, but cleared by the disabling below.
        m_activeBeforeDisable = m_mdi ? m_mdi->activeSubWindow() : nullptr;
        m_focusBeforeDisable = focusWidget();
        setEnabled(false);
        return;
    }
    if (m_disabledDepth > 0 && --m_disabledDepth > 0)
        return;
    setEnabled(true);
    if (m_activeBeforeDisable && m_mdi->activeSubWindow() != m_activeBeforeDisable)
        m_mdi->setActiveSubWindow(m_activeBeforeDisable);
    // In a window that is not active, setting the focus makes the widget the
    // one that gets it when the window is activated again.
    QWidget* focus = m_focusBeforeDisable;
    if (focus && focus->isVisible() && focus->isEnabled() && isAncestorOf(focus))
        focus->setFocus(Qt::OtherFocusReason);
    else if (auto* child = qobject_cast<CKDRChildFrame*>(m_activeBeforeDisable.data()))
        child->SetActivePane(child->GetActivePane());  // the widget is gone: its pane
    m_activeBeforeDisable = nullptr;
    m_focusBeforeDisable = nullptr;
}

void CKDRMainFrame::UpdateFrameState()
{
    SetMenu(ChildFrames().isEmpty() ? IDR_MAINFRAME : IDR_KDRTYPE);
    UpdateFrameTitle();
    UpdateToolBar();
}

void CKDRMainFrame::UpdateFrameTitle()
{
    SetFrameTitle();
    // The MDI area rewrites the caption of a maximized window's frame after
    // activations and state changes of its own: set it again once those are
    // done.
    ScheduleFrameTitle();
}

void CKDRMainFrame::ScheduleFrameTitle()
{
    if (m_titlePending)
        return;
    m_titlePending = true;
    QTimer::singleShot(0, this, [this] {
        m_titlePending = false;
        SetFrameTitle();
    });
}

void CKDRMainFrame::SetFrameTitle()
{
    m_settingTitle = true;
    CKDRChildFrame* child = ActiveChildFrame();
    std::string caption;
    if (child) {
        // The window's own caption first: the one joined to a maximized
        // window's frame must be the document's title of now.
        child->UpdateTitle();
        caption = child->windowTitle().toStdString();
    }
    setWindowTitle(QString::fromStdString(
        MakeMainFrameTitle("Kadrel", child ? &caption : nullptr, child && child->isMaximized())));
    setWindowModified(child && child->GetDocument().IsModified());
    m_settingTitle = false;
}

void CKDRMainFrame::changeEvent(QEvent* event)
{
    // The MDI area clears the modified mark of a maximized window's frame
    // whenever another window (a dialog, a message) takes the focus.
    if (event->type() == QEvent::ModifiedChange && !m_settingTitle)
        ScheduleFrameTitle();
    QMainWindow::changeEvent(event);
}

void CKDRMainFrame::UpdateToolBar()
{
    if (!m_toolBar)
        return;
    for (QAction* a : m_toolBar->actions()) {
        const unsigned id = MenuBuilder::CommandId(a);
        if (id == 0)
            continue;
        CCmdUI ui(id);
        RouteUpdate(ui);
        a->setEnabled(ui.m_bEnabled);
    }
}

bool CKDRMainFrame::RouteCommand(unsigned id)
{
    if (CKDRChildFrame* frame = ActiveChildFrame()) {
        if (auto* view = dynamic_cast<ICommandTarget*>(frame->GetActivePane()))
            if (view->OnCommand(id))
                return true;
        CKDRDoc& doc = frame->GetDocument();
        if (auto* target = dynamic_cast<ICommandTarget*>(&doc))
            if (target->OnCommand(id))
                return true;
        if (OnDocumentCommand(doc, id))
            return true;
    }
    if (OnCommand(id))
        return true;
    return m_app.OnCommand(id);
}

void CKDRMainFrame::RouteUpdate(CCmdUI& ui)
{
    if (CKDRChildFrame* frame = ActiveChildFrame()) {
        if (auto* view = dynamic_cast<ICommandTarget*>(frame->GetActivePane())) {
            if (view->OnUpdateCommand(ui))
                return;
            if (view->HasCommandHandler(ui.m_nID)) {
                ui.Enable(true);
                return;
            }
        }
        CKDRDoc& doc = frame->GetDocument();
        if (auto* target = dynamic_cast<ICommandTarget*>(&doc)) {
            if (target->OnUpdateCommand(ui))
                return;
            if (target->HasCommandHandler(ui.m_nID)) {
                ui.Enable(true);
                return;
            }
        }
        if (UpdateDocumentCommand(doc, ui))
            return;
    }
    if (OnUpdateCommand(ui))
        return;
    if (HasCommandHandler(ui.m_nID)) {
        ui.Enable(true);
        return;
    }
    if (m_app.OnUpdateCommand(ui))
        return;
    if (m_app.HasCommandHandler(ui.m_nID)) {
        ui.Enable(true);
        return;
    }
    // Nobody handles it.
    ui.Enable(false);
}

bool CKDRMainFrame::OnDocumentCommand(CKDRDoc& doc, unsigned id)
{
    switch (id) {
    case ID_FILE_CLOSE:
        if (SaveModified(doc))
            CloseDocumentNow(doc);
        return true;
    case ID_FILE_SAVE: doc.OnFileSave(); return true;
    // The document proposes the name and asks through its Save As question.
    case ID_FILE_SAVE_AS: doc.DoSave(std::string()); return true;
    case ID_FILE_SEND_MAIL:
        if (HasMailProgram())
            OnFileSendMail(doc);
        return true;
    case ID_WINDOW_NEW: return true;  // one window per project
    default: break;
    }
    return doc.OnModelCommand(id) || doc.OnInstallCommand(id);
}

bool CKDRMainFrame::UpdateDocumentCommand(CKDRDoc& doc, CCmdUI& ui)
{
    switch (ui.m_nID) {
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS: ui.Enable(true); return true;
    case ID_FILE_SEND_MAIL: ui.Enable(HasMailProgram()); return true;
    case ID_WINDOW_NEW: ui.Enable(false); return true;
    default: break;
    }
    bool enabled = false;
    if (doc.GetModelCommandEnabled(ui.m_nID, enabled) || doc.GetInstallCommandEnabled(ui.m_nID, enabled)) {
        ui.Enable(enabled);
        return true;
    }
    return false;
}

bool CKDRMainFrame::HasMailProgram()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty();
}

void CKDRMainFrame::OnFileSendMail(CKDRDoc& doc)
{
    std::string path = doc.GetPathName();
    if (path.empty() || doc.IsModified()) {
        // The mail carries the project as it is now: a copy in the temporary folder.
        const bool modified = doc.IsModified();
        std::string name = doc.GetTitle().empty() ? std::string("Untitled") : doc.GetTitle();
        const QFileInfo info(QString::fromStdString(name));
        name = info.completeBaseName().toStdString() + ".zkdr";
        path = QDir(QDir::tempPath()).filePath(QString::fromStdString(name)).toStdString();
        const bool saved = doc.OnSaveDocument(path);
        doc.SetModifiedFlag(modified);
        if (!saved)
            return;
    }
    QProcess::startDetached(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), QString::fromStdString(path)});
}

bool CKDRMainFrame::OnCommand(unsigned id)
{
    switch (id) {
    case ID_VIEW_TOOLBAR: m_toolBar->setVisible(!m_toolBar->isVisible()); return true;
    case ID_VIEW_STATUS_BAR: statusBar()->setVisible(!statusBar()->isVisible()); return true;
    case ID_WINDOW_CASCADE: m_mdi->cascadeSubWindows(); return true;
    case ID_WINDOW_TILE_HORZ: m_mdi->tileSubWindows(); return true;
    case ID_WINDOW_ARRANGE: ArrangeIcons(); return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        if (CKDRChildFrame* f = ActiveChildFrame())
            f->ActivateNextPane(id == ID_PREV_PANE);
        return true;
    case ID_APP_EXIT: close(); return true;
    default: return false;
    }
}

void CKDRMainFrame::ArrangeIcons()
{
    // Minimized project windows line up along the bottom edge, left to right.
    int x = 0;
    for (QMdiSubWindow* w : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        w->move(x, m_mdi->viewport()->height() - size.height());
        x += size.width();
    }
}

bool CKDRMainFrame::OnUpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
    case ID_VIEW_TOOLBAR: ui.SetCheck(m_toolBar && !m_toolBar->isHidden() ? 1 : 0); ui.Enable(true); return true;
    case ID_VIEW_STATUS_BAR: ui.SetCheck(!statusBar()->isHidden() ? 1 : 0); ui.Enable(true); return true;
    case ID_WINDOW_NEW: ui.Enable(false); return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE: ui.Enable(ActiveChildFrame() != nullptr); return true;
    default: return false;
    }
}

bool CKDRMainFrame::HasCommandHandler(unsigned id) const
{
    switch (id) {
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_ARRANGE:
    case ID_APP_EXIT: return true;
    default: return false;
    }
}

void CKDRMainFrame::closeEvent(QCloseEvent* event)
{
    // Not while a long loop works on a project.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    for (CKDRChildFrame* f : ChildFrames()) {
        if (!SaveModified(f->GetDocument())) {
            event->ignore();
            return;
        }
    }
    for (CKDRChildFrame* f : ChildFrames())
        CloseDocumentNow(f->GetDocument());
    event->accept();
}

void CKDRMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CKDRMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    OnDropFiles(paths);
}

void CKDRMainFrame::OnDropFiles(const QStringList& paths)
{
    activateWindow();
    for (const QString& path : paths)
        m_app.OpenDocumentFile(path.toStdString());
}
