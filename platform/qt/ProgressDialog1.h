#pragma once
// The modeless progress dialog that long loops on the user-interface thread
// show: a message line, a progress bar and a "Stop" button. The loop polls
// it with PumpMessages, which keeps the application responsive and reports
// false once Stop (or Escape, or the close box) has disabled the button.

#include "platform/Progress.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressDialog1 : public QDialog, public IProgress {
    Q_OBJECT
public:
    // The owner (the main window) is disabled while the loop runs; the
    // dialog is its own window on top of it, so that Stop stays reachable.
    explicit CProgressDialog1(QWidget* owner = nullptr);
    // Gives the activation back to the owner's window when the dialog is
    // the active window.
    ~CProgressDialog1() override;

    void SetMessage(const std::string& text) override;
    // Both ends are taken as 16-bit values.
    void SetRange(int low, int high) override;
    void SetPos(int pos) override;
    void ShowStopButton(bool show) override;
    // Processes every pending event; true while the Stop button is enabled.
    bool PumpMessages() override;

    QLabel* MessageLabel() const { return m_pMessage; }
    QPushButton* StopButton() const { return m_pStop; }
    QProgressBar* ProgressBar() const { return m_pProgress; }

public slots:
    // Stop, Escape: disables the Stop button; the dialog stays open.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPointer<QWidget> m_pOwner;
    bool m_bPlaced = false;
    // The bar's range as set (the native default is 0 to 100).
    int m_nLow = 0;
    int m_nHigh = 100;
    QLabel* m_pMessage = nullptr;
    QPushButton* m_pStop = nullptr;
    QProgressBar* m_pProgress = nullptr;
};
