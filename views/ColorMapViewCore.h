#pragma once
// The SPL map window without its widget: the window's colour-map condition
// and its life (first update, hint 1, renumbering), the band, frequency and
// summation choices, the projection of room points into window pixels, fit,
// zoom and view directions, the drawing pass (map, legend, text block) on an
// IDrawingContext and the print set-up.
//
// The Qt widget (views/qt/ColorMapView.h) derives from this class and
// supplies the window's part through the virtual functions under "Window".
// Tests derive from it with a recorded window.

#include "document/DocumentViewLinks.h"
#include "models/Point3D.h"
#include "platform/DrawingContext.h"
#include "platform/GdiTypes.h"
#include "platform/Printing.h"
#include "platform/Progress.h"
#include "platform/RegisteredMessages.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CColorMapCondition;
class CKDRDoc;
class CListeningPlane;
class CPlaceElement;

class CColorMapViewCore : public IColorMapViewLink, public IPrintable {
public:
    // Ids of the three choice lists across the top of the window.
    enum : int { kIdComboBand = 1025, kIdComboFrequency = 1026, kIdComboSumMode = 1027 };
    // Their places in client pixels (left, top, right, bottom; the bottom is
    // the opened list's).
    static constexpr CRect kRectComboFrequency{170, 0, 290, 300};
    static constexpr CRect kRectComboBand{290, 0, 410, 300};
    static constexpr CRect kRectComboSumMode{410, 0, 530, 300};
    // Narrowest map width on the screen, in pixels.
    static constexpr int kMinScreenMapWidth = 470;
    // Largest scroll size, in pixels: the scale goes no further.
    static constexpr int kMaxScrollSize = 1 << 23;
    // Margins of a new window's condition (left, top, right, bottom).
    static constexpr CRect kDefaultMargin{110, 44, 40, 324};

    explicit CColorMapViewCore(CKDRDoc& doc);
    // Removes the window's condition from the document and renumbers the
    // later SPL map windows of the document.
    ~CColorMapViewCore() override;
    CColorMapViewCore(const CColorMapViewCore&) = delete;
    CColorMapViewCore& operator=(const CColorMapViewCore&) = delete;

    CKDRDoc& GetKDRDocument() const { return m_doc; }
    int GetConditionIndex() const { return m_nConditionIndex; }
    void SetConditionIndex(int index) { m_nConditionIndex = index; }
    // The window's condition; nullptr when the index names none.
    CColorMapCondition* GetCondition() const;

    // ---- life -------------------------------------------------------------
    // Picks or creates the condition (a new project: default plane, Room
    // Parameters, diagonal view, fit, calculation) and fills the choices.
    void InitialUpdate();
    // The window became active: its condition becomes the list's current one.
    void OnActivateView();
    // Hint 1: recalculate (unless manual recalculation holds it back), then
    // clear and redraw. Other hints are ignored.
    void OnUpdateHint(long hint);
    // The colour map of the window's condition (progress from the window).
    void CalcColorMap();

    // ---- choices ----------------------------------------------------------
    void UpdateConditionControls(BOOL bSave, BOOL bResetBand) override;
    void OnCbnSelchangeBandFrequency();
    void OnCbnSelchangeSumMode();
    // The band fractions in list order and their labels.
    static constexpr int kBandCount = 7;
    static const double kBandFractions[kBandCount];
    // "1/24 Oct. Band" ... "4 Oct. Band" for an exact band fraction; empty
    // for any other value.
    static std::string GetBandName(double bandFraction);
    // Row of the band table whose fraction equals the pitch; -1 for none.
    static int BandRowOfPitch(double pitch);

