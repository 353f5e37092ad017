#include "platform/Document.h"

#include "platform/DataExchange.h"
#include "platform/FileIO.h"
#include "platform/MessageBox.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <filesystem>

void CDocument::AddView(IView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(IView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(IView* sender, long hint)
{
    // A view may close while it handles an update: walk a copy.
    const std::vector<IView*> views = m_views;
    for (IView* v : views) {
        if (v == sender)
            continue;
        if (std::find(m_views.begin(), m_views.end(), v) != m_views.end())
            v->OnUpdate(sender, hint);
    }
}

void CDocument::SetModifiedFlag(bool modified)
{
    if (m_modified != modified) {
        m_modified = modified;
        NotifyChange();
    }
}

void CDocument::SetPathName(const std::string& path)
{
    m_pathName = path;
    m_title = std::filesystem::path(path).filename().string();
    NotifyChange();
}

void CDocument::SetChangeListener(void (*fn)(CDocument*, void*), void* context)
{
    m_changeFn = fn;
    m_changeContext = context;
}

void CDocument::NotifyChange()
{
    if (m_changeFn)
        m_changeFn(this, m_changeContext);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    try {
        CArchive ar = CArchive::FromFile(path);
        DeleteContents();
        Serialize(ar);
    } catch (const std::exception& e) {
        ReportSaveLoadException(path, false, &e);
        DeleteContents();
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path)
{
    try {
        CArchive ar;
        Serialize(ar);
        FileIO::WriteFileSafely(path, ar.Buffer());
    } catch (const std::exception& e) {
        ReportSaveLoadException(path, true, &e);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    DeleteContents();
}

void CDocument::ReportSaveLoadException(const std::string& path, bool saving, const std::exception* e)
{
    (void)path;
    const std::string text = SaveLoadExceptionText(saving, e);
    if (!text.empty())
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

std::string CDocument::SaveLoadExceptionText(bool saving, const std::exception* e)
{
    // The user has been told already.
    if (dynamic_cast<const CUserException*>(e))
        return {};
    std::string text;
    if (const auto* archive = dynamic_cast<const CArchiveException*>(e)) {
        text = "Unexpected file format.";
        if (archive->m_bExplainsToUser)
            text += std::string("\n") + archive->what();
    } else {
        text = LoadStringId(saving ? 61698u : 61697u);
    }
    if (e && dynamic_cast<const CFileException*>(e))
        text += std::string("\n") + e->what();
    return text;
}
