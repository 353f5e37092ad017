#include "views/qt/ColorMapView.h"

#include "document/KDRDoc.h"
#include "platform/qt/PrintRunner.h"
#include "platform/qt/QtDrawingContext.h"
#include "platform/qt/SharedPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
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
    void paintEvent(QPaintEvent* event) override { m_view.PaintCanvas(this, event->rect()); }
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
    case CKDRDoc::kCmdFilePrint:
    case kCmdFilePrintDirect:
    case CKDRDoc::kCmdFilePrintPreview:
    case CKDRDoc::kCmdViewRoomSizeFit:
    case CKDRDoc::kCmdViewRoomSizeZoomIn:
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

void CColorMapView::PaintCanvas(QWidget* canvas, const QRect& dirty)
{
    // Only the visible part of the canvas is kept: a zoomed map may be far
    // larger than any picture worth keeping.
    QRect visible = canvas->visibleRegion().boundingRect();
    if (visible.isEmpty())
        visible = canvas->rect();
    const std::uint64_t key = GetPictureKey();
    if (!m_bPictureValid || key != m_nPictureKey || !m_rectPicture.contains(dirty)) {
        const QRect area = visible.united(dirty) & canvas->rect();
        const qreal ratio = canvas->devicePixelRatioF();
        QImage picture(area.size() * ratio, QImage::Format_RGB32);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::white);
        {
            QPainter painter(&picture);
            painter.translate(-area.topLeft());
            CQtDrawingContext dc(painter, false);
            OnDraw(dc);
        }
        m_picture = std::move(picture);
        m_rectPicture = area;
        m_nPictureKey = key;
        // The map drawn anew does not repeat the readout; a readout written
        // after the window asked for the redraw stands over the new map.
        if (m_bPictureValid)
            m_bReadoutShown = false;
        m_bPictureValid = true;
        ++m_nFullPaints;
    }
    QPainter painter(canvas);
    painter.drawImage(dirty.topLeft(), m_picture, QRectF(QPointF(dirty.topLeft() - m_rectPicture.topLeft()) *
                                                             m_picture.devicePixelRatio(),
                                                         QSizeF(dirty.size()) * m_picture.devicePixelRatio()));
    if (m_bReadoutShown) {
        painter.setClipRect(dirty);
        CQtDrawingContext dc(painter, false);
        DrawCursorReadout(dc);
    }
}

void CColorMapView::DropMapPicture()
{
    m_bPictureValid = false;
    m_bReadoutShown = false;
}

void CColorMapView::ShowCursorReadout()
{
    if (m_bReadoutShown && m_strShownLevel == GetCursorLevelText() && m_strShownPoint == GetCursorPointText())
        return;
    m_bReadoutShown = true;
    m_strShownLevel = GetCursorLevelText();
    m_strShownPoint = GetCursorPointText();
    const CRect band = GetCursorReadoutRect(m_canvas->width());
    m_canvas->update(QRect(band.left, band.top, band.Width(), band.Height()));
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
