#pragma once
// The five panes of a project window, in the order the window creates them.

#include <QWidget>

class CKDRDoc;

enum class PaneKind { SpeakerData, Tap, FrequencyResponse, SplMap, InstallationInfo };

// The title of a pane ("Speaker Data View", ...); a pane's widget carries
// it as its object name.
const char* PaneTitle(PaneKind kind);

// The view of the pane for the document, or a plain pane that shows its
// title while the program has no such view.
QWidget* CreatePane(PaneKind kind, CKDRDoc& doc, QWidget* parent);

// A plain pane with the title.
class CPlaceholderPane : public QWidget {
    Q_OBJECT
public:
    CPlaceholderPane(const QString& title, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};