    // ---- projection -------------------------------------------------------
    // The condition's view angles as a rotation triple for CPoint3D::Rotate.
    CPoint3D GetViewRotation() const;
    // Rotated x (resp. y) to window pixels; a point more than 2^24 pixels
    // out is pinned there.
    int ToDeviceX(double x) const;
    int ToDeviceY(double y) const;
    // A world point rotated and projected.
    CPoint ProjectPoint(const CPoint3D& world) const;
    // The window points of a rotated corner block, in the order 0, 3, 2, 1.
    void ProjectQuad(CPoint out[4], const double corners[12]) const;
    // A world corner block rotated by the view and projected.
    void ProjectWorldQuad(CPoint out[4], const double corners[12]) const;
    // The corner blocks of a colour dot in the plane it lies in.
    static void GetQuadXY(const CPlaceElement& dot, double corners[12]);
    static void GetQuadYZ(const CPlaceElement& dot, double corners[12]);
    static void GetQuadXZ(const CPlaceElement& dot, double corners[12]);
    // Projected extent, optional fit, scroll size. A scale that would make
    // the scroll size larger than kMaxScrollSize is brought back to
    // GetMaxScale.
    void UpdateScrollSizes(BOOL bFit);
    // The largest scale at which the projected extent of the last
    // UpdateScrollSizes fits kMaxScrollSize with the condition's margins.
    double GetMaxScale() const;
    CSize GetTotalSize() const { return m_sizeTotal; }
    double GetMinX() const { return m_dMinX; }
    double GetMaxX() const { return m_dMaxX; }
    double GetMinY() const { return m_dMinY; }
    double GetMaxY() const { return m_dMaxY; }

    // ---- size and direction commands ----------------------------------------
    void Fit() override;
    void Zoom(double factor);
    void ZoomIn() override;
    void ZoomOut() override;
    // False once the scale has reached GetMaxScale.
    bool CanZoomIn() const override;
    void SetViewAngles(double a, double b, double c);
    void ViewXAxisMinus() override;
    void ViewYAxisPlus() override;
    void ViewZAxisMinus() override;
    void ViewDiagonal() override;
    void Redraw();
    // The View > Room commands by id while the window is active; false for
    // any other id.
    bool OnViewRoomCommand(unsigned id);

    // ---- drawing ------------------------------------------------------------
    // The whole picture of the window: map, then legend (the readout of a
    // hover is drawn over it by the window, not by this pass).
    void OnDraw(IDrawingContext& dc);
    // A value that changes whenever the picture OnDraw paints would change:
    // everything the pass draws (texts, lines, marks, legend) and the
    // levels and geometry of the colour dots. The window keeps its picture
    // while the value stays the same.
    std::uint64_t GetPictureKey();
    void DrawMap(IDrawingContext& dc);
    void DrawColorLegend(IDrawingContext& dc);
    static void FillQuad(IDrawingContext& dc, const CPoint points[4], COLORREF color);
    void DrawColorDots(IDrawingContext& dc);
    void DrawPlaneBackground(IDrawingContext& dc);
    void DrawRoomOutline(IDrawingContext& dc);
    void DrawRoomGrid(IDrawingContext& dc);
    void DrawAxes(IDrawingContext& dc);
    void DrawSpeakers(IDrawingContext& dc);
    void DrawPlaneDimensions(IDrawingContext& dc, int h);
    // The text block under the map.
    void DrawRoomInfo(IDrawingContext& dc, int h);
    void DrawSPLSummary(IDrawingContext& dc, int h);
    void DrawAmplifierPower(IDrawingContext& dc, int h);
    void DrawAutoInstallationInfo(IDrawingContext& dc, int h);
    void EraseAutoInstallationInfo(IDrawingContext& dc, int h);
    // Top-left corner of text line k under the map.
    CPoint TextLinePosition(int k, int h) const;
    // The font of the pass: the print font while printing, else the screen font.
    CFontSpec GetPassFont() const;
    // "[ft]" or "[m]" by the document's length unit.
    std::string GetUnitText() const;
    // A level as the texts under the map show it: FormatNumber(level, 4)
    // and "[dB]"; "No sound" where nothing sounds (minus infinity, or at or
    // below CSPLMapCalculator::kNoSoundLevel once rounded); "No level" for a
    // value that is no number or too high to print.
    static std::string FormatLevel(double level);
    // The longest text line the block draws (longer texts are cut).
    static constexpr std::size_t kMaxLineLength = 99;

    // ---- printing -------------------------------------------------------------
    // Highest page a print dialog offers before the page count is known.
    static constexpr int kMaxPrintPages = 0xFFFF;
    bool OnPreparePrinting(CPrintInfo& info) override;
    void OnBeginPrinting(IDrawingContext& dc, CPrintInfo& info) override;
    void OnPrint(IDrawingContext& dc, CPrintInfo& info) override;
    void OnEndPrinting(IDrawingContext& dc, CPrintInfo& info) override;
    BOOL IsPrintingMap() const { return m_bPrinting; }

