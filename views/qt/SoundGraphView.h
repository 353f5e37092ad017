#pragma once
// The "Frequency Response View" pane: a scrolled canvas on which
// CSoundGraphViewCore draws the window's graph. The widget only hands its
// client size, hints, activation and paint passes to the core.

#include "platform/qt/ViewBase.h"
#include "views/SoundGraphViewCore.h"
#include "views/SoundGraphViewLink.h"

#include <memory>

class QScrollArea;

class CSoundGraphView : public CViewBase, public ISoundGraphViewLink {
    Q_OBJECT
public:
    CSoundGraphView(CDocument& doc, QWidget* parent);
    ~CSoundGraphView() override;

    void OnInitialUpdate() override;
    // Hint 4 redraws; every other hint is ignored.
    void OnUpdate(IView* sender, long hint) override;
    // File > Print and Print Preview while the pane is active print the graph.
    bool OnCommand(unsigned id) override;
    bool HasCommandHandler(unsigned id) const override;

    CSoundGraphViewCore& GetGraphCore() override { return *m_core; }
    QScrollArea* GetScrollArea() const { return m_scroll; }
    // The widget the graph is painted on (its size is the scroll size).
    QWidget* GetCanvas() const { return m_canvas; }
    // Paint passes of the canvas so far.
    int GetPaintCount() const { return m_nPaintCount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void ApplyScrollSize();
    void PaintCanvas();
    void ClientResized();

    std::unique_ptr<CSoundGraphViewCore> m_core;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    int m_nPaintCount = 0;
};
