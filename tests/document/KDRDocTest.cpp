#include "DocumentTestSupport.h"
#include "ProjectFileBuilders.h"

#include "document/KDRDoc.h"
#include "platform/Archive.h"
#include "platform/DataExchange.h"
#include "platform/FileIO.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class KDRDocFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        CInstallationContainer::SetApplicationLengthUnit(0);
        dir = fs::temp_directory_path() /
              ("kadrel-doc-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        FileIO::SetWriteFaultForTesting(-1);
        fs::remove_all(dir);
    }
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.b.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static std::vector<BYTE> Read(const std::string& path) { return FileIO::ReadWholeFile(path); }

    fs::path dir;
    RecordingMessages messages;
};

// Every prefix of a file shorter than the whole is refused by the load.
void ExpectEveryTruncationRefused(const std::vector<BYTE>& whole, bool oldFormat)
{
    for (std::size_t n = 0; n < whole.size(); ++n) {
        CKDRDoc doc;
        doc.m_bOldFormat = oldFormat ? TRUE : FALSE;
        CArchive ar(std::vector<BYTE>(whole.begin(), whole.begin() + static_cast<long>(n)));
        EXPECT_THROW(doc.Serialize(ar), CArchiveException) << n;
    }
}

void ExpectProject(const CKDRDoc& doc, DWORD v, int models)
{
    const bool v14 = v >= 0x01040000;
    EXPECT_EQ(doc.m_nAdvancedMode, 2);
    EXPECT_EQ(doc.m_bOpenedFromFile, TRUE);
    EXPECT_EQ(doc.m_nDragInstallState, 2);
    EXPECT_EQ(doc.m_bNeverImported, FALSE);
    EXPECT_EQ(doc.m_bAutoInstalled, TRUE);
    EXPECT_EQ(doc.GetProjectName(), "Hall A");
    EXPECT_EQ(doc.GetDate(), "2026-12-07");
    EXPECT_EQ(doc.m_nLengthUnit, 0);
    EXPECT_EQ(doc.m_nAutoOverlapMode, 3);
    EXPECT_EQ(doc.m_dAutoBand, 3.0);
    EXPECT_EQ(doc.m_dAutoCenterFreq, 1000.0);
    EXPECT_EQ(doc.m_ptAutoAngles, CPoint3D(10, 20, 30));
    EXPECT_EQ(doc.m_dAutoHeight, 2.5);
    EXPECT_EQ(doc.m_dAutoDistance[3], 4.0);
    EXPECT_EQ(doc.m_bSameAsRoom, FALSE);
    EXPECT_EQ(doc.m_bManualRecalculation, v == V100 ? FALSE : TRUE);
    EXPECT_EQ(doc.m_bOldFormat, FALSE);
    EXPECT_EQ(doc.GetVersion(), V200);
    EXPECT_EQ(doc.m_models.GetCount(), models);

    const CInstallationContainer& inst = doc.m_installations;
    ASSERT_EQ(inst.GetCount(), 1);
    EXPECT_EQ(inst.GetRoom(CInstallationContainer::kRoomLengthX), 12.0);
    EXPECT_EQ(inst.GetRoom(CInstallationContainer::kRoomWidthY), 8.0);
    EXPECT_EQ(inst.GetRoom(CInstallationContainer::kRoomSizeZ), 0.25);
    EXPECT_EQ(inst.GetRoom(CInstallationContainer::kGridPitchZ), v14 ? 0.5 : 0.0);
    EXPECT_EQ(inst.GetRoom(CInstallationContainer::kRoomHeight), v14 ? 4.0 : 0.0);
    EXPECT_EQ(inst.GetTotalPower(), 15.0);
    EXPECT_EQ(inst.GetAt(0)->GetPosition(), CPoint3D(6, 4, 2.5));
    EXPECT_EQ(inst.GetAt(0)->GetAngles(), CPoint3D(30, 0, 10));

    ASSERT_EQ(doc.m_colorMapConditions.GetCount(), 1);
    const CColorMapCondition* c = doc.m_colorMapConditions.GetAt(0);
    EXPECT_EQ(c->GetSumMode(), 1);
    EXPECT_EQ(c->GetTotalSize(), CSize(640, 480));
    EXPECT_EQ(c->GetViewAngles()[0], v14 ? 45.0 : 0.0);
    EXPECT_EQ(c->GetViewAngles()[1], v14 ? 75.0 : 0.0);
    const CListeningPlane& plane = c->GetPlane();
    ASSERT_EQ(plane.GetCellCount(), 2u);
    EXPECT_EQ(plane.GetCells().GetAt(1)->GetLevel(), 89.0);
    EXPECT_EQ(plane.GetCells().GetAt(1)->GetCenter()[0], 1.5);
    EXPECT_EQ(plane.GetSpeechAverageLevel(), 85.5);

    ASSERT_EQ(doc.m_soundGraphConditions.GetCount(), 1);
    const CSoundGraphDataList& g = doc.m_soundGraphConditions.GetGraph(0);
    ASSERT_EQ(g.GetCurveCount(), 1);
    EXPECT_EQ(g.GetCurve(0)->GetCount(), 3);
    EXPECT_EQ(g.GetCurve(0)->GetY(2), 70.0);
}

