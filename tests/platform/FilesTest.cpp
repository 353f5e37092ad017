#include "platform/ArchiveException.h"
#include "platform/FileIO.h"
#include "platform/InPlaceSave.h"
#include "platform/TextFile.h"

#include "SystemHooks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <pwd.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace TestHooks;

namespace {

namespace fs = std::filesystem;

// One scratch folder per test program, removed when the program ends.
class ScratchFolder {
public:
    ScratchFolder() : m_dir(fs::temp_directory_path() / ("kadrel-files-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_dir);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    const fs::path& Path() const { return m_dir; }

private:
    fs::path m_dir;
};

fs::path TempDir()
{
    static ScratchFolder folder;
    fs::create_directories(folder.Path());
    return folder.Path();
}

TEST(TextFile, ReadStringGivesLinesWithoutTheirEnds)
{
    CStdioFile f;
    f.OpenText("Version 1.0.0\r\n1\n\nlast");
    std::string line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "Version 1.0.0");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "1");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_FALSE(f.ReadString(line));
}

TEST(TextFile, FileOnDiskAndMissingFile)
{
    const fs::path p = TempDir() / "lines.txt";
    {
        std::ofstream o(p, std::ios::binary);
        o << "a\nb\n";
    }
    CStdioFile f;
    ASSERT_TRUE(f.Open(p.string()));
    std::string line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(f.ReadString(line));
    CStdioFile g;
    EXPECT_FALSE(g.Open((TempDir() / "missing.txt").string()));
    EXPECT_FALSE(g.ReadString(line));
}

TEST(FileIOTest, SafeWriteReplacesTheFile)
{
    const fs::path p = TempDir() / "project.zkdr";
    FileIO::WriteFileSafely(p.string(), {1, 2, 3});
    FileIO::WriteFileSafely(p.string(), {4, 5});
    EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{4, 5}));
}

// A write that fails, or goes beyond the file-size limit, leaves the old
// file and nothing beside it.
TEST(FileIOTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    std::signal(SIGXFSZ, SIG_IGN);  // as the program does
    const fs::path dir = TempDir() / "fault";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path p = dir / "project.zkdr";
    FileIO::WriteFileSafely(p.string(), {9, 9, 9});
    for (const bool limited : {false, true}) {
        rlimit limit {};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit before = limit;
        limit.rlim_cur = limited ? 50 : limit.rlim_cur;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        FileIO::SetWriteFaultForTesting(limited ? -1 : 2);
        EXPECT_THROW(FileIO::WriteFileSafely(p.string(), std::vector<BYTE>(100, 7)), CFileException);
        FileIO::SetWriteFaultForTesting(-1);
        ::setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{9, 9, 9}));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    }
}

TEST(FileIOTest, WriteIntoMissingFolderThrows)
{
    const fs::path p = TempDir() / "no/such/dir/x.zkdr";
    const std::string text = "Cannot write \"" + p.string() + "\": its folder \"" + p.parent_path().string() +
                             "\" does not exist.";
    EXPECT_THAT([&] { FileIO::WriteFileSafely(p.string(), {1}); },
                testing::ThrowsMessage<CFileException>(testing::StrEq(text)));
    EXPECT_THROW(FileIO::ReadWholeFile((TempDir() / "nothing-here").string()), CFileException);
}

}  // namespace

namespace {

// Permission bits decide, also for the superuser (whom access() lets write
// anything): a read-only file, or one in a folder that cannot be written, is
// not replaced by the write-beside-and-rename.
TEST(FileIOTest, ReadOnlyFilesAndFoldersAreNotReplaced)
{
    const fs::path dir = TempDir() / "modes";
    fs::remove_all(dir);
    fs::create_directories(dir / "locked");
    const struct {
        const char* name;
        bool inLockedFolder;
        int mode;  // -1: no file
        bool replaceable;
    } cases[] = {
        {"plain.zkdr", false, 0644, true},   {"readonly.zkdr", false, 0444, false},
        {"groupw.zkdr", false, 0464, false}, {"new.zkdr", false, -1, true},
        {"inlocked.zkdr", true, 0644, false}, {"newlocked.zkdr", true, -1, false},
    };
    for (const auto& c : cases) {
        const fs::path p = (c.inLockedFolder ? dir / "locked" : dir) / c.name;
        if (c.mode >= 0) {
            FileIO::WriteFileSafely(p.string(), {1, 2});
            fs::permissions(p, static_cast<fs::perms>(c.mode));
        }
    }
    fs::permissions(dir / "locked", static_cast<fs::perms>(0555));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = (c.inLockedFolder ? dir / "locked" : dir) / c.name;
        EXPECT_EQ(FileIO::CanReplaceFile(p.string()), c.replaceable);
        if (c.replaceable) {
            EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {7}));
            EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{7}));
        } else {
            EXPECT_THROW(FileIO::WriteFileSafely(p.string(), {7}), CFileException);
            if (c.mode >= 0) {
                EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{1, 2}));
                EXPECT_EQ(static_cast<int>(fs::status(p).permissions()) & 0777, c.mode);
            } else {
                EXPECT_FALSE(fs::exists(p));
            }
        }
    }
    EXPECT_FALSE(FileIO::IsWritable((dir / "missing").string()));
    fs::permissions(dir / "locked", static_cast<fs::perms>(0755));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "locked"), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

}  // namespace

