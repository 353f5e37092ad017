#include "platform/qt/ProgressDialog1.h"

#include "platform/ProgressDialogLayout.h"
#include "platform/qt/DialogUnits.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QWindow>
#include <QPushButton>

namespace {

QRect PixelRect(const ProgressDialogLayout::DluRect& r, const CDialogUnits& du)
{
    return du.MapRect(r.x, r.y, r.cx, r.cy);
}

}  // namespace

CProgressDialog1::CProgressDialog1(QWidget* owner)
    : QDialog(nullptr), m_pOwner(owner)
{
    namespace L = ProgressDialogLayout;
    setWindowTitle(QString::fromUtf8(L::kCaption));
    setModal(false);

    // Laid out in dialog units like every dialog of a template.
    setFont(CDialogUnits::DialogFont());
    const CDialogUnits du(font());
    setFixedSize(du.MapX(L::kDialog.cx), du.MapY(L::kDialog.cy));

    m_pMessage = new QLabel(this);
    m_pMessage->setObjectName(QStringLiteral("message"));
    m_pMessage->setGeometry(PixelRect(L::kMessage, du));

    m_pStop = new QPushButton(QString::fromUtf8(L::kStopText), this);
    m_pStop->setObjectName(QStringLiteral("stop"));
    m_pStop->setGeometry(PixelRect(L::kStopButton, du));
    m_pStop->setAutoDefault(false);
    connect(m_pStop, &QPushButton::clicked, this, &CProgressDialog1::reject);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progress"));
    m_pProgress->setGeometry(PixelRect(L::kProgressBar, du));
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
}

CProgressDialog1::~CProgressDialog1()
{
    // Going while it is the active window, the dialog hands the activation
    // back to the window it belongs to, as an owned window of the desktop
    // does, rather than leaving the choice to the window manager.
    if (m_pOwner && isVisible() && isActiveWindow()) {
        hide();
        m_pOwner->window()->activateWindow();
    }
}

void CProgressDialog1::SetMessage(const std::string& text)
{
    m_pMessage->setText(QString::fromStdString(text));
}

void CProgressDialog1::SetRange(int low, int high)
{
    m_nLow = ProgressDialogLayout::WrapRangeValue(low);
    m_nHigh = std::max(ProgressDialogLayout::WrapRangeValue(high), m_nLow);
    // An empty range (0 to 0, or a high end that wrapped below the low one)
    // shows an empty bar; QProgressBar would animate a busy bar for 0 to 0.
    m_pProgress->setRange(m_nLow, m_nHigh > m_nLow ? m_nHigh : m_nLow + 1);
    m_pProgress->setValue(std::clamp(m_pProgress->value(), m_nLow, m_nHigh));
}

void CProgressDialog1::SetPos(int pos)
{
    // Like the native bar, a position outside the range sits at its end.
    m_pProgress->setValue(std::clamp(pos, m_nLow, m_nHigh));
}

void CProgressDialog1::ShowStopButton(bool show)
{
    m_pStop->setVisible(show);
}

bool CProgressDialog1::PumpMessages()
{
    QCoreApplication::processEvents();
    // Only our own disabling counts: the button stays enabled relative to
    // the dialog while the main window behind it is disabled.
    return m_pStop->isEnabledTo(this);
}

void CProgressDialog1::reject()
{
    m_pStop->setEnabled(false);
}

void CProgressDialog1::showEvent(QShowEvent* event)
{
    // Not a Qt child of the owner: a child window would be disabled
    // together with it. It stays above the owner and opens centred on it.
    if (m_pOwner) {
        QWidget* ownerWindow = m_pOwner->window();
        if (QWindow* handle = windowHandle())
            handle->setTransientParent(ownerWindow->windowHandle());
        if (!m_bPlaced) {
            QRect r = geometry();
            r.moveCenter(ownerWindow->geometry().center());
            move(r.topLeft());
            m_bPlaced = true;
        }
    }
    QDialog::showEvent(event);
}

void CProgressDialog1::closeEvent(QCloseEvent* event)
{
    // The close box acts as Stop; the caller closes the dialog.
    event->ignore();
    m_pStop->setEnabled(false);
}