void ExpectTinyModel(const CKDRDoc& doc, DWORD v)
{
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    const CSpeakerModel* model = doc.m_models.GetAt(0);
    EXPECT_EQ(model->GetName(), "Tiny");
    const CSpeakerTapTable& taps = model->GetTapTable();
    ASSERT_EQ(taps.GetTapCount(), 2u);
    EXPECT_EQ(taps.GetCurTap(), 1);
    EXPECT_EQ(taps.GetPower(0), 10.0);
    EXPECT_EQ(taps.GetValue(1), 8.0);
    // Files before 1.4.0 carry no tap factors: line taps get 1, low-impedance taps 2.
    EXPECT_EQ(taps.GetFactor(0), 1.0);
    EXPECT_EQ(taps.GetFactor(1), v >= 0x01040000 ? 2.5 : 2.0);
    EXPECT_EQ(model->GetHeader().GetFrequency(3), 1995.2623149688795);
}

}  // namespace

TEST_F(KDRDocFile, SavedFileOfANewProject)
{
    CKDRDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    const std::string path = PathOf("new.zkdr");
    ASSERT_TRUE(doc.DoSave(path));
    // Imperial units, density 2, no import yet, the same plane as the room,
    // the automatic angles and height not set, the metric room of 10 x 10 x 3.
    Bytes expected;
    expected.Raw("ZAVKDRDoc").DW(0x02000000);
    expected.W(0).W(0).W(2).W(1).W(0).S("").S("").W(1).W(2).D(0).D(0);
    expected.D(100000.0).D(100000.0).D(100000.0).D(100000.0).D(0).D(0).D(0).D(0).W(1).W(0);
    expected.W(0).W(0);
    expected.W(0).W(0).D(1).D(1).D(0).D(10).D(10).D(0).D(0).D(0).D(3).D(0).W(1);
    expected.W(0).W(0).W(0).W(0);
    EXPECT_EQ(Read(path), expected.b);
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(messages.shown.empty());
}

// Hand-made files of every accepted version, each without and with a speaker
// model: loaded, saved in the current form, loaded and saved again, and cut
// short at every byte.
TEST_F(KDRDocFile, LoadsAndSavesEveryAcceptedVersion)
{
    struct Case {
        std::string name;
        std::string versionText;  // empty for the current frame
        DWORD v;
        bool wide = false;  // the version line in 16-bit characters
    };
    const Case cases[] = {
        {"v100.kdr", "Version 1.0.0", V100},         {"v130.kdr", "Version 1.3.0", V130},
        {"v140.kdr", "Version 1.4.0", 0x01040000},   {"v141.KDR", "Version 1.4.1", 0x01040100},
        {"v142.kdr", "Version 1.4.2", V142},         {"v200.zkdr", "", V200},
        {"v130.zkdr", "", V130},                     {"v142w.kdr", "Version 1.4.2", V142, true},
    };
    for (const Case& c : cases) {
        for (bool withModel : {false, true}) {
            SCOPED_TRACE(c.name + (withModel ? " with a model" : ""));
            const Bytes models = withModel ? TinyModels(c.v) : NoModels();
            const Bytes file = c.versionText.empty() ? CurrentFile(c.v, "Hall A", 15.0, models)
                                                     : OldFile(c.versionText, c.v, models, c.wide);
            CKDRDoc doc;
            ASSERT_TRUE(doc.OnOpenDocument(Write(c.name, file)));
            EXPECT_TRUE(messages.shown.empty());
            // The rest of the project is read in step after the model.
            ExpectProject(doc, c.v, withModel ? 1 : 0);
            if (withModel) {
                ExpectTinyModel(doc, c.v);
            }

            const std::string first = PathOf("first.zkdr");
            const std::string second = PathOf("second.zkdr");
            ASSERT_TRUE(doc.DoSave(first));
            if (c.v >= 0x01040000) {
                // Written in the current form, the model with the factors it has.
                EXPECT_EQ(Read(first), CurrentFile(V200, "Hall A", 15.0, withModel ? TinyModels(V200) : NoModels()).b);
            }
            CKDRDoc again;
            ASSERT_TRUE(again.OnOpenDocument(first));
            if (withModel) {
                ExpectTinyModel(again, c.v);
            }
            ASSERT_TRUE(again.DoSave(second));
            EXPECT_EQ(Read(first), Read(second));

            ExpectEveryTruncationRefused(file.b, !c.versionText.empty());
        }
    }
}

