#include "document/KDRDoc.h"

#include "document/ProjectFileLimits.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/DataExchange.h"
#include "platform/FileIO.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace {

constexpr DWORD kVersion100 = 0x01000000;
constexpr unsigned kIdsBadAutoValues = 39427;
constexpr unsigned kIdsNotAvailableFile = 61686;
constexpr unsigned kIdsReplaceFile = 39430;  // "%1 already exists. ... replace it?"
constexpr unsigned kIdsKeptCopies = 39431;   // "A save of "%1" was cut off ... %2"
constexpr unsigned kIdsKeptOpened = 39432;   // "... yet the file opened: ... %2"
constexpr unsigned kIdsKeptBy = 39433;       // "(owned by %1, made on %2)"
constexpr unsigned kIdsKeptMore = 39434;     // "and %1 older copies"
constexpr unsigned kIdsKeptOneMore = 39435;  // "and one older copy"

// The kept copies a note lists by name; the older ones are counted.
constexpr std::size_t kKeptCopiesListed = 3;

// Enough of a file's start for the type name, and for the length prefix and
// the first eight characters of an old file's first string in any form.
constexpr std::size_t kHeadBytes = 64;

constexpr std::array<DWORD, 6> kAcceptedVersions = {
    0x01000000, 0x01030000, 0x01040000, 0x01040100, 0x01040200, 0x02000000,
};

bool EndsWithKdr(const std::string& path)
{
    if (path.size() < 4) {
        return false;
    }
    static const char kExt[] = ".kdr";
    for (std::size_t i = 0; i < 4; ++i) {
        const unsigned char c = static_cast<unsigned char>(path[path.size() - 4 + i]);
        if (std::tolower(c) != kExt[i]) {
            return false;
        }
    }
    return true;
}

// True when the bytes begin with an archive string whose first characters
// are "Version ", as an old file's first string does; also when they end
// before that can be told (the load then reports the file's end).
bool MayBeginWithVersionLine(const std::vector<BYTE>& head)
{
    CArchive ar(head);
    try {
        bool utf16 = false;
        if (ar.ReadStringLength(utf16) < 8)
            return false;
        for (const char c : {'V', 'e', 'r', 's', 'i', 'o', 'n', ' '}) {
            BYTE b[2] = {0, 0};
            ar.Read(b, utf16 ? 2 : 1);
            if (b[0] != static_cast<BYTE>(c) || b[1] != 0)
                return false;
        }
    } catch (const CArchiveException&) {
    }
    return true;
}

// Asks before a save replaces the file at path, as the Save As dialog asks.
// True when nothing has that name, when the save may not replace it anyway
// (the save then asks for another name), or when the user agrees.
bool AgreesToReplace(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)) || !FileIO::CanReplaceFile(path))
        return true;
    const std::string name = std::filesystem::path(path).filename().string();
    return AfxMessageBox(DataExchange::FormatString2(LoadStringId(kIdsReplaceFile), name, std::string()),
                         MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

// Tells where a save of path that was cut off left the old content, whose
// copy it is and when it was made: the newest copies, and how many older
// ones there are. opened: the file itself opened (a save cut off leaves a
// start of a project, which no load takes), so that what is open is what
// that save wrote.
std::string KeptCopiesNote(const std::string& path, const std::vector<FileIO::KeptCopyFound>& copies, bool opened)
{
    std::string lines;
    for (std::size_t i = 0; i < copies.size() && i < kKeptCopiesListed; ++i) {
        char when[32] = "";
        std::tm local {};
        if (::localtime_r(&copies[i].made, &local))
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
        lines += (lines.empty() ? "" : "\n") + copies[i].path + "\n" +
                 DataExchange::FormatString2(LoadStringId(kIdsKeptBy), copies[i].owner, when);
    }
    if (const std::size_t more = copies.size() - std::min(copies.size(), kKeptCopiesListed); more > 0)
        lines += "\n" + DataExchange::FormatString2(LoadStringId(more == 1 ? kIdsKeptOneMore : kIdsKeptMore),
                                                    std::to_string(more), std::string());
    return DataExchange::FormatString2(LoadStringId(opened ? kIdsKeptOpened : kIdsKeptCopies), path, lines);
}

void StoreWord(CArchive& ar, long value)
{
    ar << static_cast<WORD>(static_cast<unsigned long>(value) & 0xFFFF);
}

}  // namespace