namespace {

// A fresh, empty folder inside the scratch folder.
fs::path FreshFolder(const char* name)
{
    const fs::path dir = TempDir() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<std::string> Entries(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

int ModeOf(const fs::path& p)
{
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Sets the umask for one scope.
class Umask {
public:
    explicit Umask(mode_t mask) : m_old(::umask(mask)) {}
    ~Umask() { ::umask(m_old); }

private:
    mode_t m_old;
};

// A project reached through a symbolic link is saved where the link leads:
// absolute and relative links, a chain of them, a relative link met through
// a linked folder (its ".." is the real folder's parent), a link whose file
// is not there yet. The links stay links with their texts, the file keeps its
// mode, and the temporary file goes beside the real file: no folder keeps a
// stray entry. A link in a folder that cannot be written still leads to a
// file that can be saved; a link to a read-only file is refused; a loop of
// links fails without writing anything.
TEST(FileIOTest, SavesThroughSymbolicLinksReachTheFileTheyLeadTo)
{
    const fs::path dir = FreshFolder("links");
    fs::create_directories(dir / "real");
    fs::create_directories(dir / "links");
    fs::create_directories(dir / "other");
    const fs::path real = dir / "real" / "project.zkdr";
    FileIO::WriteFileSafely(real.string(), {1, 2});
    fs::permissions(real, static_cast<fs::perms>(0640));
    fs::create_symlink(real, dir / "links" / "absolute.zkdr");
    fs::create_symlink("../real/project.zkdr", dir / "links" / "relative.zkdr");
    fs::create_symlink("relative.zkdr", dir / "links" / "chain.zkdr");
    fs::create_symlink("chain.zkdr", dir / "links" / "chain2.zkdr");
    fs::create_directory_symlink("../links", dir / "other" / "linked");
    fs::create_symlink("../real/new.zkdr", dir / "links" / "dangling.zkdr");
    fs::create_symlink("loop2.zkdr", dir / "links" / "loop1.zkdr");
    fs::create_symlink("loop1.zkdr", dir / "links" / "loop2.zkdr");

    const struct {
        fs::path link;
        fs::path text;
    } links[] = {
        {dir / "links" / "absolute.zkdr", real},
        {dir / "links" / "relative.zkdr", "../real/project.zkdr"},
        {dir / "links" / "chain2.zkdr", "chain.zkdr"},
        {dir / "other" / "linked" / "relative.zkdr", "../real/project.zkdr"},
    };
    BYTE value = 10;
    for (const auto& l : links) {
        SCOPED_TRACE(l.link.string());
        ++value;
        EXPECT_TRUE(FileIO::CanReplaceFile(l.link.string()));
        ASSERT_NO_THROW(FileIO::WriteFileSafely(l.link.string(), {value, value}));
        EXPECT_EQ(FileIO::ReadWholeFile(real.string()), (std::vector<BYTE>{value, value}));
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(l.link)));
        EXPECT_EQ(fs::read_symlink(l.link), l.text);
        EXPECT_EQ(ModeOf(real), 0640);
    }
    EXPECT_FALSE(fs::exists(dir / "other" / "real"));

    ASSERT_NO_THROW(FileIO::WriteFileSafely((dir / "links" / "dangling.zkdr").string(), {5}));
    EXPECT_EQ(FileIO::ReadWholeFile((dir / "real" / "new.zkdr").string()), (std::vector<BYTE>{5}));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "links" / "dangling.zkdr")));

    EXPECT_FALSE(FileIO::CanReplaceFile((dir / "links" / "loop1.zkdr").string()));
    EXPECT_THROW(FileIO::WriteFileSafely((dir / "links" / "loop1.zkdr").string(), {6}), CFileException);

    EXPECT_EQ(Entries(dir / "real"), (std::vector<std::string>{"new.zkdr", "project.zkdr"}));
    EXPECT_EQ(Entries(dir / "links"),
              (std::vector<std::string>{"absolute.zkdr", "chain.zkdr", "chain2.zkdr", "dangling.zkdr", "loop1.zkdr",
                                        "loop2.zkdr", "relative.zkdr"}));
    EXPECT_EQ(Entries(dir / "other"), (std::vector<std::string>{"linked"}));

    // The link's own folder does not matter; the real file's does.
    fs::permissions(dir / "links", static_cast<fs::perms>(0555));
    EXPECT_TRUE(FileIO::CanReplaceFile((dir / "links" / "relative.zkdr").string()));
    EXPECT_NO_THROW(FileIO::WriteFileSafely((dir / "links" / "relative.zkdr").string(), {8}));
    EXPECT_EQ(FileIO::ReadWholeFile(real.string()), (std::vector<BYTE>{8}));
    fs::permissions(dir / "links", static_cast<fs::perms>(0755));

    fs::permissions(real, static_cast<fs::perms>(0444));
    EXPECT_FALSE(FileIO::CanReplaceFile((dir / "links" / "chain.zkdr").string()));
    EXPECT_THROW(FileIO::WriteFileSafely((dir / "links" / "chain.zkdr").string(), {9}), CFileException);
    EXPECT_EQ(FileIO::ReadWholeFile(real.string()), (std::vector<BYTE>{8}));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "links" / "chain.zkdr")));
    fs::remove_all(dir);
}

