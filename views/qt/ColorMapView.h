#pragma once
// The SPL map pane of a project window: a scrolled canvas that paints the
// map through CColorMapViewCore and carries the three choice lists across
// its top edge. The rules live in CColorMapViewCore; this widget only
// scrolls, paints, forwards the choices and runs the print job.

#include "platform/qt/ViewBase.h"
#include "platform/RegisteredMessages.h"
#include "views/ColorMapViewCore.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>

class QComboBox;
class QMouseEvent;
class QContextMenuEvent;
class QRegion;
class QScrollArea;
class CColorMapCanvas;

class CColorMapView : public CViewBase, public CColorMapViewCore, public IMessageTarget {
    Q_OBJECT
public:
    // File > Print without the print dialog.
    static constexpr unsigned kCmdFilePrintDirect = 57608;

    CColorMapView(CDocument& doc, QWidget* parent);
    ~CColorMapView() override;

    void OnInitialUpdate() override;
    void OnUpdate(IView* sender, long hint) override;
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(CCmdUI& cmdUI) override;

    // File > Print (57607, 57608) or Print Preview (57609).
    void OnPrintCommand(unsigned commandId) override;

    // The painted area (logical coordinates are its coordinates).
    QWidget* GetCanvas() const;
    QScrollArea* GetScrollArea() const { return m_scroll; }
    QComboBox* GetCombo(int id) const;
    // Horizontal and vertical scroll positions.
    CPoint GetScrollPosition() const;

    // Paints a region of the canvas (called by the canvas): the map from
    // the kept picture of the visible area, drawn anew only when its
    // picture key or the screen's pixel ratio changed, the window asked for
    // a redraw or the region leaves it; and, in the paint a hover asked for,
    // the readout line over it.
    void PaintCanvas(QWidget* canvas, const QRegion& region);
    // How often the map was drawn in full since the window was made.
    int GetFullPaintCount() const { return m_nFullPaints; }

    // ---- Mouse, drag and drop, registered messages ----
    // (views/qt/ColorMapViewMouse.cpp) The canvas hands its mouse events
    // here with positions in logical coordinates; the rules are
    // CColorMapViewCore's, this half shows the cursors and menus.
    LRESULT OnRegisteredMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void OnCanvasMousePress(QMouseEvent* event);
    void OnCanvasMouseMove(QMouseEvent* event);
    void OnCanvasMouseRelease(QMouseEvent* event);
    void OnCanvasContextMenu(QContextMenuEvent* event);
    // Shows a pop-up menu resource at a screen point and routes the chosen
    // command; MenuBuilder::TrackPopupMenu unless tests replace it.
    using PopupRunner = unsigned (*)(unsigned menuId, const QPoint& screen);
    static void SetPopupRunner(PopupRunner runner);

private:
    // The canvas cursor for a handler's answer (-1 leaves it).
    void ShowMapCursor(int cursor);

public:
    // ---- end ----

    // ---- Room parameters, cursor readout, printing ----
    // ---- end ----

protected:
    CSize GetClientSize() const override;
    void OnScrollSizesChanged(const CSize& total) override;
    int GetComboStripHeight() const override;
    void ClearAndRedraw() override;
    void ComboResetContent(int id) override;
    void ComboAddString(int id, const std::string& text) override;
    int ComboGetCount(int id) const override;
    int ComboGetCurSel(int id) const override;
    void ComboSetCurSel(int id, int index) override;
    CPoint ScreenToLogical(const CPoint& screen) const override;
    void ShowCursorReadout() override;

    void resizeEvent(QResizeEvent* event) override;

private:
    void OnFocusChanged(QWidget* old, QWidget* now);
    // The canvas covers the scroll size and at least the visible area.
    void resizeCanvas();
    // The kept picture is out of date: the next paint draws the map anew
    // (without the readout).
    void DropMapPicture();
    // The canvas was scrolled.
    void OnCanvasScrolled();

    QScrollArea* m_scroll = nullptr;
    CColorMapCanvas* m_canvas = nullptr;
    QComboBox* m_comboBand = nullptr;
    QComboBox* m_comboFrequency = nullptr;
    QComboBox* m_comboSumMode = nullptr;
    // True while the lists are filled by the program (no change handlers).
    bool m_bFilling = false;
    QMetaObject::Connection m_focusConnection;
    // The map as last drawn, of the canvas area m_rectPicture, and the
    // picture key and device pixel ratio it was drawn for.
    QImage m_picture;
    QRect m_rectPicture;
    std::uint64_t m_nPictureKey = 0;
    qreal m_dPictureRatio = 1.0;
    bool m_bPictureValid = false;
    int m_nFullPaints = 0;
    // The readout line (texts below, band m_rectReadout of the canvas): a
    // hover asked to write it; it stands whole on screen; a paint of the
    // whole line to take it away is asked for.
    bool m_bReadoutPending = false;
    bool m_bReadoutOnScreen = false;
    bool m_bReadoutLeaving = false;
    QRect m_rectReadout;
    std::string m_strShownLevel;
    std::string m_strShownPoint;
};