TEST_F(KDRDocFile, VersionParsing)
{
    EXPECT_EQ(CKDRDoc::ParseOldVersion("Version 1.4.2"), 0x01040200u);
    EXPECT_EQ(CKDRDoc::ParseOldVersion("Version 1.0.0"), 0x01000000u);
    EXPECT_EQ(CKDRDoc::ParseOldVersion("version 1.4.2"), 0u);
    EXPECT_EQ(CKDRDoc::ParseOldVersion("Version 1"), 0x01000000u);
    EXPECT_EQ(CKDRDoc::ParseOldVersion(""), 0u);
    EXPECT_TRUE(CKDRDoc::IsAcceptedVersion(0x01040100));
    EXPECT_FALSE(CKDRDoc::IsAcceptedVersion(0x01020000));
    EXPECT_FALSE(CKDRDoc::IsAcceptedVersion(0x01040300));
}

// A version the program cannot read opens nothing: an empty project named
// after the file would replace it at the next save.
TEST_F(KDRDocFile, AnUnreadableVersionOpensNothing)
{
    const Bytes current = CurrentFile(V200);
    ASSERT_GT(current.size(), 91u);  // a renamed file holds the whole first string
    const std::pair<std::string, Bytes> files[] = {
        {"old.kdr", OldFile("Version 1.2.0", V142)},
        {"old.kdr", OldFile("KDR project 1.4.2", V142)},
        {"future.zkdr", CurrentFile(0x02010000)},
        {"renamed.kdr", current},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        messages.shown.clear();
        CKDRDoc doc;
        const std::string path = Write(name, bytes);
        EXPECT_FALSE(doc.OnOpenDocument(path));
        // Told once, and only that.
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].first, "Not available file.");
        EXPECT_EQ(messages.shown[0].second, static_cast<unsigned>(MB_OK));
        EXPECT_EQ(doc.m_installations.GetCount(), 0);
        EXPECT_EQ(doc.m_colorMapConditions.GetCount(), 0);
        EXPECT_EQ(doc.GetProjectName(), "");
        EXPECT_EQ(doc.m_bOpenedFromFile, FALSE);
        EXPECT_EQ(doc.GetVersion(), V200);
        EXPECT_EQ(Read(path), bytes.b);
    }
    // The same file with the accepted version opens.
    CKDRDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(Write("old.kdr", OldFile("Version 1.4.2", V142))));
    EXPECT_EQ(doc.GetProjectName(), "Hall A");
}

TEST_F(KDRDocFile, MagicChecks)
{
    // Opening: a damaged name, and an old file given the new extension.
    Bytes f = CurrentFile(V200);
    f.b[0] = 'z';
    CKDRDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(Write("bad.zkdr", f)));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, "Unexpected file format.");
    EXPECT_FALSE(doc.OnOpenDocument(Write("renamed.zkdr", OldFile("Version 1.4.2", V142))));
    EXPECT_EQ(messages.shown.size(), 2u);

    // Before opening a second project, an old file by its version line; no
    // file is left open.
    const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto filesBefore = openFiles();
    messages.shown.clear();
    EXPECT_TRUE(doc.CheckFileMagic(Write("good.zkdr", CurrentFile(V200))));
    EXPECT_TRUE(doc.CheckFileMagic(Write("old.kdr", OldFile("Version 1.4.2", V142))));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(doc.CheckFileMagic(Write("renamed.kdr", CurrentFile(V200))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, "Not available file.");
    Bytes shortFile;
    shortFile.Raw("ZAVKDR");
    EXPECT_FALSE(doc.CheckFileMagic(Write("short.zkdr", shortFile)));
    EXPECT_FALSE(doc.CheckFileMagic(PathOf("missing.zkdr")));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].first.rfind("Failed to open document.", 0), 0u);
    EXPECT_EQ(openFiles(), filesBefore);
}