CKDRDoc::CKDRDoc() = default;

CKDRDoc::~CKDRDoc() = default;

bool CKDRDoc::IsAcceptedVersion(DWORD version)
{
    return std::find(kAcceptedVersions.begin(), kAcceptedVersions.end(), version) != kAcceptedVersions.end();
}

DWORD CKDRDoc::ParseOldVersion(const std::string& text)
{
    if (text.compare(0, 8, "Version ") != 0 || text.size() < 8) {
        return 0;
    }
    // The digit at a position, read as atoi reads a one-character string; a
    // string too short to hold it counts as 0.
    auto digit = [&text](std::size_t pos) -> DWORD {
        if (pos >= text.size()) {
            return 0;
        }
        return static_cast<DWORD>(Numbers::Atoi(text.substr(pos, 1))) & 0xFF;
    };
    return (digit(8) << 24) | (digit(10) << 16) | (digit(12) << 8);
}

std::string CKDRDoc::NewFormatPath(const std::string& path)
{
    if (!EndsWithKdr(path)) {
        return path;
    }
    return path.substr(0, path.size() - 4) + ".zkdr";
}

BOOL CKDRDoc::IsOldFormatPath(const std::string& path)
{
    m_bOldFormat = EndsWithKdr(path) ? TRUE : FALSE;
    return m_bOldFormat;
}

BOOL CKDRDoc::CheckFileMagic(const std::string& path)
{
    std::vector<BYTE> head;
    try {
        head = FileIO::ReadFileHead(path, kHeadBytes);
    } catch (const CFileException& e) {
        ReportSaveLoadException(path, false, &e);
        return FALSE;
    }
    if (EndsWithKdr(path)) {
        // An old file begins with its version line; the load refuses any
        // other start in the same words.
        if (MayBeginWithVersionLine(head))
            return TRUE;
        AfxMessageBox(LoadStringId(kIdsNotAvailableFile), MB_OK);
        return FALSE;
    }
    if (head.size() < kTypeNameLength || std::memcmp(head.data(), kTypeName, kTypeNameLength) != 0) {
        const CArchiveException e(CArchiveException::badIndex, "The file is no project file.");
        ReportSaveLoadException(path, false, &e);
        return FALSE;
    }
    return TRUE;
}

void CKDRDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.Write(kTypeName, kTypeNameLength);
        ar << kCurrentVersion;
        SerializeBody(ar, kCurrentVersion);
        m_dwVersion = kCurrentVersion;
        return;
    }

    DWORD version = 0;
    if (!m_bOldFormat) {
        char magic[kTypeNameLength] = {};
        ar.Read(magic, kTypeNameLength);
        if (std::memcmp(magic, kTypeName, kTypeNameLength) != 0) {
            throw CArchiveException(CArchiveException::badIndex, "The file is no project file.");
        }
        version = ar.ReadDword();
    } else {
        version = ParseOldVersion(ar.ReadString());
    }
    m_dwVersion = version;

    if (!IsAcceptedVersion(version)) {
        // A version this program cannot read opens nothing: an empty project
        // under the file's name would replace the file at the next save.
        m_dwVersion = kCurrentVersion;
        AfxMessageBox(LoadStringId(kIdsNotAvailableFile), MB_OK);
        throw CUserException();
    }
    SerializeBody(ar, version);
    m_dwVersion = kCurrentVersion;
}

