#pragma once
// The document template of project files: it creates a project document
// with its window and views, numbers new projects, and refuses to open a
// file that is not a project file while a project is open.

#include "document/KDRDoc.h"
#include "platform/DocStrings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKDRDocTemplate {
public:
    // The document strings come from the string table entry idResource.
    explicit CKDRDocTemplate(unsigned idResource);
    ~CKDRDocTemplate();

    // Sets new document strings and returns the previous ones.
    std::string SwapDocStrings(const std::string& newStrings);
    const CDocStrings& GetDocStrings() const { return m_strings; }

    // path == nullptr: a new project. Otherwise the file is opened (the
    // document checks its first bytes before it reads the rest); a foreign
    // file opens nothing (the error has been reported). Returns the
    // document, or nullptr.
    CKDRDoc* OpenDocumentFile(const char* path, bool makeVisible = true);

    // The documents, in the order they were opened.
    std::vector<CKDRDoc*> GetDocuments() const;
    // Destroys a document whose window has gone (OnCloseDocument has run).
    void RemoveDocument(CKDRDoc* doc);
    void CloseAllDocuments();

    // Makes the window with the views of a new document: true when done.
    // Set by the main frame.
    std::function<bool(CKDRDoc& doc)> m_createFrame;
    // Destroys the window of a document whose load failed.
    std::function<void(CKDRDoc& doc)> m_destroyFrame;
    // The views' initial update once the document is ready.
    std::function<void(CKDRDoc& doc)> m_initialUpdateFrame;
    // Brings the window of an open document to the front.
    std::function<void(CKDRDoc& doc)> m_activateFrame;
    // A file opened or saved under a name (the recent-file list).
    std::function<void(const std::string& path)> m_addToRecentFiles;

private:
    CDocStrings m_strings;
    std::vector<std::unique_ptr<CKDRDoc>> m_docs;
    int m_nUntitledCount = 0;
};
