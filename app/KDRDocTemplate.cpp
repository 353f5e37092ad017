#include "app/KDRDocTemplate.h"

#include "resources/StringTable.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// The same file, whatever way the path names it.
bool SamePath(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
    return a == b;
}

}  // namespace

CKDRDocTemplate::CKDRDocTemplate(unsigned idResource) : m_strings(LoadStringId(idResource)) {}

CKDRDocTemplate::~CKDRDocTemplate() = default;

std::string CKDRDocTemplate::SwapDocStrings(const std::string& newStrings)
{
    std::string old = m_strings.GetText();
    m_strings = CDocStrings(newStrings);
    return old;
}

std::vector<CKDRDoc*> CKDRDocTemplate::GetDocuments() const
{
    std::vector<CKDRDoc*> out;
    for (const auto& d : m_docs)
        out.push_back(d.get());
    return out;
}

CKDRDoc* CKDRDocTemplate::OpenDocumentFile(const char* path, bool)
{
    if (path) {
        // A project that is open already is only brought to the front.
        for (const auto& d : m_docs) {
            if (SamePath(d->GetPathName(), path)) {
                if (m_activateFrame)
                    m_activateFrame(*d);
                return d.get();
            }
        }
    }

    m_docs.push_back(std::make_unique<CKDRDoc>());
    CKDRDoc* doc = m_docs.back().get();
    if (m_createFrame && !m_createFrame(*doc)) {
        m_docs.pop_back();
        return nullptr;
    }

    bool ok;
    if (!path) {
        doc->SetTitle(m_strings.MakeUntitledTitle(m_nUntitledCount + 1));
        ok = doc->OnNewDocument();
        if (ok)
            ++m_nUntitledCount;
    } else {
        ok = doc->OnOpenDocument(path);
        if (ok) {
            doc->SetPathName(path);
            doc->SetModifiedFlag(false);
            if (m_addToRecentFiles)
                m_addToRecentFiles(path);
        }
    }
    if (!ok) {
        if (m_destroyFrame)
            m_destroyFrame(*doc);
        auto it = std::find_if(m_docs.begin(), m_docs.end(), [doc](const auto& d) { return d.get() == doc; });
        if (it != m_docs.end())
            m_docs.erase(it);
        return nullptr;
    }
    if (m_initialUpdateFrame)
        m_initialUpdateFrame(*doc);
    return doc;
}

void CKDRDocTemplate::RemoveDocument(CKDRDoc* doc)
{
    auto it = std::find_if(m_docs.begin(), m_docs.end(), [doc](const auto& d) { return d.get() == doc; });
    if (it != m_docs.end())
        m_docs.erase(it);
}

void CKDRDocTemplate::CloseAllDocuments()
{
    while (!m_docs.empty()) {
        CKDRDoc* doc = m_docs.back().get();
        doc->OnCloseDocument();
        if (m_destroyFrame)
            m_destroyFrame(*doc);
        RemoveDocument(doc);
    }
}