void CKDRDoc::SerializeBody(CArchive& ar, DWORD version)
{
    if (ar.IsStoring()) {
        StoreWord(ar, m_nAdvancedMode);
        StoreWord(ar, m_bOpenedFromFile);
        StoreWord(ar, m_nDragInstallState);
        StoreWord(ar, m_bNeverImported);
        StoreWord(ar, m_bAutoInstalled);
        ar << m_strProjectName << m_strDate;
        StoreWord(ar, m_nLengthUnit);
        StoreWord(ar, m_nAutoOverlapMode);
        ar << m_dAutoBand << m_dAutoCenterFreq;
        ar << m_ptAutoAngles.x << m_ptAutoAngles.y << m_ptAutoAngles.z;
        ar << m_dAutoHeight;
        for (double d : m_dAutoDistance) {
            ar << d;
        }
        StoreWord(ar, m_bSameAsRoom);
        StoreWord(ar, m_bManualRecalculation);
    } else {
        m_nAdvancedMode = ar.ReadWord();
        ar.ReadWord();
        m_bOpenedFromFile = TRUE;
        m_nDragInstallState = ar.ReadWord();
        m_bNeverImported = ar.ReadWord() != 0;
        m_bAutoInstalled = ar.ReadWord() != 0;
        ar >> m_strProjectName >> m_strDate;
        m_nLengthUnit = ar.ReadWord();
        m_nAutoOverlapMode = ar.ReadWord();
        // Both choose among fixed lists (labels, conversions, densities);
        // no program ever wrote another value.
        if (m_nLengthUnit > 1) {
            CArchive::ThrowFormat("unknown length unit");
        }
        if (m_nAutoOverlapMode > 4) {
            CArchive::ThrowFormat("unknown speaker density");
        }
        ar >> m_dAutoBand >> m_dAutoCenterFreq;
        ar >> m_ptAutoAngles.x >> m_ptAutoAngles.y >> m_ptAutoAngles.z;
        ar >> m_dAutoHeight;
        for (double& d : m_dAutoDistance) {
            ar >> d;
        }
        // The automatic installation lays speakers at these values and the
        // map's summary shows them; the marker of a value not set lies
        // within the bounds.
        using namespace ProjectFileLimits;
        static_assert(kNotSet <= kMaxLength && kNotSet <= kMaxAngle);
        bool usable = IsUsableBandFraction(m_dAutoBand) && IsUsableFrequency(m_dAutoCenterFreq) &&
                      IsUsableAngles(m_ptAutoAngles) && IsUsableLength(m_dAutoHeight);
        for (double d : m_dAutoDistance) {
            usable = usable && IsUsableLength(d);
        }
        if (!usable) {
            CArchive::ThrowExplained(LoadStringId(kIdsBadAutoValues));
        }
        m_bSameAsRoom = ar.ReadWord() != 0;
        m_bManualRecalculation = (version == kVersion100) ? 0 : ar.ReadWord();
    }
    m_models.Serialize(ar, m_nLengthUnit, version);
    m_installations.Serialize(ar, version);
    m_colorMapConditions.Serialize(ar, version);
    m_soundGraphConditions.Serialize(ar, version);
}

void CKDRDoc::DeleteContents()
{
    m_bRecalcRequested = FALSE;
    m_bManualRecalculation = FALSE;
    m_nPrintPageCount = 0;
    m_nPrintRowsPerPage = 0;
    m_nAdvancedMode = 0;
    m_bSameAsRoom = TRUE;
    m_nAutoLayoutPattern = 0;
    m_nLengthUnit = 1;
    m_strDate.clear();
    m_strProjectName.clear();
    m_bAutoInstalled = FALSE;
    m_dAutoBand = 0.0;
    m_dAutoCenterFreq = 0.0;
    std::fill(std::begin(m_dAutoDistance), std::end(m_dAutoDistance), 0.0);
    m_nAutoOverlapMode = 2;
    m_nDragInstallState = 2;
    m_bNeverImported = TRUE;
    m_ptAutoAngles = CPoint3D(kNotSet, kNotSet, kNotSet);
    m_dAutoHeight = kNotSet;
    m_bOpenedFromFile = FALSE;
    m_dwVersion = kCurrentVersion;
    m_models.RemoveAll();
    m_models.SetCurrentIndex(0);
    m_installations = CInstallationContainer();
    m_colorMapConditions = CColorMapConditionList();
    m_soundGraphConditions = CSoundGraphConditionList();
}

bool CKDRDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

bool CKDRDoc::OnOpenDocument(const std::string& path)
{
    IsOldFormatPath(path);
    m_keptCopies = FileIO::FindKeptCopies(path, std::string_view(kTypeName, kTypeNameLength));
    // A file that is no project is refused from its first bytes, before the
    // whole of it is read; a failed load names the copies in its report.
    const bool opened = CheckFileMagic(path) && CDocument::OnOpenDocument(path);
    const std::vector<FileIO::KeptCopyFound> kept = std::exchange(m_keptCopies, {});
    if (!opened) {
        DeleteContents();
        return false;
    }
    if (!kept.empty())
        AfxMessageBox(KeptCopiesNote(path, kept, true), MB_OK | MB_ICONINFORMATION);
    m_bOldFormat = FALSE;
    return true;
}

