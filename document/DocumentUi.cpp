#include "document/DocumentUi.h"

#include "platform/MessageBox.h"

namespace {

// Shows nothing and answers Cancel: a document without a user interface
// (a test, a command-line tool) never blocks on a question.
class CSilentDocumentUi : public IDocumentUi {
public:
    bool AskSpeakerDataPath(std::string&) override { return false; }
    std::unique_ptr<IProgress> CreateProgressDialog() override { return std::make_unique<CNullProgress>(); }
    void ShowProgressDialog(IProgress&) override {}
    void EnableMainWindow(bool) override {}
    int RunMessageDialog(const std::string&) override { return IDCANCEL; }
    bool RunPreferenceDialog(int&, BOOL&) override { return false; }
    bool RunZx1ExportDialog(double&, double&) override { return false; }
};

CSilentDocumentUi g_silentUi;
IDocumentUi* g_ui = nullptr;

}  // namespace

IDocumentUi& DocumentUi() { return g_ui ? *g_ui : g_silentUi; }

void SetDocumentUi(IDocumentUi* ui) { g_ui = ui; }
