#include "app/KDRChildFrame.h"

#include "document/KDRDoc.h"
#include "platform/qt/ViewBase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>

CIdealSplitter::CIdealSplitter(Qt::Orientation orientation, std::vector<int> idealSizes, QWidget* parent)
    : QSplitter(orientation, parent), m_ideal(std::move(idealSizes))
{
    setChildrenCollapsible(false);
}

void CIdealSplitter::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (m_applied || count() == 0)
        return;
    const int total = orientation() == Qt::Horizontal ? width() : height();
    if (total <= 0)
        return;
    m_applied = true;
    QList<int> sizes;
    int used = handleWidth() * (count() - 1);
    for (int i = 0; i < count() - 1; ++i) {
        const int s = i < static_cast<int>(m_ideal.size()) ? m_ideal[i] : CKDRChildFrame::kMinPaneSize;
        sizes << s;
        used += s;
    }
    sizes << std::max(CKDRChildFrame::kMinPaneSize, total - used);
    setSizes(sizes);
    for (int i = 0; i < count(); ++i)
        setStretchFactor(i, i == count() - 1 ? 1 : 0);
}

CKDRChildFrame::CKDRChildFrame(CKDRDoc& doc, QWidget* parent) : QMdiSubWindow(parent), m_doc(doc)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    connect(qApp, &QApplication::focusChanged, this, &CKDRChildFrame::OnFocusChanged);
}

CKDRChildFrame::~CKDRChildFrame()
{
    // The views leave the document before they go.
    for (QWidget* pane : m_panes)
        if (auto* view = dynamic_cast<IView*>(pane))
            m_doc.RemoveView(view);
}

bool CKDRChildFrame::OnCreateClient()
{
    m_outer = new CIdealSplitter(Qt::Vertical, {400, 100}, nullptr);
    m_upper = new CIdealSplitter(Qt::Horizontal, {200, 600}, m_outer);
    m_left = new CIdealSplitter(Qt::Vertical, {100, 100, 200}, m_upper);
    m_outer->addWidget(m_upper);
    m_upper->addWidget(m_left);

    // The panes in the order the window creates them; each goes to its place.
    QWidget* graph = CreatePane(PaneKind::FrequencyResponse, m_doc, m_left);
    QWidget* tap = CreatePane(PaneKind::Tap, m_doc, m_left);
    QWidget* speaker = CreatePane(PaneKind::SpeakerData, m_doc, m_left);
    QWidget* map = CreatePane(PaneKind::SplMap, m_doc, m_upper);
    QWidget* installation = CreatePane(PaneKind::InstallationInfo, m_doc, m_outer);
    if (!graph || !tap || !speaker || !map || !installation) {
        delete m_outer;
        m_outer = nullptr;
        return false;
    }
    m_left->addWidget(speaker);
    m_left->addWidget(tap);
    m_left->addWidget(graph);
    m_upper->addWidget(map);
    m_outer->addWidget(installation);

    m_panes[static_cast<int>(PaneKind::SpeakerData)] = speaker;
    m_panes[static_cast<int>(PaneKind::Tap)] = tap;
    m_panes[static_cast<int>(PaneKind::FrequencyResponse)] = graph;
    m_panes[static_cast<int>(PaneKind::SplMap)] = map;
    m_panes[static_cast<int>(PaneKind::InstallationInfo)] = installation;
    for (QWidget* pane : m_panes) {
        pane->setMinimumSize(kMinPaneSize, kMinPaneSize);
        if (auto* view = dynamic_cast<IView*>(pane))
            m_doc.AddView(view);  // a view that registered itself is not added twice
    }
    m_activePane = speaker;
    setWidget(m_outer);
    UpdateTitle();
    return true;
}

void CKDRChildFrame::ShowInitially()
{
    // The size is set before the window shows: once shown it may be
    // maximised, and a maximised window keeps the area's size.
    setGeometry(0, 0, kInitialWidth, kInitialHeight);
    show();
}

QSize CKDRChildFrame::sizeHint() const
{
    return QSize(kInitialWidth, kInitialHeight);
}

void CKDRChildFrame::InitialUpdate()
{
    // The speaker list, the window's first view, is the pane its commands go
    // to until the user works in another one; without a focus widget of its
    // own the window would hand the focus to the first pane that takes it,
    // the graph.
    SetActivePane(GetPane(PaneKind::SpeakerData));
    const PaneKind order[] = {PaneKind::FrequencyResponse, PaneKind::Tap, PaneKind::SpeakerData, PaneKind::SplMap,
                              PaneKind::InstallationInfo};
    for (PaneKind k : order)
        if (auto* view = dynamic_cast<CViewBase*>(GetPane(k)))
            view->OnInitialUpdate();
    UpdateTitle();
}

QWidget* CKDRChildFrame::GetPane(PaneKind kind) const
{
    return m_panes[static_cast<int>(kind)];
}

QWidget* CKDRChildFrame::GetActivePane() const
{
    return m_activePane;
}

void CKDRChildFrame::SetActivePane(QWidget* pane, Qt::FocusReason reason)
{
    if (!pane)
        return;
    m_activePane = pane;
    // The keyboard goes to the first widget of the pane that takes it from
    // the Tab key (the list of a list pane), else to the pane itself.
    QWidget* target = pane;
    for (QWidget* w : pane->findChildren<QWidget*>())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(pane)) {
            target = w;
            break;
        }
    if (target->focusPolicy() == Qt::NoFocus)
        target->setFocusPolicy(Qt::ClickFocus);
    target->setFocus(reason);
}

void CKDRChildFrame::OnFocusChanged(QWidget*, QWidget* now)
{
    for (QWidget* w = now; w; w = w->parentWidget()) {
        for (QWidget* pane : m_panes)
            if (pane == w) {
                m_activePane = pane;
                return;
            }
        if (w == this)
            return;
    }
}

void CKDRChildFrame::ActivateNextPane(bool previous)
{
    // Panes in their order on the screen: speaker list, tap list, graph,
    // SPL map, installation list.
    const PaneKind order[] = {PaneKind::SpeakerData, PaneKind::Tap, PaneKind::FrequencyResponse, PaneKind::SplMap,
                              PaneKind::InstallationInfo};
    int current = 0;
    for (int i = 0; i < 5; ++i)
        if (GetPane(order[i]) == m_activePane)
            current = i;
    const int next = (current + (previous ? 4 : 1)) % 5;
    SetActivePane(GetPane(order[next]), Qt::TabFocusReason);
}

void CKDRChildFrame::UpdateTitle()
{
    setWindowTitle(QString::fromStdString(m_doc.GetTitle()) + QStringLiteral("[*]"));
    setWindowModified(m_doc.IsModified());
}

void CKDRChildFrame::closeEvent(QCloseEvent* event)
{
    if (m_onClose && !m_onClose(*this)) {
        event->ignore();
        return;
    }
    event->accept();
}
