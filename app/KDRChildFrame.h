#pragma once
// The window of one project: three splitters holding the five panes, the
// speaker list, tap list and graph stacked on the left, the SPL map to
// their right and the installation list across the bottom.

#include "app/PaneFactories.h"

#include <QMdiSubWindow>
#include <QSplitter>
#include <functional>
#include <vector>

class CKDRDoc;

// A splitter that gives its panes their ideal sizes the first time it is
// laid out (the last pane takes what is left) and from then on hands every
// change of its size to the last pane.
class CIdealSplitter : public QSplitter {
    Q_OBJECT
public:
    CIdealSplitter(Qt::Orientation orientation, std::vector<int> idealSizes, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<int> m_ideal;
    bool m_applied = false;
};

class CKDRChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kMinPaneSize = 10;
    static constexpr int kInitialWidth = 785;
    static constexpr int kInitialHeight = 500;

    explicit CKDRChildFrame(CKDRDoc& doc, QWidget* parent = nullptr);
    ~CKDRChildFrame() override;

    // Builds the splitters and the panes; false when a pane could not be made.
    bool OnCreateClient();
    // Shows the window 785 x 500 at the top left of the area, or filling the
    // area when the area maximises it (another project window is maximised).
    void ShowInitially();
    // The size of a new window: what Window > Cascade gives each window.
    QSize sizeHint() const override;
    // Runs the views' initial update, in the order the panes were created.
    void InitialUpdate();

    CKDRDoc& GetDocument() const { return m_doc; }
    QWidget* GetPane(PaneKind kind) const;
    // The pane that last had the focus (at first the speaker list): the
    // pane the window's commands go to.
    QWidget* GetActivePane() const;
    // Makes the pane the active one and puts the keyboard focus into it (in
    // a window that is not active: the focus it gets when activated).
    void SetActivePane(QWidget* pane, Qt::FocusReason reason = Qt::OtherFocusReason);
    void ActivateNextPane(bool previous);

    QSplitter* OuterSplitter() const { return m_outer; }
    QSplitter* UpperSplitter() const { return m_upper; }
    QSplitter* LeftSplitter() const { return m_left; }

    // The caption: the document's title, with "*" while it is modified.
    void UpdateTitle();

    // Asked before the window closes: true lets it close (set by the main
    // frame: the save question and the end of the document).
    std::function<bool(CKDRChildFrame&)> m_onClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnFocusChanged(QWidget* old, QWidget* now);

    CKDRDoc& m_doc;
    CIdealSplitter* m_outer = nullptr;
    CIdealSplitter* m_upper = nullptr;
    CIdealSplitter* m_left = nullptr;
    QWidget* m_panes[5] = {};
    QWidget* m_activePane = nullptr;
};
