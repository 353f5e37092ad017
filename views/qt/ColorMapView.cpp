#include "views/qt/ColorMapView.h"

#include "document/KDRDoc.h"
#include "platform/qt/PrintRunner.h"
#include "platform/qt/QtDrawingContext.h"
#include "platform/qt/SharedPrinter.h"

#include <QApplication>
#include <QBackingStore>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

// The scrolled drawing surface: at least the scroll size of the map and at
// least the visible area. Its coordinates are the map's logical ones.
class CColorMapCanvas : public QWidget {
public:
    CColorMapCanvas(CColorMapView& view, QWidget* parent) : QWidget(parent), m_view(view)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override { m_view.PaintCanvas(this, event->region()); }
    void mousePressEvent(QMouseEvent* event) override { m_view.OnCanvasMousePress(event); }
    void mouseMoveEvent(QMouseEvent* event) override { m_view.OnCanvasMouseMove(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { m_view.OnCanvasMouseRelease(event); }
    void contextMenuEvent(QContextMenuEvent* event) override { m_view.OnCanvasContextMenu(event); }

private:
    CColorMapView& m_view;
};

CColorMapView::CColorMapView(CDocument& doc, QWidget* parent)
    : CViewBase(doc, parent), CColorMapViewCore(static_cast<CKDRDoc&>(doc))
{
    setObjectName(QStringLiteral("SPL Map View"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setBackgroundRole(QPalette::Base);
    layout->addWidget(m_scroll);
    m_canvas = new CColorMapCanvas(*this, nullptr);
    m_scroll->setWidget(m_canvas);

    QFont font = m_canvas->font();
    font.setPixelSize(m_nFontHeight);
    auto makeCombo = [this, &font](const CRect& rect) {
        auto* combo = new QComboBox(m_canvas);
        combo->setFont(font);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
        combo->setMaxVisibleItems(20);
        const int height = combo->sizeHint().height();
        combo->setGeometry(rect.left, rect.top, rect.Width(), height);
        combo->show();
        return combo;
    };
    m_comboFrequency = makeCombo(kRectComboFrequency);
    m_comboBand = makeCombo(kRectComboBand);
    m_comboSumMode = makeCombo(kRectComboSumMode);
    m_comboFrequency->setObjectName(QStringLiteral("FrequencyCombo"));
    m_comboBand->setObjectName(QStringLiteral("BandCombo"));
    m_comboSumMode->setObjectName(QStringLiteral("SumModeCombo"));
    // A choice the user changes makes the map the pane in use (the one
    // Print acts on), also where a click or the wheel gives a choice list
    // no focus.
    const auto onChoice = [this](QComboBox* combo, void (CColorMapViewCore::*handler)()) {
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this, combo, handler](int) {
            if (m_bFilling)
                return;
            if (!combo->hasFocus())
                combo->setFocus(Qt::OtherFocusReason);
            (this->*handler)();
        });
    };
    onChoice(m_comboBand, &CColorMapViewCore::OnCbnSelchangeBandFrequency);
    onChoice(m_comboFrequency, &CColorMapViewCore::OnCbnSelchangeBandFrequency);
    onChoice(m_comboSumMode, &CColorMapViewCore::OnCbnSelchangeSumMode);
    m_canvas->resize(kRectComboSumMode.right, m_comboFrequency->height());
    connect(m_scroll->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int) { OnCanvasScrolled(); });
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int) { OnCanvasScrolled(); });
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, &CColorMapView::OnFocusChanged);
}

CColorMapView::~CColorMapView()
{
    disconnect(m_focusConnection);
}

void CColorMapView::OnInitialUpdate()
{
    InitialUpdate();
    m_canvas->update();
}

void CColorMapView::OnUpdate(IView* sender, long hint)
{
    (void)sender;
    OnUpdateHint(hint);
}

bool CColorMapView::OnCommand(unsigned id)
{
    switch (id) {
    case CKDRDoc::kCmdFilePrint:
    case kCmdFilePrintDirect:
    case CKDRDoc::kCmdFilePrintPreview:
        OnPrintCommand(id);
        return true;
    default:
        return OnViewRoomCommand(id);
    }
}

