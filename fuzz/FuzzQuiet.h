#pragma once
// What every fuzz target installs before it calls the program: a message box
// that shows nothing and answers OK, and a document user interface without
// windows (a progress that never stops, no main window to disable).

#include "document/DocumentUi.h"
#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

class CQuietMessages : public IMessageBox {
public:
    int Show(const std::string&, unsigned) override
    {
        ++shown;
        return IDOK;
    }
    void Beep(unsigned) override {}
    // Message boxes "shown" so far.
    int shown = 0;
};

class CQuietDocumentUi : public IDocumentUi {
public:
    bool AskSpeakerDataPath(std::string&) override { return false; }
    std::unique_ptr<IProgress> CreateProgressDialog() override { return std::make_unique<CNullProgress>(); }
    void ShowProgressDialog(IProgress&) override {}
    void EnableMainWindow(bool) override {}
    int RunMessageDialog(const std::string&) override { return IDOK; }
    bool RunPreferenceDialog(int&, BOOL&) override { return false; }
    bool RunZx1ExportDialog(double&, double&) override { return false; }
};

// Installs the quiet message box and user interface (once is enough) and
// returns the message box.
inline CQuietMessages& InstallQuietUi()
{
    static CQuietMessages messages;
    static CQuietDocumentUi ui;
    SetMessages(&messages);
    SetDocumentUi(&ui);
    return messages;
}

// A broken property ends the run the way a sanitizer does, so that libFuzzer
// keeps the input and the replay test fails.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)
