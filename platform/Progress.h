#pragma once
// What a long loop on the user-interface thread needs of the progress
// dialog: a message line, a bar with a 16-bit range, a step counter, a pump
// that keeps the window alive and tells whether Stop was pressed.

#include <string>

class IProgress {
public:
    virtual ~IProgress() = default;

    virtual void SetMessage(const std::string& text) = 0;
    // Both values are taken as 16-bit: SetRange(0, 70000) gives 0..4464.
    virtual void SetRange(int low, int high) = 0;
    virtual void SetPos(int pos) = 0;
    virtual void ShowStopButton(bool show) = 0;
    // Processes pending user-interface events; true while Stop has not been
    // pressed, false from then on.
    virtual bool PumpMessages() = 0;

    // A running position a caller may use and increment.
    int m_nStepCounter = 0;
};

// A progress that shows nothing and never stops.
class CNullProgress : public IProgress {
public:
    void SetMessage(const std::string&) override {}
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void ShowStopButton(bool) override {}
    bool PumpMessages() override { return true; }
};