// A new file gets 0666 less the umask; a replaced file keeps its mode, and
// for the superuser its owner and group too.
TEST(FileIOTest, NewFilesFollowTheUmaskAndReplacedFilesKeepModeAndOwner)
{
    const fs::path dir = FreshFolder("umask");
    const struct {
        mode_t mask;
        int mode;
    } created[] = {{027, 0640}, {002, 0664}, {077, 0600}, {022, 0644}};
    int n = 0;
    for (const auto& c : created) {
        const fs::path p = dir / ("new" + std::to_string(n++) + ".zkdr");
        Umask mask(c.mask);
        FileIO::WriteFileSafely(p.string(), {1});
        EXPECT_EQ(ModeOf(p), c.mode) << std::oct << c.mask;
        FileIO::WriteFileSafely(p.string(), {2});
        EXPECT_EQ(ModeOf(p), c.mode) << std::oct << c.mask;
    }
    for (const int mode : {0600, 0664, 0640, 0620, 02664}) {
        const fs::path p = dir / "kept.zkdr";
        FileIO::WriteFileSafely(p.string(), {1});
        fs::permissions(p, static_cast<fs::perms>(mode));
        Umask mask(077);
        FileIO::WriteFileSafely(p.string(), {3});
        EXPECT_EQ(ModeOf(p), mode) << std::oct << mode;
        EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{3}));
    }
    if (::geteuid() == 0) {
        const fs::path p = dir / "owned.zkdr";
        FileIO::WriteFileSafely(p.string(), {1});
        fs::permissions(p, static_cast<fs::perms>(0660));
        ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
        FileIO::WriteFileSafely(p.string(), {4});
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
        EXPECT_EQ(st.st_mode & 07777, 0660u);
    }
    fs::remove_all(dir);
}

// The longest name the folder allows (255 bytes) can be saved and saved
// again, also when it is made of two-byte characters, and leaves nothing
// beside it.
TEST(FileIOTest, ANameOfTheLongestLegalLengthCanBeSaved)
{
    const fs::path dir = FreshFolder("long");
    std::string ascii(250, 'a');
    ascii += ".zkdr";
    std::string wide;
    for (int i = 0; i < 125; ++i)
        wide += "\xC3\xBC";  // u with diaeresis
    wide += ".zkdr";
    ASSERT_EQ(ascii.size(), 255u);
    ASSERT_EQ(wide.size(), 255u);
    for (const std::string& name : {ascii, wide}) {
        const fs::path p = dir / name;
        ASSERT_NO_THROW(FileIO::WriteFileSafely(p.string(), {1, 2, 3}));
        ASSERT_NO_THROW(FileIO::WriteFileSafely(p.string(), {4}));
        EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{4}));
    }
    EXPECT_EQ(Entries(dir).size(), 2u);
    fs::remove_all(dir);
}

