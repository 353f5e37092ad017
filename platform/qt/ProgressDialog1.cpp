#include "platform/qt/ProgressDialog1.h"

#include "platform/ProgressDialogLayout.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QWindow>
#include <QPushButton>

namespace {

QRect PixelRect(const ProgressDialogLayout::DluRect& r, const QFontMetrics& fm)
{
    const ProgressDialogLayout::DluRect p =
        ProgressDialogLayout::ToPixels(r, fm.averageCharWidth(), fm.height());
    return QRect(p.x, p.y, p.cx, p.cy);
}

}  // namespace

CProgressDialog1::CProgressDialog1(QWidget* owner)
    : QDialog(nullptr), m_pOwner(owner)
{
    namespace L = ProgressDialogLayout;
    setWindowTitle(QString::fromUtf8(L::kCaption));
    setModal(false);

    const QFontMetrics fm(font());
    setFixedSize(PixelRect(L::kDialog, fm).size());

    m_pMessage = new QLabel(this);
    m_pMessage->setObjectName(QStringLiteral("message"));
    m_pMessage->setGeometry(PixelRect(L::kMessage, fm));

    m_pStop = new QPushButton(QString::fromUtf8(L::kStopText), this);
    m_pStop->setObjectName(QStringLiteral("stop"));
    m_pStop->setGeometry(PixelRect(L::kStopButton, fm));
    m_pStop->setAutoDefault(false);
    connect(m_pStop, &QPushButton::clicked, this, &CProgressDialog1::reject);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progress"));
    m_pProgress->setGeometry(PixelRect(L::kProgressBar, fm));
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
}

CProgressDialog1::~CProgressDialog1() = default;

void CProgressDialog1::SetMessage(const std::string& text)
{
    m_pMessage->setText(QString::fromStdString(text));
}

void CProgressDialog1::SetRange(int low, int high)
{
    m_pProgress->setRange(ProgressDialogLayout::WrapRangeValue(low),
                          ProgressDialogLayout::WrapRangeValue(high));
}

void CProgressDialog1::SetPos(int pos)
{
    // Like the native bar, a position outside the range sits at its end.
    m_pProgress->setValue(std::clamp(pos, m_pProgress->minimum(), m_pProgress->maximum()));
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
