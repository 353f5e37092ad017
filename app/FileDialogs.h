#pragma once
// The file dialogs of the application, behind an interface so that tests
// can answer them.

#include <string>

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // filter: lines "Name (*.a *.b)" separated by ";;"; the dialog lists each by
    // its name alone. True and the path on OK.
    virtual bool GetOpenFileName(const std::string& filter, std::string& path) = 0;
    // proposed: a bare name, or a path in a folder that exists, offered
    // there; defaultSuffix without dot ("zkdr").
    virtual bool GetSaveFileName(const std::string& filter, const std::string& defaultSuffix,
                                 const std::string& proposed, std::string& path) = 0;
};

// Each dialog opens in the folder of the file last chosen in one of them
// (the first in the current folder); a save dialog offered a path opens in
// its folder.
class CQtFileDialogs : public IFileDialogs {
public:
    bool GetOpenFileName(const std::string& filter, std::string& path) override;
    bool GetSaveFileName(const std::string& filter, const std::string& defaultSuffix, const std::string& proposed,
                         std::string& path) override;

    // The folder the next dialog opens in (empty: the current folder).
    const std::string& LastDirectory() const { return m_lastDirectory; }

private:
    void RememberDirectory(const std::string& chosenFile);

    std::string m_lastDirectory;
};
