#pragma once
// The base of every pane of a project window: a widget that shows its
// document, takes its update hints and may handle commands.

#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QWidget>

class CViewBase : public QWidget, public IView, public ICommandTarget {
    Q_OBJECT
public:
    CViewBase(CDocument& doc, QWidget* parent);

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once after every pane of the window exists, in creation order.
    virtual void OnInitialUpdate() { update(); }
    // Repaints; views override it to act on their hints.
    void OnUpdate(IView* sender, long hint) override;

    bool OnCommand(unsigned id) override { (void)id; return false; }

private:
    CDocument* m_pDocument;
};