void CKDRDoc::ReportSaveLoadException(const std::string& path, bool saving, const std::exception* e)
{
    if (saving || m_keptCopies.empty()) {
        CDocument::ReportSaveLoadException(path, saving, e);
        return;
    }
    std::string text = SaveLoadExceptionText(saving, e);
    text += (text.empty() ? "" : "\n\n") + KeptCopiesNote(path, m_keptCopies, false);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

bool CKDRDoc::OnSaveDocument(const std::string& path)
{
    if (!IsOldFormatPath(path)) {
        return CDocument::OnSaveDocument(path);
    }
    MessageBeep(MB_ICONHAND);
    if (AfxMessageBox(LoadStringId(32770), MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
        return false;
    }
    // The project goes to the same name with the new extension; the old
    // file is left as it is.
    const std::string previous = GetPathName();
    SetPathName(path);
    if (!OnFileSave()) {
        SetPathName(previous);
        return false;
    }
    return true;
}

void CKDRDoc::OnCloseDocument()
{
    m_bAutoInstalled = FALSE;
    m_models.RemoveAll();
    CDocument::OnCloseDocument();
}

bool CKDRDoc::OnFileSave()
{
    const std::string previous = GetPathName();
    const bool wasOld = IsOldFormatPath(previous);
    if (wasOld) {
        // The new name may hold another project (converted before and
        // worked on since): it is replaced only when the user agrees.
        if (!AgreesToReplace(NewFormatPath(previous)))
            return false;
        SetPathName(NewFormatPath(previous));
        m_bOldFormat = FALSE;
    }
    const bool saved = DoFileSave();
    if (wasOld && !saved) {
        // Nothing was written: the project keeps its old name and form, so
        // that the next Save asks again about the file of the new name.
        SetPathName(previous);
        m_bOldFormat = TRUE;
    } else if (wasOld) {
        MessageBeep(0);
        AfxMessageBox(LoadStringId(32769), MB_OK);
    }
    return saved;
}

bool CKDRDoc::DoFileSave()
{
    // A file that may not be replaced is saved under a name the user
    // chooses, the current one offered.
    const std::string path = GetPathName();
    if (!path.empty() && !FileIO::CanReplaceFile(path)) {
        return DoSave(std::string());
    }
    return DoSave(path);
}

std::string CKDRDoc::ProposedSavePath() const
{
    if (GetPathName().empty())
        return GetTitle().empty() ? std::string("Untitled") : GetTitle();
    // A folder removed since the project was opened (or a drive taken away)
    // is not offered: the name goes to the nearest folder above it.
    const std::filesystem::path path(GetPathName());
    std::filesystem::path folder = path.parent_path();
    std::error_code ec;
    while (!folder.empty() && !std::filesystem::is_directory(folder, ec))
        folder = folder == folder.parent_path() ? std::filesystem::path() : folder.parent_path();
    return folder.empty() ? path.filename().string() : (folder / path.filename()).string();
}

bool CKDRDoc::DoSave(const std::string& path)
{
    std::string target = path;
    if (target.empty()) {
        std::string proposed = ProposedSavePath();
        if (!m_savePathPrompt || !m_savePathPrompt(proposed) || proposed.empty()) {
            return false;
        }
        target = proposed;
    }
    // A save to an old-form name goes through File > Save under the new
    // name, which may itself ask for another; that save takes the name it
    // wrote, clears the modified mark and tells the listener.
    const bool converted = EndsWithKdr(target);
    if (!OnSaveDocument(target)) {
        return false;
    }
    if (converted) {
        return true;
    }
    SetPathName(target);
    m_bOldFormat = FALSE;
    SetModifiedFlag(false);
    if (m_savedListener) {
        m_savedListener(GetPathName());
    }
    return true;
}

void CKDRDoc::UpdateAfterInstallationChange()
{
    UpdateAllViews(nullptr, kHintRecalcMaps);
    UpdateAllViews(nullptr, kHintInstallationList);
    m_soundGraphConditions.ClearAllData(0);
    UpdateAllViews(nullptr, kHintGraphs);
    SetModifiedFlag(true);
}