// A pipe, an endless device or a terminal is refused at once with the usual
// report, by the magic check and the load alike: in a child that a timer
// ends, which leads a session of its own and so would take a terminal it
// opens for its own.
TEST_F(KDRDocFile, APipeOrADeviceIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(PathOf("pipe.kdr").c_str(), 0666), 0);
    fs::create_symlink("/dev/zero", PathOf("zero.zkdr"));
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal) | ::unlockpt(terminal), 0);
    fs::create_symlink(::ptsname(terminal), PathOf("tty.zkdr"));
    for (const char* name : {"pipe.kdr", "zero.zkdr", "tty.zkdr"}) {
        for (const bool check : {true, false}) {
            SCOPED_TRACE(std::string(name) + (check ? " checked" : " opened"));
            const pid_t child = ::fork();
            if (child == 0) {
                ::alarm(2);
                ::setsid();
                CKDRDoc doc;
                const BOOL ok = check ? doc.CheckFileMagic(PathOf(name)) : doc.OnOpenDocument(PathOf(name));
                const std::string told =
                    "Failed to open document.\nCannot open \"" + PathOf(name) + "\": it is no plain file.";
                const bool terminalTaken = ::open("/dev/tty", O_RDONLY | O_NOCTTY) >= 0;
                ::_exit(!ok && messages.shown.size() == 1 && messages.shown[0].first == told && !terminalTaken ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_EQ(status, 0) << "waited, read on, took the terminal, or not refused with the usual report";
        }
    }
    ::close(terminal);
}

// The copies of the old content that a save cut off in the middle left,
// beside the project and in the user's data folder, are named when it opens:
// alone, or with the report of a file the cut left damaged. Such a copy opens
// as a project of its own.
// The copies of a project's old content that a save in place kept when it
// was cut off are named on opening: after the report of a file that cannot
// be read, or after a file that opens whole (what is open is then newer),
// each with its maker and time, the newest three and how many more. Only
// copies that a save of this file made since its last finished save are
// named, that are projects; in a folder anyone may write, only those of the
// user, the file's owner or the folder's owner. A file opened through a link
// names its copies too.
TEST_F(KDRDocFile, CopiesKeptByACutOffSaveAreNamedOnOpening)
{
    const fs::path data = fs::path(std::getenv("XDG_DATA_HOME")) / "Kadrel";
    enum Mark { kMarked, kUnmarked, kOtherFile, kEarlierSave };
    enum Content { kOldProject, kNoProject, kEmpty, kTheFilesBytes };
    struct Copy {
        const char* name;
        bool inData = false;
        Mark mark = kMarked;
        int minutesAgo = 10;
        uid_t owner = 0;
        Content content = kOldProject;
    };
    const struct Row {
        const char* what;
        bool damaged;
        std::vector<Copy> copies;
        std::vector<int> named;  // newest first
        bool shared = false;     // the folder is one anyone may write
        bool viaLink = false;
    } rows[] = {
        {"one copy of a file that cannot be read", true, {{"room (old content).zkdr"}}, {0}},
        {"one copy of a file that opens", false, {{"room (old content 2026-12-07 21.04.33).zkdr"}}, {0}},
        {"five copies",
         false,
         {{"room (old content a).zkdr", false, kMarked, 5},
          {"room (old content b).zkdr", true, kMarked, 1},
          {"room (old content c).zkdr", false, kMarked, 3},
          {"room (old content d).zkdr", true, kMarked, 4},
          {"room (old content e).zkdr", false, kMarked, 2}},
         {1, 4, 2, 3, 0}},
        {"four copies",
         true,
         {{"room (old content a).zkdr", false, kMarked, 4},
          {"room (old content b).zkdr", false, kMarked, 1},
          {"room (old content c).zkdr", false, kMarked, 3},
          {"room (old content d).zkdr", true, kMarked, 2}},
         {1, 3, 2, 0}},
        {"files that only bear a copy's name",
         true,
         {{"room (old content a).zkdr", false, kUnmarked},
          {"room (old content b).zkdr", false, kOtherFile},
          {"room (old content c).zkdr", false, kEarlierSave},
          {"room (old content d).zkdr", false, kMarked, 10, 0, kNoProject},
          {"room (old content e).zkdr", false, kMarked, 10, 0, kEmpty},
          {"room (old content g).zkdr", false, kMarked, 10, 0, kTheFilesBytes},
          {"roomy (old content).zkdr"},
          {"room (old content f).zkdr", true, kMarked, 10, 65534}},
         {}},
        {"a folder anyone may write",
         true,
         {{"room (old content a).zkdr", false, kMarked, 10, 65534}, {"room (old content b).zkdr", false, kMarked, 20}},
         {1},
         true},
        {"a file opened through a link", true, {{"room (old content).zkdr", true}}, {0}, false, true},
    };
    const Bytes whole = CurrentFile(V200);
    const Bytes older = CurrentFile(V200, "Hall B");
    const std::time_t now = std::time(nullptr);
    const auto made = [&](int minutesAgo) { return now - 60 * minutesAgo; };
    std::string lastCopy;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(dir);
        fs::remove_all(data);
        fs::create_directories(dir);
        fs::permissions(dir, static_cast<fs::perms>(row.shared ? 01777 : 0755));
        const Bytes file{std::vector<BYTE>(whole.b.begin(), whole.b.end() - (row.damaged ? 30 : 0))};
        const std::string room = Write("room.zkdr", file);
        ASSERT_EQ(::setxattr(room.c_str(), "user.kadrel.save", "new", 3, 0), 0);
        const fs::path place = data / "kept" / fs::canonical(dir).relative_path();
        fs::create_directories(place);
        for (fs::path level = place; level != data.parent_path(); level = level.parent_path())
            fs::permissions(level, fs::perms::owner_all);
        std::vector<std::string> paths;
        for (const Copy& c : row.copies) {
            const fs::path path = (c.inData ? place : dir) / c.name;
            paths.push_back(path.string());
            const std::string text = "a text of the copy's length, that is no project";
            const std::vector<BYTE> bytes = c.content == kOldProject     ? older.b
                                            : c.content == kTheFilesBytes ? file.b
                                            : c.content == kNoProject     ? std::vector<BYTE>(text.begin(), text.end())
                                                                          : std::vector<BYTE>();
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            struct stat of {};
            ASSERT_EQ(::stat((c.mark == kOtherFile ? path.string() : room).c_str(), &of), 0);
            const std::string mark = std::to_string(of.st_ino) + (c.mark == kEarlierSave ? " old" : " new");
            if (c.mark != kUnmarked) {
                ASSERT_EQ(::setxattr(path.c_str(), "user.kadrel.kept", mark.data(), mark.size(), 0), 0);
            }
            ASSERT_EQ(::chown(path.c_str(), c.owner, 0), 0);
            const timespec times[2] = {{made(c.minutesAgo), 0}, {made(c.minutesAgo), 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        }
        lastCopy = paths.back();
        std::string lines;
        for (std::size_t i = 0; i < row.named.size() && i < 3; ++i) {
            const Copy& c = row.copies[static_cast<std::size_t>(row.named[i])];
            const std::time_t t = made(c.minutesAgo);
            std::tm local {};
            ::localtime_r(&t, &local);
            char when[32];
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
            lines += (i ? "\n" : "") + paths[static_cast<std::size_t>(row.named[i])] + "\n(owned by root, made on " +
                     when + ")";
        }
        if (row.named.size() == 4)
            lines += "\nand one older copy";
        if (row.named.size() > 4)
            lines += "\nand " + std::to_string(row.named.size() - 3) + " older copies";
        std::string opened = room;
        if (row.viaLink) {
            fs::create_directories(dir / "links");
            fs::create_symlink("../room.zkdr", dir / "links" / "hall.zkdr");
            opened = (dir / "links" / "hall.zkdr").string();
        }
        messages.shown.clear();
        CKDRDoc doc;
        EXPECT_EQ(doc.OnOpenDocument(opened), !row.damaged);
        const std::string note =
            "A save of \"" + opened + "\" was cut off before it ended" +
            (row.damaged ? "." : ", yet the file opened: what is open is what that save wrote.") +
            " The content the file had before that save is kept in:\n" +
            lines;
        const std::string report = row.damaged ? "Unexpected file format." : "";
        ASSERT_EQ(messages.shown.size(), row.damaged || !row.named.empty() ? 1u : 0u);
        if (!messages.shown.empty()) {
            EXPECT_EQ(messages.shown[0].first,
                      row.named.empty() ? report : report + (row.damaged ? "\n\n" : "") + note);
        }
    }
    // A copy opens as a project of its own, and names none.
    messages.shown.clear();
    CKDRDoc copy;
    EXPECT_TRUE(copy.OnOpenDocument(lastCopy));
    EXPECT_TRUE(messages.shown.empty());
    fs::remove_all(data);
}

TEST_F(KDRDocFile, OldFormatPathIgnoresCase)
{
    CKDRDoc doc;
    EXPECT_TRUE(doc.IsOldFormatPath("/a/room.KDR"));
    EXPECT_EQ(doc.m_bOldFormat, TRUE);
    EXPECT_TRUE(doc.IsOldFormatPath("room.kDr"));
    EXPECT_FALSE(doc.IsOldFormatPath("room.zkdr"));
    EXPECT_EQ(doc.m_bOldFormat, FALSE);
    EXPECT_FALSE(doc.IsOldFormatPath("kdr"));
    EXPECT_FALSE(doc.IsOldFormatPath("room.kdr.bak"));
    EXPECT_EQ(CKDRDoc::NewFormatPath("/a/room.KDR"), "/a/room.zkdr");
}

TEST_F(KDRDocFile, LongProjectNameHasAThreeBytePrefix)
{
    CKDRDoc doc;
    doc.m_strProjectName = std::string(300, 'N');
    CArchive ar;
    doc.Serialize(ar);
    const std::vector<BYTE>& b = ar.Buffer();
    // frame 13, five words 10
    ASSERT_GT(b.size(), 26u);
    EXPECT_EQ(b[23], 0xFF);
    EXPECT_EQ(b[24], 0x2C);
    EXPECT_EQ(b[25], 0x01);
}

TEST_F(KDRDocFile, ABrokenFileOpensNothing)
{
    const Bytes whole = CurrentFile(V200);
    const Bytes files[] = {
        Bytes{std::vector<BYTE>(whole.b.begin(), whole.b.end() - 30)},
        CurrentFile(V200, "Hall A", -5.0),
        CurrentFile(V200, "Hall A", std::numeric_limits<double>::quiet_NaN()),
    };
    for (const Bytes& f : files) {
        messages.shown.clear();
        CKDRDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(Write("broken.zkdr", f)));
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(doc.m_installations.GetCount(), 0);
        EXPECT_EQ(doc.m_colorMapConditions.GetCount(), 0);
        EXPECT_EQ(doc.GetProjectName(), "");
        EXPECT_EQ(doc.m_bOpenedFromFile, FALSE);
    }
    EXPECT_EQ(messages.shown[0].first, "Unexpected file format.\nThe project file holds an installation whose power "
                                       "is negative, out of range or no valid number.");
    CKDRDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(Write("zero.zkdr", CurrentFile(V200, "Hall A", 0.0))));
    EXPECT_EQ(doc.m_installations.GetAt(0)->GetPower(), 0.0);

    // Choices outside their lists: the length unit at 13 + 10 + 7 + 11 = 41,
    // the density at 43.
    ASSERT_EQ(whole.b[41], 0);
    ASSERT_EQ(whole.b[43], 3);
    for (std::size_t at : {std::size_t{41}, std::size_t{43}}) {
        std::vector<BYTE> bytes = whole.b;
        bytes[at] = 5;
        CKDRDoc bad;
        CArchive ar(std::move(bytes));
        EXPECT_THROW(bad.Serialize(ar), CArchiveException) << at;
    }
    std::vector<BYTE> imperial = whole.b;
    imperial[41] = 1;
    CArchive ar(std::move(imperial));
    doc.Serialize(ar);
    EXPECT_EQ(doc.m_nLengthUnit, 1);
}