// The data reach the disk before the rename, and the folder holding the
// real file (not the link's) is synced after it, when it already names the
// new file.
TEST(FileIOTest, TheFolderIsSyncedAfterTheRename)
{
    const fs::path dir = FreshFolder("sync");
    fs::create_directories(dir / "real");
    fs::create_directories(dir / "links");
    const fs::path real = dir / "real" / "project.zkdr";
    FileIO::WriteFileSafely(real.string(), {1});
    fs::create_symlink("../real/project.zkdr", dir / "links" / "project.zkdr");
    struct stat folder {};
    ASSERT_EQ(::stat((dir / "real").c_str(), &folder), 0);

    struct Sync {
        bool isFolder;
        ino_t inode;
        std::vector<BYTE> realBytes;  // what the real file's name holds at the sync
    };
    std::vector<Sync> syncs;
    g_beforeFsync = [&](int fd) {
        struct stat st {};
        ASSERT_EQ(::fstat(fd, &st), 0);
        std::vector<BYTE> bytes;
        try {
            bytes = FileIO::ReadWholeFile(real.string());
        } catch (const CFileException&) {
        }
        syncs.push_back({S_ISDIR(st.st_mode), st.st_ino, bytes});
    };
    FileIO::WriteFileSafely((dir / "links" / "project.zkdr").string(), {7, 7});
    g_beforeFsync = nullptr;

    struct stat written {};
    ASSERT_EQ(::stat(real.c_str(), &written), 0);
    ASSERT_EQ(syncs.size(), 2u);
    EXPECT_FALSE(syncs[0].isFolder);
    EXPECT_EQ(syncs[0].inode, written.st_ino);
    EXPECT_EQ(syncs[0].realBytes, (std::vector<BYTE>{1}));
    EXPECT_TRUE(syncs[1].isFolder);
    EXPECT_EQ(syncs[1].inode, folder.st_ino);
    EXPECT_EQ(syncs[1].realBytes, (std::vector<BYTE>{7, 7}));
    fs::remove_all(dir);
}

// Only a plain file is replaced: a pipe or a folder of the name is left as
// it is (the superuser's rename would put a file in a pipe's place).
TEST(FileIOTest, OnlyPlainFilesAreReplaced)
{
    const fs::path dir = FreshFolder("special");
    const fs::path pipe = dir / "pipe.zkdr";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    fs::create_directories(dir / "folder.zkdr");
    fs::create_symlink("pipe.zkdr", dir / "link.zkdr");
    for (const char* name : {"pipe.zkdr", "folder.zkdr", "link.zkdr"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(FileIO::CanReplaceFile((dir / name).string()));
        EXPECT_THROW(FileIO::WriteFileSafely((dir / name).string(), {1}), CFileException);
    }
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));
    EXPECT_TRUE(fs::is_directory(dir / "folder.zkdr"));
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"folder.zkdr", "link.zkdr", "pipe.zkdr"}));
    fs::remove_all(dir);
}

// Only the owner may open the file written aside while it takes the bytes;
// it gets its final mode after.
TEST(FileIOTest, TheFileWrittenAsideIsTheOwnersAloneUntilItHasItsBytes)
{
    const fs::path p = FreshFolder("aside") / "kept.zkdr";
    FileIO::WriteFileSafely(p.string(), {1});
    fs::permissions(p, static_cast<fs::perms>(0664));
    std::vector<int> modes;
    g_writtenModes = &modes;
    FileIO::WriteFileSafely(p.string(), {2, 3});
    g_writtenModes = nullptr;
    EXPECT_EQ(modes, std::vector<int>{0600});
    EXPECT_EQ(ModeOf(p), 0664);
}

// Every step of a save acts in the folder it opened: renamed meanwhile and
// another put in its place, it gets the file and the other nothing.
TEST(FileIOTest, ASaveStaysInTheFolderItOpened)
{
    const fs::path dir = FreshFolder("moved");
    fs::create_directories(dir / "a");
    g_beforeFsync = [&](int) {
        if (!fs::exists(dir / "b")) {
            fs::rename(dir / "a", dir / "b");
            fs::create_directory(dir / "a");
        }
    };
    EXPECT_NO_THROW(FileIO::WriteFileSafely((dir / "a" / "p.zkdr").string(), {1}));
    g_beforeFsync = nullptr;
    EXPECT_EQ(Entries(dir / "a"), std::vector<std::string>{});
    EXPECT_EQ(Entries(dir / "b"), std::vector<std::string>{"p.zkdr"});
}

// The copies of the old content of the file at path that an open names.
std::vector<std::string> NamedCopies(const std::string& path, const std::vector<BYTE>& old)
{
    std::vector<std::string> paths;
    for (const FileIO::KeptCopyFound& c : FileIO::FindKeptCopies(path, std::string(old.begin(), old.begin() + 9)))
        paths.push_back(c.path);
    return paths;
}