bool CColorMapView::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case CKDRDoc::kCmdViewRoomSizeZoomIn:
        cmdUI.Enable(CanZoomIn());
        return true;
    case CKDRDoc::kCmdFilePrint:
    case kCmdFilePrintDirect:
    case CKDRDoc::kCmdFilePrintPreview:
    case CKDRDoc::kCmdViewRoomSizeFit:
    case CKDRDoc::kCmdViewRoomSizeZoomOut:
    case CKDRDoc::kCmdViewRoomDirectionXAxisMinus:
    case CKDRDoc::kCmdViewRoomDirectionYAxisPlus:
    case CKDRDoc::kCmdViewRoomDirectionZAxisMinus:
    case CKDRDoc::kCmdViewRoomDirectionDiagonal:
        cmdUI.Enable(true);
        return true;
    default:
        return false;
    }
}

void CColorMapView::OnPrintCommand(unsigned commandId)
{
    if (commandId == CKDRDoc::kCmdFilePrintPreview)
        PrintRunner::Preview(*this, this);
    else if (commandId == kCmdFilePrintDirect)
        PrintRunner::PrintOn(*this, SharedPrinter());
    else
        PrintRunner::Print(*this, this);
}

QWidget* CColorMapView::GetCanvas() const
{
    return m_canvas;
}

QComboBox* CColorMapView::GetCombo(int id) const
{
    switch (id) {
    case kIdComboBand: return m_comboBand;
    case kIdComboFrequency: return m_comboFrequency;
    case kIdComboSumMode: return m_comboSumMode;
    default: return nullptr;
    }
}

CPoint CColorMapView::GetScrollPosition() const
{
    return CPoint(m_scroll->horizontalScrollBar()->value(), m_scroll->verticalScrollBar()->value());
}

void CColorMapView::PaintCanvas(QWidget* canvas, const QRegion& region)
{
    QPainter painter(canvas);
    // A paint into the window's backing store reaches the screen; any other
    // (a grab of the widget) shows what the screen shows and changes nothing
    // of what the window knows to be on screen.
    QBackingStore* store = canvas->backingStore();
    const QPaintEngine* engine = painter.paintEngine();
    const bool onScreen = store && engine && engine->paintDevice() == store->paintDevice();

    // Only the visible part of the canvas is kept: a zoomed map may be far
    // larger than any picture worth keeping.
    const QRect dirty = region.boundingRect();
    QRect visible = canvas->visibleRegion().boundingRect();
    if (visible.isEmpty())
        visible = canvas->rect();
    const qreal ratio = canvas->devicePixelRatioF();
    const std::uint64_t key = GetPictureKey();
    bool redrawn = false;
    if (!m_bPictureValid || key != m_nPictureKey || ratio != m_dPictureRatio || !m_rectPicture.contains(dirty)) {
        const QRect area = visible.united(dirty) & canvas->rect();
        QImage picture(area.size() * ratio, QImage::Format_RGB32);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::white);
        {
            QPainter picturePainter(&picture);
            picturePainter.translate(-area.topLeft());
            CQtDrawingContext dc(picturePainter, false);
            OnDraw(dc);
        }
        m_picture = std::move(picture);
        m_rectPicture = area;
        m_nPictureKey = key;
        m_dPictureRatio = ratio;
        m_bPictureValid = true;
        ++m_nFullPaints;
        redrawn = true;
        // Lines are rasterised from where the picture's edge cuts them, so
        // pixels of an earlier picture need not meet this one's: everything
        // in view is shown from the new picture.
        if (!onScreen || !(QRegion(visible) - region).isEmpty())
            canvas->update(visible);
    }
    painter.drawImage(dirty.topLeft(), m_picture, QRectF(QPointF(dirty.topLeft() - m_rectPicture.topLeft()) *
                                                             m_picture.devicePixelRatio(),
                                                         QSizeF(dirty.size()) * m_picture.devicePixelRatio()));

    // The readout line is written once, by the paint a hover asked for. Any
    // other paint takes it away, and never in part: a paint that meets only
    // a part of the line writes that part again and asks for a paint of the
    // whole line, which then shows the map without it.
    bool writeReadout = false;
    if (onScreen) {
        if (m_bReadoutPending && region.intersects(m_rectReadout)) {
            writeReadout = true;
            m_bReadoutPending = false;
            m_bReadoutOnScreen = true;
            m_bReadoutLeaving = false;
        } else if (m_bReadoutOnScreen && region.intersects(m_rectReadout)) {
            if (m_bReadoutLeaving || (QRegion(m_rectReadout & visible) - region).isEmpty()) {
                m_bReadoutOnScreen = false;
                m_bReadoutLeaving = false;
            } else {
                writeReadout = true;
                m_bReadoutLeaving = true;
                canvas->update(m_rectReadout);
            }
        }
    } else {
        writeReadout = m_bReadoutPending || (m_bReadoutOnScreen && !redrawn);
    }
    if (writeReadout) {
        painter.setClipRegion(region);
        CQtDrawingContext dc(painter, false);
        DrawCursorReadout(dc);
    }
}