TEST_F(KDRDocFile, DamagedBytesNeverCrashTheLoad)
{
    // Every byte of a whole project set to 0x00, 0xFF and 0x7F in turn: the
    // load either succeeds or ends with a format or end-of-file error, or
    // after telling the user that the version cannot be read. Also for
    // projects with a speaker model, current and old.
    const Bytes files[] = {CurrentFile(V200), CurrentFile(V200, "Hall A", 15.0, TinyModels(V200)),
                           OldFile("Version 1.3.0", V130, TinyModels(V130))};
    for (const Bytes& whole : files) {
        const bool old = &whole == &files[2];
        int refused = 0;
        for (std::size_t i = 0; i < whole.size(); ++i) {
            for (BYTE value : {BYTE{0x00}, BYTE{0xFF}, BYTE{0x7F}}) {
                std::vector<BYTE> bytes = whole.b;
                bytes[i] = value;
                CKDRDoc doc;
                doc.m_bOldFormat = old ? TRUE : FALSE;
                CArchive ar(std::move(bytes));
                try {
                    doc.Serialize(ar);
                } catch (const CArchiveException&) {
                    ++refused;
                } catch (const CUserException&) {
                    ++refused;
                }
            }
        }
        EXPECT_GT(refused, 0);
    }
}

TEST_F(KDRDocFile, AFailedWriteLeavesTheOldFileAlone)
{
    CKDRDoc doc;
    const std::string path = Write("keep.zkdr", CurrentFile(V200));
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetPathName(path);
    doc.m_strProjectName = "Changed";
    doc.SetModifiedFlag(true);
    FileIO::SetWriteFaultForTesting(100);
    EXPECT_FALSE(doc.OnFileSave());
    FileIO::SetWriteFaultForTesting(-1);
    EXPECT_EQ(Read(path), CurrentFile(V200).b);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first.rfind("Failed to save document.", 0), 0u);
    // Nothing but the target is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(KDRDocFile, SavingAProjectOpenedFromAnOldFile)
{
    const std::string old = Write("room.kdr", OldFile("Version 1.4.2", V142));
    const std::string saved = "File was saved with new extention(\"zkdr\").";
    CKDRDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(old));
    doc.SetPathName(old);
    ASSERT_TRUE(doc.OnFileSave());
    EXPECT_EQ(doc.GetPathName(), PathOf("room.zkdr"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, saved);
    EXPECT_EQ(messages.events.front(), "beep:0");
    EXPECT_EQ(Read(PathOf("room.zkdr")), CurrentFile(V200).b);
    EXPECT_EQ(Read(old), OldFile("Version 1.4.2", V142).b);
    messages.shown.clear();
    ASSERT_TRUE(doc.OnFileSave());
    EXPECT_TRUE(messages.shown.empty());

    // Now that room.zkdr is there, Save asks before it replaces it, and No
    // writes nothing; the framework's save of a modified project (to the
    // path in hand) asks about the extension and then, once, about that.
    const std::string question = "Do you save this file with the new extention that is \"zkdr\"?";
    const std::string replace = "box:room.zkdr already exists.\nDo you want to replace it?";
    Write("room.zkdr", CurrentFile(V200, "Other"));
    messages.events.clear();
    CKDRDoc closing;
    ASSERT_TRUE(closing.OnOpenDocument(old));
    closing.SetPathName(old);
    closing.SetModifiedFlag(true);
    messages.answer = IDNO;
    EXPECT_FALSE(closing.OnFileSave());
    EXPECT_EQ(messages.events, std::vector<std::string>{replace});
    EXPECT_EQ(messages.shown.back().second, unsigned{MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2});
    EXPECT_EQ(closing.GetPathName(), old);
    EXPECT_TRUE(closing.IsModified());
    EXPECT_EQ(Read(PathOf("room.zkdr")), CurrentFile(V200, "Other").b);
    messages.events.clear();
    messages.answers = {IDOK, IDYES};
    ASSERT_TRUE(closing.DoFileSave());
    EXPECT_EQ(messages.events,
              (std::vector<std::string>{"beep:16", "box:" + question, replace, "beep:0", "box:" + saved}));
    EXPECT_EQ(closing.GetPathName(), PathOf("room.zkdr"));
    EXPECT_FALSE(closing.IsModified());
    EXPECT_EQ(Read(PathOf("room.zkdr")), CurrentFile(V200).b);
    messages.events.clear();
    ASSERT_TRUE(closing.DoFileSave());
    EXPECT_TRUE(messages.events.empty());

    // A new name that may not be replaced asks for another (here: no
    // question, as Cancel); the project stays as it was, and the next Save
    // asks about that file again.
    fs::permissions(PathOf("room.zkdr"), static_cast<fs::perms>(0444));
    CKDRDoc kept;
    ASSERT_TRUE(kept.OnOpenDocument(old));
    kept.SetPathName(old);
    kept.SetModifiedFlag(true);
    EXPECT_FALSE(kept.OnFileSave());
    EXPECT_EQ(kept.GetPathName(), old);
    EXPECT_EQ(kept.GetTitle(), "room.kdr");
    EXPECT_TRUE(kept.IsModified());
    fs::permissions(PathOf("room.zkdr"), static_cast<fs::perms>(0644));
    messages.events.clear();
    messages.answer = IDNO;
    EXPECT_FALSE(kept.OnFileSave());
    EXPECT_EQ(messages.events, std::vector<std::string>{replace});
}