    // ---- Mouse, drag and drop, registered messages ----
    // (views/ColorMapViewMouse.cpp) Points named "logical" are in the
    // scrolled canvas coordinates of the projection; message points are
    // screen points and go through ScreenToLogical.
    // Cursors the mouse handlers ask for (0: the ordinary arrow).
    enum : int { kCursorArrow = 0, kCursorOverSpeaker = 131, kCursorRightOnSpeaker = 132, kCursorDragSpeaker = 133 };
    // Pop-up menus: an installation's ("Remove...", "Properties...") and the room's.
    enum : unsigned { kMenuInstallation = 136, kMenuRoom = 137 };
    // The cell of the document's room grid under a logical point: its
    // nominal centre (X0 + (i + 0.5) px, Y0 + (j + 0.5) py, room height).
    // FALSE for none.
    BOOL HitTestRoomGrid(CPoint logical, double position[3]) const;
    // The colour dot of the window's plane under a logical point: its centre.
    BOOL HitTestPlaneDot(CPoint logical, double position[3]) const;
    // The first installation within 4 pixels (exclusive) of a logical point; -1 for none.
    int HitTestSpeaker(CPoint logical) const;
    // Whether a logical point lies in the projected room rectangle (at the
    // room height) or in the projected plane: 1 inside, 2 outside.
    int IsLogicalPointInRoom(CPoint logical) const;
    int IsLogicalPointInPlane(CPoint logical) const;
    // The registered messages (wParam the sending document, lParam a CPoint*
    // in screen coordinates): 1 / 2 as each answers; 2 for another document.
    LRESULT IsPointInRoom(WPARAM wParam, LPARAM lParam);
    LRESULT IsPointInPlane(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropNewSpeaker(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropMovedSpeaker(WPARAM wParam, LPARAM lParam);
    // The four messages above by number; 0 for any other message.
    LRESULT OnMapMessage(unsigned message, WPARAM wParam, LPARAM lParam);
    // Mouse handlers at logical points; each returns the cursor to show, or
    // -1 to leave the cursor as it is.
    int OnLButtonDown(CPoint logical);
    int OnMouseMove(CPoint logical);
    // The end of a drag of an installed speaker (nothing without one):
    // moved within the room or plane, or removed when dropped outside both.
    void OnLButtonUp(CPoint logical);
    int OnRButtonDown();
    // The pop-up menu to show after a right-button release.
    unsigned OnRButtonUp();
    BOOL IsDraggingSpeaker() const { return m_bDragging != 0; }
    BOOL IsOnSpeaker() const { return m_bOnSpeaker != 0; }

private:
    // The same document as wParam names.
    bool IsOwnDocument(WPARAM wParam) const;
    // The screen point lParam points to, in logical coordinates; false for none.
    bool MessagePoint(LPARAM lParam, CPoint& logical) const;
    // Moves the current installation to the cell or dot under a logical
    // point through the installation dialog: 1 moved, 2 not.
    LRESULT DropMovedSpeakerAt(CPoint logical);
    // Installations changed: hints 1 and 2, graphs cleared, hint 4, modified.
    void UpdateAfterDrop();

public:
    // ---- end ----

    // ---- Room parameters, cursor readout, printing ----
    // (views/ColorMapViewRoom.cpp, views/ColorMapViewPrint.cpp)
    // Room > Room Parameters... (bExisting TRUE) or the first window of a new
    // project (FALSE): runs the dialog and, on OK, takes its values into the
    // document, sets the plane of every SPL map window and converts the
    // stored lengths when the unit changed. 1 cancelled, 0 applied.
    int EditRoomParameters(BOOL bExisting) override;
    // The level at a colour dot's centre (in the project's length unit) and
    // its coordinates, written as the readout line under the map straight
    // onto the window (ShowCursorReadout): the map is not redrawn, and the
    // next redraw of the map does not repeat the line. Nothing is written
    // without installations or when the level cannot be calculated. The
    // level is calculated at the point, also while the map is not.
    void DrawCursorSPL(const double point[3]);
    // The two texts last written, empty before the first one.
    const std::string& GetCursorLevelText() const { return m_strCursorLevel; }
    const std::string& GetCursorPointText() const { return m_strCursorPoint; }
    // Forgets the texts last written.
    void ClearCursorReadout();
    // Draws the readout line of the texts last written (line 5 under the
    // map; nothing before the first).
    void DrawCursorReadout(IDrawingContext& dc);
    // The band of the window that the readout line covers (its whole width
    // is given as the canvas width).
    CRect GetCursorReadoutRect(int width) const;
    // Printing: the caption line naming frequency, band and summation, and
    // the top of the installation table below it.
    void DrawConditionCaption(IDrawingContext& dc, int h);
    // Printing: the header and installation rows of page info.m_nCurPage;
    // sets info.m_nMaxPage to the pages the table needs and ends the job
    // (info.m_bContinuePrinting) after the page with the last row.
    void PrintInstallationTable(IDrawingContext& dc, CPrintInfo& info);
    // While printing: the installation rows page 1 holds below the map, as
    // many as fit above the page's lower edge, at most rowsPerPage - 1.
    int GetFirstTablePageRows() const;
    // Pages the table needs: page 1 with firstPageRows rows, every later page
    // with rowsPerPage - 1; at least 1.
    static int CalcTablePageCount(int installations, int firstPageRows, int rowsPerPage);
    int GetTableTop() const { return m_nTableTop; }

protected:
    // Top of the printed installation table on page 1 (device units).
    int m_nTableTop = 0;
    std::string m_strCursorLevel;
    std::string m_strCursorPoint;

public:
    // ---- end ----

protected:
    // ---- Window (the widget supplies these) ----------------------------------
    // Size of the client area in pixels.
    virtual CSize GetClientSize() const = 0;
    // The scroll size of the map changed (the widget resizes its canvas).
    virtual void OnScrollSizesChanged(const CSize& total) { (void)total; }
    // Client-area height of the frequency choice list (the strip of the
    // choices across the top).
    virtual int GetComboStripHeight() const { return 0; }
    // "Clear and redraw": the map area below the choice strip is painted
    // white and the map drawn anew.
    virtual void ClearAndRedraw() = 0;
    // The choice lists by id.
    virtual void ComboResetContent(int id) = 0;
    virtual void ComboAddString(int id, const std::string& text) = 0;
    virtual int ComboGetCount(int id) const = 0;
    virtual int ComboGetCurSel(int id) const = 0;
    virtual void ComboSetCurSel(int id, int index) = 0;
    // The progress dialog of a calculation (nullptr: none, no Stop); by
    // default the document's progress dialog, the main window disabled
    // while it stands.
    virtual std::unique_ptr<IProgress> CreateCalcProgress();
    // Screen point to the window's logical (scrolled) coordinates.
    virtual CPoint ScreenToLogical(const CPoint& screen) const { return screen; }
    // DrawCursorSPL wrote new texts: the window writes DrawCursorReadout
    // once over its map, without drawing the map anew; no later repaint of
    // the window repeats it.
    virtual void ShowCursorReadout() {}

    // ---- members ----------------------------------------------------------------
    CKDRDoc& m_doc;
    BOOL m_bPrinting = FALSE;
    double m_dSavedScale = 0.0;
    CRect m_rectSavedMargin;
    CRect m_rectPrintMargin;
    int m_nFontHeight = 12;
    int m_nPrintFontHeight = 0;
    CRect m_rectPrintTable;
    int m_nConditionIndex = 0;
    int m_bDragging = 0;
    int m_bOnSpeaker = 0;
    double m_dMaxY = 0.0;
    double m_dMaxX = 0.0;
    double m_dMinY = 0.0;
    double m_dMinX = 0.0;
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;
    CFontSpec m_fontScreen;
    CFontSpec m_fontPrint;
    // The total size last given to the scroll view.
    CSize m_sizeTotal;
    // True from the first update on (the window owns a condition).
    bool m_bHasCondition = false;

private:
    // True while GetPictureKey runs the pass: the dots are not drawn.
    bool m_bPictureKeyPass = false;
    // Draws one text line of the block, cut to kMaxLineLength.
    void DrawTextLine(IDrawingContext& dc, int k, int h, const std::string& text);
};