// The name a copy made at time t takes first.
std::string CopyNameAt(std::time_t t, const std::string& stem)
{
    std::tm local {};
    ::localtime_r(&t, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H.%M.%S", &local);
    return stem + " (old content " + when + ").zkdr";
}

// A file of more than one name is written in place, for all its names, its
// old content first copied whole, flushed and only then named, beside it or
// in the user's data folder. A failed write puts the old bytes back and
// removes the copy once they are back whole; when they are not, or when the
// program dies in the middle, the copy keeps them under a name that tells
// whose they are, with the file's mode less execute rights, and the open
// names it. One that dies while the copy is made leaves the file untouched;
// a copy that cannot be made, flushed or named refuses the save. A system
// that cannot copy between files, or ends a copy early, is copied through a
// buffer. Names in use never stop a save. A file put at the name after the
// save judged the one there is not written; nor is a file beyond the
// file-size limit. An old file larger than the memory is no reason to fail.
// The next save that ends removes what earlier ones left, and nothing else.
TEST(FileIOTest, AFileOfTwoNamesIsWrittenInPlaceAndKeptOnFailure)
{
    std::signal(SIGXFSZ, SIG_IGN);  // as the program does
    const fs::path dir = TempDir() / "inplace";
    const fs::path data = fs::path(std::getenv("XDG_DATA_HOME")) / "Kadrel/kept";
    const fs::path home = TempDir() / "home";
    std::vector<BYTE> old(3000, 4);
    std::copy_n("ZAVKDRDoc", 9, old.begin());
    const std::vector<BYTE> fresh(5000, 6);
    const std::vector<BYTE> cut(2000, 6);  // what a write that dies at byte 2000 leaves
    const std::string noSpace = "Cannot write \"{file}\": No space left on device";
    const std::string noCopy = "Cannot write \"{file}\": a copy of its old content could not be kept in \"" +
                               dir.string() + "\": ";
    enum Cut {
        kNone, kFault, kFaultAndNoPutBack, kPutBackNotSynced, kCopyEndsEarly, kNoSystemCopy, kOtherFileSystem,
        kCrash, kCrashInCopy, kCrashInCopyOfAHiddenName, kCopyNotMade, kCopyNotSynced, kCopyNotNamed,
        kFolderTakesNoSync, kRenameReplacesOnly, kNamesInUse, kDataFolder, kHomeDataFolder, kLongName, kSwapped,
        kSizeLimit, kHuge, kNoMarks, kSavedFromDataFolder
    };
    const struct Row {
        Cut cut;
        std::vector<BYTE> atPath;  // empty: anything but the old bytes
        std::string told = "";     // empty: saved; {file} and {copy} stand for their paths
        bool kept = false;         // a copy the open names
        int mode = 0640;
        std::string name = "project.zkdr";
    } rows[] = {
        {kNone, fresh},
        {kFault, old, noSpace},
        {kFaultAndNoPutBack, {}, noSpace + ". Its old content could not be put back; it is kept in \"{copy}\".", true},
        {kPutBackNotSynced, old, noSpace + ". Its old content is also kept in \"{copy}\"."},
        {kCopyEndsEarly, old, noSpace},
        {kNoSystemCopy, old, noSpace},
        {kOtherFileSystem, fresh},
        {kCrash, cut, "", true, 0755},
        {kCrashInCopy, old},
        {kCrashInCopyOfAHiddenName, old},
        {kCopyNotMade, old, noCopy + "Input/output error"},
        {kCopyNotSynced, old, noCopy + "Input/output error"},
        {kCopyNotNamed, old, noCopy + "Input/output error"},
        {kFolderTakesNoSync, fresh},
        {kRenameReplacesOnly, fresh},
        {kNamesInUse, cut, "", true},
        {kDataFolder, cut, "", true},
        {kHomeDataFolder, cut, "", true},
        {kLongName, cut, "", true, 0640, std::string(250, 'a') + ".zkdr"},
        {kNoMarks, cut, "", true},  // a file system without marks: named by name, owner and first bytes
        {kSavedFromDataFolder, fresh},
        {kSwapped, {9}, "Cannot write \"{file}\": another file took its place while it was being saved."},
        {kSizeLimit, old, "Cannot write \"{file}\": File too large"},
        {kHuge, fresh},
    };
    // A row that fails leaves no hook set for the rows and tests after it.
    struct Restore {
        std::string xdg = std::getenv("XDG_DATA_HOME");
        std::string home = std::getenv("HOME");
        ~Restore()
        {
            g_getxattrError = g_fsetxattrError = 0;
            ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
            ::setenv("HOME", home.c_str(), 1);
        }
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cut);
        const Restore restore;
        if (fs::exists(dir))
            fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
        fs::remove_all(data);
        fs::remove_all(home);
        fs::create_directories(dir);
        const std::string p = (dir / row.name).string();
        const std::string other = (dir / "other.zkdr").string();
        FileIO::WriteFileSafely(p, old);
        fs::permissions(p, static_cast<fs::perms>(row.mode));
        fs::create_hard_link(p, other);
        if (row.cut == kHuge) {
            // Sparse: beyond the computer's memory, on no disk space.
            const off_t memory = static_cast<off_t>(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE);
            ASSERT_EQ(::truncate(p.c_str(), memory + (off_t{1} << 30)), 0);
        }
        // Names a copy might take, in use by files that are no copies: those
        // of earlier versions and those of the next seconds.
        std::vector<std::string> planted;
        if (row.cut == kNamesInUse) {
            for (int n = 1; n <= 100; ++n)
                planted.push_back("project (old content" + (n == 1 ? std::string() : " " + std::to_string(n)) +
                                  ").zkdr");
            for (std::time_t t = std::time(nullptr); t < std::time(nullptr) + 3; ++t)
                for (int n = 1; n <= 9; ++n) {
                    const std::string name = CopyNameAt(t, "project");
                    planted.push_back(n == 1 ? name
                                             : name.substr(0, name.size() - 6) + " " + std::to_string(n) + ").zkdr");
                }
            for (const std::string& name : planted)
                FileIO::WriteFileSafely((dir / name).string(), old);
        }
        // Where the folder takes no new file, the copy goes to the user's
        // data folder: $XDG_DATA_HOME, or the home's; a save through a linked
        // folder and an open through a link find it all the same.
        std::string savedAs = p;
        std::string openedAs = p;
        const bool inData = row.cut == kDataFolder || row.cut == kHomeDataFolder || row.cut == kSavedFromDataFolder;
        const std::string xdg = std::getenv("XDG_DATA_HOME");
        if (inData) {
            fs::remove(TempDir() / "via");
            fs::create_directory_symlink(dir, TempDir() / "via");
            fs::remove(TempDir() / "link.zkdr");
            fs::create_symlink(p, TempDir() / "link.zkdr");
            savedAs = (TempDir() / "via" / row.name).string();
            openedAs = (TempDir() / "link.zkdr").string();
            fs::permissions(dir, static_cast<fs::perms>(0555));
        }
        if (row.cut == kHomeDataFolder) {
            ::unsetenv("XDG_DATA_HOME");
            ::setenv("HOME", home.c_str(), 1);
        }
        const fs::path dataHome = row.cut == kHomeDataFolder ? home / ".local/share" : fs::path(xdg);
        const fs::path copyFolder =
            inData ? dataHome / "Kadrel/kept" / fs::canonical(dir).relative_path() : dir;
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0);
        std::string told;
        const auto save = [&] {
            try {
                FileIO::WriteFileSafely(savedAs, fresh);
            } catch (const CFileException& e) {
                told = e.what();
            }
        };
        const std::time_t before = std::time(nullptr);
        g_getxattrError = g_fsetxattrError = row.cut == kNoMarks ? ENOTSUP : 0;
        std::vector<std::string> steps;
        if (row.cut == kCrash || row.cut == kCrashInCopy || row.cut == kCrashInCopyOfAHiddenName ||
            row.cut == kNamesInUse || row.cut == kDataFolder || row.cut == kHomeDataFolder || row.cut == kLongName ||
            row.cut == kNoMarks) {
            const pid_t child = ::fork();
            if (child == 0) {
                g_noUnnamedFiles = row.cut == kCrashInCopyOfAHiddenName;
                (row.cut == kCrashInCopy || row.cut == kCrashInCopyOfAHiddenName ? g_crashCopyingInode
                                                                                 : g_crashInode) = st.st_ino;
                g_crashAfter = 2000;
                save();
                ::_exit(0);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_EQ(status, 42 << 8) << "the save did not die where it was to";
        } else {
            rlimit limit {};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            const rlimit unlimited = limit;
            if (row.cut == kSizeLimit)
                limit.rlim_cur = 4000;
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
            const bool fault = row.cut == kFault || row.cut == kFaultAndNoPutBack || row.cut == kPutBackNotSynced ||
                               row.cut == kCopyEndsEarly || row.cut == kNoSystemCopy;
            FileIO::SetWriteFaultForTesting(fault ? 1000 : -1);
            g_failingCopyInode = row.cut == kFaultAndNoPutBack ? st.st_ino : 0;
            g_failingCopySource = row.cut == kCopyNotMade ? st.st_ino : 0;
            g_copyError = row.cut == kNoSystemCopy ? ENOSYS : row.cut == kOtherFileSystem ? EXDEV : 0;
            g_copyEndsAt = row.cut == kCopyEndsEarly ? 1000 : -1;
            g_linkError = row.cut == kCopyNotNamed ? EIO : 0;
            g_noUnnamedFiles = row.cut == kRenameReplacesOnly || row.cut == kFaultAndNoPutBack;
            g_noReplaceError = g_noUnnamedFiles ? EINVAL : 0;  // the copy named all the same
            if (row.cut == kPutBackNotSynced || row.cut == kCopyNotSynced || row.cut == kFolderTakesNoSync)
                g_fsyncError = [&](const struct stat& f) {
                    return row.cut == kFolderTakesNoSync ? (S_ISDIR(f.st_mode) ? EINVAL : 0)
                           : row.cut == kPutBackNotSynced ? (f.st_ino == st.st_ino ? EIO : 0)
                                                          : (S_ISREG(f.st_mode) && f.st_ino != st.st_ino ? EIO : 0);
                };
            if (row.cut == kSwapped) {
                FileIO::WriteFileSafely((dir / "put.zkdr").string(), {9});
                g_beforeOpenForWriting = [&, put = false](const char*) mutable {
                    if (!std::exchange(put, true))
                        fs::rename(dir / "put.zkdr", p);
                };
            }
            g_steps = &steps;
            g_stepsInode = st.st_ino;
            save();
            g_steps = nullptr;
            g_stepsInode = 0;
            g_beforeOpenForWriting = nullptr;
            g_fsyncError = nullptr;
            g_failingCopyInode = g_failingCopySource = 0;
            g_copyError = g_linkError = g_noReplaceError = 0;
            g_copyEndsAt = -1;
            g_noUnnamedFiles = false;
            FileIO::SetWriteFaultForTesting(-1);
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
        }
        // The copy made, where there is one.
        std::string copy;
        if (fs::is_directory(copyFolder))
            for (const auto& e : fs::directory_iterator(copyFolder)) {
                const std::string n = e.path().filename().string();
                if (n.find("(old content ") != std::string::npos && n[0] != '.' &&
                    std::find(planted.begin(), planted.end(), n) == planted.end())
                    copy = e.path().string();
            }
        std::string expected = row.told;
        for (const auto& [key, value] : {std::pair<std::string, std::string>{"{file}", p}, {"{copy}", copy}})
            if (const std::size_t at = expected.find(key); at != std::string::npos)
                expected.replace(at, key.size(), value);
        EXPECT_EQ(told, expected);
        if (row.atPath.empty())
            EXPECT_NE(FileIO::ReadWholeFile(p), old);
        else
            EXPECT_EQ(FileIO::ReadWholeFile(p), row.atPath);
        EXPECT_EQ(FileIO::ReadWholeFile(other), row.cut == kSwapped ? old : FileIO::ReadWholeFile(p));
        // The copy is on the disk, under its name, before the first byte
        // goes over the file, and goes only once the file is; each folder
        // made for it is on the disk in the one above.
        if (row.cut == kNone || row.cut == kSavedFromDataFolder) {
            std::vector<std::string> expected{"sync copy", "name copy", "sync folder", "write file", "sync file",
                                              "remove copy"};
            if (row.cut == kSavedFromDataFolder)
                expected.insert(expected.begin(), "sync folder");
            EXPECT_EQ(steps, expected);
        }
        std::vector<std::string> entries{"other.zkdr", row.name};
        entries.insert(entries.end(), planted.begin(), planted.end());
        // A copy that holds the bytes the file holds is not named.
        const bool stays = row.kept || row.told.find("{copy}") != std::string::npos;
        EXPECT_EQ(copy.empty(), !stays);
        EXPECT_EQ(NamedCopies(openedAs, old), row.kept ? std::vector<std::string>{copy} : std::vector<std::string>{});
        if (stays) {
            EXPECT_EQ(FileIO::ReadWholeFile(copy), old);
            EXPECT_EQ(ModeOf(copy), row.mode & 0666);
            EXPECT_LE(fs::path(copy).filename().string().size(), 255u);
            if (copyFolder == dir)
                entries.push_back(fs::path(copy).filename().string());
        }
        if (row.kept) {
            const std::vector<FileIO::KeptCopyFound> found =
                FileIO::FindKeptCopies(p, std::string(old.begin(), old.begin() + 9));
            ASSERT_EQ(found.size(), 1u);
            EXPECT_EQ(found[0].owner, ::getpwuid(::geteuid())->pw_name);
            EXPECT_GE(found[0].made, before);
            EXPECT_LE(found[0].made, std::time(nullptr));
            if (row.cut == kCrash) {
                EXPECT_EQ(fs::path(copy).filename(), CopyNameAt(found[0].made, "project"));
            }
        }
        if (inData) {
            // Each level made for the user alone.
            for (fs::path level = copyFolder; level != dataHome && level.has_relative_path();
                 level = level.parent_path())
                EXPECT_EQ(ModeOf(level), 0700) << level;
        }
        std::sort(entries.begin(), entries.end());
        std::vector<std::string> found = Entries(dir);
        if (row.cut == kCrashInCopyOfAHiddenName) {
            // The part copied, under a hidden name only.
            ASSERT_EQ(found.size(), 3u);
            EXPECT_EQ(found[0].rfind(".project (old content).zkdr.", 0), 0u) << found[0];
            found.erase(found.begin());
        }
        EXPECT_EQ(found, entries);

        // The next save that ends removes what this one left, and leaves
        // the files that only bear a copy's name; also one written aside
        // (a file of one name again).
        fs::permissions(dir, static_cast<fs::perms>(0755));
        if (row.cut == kCrash)
            fs::remove(other);
        ASSERT_NO_THROW(FileIO::WriteFileSafely(savedAs, {1, 2}));
        // Where the copy bears no mark, it is not told from a file that only
        // bears its name: it stays, and is named.
        const bool unmarked = row.cut == kNoMarks;
        EXPECT_EQ(NamedCopies(openedAs, old), unmarked ? std::vector<std::string>{copy} : std::vector<std::string>{});
        g_getxattrError = g_fsetxattrError = 0;
        entries = {row.name};
        if (unmarked)
            entries.push_back(fs::path(copy).filename().string());
        if (row.cut != kCrash)
            entries.push_back("other.zkdr");
        entries.insert(entries.end(), planted.begin(), planted.end());
        std::sort(entries.begin(), entries.end());
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(Entries(dir), entries);
        if (inData) {
            EXPECT_EQ(Entries(copyFolder), std::vector<std::string>{});
        }
    }
    fs::permissions(dir, fs::perms::owner_all);
}