TEST_F(KDRDocFile, SavingToAnOldNameAsksFirst)
{
    CKDRDoc doc;
    const std::string target = PathOf("hall.kdr");
    messages.answer = IDCANCEL;
    EXPECT_FALSE(doc.DoSave(target));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, "Do you save this file with the new extention that is \"zkdr\"?");
    EXPECT_EQ(messages.shown[0].second, static_cast<unsigned>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(messages.beeps.front(), static_cast<unsigned>(MB_ICONHAND));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(PathOf("hall.zkdr")));

    messages.shown.clear();
    messages.answer = IDOK;
    EXPECT_TRUE(doc.DoSave(target));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(fs::exists(PathOf("hall.zkdr")));
    EXPECT_EQ(doc.GetPathName(), PathOf("hall.zkdr"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].first, "File was saved with new extention(\"zkdr\").");
}

// Save As to an old-form name writes the new-form one; the listener (the
// recent-file list) hears once, of the file actually written, also when
// the new-form name may not be replaced and the user picks another.
TEST_F(KDRDocFile, SaveAsToAnOldNameTellsTheWrittenNameOnce)
{
    CKDRDoc doc;
    std::vector<std::string> saved;
    doc.SetSavedListener([&](const std::string& p) { saved.push_back(p); });
    std::vector<std::string> proposed;
    doc.SetSavePathPrompt([&](std::string& p) {
        proposed.push_back(p);
        p = PathOf("other.zkdr");
        return true;
    });
    messages.answer = IDOK;
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoSave(PathOf("hall.kdr")));
    EXPECT_EQ(saved, std::vector<std::string>{PathOf("hall.zkdr")});
    EXPECT_EQ(doc.GetPathName(), PathOf("hall.zkdr"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(proposed.empty());
    EXPECT_FALSE(fs::exists(PathOf("hall.kdr")));

    const std::vector<BYTE> kept = Read(PathOf("hall.zkdr"));
    fs::permissions(PathOf("hall.zkdr"), static_cast<fs::perms>(0444));
    saved.clear();
    messages.shown.clear();
    doc.m_strProjectName = "changed";
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.DoSave(PathOf("hall.kdr")));
    EXPECT_EQ(proposed, std::vector<std::string>{PathOf("hall.zkdr")});
    EXPECT_EQ(saved, std::vector<std::string>{PathOf("other.zkdr")});
    EXPECT_EQ(doc.GetPathName(), PathOf("other.zkdr"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Read(PathOf("hall.zkdr")), kept);
    EXPECT_NE(Read(PathOf("other.zkdr")), kept);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].first, "File was saved with new extention(\"zkdr\").");
}