void CColorMapView::DropMapPicture()
{
    m_bPictureValid = false;
    m_bReadoutPending = false;
    m_bReadoutOnScreen = false;
    m_bReadoutLeaving = false;
}

void CColorMapView::OnCanvasScrolled()
{
    // The scroll moved the pixels on screen: the part in view is shown anew
    // from a picture of it, and a readout shown or asked for before goes.
    m_bReadoutPending = false;
    m_bReadoutOnScreen = false;
    m_bReadoutLeaving = false;
    m_canvas->update();
}

void CColorMapView::ShowCursorReadout()
{
    // The same line already written (or about to be) stays.
    const bool written = m_bReadoutPending || (m_bReadoutOnScreen && !m_bReadoutLeaving);
    if (written && m_strShownLevel == GetCursorLevelText() && m_strShownPoint == GetCursorPointText())
        return;
    m_bReadoutPending = true;
    m_strShownLevel = GetCursorLevelText();
    m_strShownPoint = GetCursorPointText();
    const CRect band = GetCursorReadoutRect(m_canvas->width());
    m_rectReadout = QRect(band.left, band.top, band.Width(), band.Height());
    m_canvas->update(m_rectReadout);
}

CSize CColorMapView::GetClientSize() const
{
    const QSize size = m_scroll->viewport()->size();
    return CSize(size.width(), size.height());
}

void CColorMapView::OnScrollSizesChanged(const CSize& total)
{
    (void)total;
    DropMapPicture();
    resizeCanvas();
}

void CColorMapView::resizeCanvas()
{
    const QSize visible = m_scroll->viewport()->size();
    m_canvas->resize(std::max(m_sizeTotal.cx, visible.width()), std::max(m_sizeTotal.cy, visible.height()));
}

int CColorMapView::GetComboStripHeight() const
{
    return m_comboFrequency->height();
}

void CColorMapView::ClearAndRedraw()
{
    DropMapPicture();
    m_canvas->update();
}

void CColorMapView::ComboResetContent(int id)
{
    if (QComboBox* combo = GetCombo(id)) {
        m_bFilling = true;
        combo->clear();
        m_bFilling = false;
    }
}

void CColorMapView::ComboAddString(int id, const std::string& text)
{
    if (QComboBox* combo = GetCombo(id)) {
        m_bFilling = true;
        combo->addItem(QString::fromStdString(text));
        m_bFilling = false;
    }
}

int CColorMapView::ComboGetCount(int id) const
{
    const QComboBox* combo = GetCombo(id);
    return combo ? combo->count() : 0;
}

int CColorMapView::ComboGetCurSel(int id) const
{
    const QComboBox* combo = GetCombo(id);
    return combo ? combo->currentIndex() : -1;
}

void CColorMapView::ComboSetCurSel(int id, int index)
{
    if (QComboBox* combo = GetCombo(id)) {
        m_bFilling = true;
        combo->setCurrentIndex(index);
        m_bFilling = false;
    }
}

CPoint CColorMapView::ScreenToLogical(const CPoint& screen) const
{
    const QPoint p = m_canvas->mapFromGlobal(QPoint(screen.x, screen.y));
    return CPoint(p.x(), p.y());
}

void CColorMapView::resizeEvent(QResizeEvent* event)
{
    CViewBase::resizeEvent(event);
    resizeCanvas();
}

void CColorMapView::OnFocusChanged(QWidget* old, QWidget* now)
{
    (void)old;
    for (QWidget* w = now; w; w = w->parentWidget())
        if (w == this) {
            OnActivateView();
            return;
        }
}
