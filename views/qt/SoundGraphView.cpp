#include "views/qt/SoundGraphView.h"

#include "document/KDRDoc.h"
#include "platform/qt/PrintRunner.h"
#include "platform/qt/QtDrawingContext.h"
#include "resources/CommandIds.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>

CSoundGraphView::CSoundGraphView(CDocument& doc, QWidget* parent) : CViewBase(doc, parent)
{
    m_core = std::make_unique<CSoundGraphViewCore>(dynamic_cast<CKDRDoc&>(doc));
    setFocusPolicy(Qt::ClickFocus);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setBackgroundRole(QPalette::Base);
    m_scroll->viewport()->setAutoFillBackground(true);
    QPalette pal = m_scroll->viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    m_scroll->viewport()->setPalette(pal);

    m_canvas = new QWidget;
    m_canvas->setObjectName(QStringLiteral("SoundGraphCanvas"));
    m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas->setFocusPolicy(Qt::ClickFocus);
    m_canvas->resize(1, 1);
    m_scroll->setWidget(m_canvas);
    m_canvas->installEventFilter(this);
    m_scroll->viewport()->installEventFilter(this);
    m_scroll->setGeometry(0, 0, width(), height());
}

CSoundGraphView::~CSoundGraphView()
{
    if (m_canvas)
        m_canvas->removeEventFilter(this);
    if (m_scroll)
        m_scroll->viewport()->removeEventFilter(this);
    // The graph entry goes with the window; later graph windows move down.
    GetDocument()->RemoveView(this);
    m_core->Detach();
}

void CSoundGraphView::OnInitialUpdate()
{
    const QSize client = m_scroll->viewport()->size();
    m_core->SetClientRect(CRect(0, 0, client.width(), client.height()));
    m_core->OnInitialUpdate();
    ApplyScrollSize();
    m_canvas->update();
}

void CSoundGraphView::OnUpdate(IView*, long hint)
{
    if (m_core->OnUpdate(hint))
        m_canvas->update();
}

bool CSoundGraphView::HasCommandHandler(unsigned id) const
{
    return id == ID_FILE_PRINT || id == ID_FILE_PRINT_PREVIEW;
}

bool CSoundGraphView::OnCommand(unsigned id)
{
    if (id == ID_FILE_PRINT)
        PrintRunner::Print(*m_core, this);
    else if (id == ID_FILE_PRINT_PREVIEW)
        PrintRunner::Preview(*m_core, this);
    else
        return false;
    // A job cancelled in its dialog never reached its end.
    m_core->EndPrintingIfActive();
    ApplyScrollSize();
    m_canvas->update();
    return true;
}

void CSoundGraphView::resizeEvent(QResizeEvent* event)
{
    CViewBase::resizeEvent(event);
    m_scroll->setGeometry(0, 0, event->size().width(), event->size().height());
}

void CSoundGraphView::focusInEvent(QFocusEvent* event)
{
    CViewBase::focusInEvent(event);
    m_core->OnActivateView();
}

bool CSoundGraphView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvas) {
        if (event->type() == QEvent::Paint) {
            PaintCanvas();
            return true;
        }
        if (event->type() == QEvent::FocusIn)
            m_core->OnActivateView();
    } else if (m_scroll && watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
        ClientResized();
    }
    return CViewBase::eventFilter(watched, event);
}

void CSoundGraphView::ClientResized()
{
    const QSize client = m_scroll->viewport()->size();
    if (m_core->OnSize(CRect(0, 0, client.width(), client.height()))) {
        ApplyScrollSize();
        m_canvas->update();
    }
}

void CSoundGraphView::ApplyScrollSize()
{
    const CSize total = m_core->GetTotalSize();
    if (m_canvas->size() != QSize(total.cx, total.cy))
        m_canvas->resize(total.cx, total.cy);
}

void CSoundGraphView::PaintCanvas()
{
    ++m_nPaintCount;
    QPainter painter(m_canvas);
    painter.fillRect(m_canvas->rect(), Qt::white);
    // While a print job is prepared the layout is the page's: the window
    // shows its graph again when the job ends.
    if (m_core->IsPrinting())
        return;
    CQtDrawingContext dc(painter, false);
    m_core->OnDraw(dc);
}