TEST_F(KDRDocFile, SaveWithoutAPathAsksForOne)
{
    CKDRDoc doc;
    EXPECT_FALSE(doc.OnFileSave());  // no question installed: nothing saved
    std::string proposed;
    doc.SetSavePathPrompt([&](std::string& path) {
        proposed = path;
        path = PathOf("chosen.zkdr");
        return true;
    });
    EXPECT_TRUE(doc.OnFileSave());
    EXPECT_EQ(proposed, "Untitled");
    EXPECT_EQ(doc.GetPathName(), PathOf("chosen.zkdr"));
    EXPECT_TRUE(fs::exists(PathOf("chosen.zkdr")));
}

// Save on a file that may not be replaced (read-only, in a folder that
// cannot be written, or in one removed since) asks for a name, the current
// one offered, in the nearest folder that exists: Cancel keeps file and
// modified mark, the same name fails with its message, another name saves
// there. Every save under a name is told to the listener.
TEST_F(KDRDocFile, SaveOfAReadOnlyProjectAsksForAName)
{
    fs::create_directories(dir / "locked");
    fs::create_directories(dir / "gone/deep");
    const struct {
        const char* path;
        fs::perms fileMode;
        const char* folder;  // made read-only, or removed when it is "gone"
        const char* proposed;
    } cases[] = {
        {"readonly.zkdr", static_cast<fs::perms>(0444), "", "readonly.zkdr"},
        {"locked/hall.zkdr", static_cast<fs::perms>(0644), "locked", "locked/hall.zkdr"},
        {"gone/deep/hall.zkdr", static_cast<fs::perms>(0644), "gone", "hall.zkdr"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string path = PathOf(c.path);
        const bool gone = std::string(c.folder) == "gone";
        {
            CKDRDoc first;
            ASSERT_TRUE(first.DoSave(path));
        }
        const std::vector<BYTE> before = Read(path);
        fs::permissions(path, c.fileMode);
        if (*c.folder && !gone) {
            fs::permissions(dir / c.folder, static_cast<fs::perms>(0555));
        }
        CKDRDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        doc.SetPathName(path);
        doc.m_strProjectName = "changed";
        doc.SetModifiedFlag(true);
        if (gone) {
            fs::remove_all(dir / c.folder);
        }
        std::vector<std::string> proposed;
        std::vector<std::string> saved;
        std::string answer;
        doc.SetSavePathPrompt([&](std::string& p) {
            proposed.push_back(p);
            p = answer;
            return !answer.empty();
        });
        doc.SetSavedListener([&](const std::string& p) { saved.push_back(p); });

        messages.shown.clear();
        EXPECT_FALSE(doc.OnFileSave());  // cancelled
        EXPECT_EQ(proposed, std::vector<std::string>{PathOf(c.proposed)});
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(gone ? before : Read(path), before);
        EXPECT_TRUE(messages.shown.empty());

        answer = path;  // the same name again: the save fails and says so
        EXPECT_FALSE(doc.DoFileSave());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].first.substr(0, 24), "Failed to save document.");
        if (gone) {
            EXPECT_EQ(messages.shown[0].first.substr(25), "Cannot write \"" + path + "\": its folder \"" +
                                                              PathOf("gone/deep") + "\" does not exist.");
        } else {
            EXPECT_EQ(Read(path), before);
            EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, c.fileMode);
        }
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(saved.empty());

        answer = PathOf("copy.zkdr");
        EXPECT_TRUE(doc.DoFileSave());
        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.GetPathName(), answer);
        EXPECT_EQ(saved, std::vector<std::string>{answer});
        EXPECT_EQ(gone ? before : Read(path), before);
        EXPECT_NE(Read(answer), before);
        fs::permissions(dir / "locked", static_cast<fs::perms>(0755));
    }
}

