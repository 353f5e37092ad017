#pragma once
// Document/view without a GUI: a document keeps its path, title and modified
// flag, knows its views and sends them update hints; opening and saving go
// through Serialize on a CArchive. The Qt shell adds the windows.

#include "platform/Archive.h"

#include <string>
#include <vector>

class CDocument;

// Anything that shows a document and reacts to its update hints.
class IView {
public:
    virtual ~IView() = default;
    // sender is the view that caused the update (nullptr for the document).
    virtual void OnUpdate(IView* sender, long hint) = 0;
};

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Views, in the order they were added.
    void AddView(IView* view);
    void RemoveView(IView* view);
    const std::vector<IView*>& GetViews() const { return m_views; }
    void UpdateAllViews(IView* sender, long hint = 0);

    void SetModifiedFlag(bool modified = true);
    bool IsModified() const { return m_modified; }

    const std::string& GetPathName() const { return m_pathName; }
    // Sets the path and the title (the file name without its folder).
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    virtual bool OnNewDocument();
    // Reads the whole file and runs Serialize on it; a file or archive error
    // is reported (ReportSaveLoadException) and gives false.
    virtual bool OnOpenDocument(const std::string& path);
    // Runs Serialize into memory and writes the file safely (beside it,
    // then renamed over it); a failure is reported and gives false, and the
    // file that was there stays as it was.
    virtual bool OnSaveDocument(const std::string& path);
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar) = 0;

    // Called when the modified flag or the title changes (the frame's
    // caption follows it).
    void SetChangeListener(void (*fn)(CDocument*, void*), void* context);

    // Reports a failed load or save: a file error as "Failed to open
    // document." / "Failed to save document.", a format error as
    // "Unexpected file format.", followed by its reason when it carries one
    // for the user; nothing for a CUserException (the user has been told).
    virtual void ReportSaveLoadException(const std::string& path, bool saving, const std::exception* e);
    // The text that report shows (empty for a CUserException).
    static std::string SaveLoadExceptionText(bool saving, const std::exception* e);

private:
    void NotifyChange();

    std::vector<IView*> m_views;
    bool m_modified = false;
    std::string m_pathName;
    std::string m_title;
    void (*m_changeFn)(CDocument*, void*) = nullptr;
    void* m_changeContext = nullptr;
};