// Once the new file has the name the save is done: a folder that then takes
// no sync is no failure.
TEST(FileIOTest, AFolderSyncThatFailsAfterTheRenameIsNoFailedSave)
{
    const fs::path p = FreshFolder("syncfault") / "project.zkdr";
    g_folderFsyncError = EIO;
    EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {2}));
    g_folderFsyncError = 0;
    EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{2}));
}

// A refused save tells the system's reason.
TEST(FileIOTest, ARefusedSaveTellsTheSystemsReason)
{
    if (::pathconf(TempDir().c_str(), _PC_NAME_MAX) < 255)
        GTEST_SKIP() << TempDir() << " takes names of fewer than 255 bytes";
    const fs::path p = TempDir() / (std::string(256, 'a') + ".zkdr");
    EXPECT_THAT([&] { FileIO::WriteFileSafely(p.string(), {7}); },
                testing::ThrowsMessage<CFileException>(
                    testing::StrEq("Cannot write \"" + p.string() + "\": File name too long")));
}

// A link in a folder that others may write, sticky or not, at any hop of a
// chain, is followed only when it is the saver's (or the folder owner's);
// else the save is refused, naming the link, and writes nothing. A file
// another user put there is not saved over either, of one name or of two.
TEST(FileIOTest, ALinkPlantedInASharedFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link another owner needs the superuser";
    const fs::path dir = FreshFolder("planted");
    fs::create_directories(dir / "shared");
    fs::permissions(dir / "shared", static_cast<fs::perms>(01777));
    fs::create_directories(dir / "open");
    fs::permissions(dir / "open", static_cast<fs::perms>(0777));
    const struct {
        const char* link;  // in dir
        const char* text;  // null: a file of the given owner, mode 0666
        uid_t owner;
        bool followed;
        const char* secondName = nullptr;
    } cases[] = {
        {"shared/planted.zkdr", "../own.zkdr", 65534, false}, {"shared/dangling.zkdr", "../made.zkdr", 65534, false},
        {"shared/mine.zkdr", "../own.zkdr", 0, true},         {"chain.zkdr", "shared/planted.zkdr", 0, false},
        {"shared/report.zkdr", nullptr, 65534, false},        {"shared/linked.zkdr", nullptr, 65534, false, "two.zkdr"},
        {"open/report.zkdr", nullptr, 65534, false},          {"open/link.zkdr", "../own.zkdr", 65534, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const fs::path link = dir / c.link;
        const fs::path file = c.text ? dir / "own.zkdr" : link;
        if (c.text) {
            fs::create_symlink(c.text, link);
        } else {
            FileIO::WriteFileSafely(link.string(), {1});
            fs::permissions(link, static_cast<fs::perms>(0666));
            if (c.secondName)
                fs::create_hard_link(link, dir / c.secondName);
        }
        ASSERT_EQ(::lchown(link.c_str(), c.owner, 0), 0);
        if (c.text)
            FileIO::WriteFileSafely(file.string(), {1});
        EXPECT_EQ(FileIO::CanReplaceFile(link.string()), c.followed);
        const auto save = [&] { FileIO::WriteFileSafely(link.string(), {7}); };
        if (c.followed)
            EXPECT_NO_THROW(save());
        else
            EXPECT_THAT(save, testing::ThrowsMessage<CFileException>(
                                  testing::AllOf(testing::StartsWith("Cannot write \"" + link.string() + "\": "),
                                                 testing::HasSubstr(" in a folder that others may write"))));
        EXPECT_EQ(FileIO::ReadWholeFile(file.string()), std::vector<BYTE>{BYTE(c.followed ? 7 : 1)});
    }
    EXPECT_FALSE(fs::exists(dir / "made.zkdr"));
}

}  // namespace