TEST_F(KDRDocFile, ClosingDropsTheModels)
{
    CKDRDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Write("p.zkdr", CurrentFile(V200, "Hall A", 15.0, TinyModels(V200)))));
    ASSERT_EQ(doc.m_models.GetCount(), 1);
    EXPECT_EQ(doc.m_bAutoInstalled, TRUE);
    doc.OnCloseDocument();
    EXPECT_EQ(doc.m_bAutoInstalled, FALSE);
    EXPECT_EQ(doc.m_models.GetCount(), 0);
}

namespace {

class HintRecorder : public IView {
public:
    void OnUpdate(IView*, long hint) override { hints.push_back(hint); }
    std::vector<long> hints;
};

}  // namespace

TEST_F(KDRDocFile, InstallationUpdateSendsHintsAndClearsCurveZero)
{
    CKDRDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Write("p.zkdr", CurrentFile(V200))));
    HintRecorder view;
    doc.AddView(&view);
    doc.UpdateAfterInstallationChange();
    EXPECT_EQ(view.hints, (std::vector<long>{1, 2, 4}));
    const CSoundGraphData* curve = doc.m_soundGraphConditions.GetGraph(0).GetCurve(0);
    EXPECT_EQ(curve->GetCount(), 3);
    EXPECT_EQ(curve->GetY(2), 0.0);
    EXPECT_TRUE(doc.IsModified());
    doc.RemoveView(&view);
}
