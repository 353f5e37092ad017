#include "app/PaneFactories.h"

#include "document/KDRDoc.h"

#include <QPainter>

#if defined(KADREL_HAVE_LIST_PANES)
#include "views/qt/ListPanes.h"
#endif
#if defined(KADREL_HAVE_SOUNDGRAPHVIEW)
#include "views/qt/SoundGraphView.h"
#endif
#if defined(KADREL_HAVE_COLORMAPVIEW)
#include "views/qt/ColorMapView.h"
#endif
#if defined(KADREL_HAVE_INSTALLATIONCONTAINERVIEW)
#include "views/qt/InstallationContainerView.h"
#endif

const char* PaneTitle(PaneKind kind)
{
    switch (kind) {
    case PaneKind::SpeakerData: return "Speaker Data View";
    case PaneKind::Tap: return "Tap View";
    case PaneKind::FrequencyResponse: return "Frequency Response View";
    case PaneKind::SplMap: return "SPL Map View";
    case PaneKind::InstallationInfo: return "Installation Info View";
    }
    return "";
}

CPlaceholderPane::CPlaceholderPane(const QString& title, QWidget* parent) : QWidget(parent), m_title(title)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void CPlaceholderPane::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(128, 128, 128));
    p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop, m_title);
}

QWidget* CreatePane(PaneKind kind, CKDRDoc& doc, QWidget* parent)
{
    QWidget* pane = nullptr;
    switch (kind) {
    case PaneKind::SpeakerData:
#if defined(KADREL_HAVE_LIST_PANES)
        pane = CreateSpeakerDataListPane(doc, parent);
#endif
        break;
    case PaneKind::Tap:
#if defined(KADREL_HAVE_LIST_PANES)
        pane = CreateTapListPane(doc, parent);
#endif
        break;
    case PaneKind::FrequencyResponse:
#if defined(KADREL_HAVE_SOUNDGRAPHVIEW)
        pane = new CSoundGraphView(doc, parent);
#endif
        break;
    case PaneKind::SplMap:
#if defined(KADREL_HAVE_COLORMAPVIEW)
        pane = new CColorMapView(doc, parent);
#endif
        break;
    case PaneKind::InstallationInfo:
#if defined(KADREL_HAVE_INSTALLATIONCONTAINERVIEW)
        pane = new CInstallationContainerView(doc, parent);
#endif
        break;
    }
    (void)doc;
    if (!pane)
        pane = new CPlaceholderPane(QString::fromLatin1(PaneTitle(kind)), parent);
    if (pane->objectName().isEmpty())
        pane->setObjectName(QString::fromLatin1(PaneTitle(kind)));
    return pane;
}
