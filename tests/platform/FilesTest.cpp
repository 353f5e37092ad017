#include "platform/ArchiveException.h"
#include "platform/FileIO.h"
#include "platform/TextFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
// Called with the descriptor of every fsync this test program makes, just
// before it is made.
std::function<void(int)> g_beforeFsync;
// When not 0, the error of every fsync of a folder.
int g_folderFsyncError = 0;
// When set, gets the mode of the plain file of every write.
std::vector<int>* g_writtenModes = nullptr;
// When not 0, every write to the file of this inode fails.
ino_t g_failingInode = 0;
// When not 0, every copy between files into this inode fails.
ino_t g_failingCopyInode = 0;
// When not 0, the program ends half-way through a copy out of this inode.
ino_t g_crashCopyingInode = 0;
// When not 0, the error of every rename that may not replace.
int g_noReplaceError = 0;
// When not 0, the program ends once g_crashAfter bytes have been written
// to the file of this inode.
ino_t g_crashInode = 0;
long long g_crashAfter = 0;
// Called with the name of every file opened for reading and writing.
std::function<void(const char*)> g_beforeOpenForWriting;
}  // namespace

// Lets a test fail the copy of a file's bytes.
extern "C" ssize_t copy_file_range(int in, off64_t* inOff, int out, off64_t* outOff, size_t n, unsigned flags)
{
    struct stat st {};
    if (g_failingCopyInode != 0 && ::fstat(out, &st) == 0 && st.st_ino == g_failingCopyInode) {
        errno = EIO;
        return -1;
    }
    using Copy = ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned);
    static const Copy next = reinterpret_cast<Copy>(::dlsym(RTLD_NEXT, "copy_file_range"));
    if (g_crashCopyingInode != 0 && ::fstat(in, &st) == 0 && st.st_ino == g_crashCopyingInode) {
        next(in, inOff, out, outOff, n / 2, flags);
        ::_exit(42);
    }
    return next(in, inOff, out, outOff, n, flags);
}

// Lets a test answer as a file system that cannot rename without replacing.
extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    if (g_noReplaceError != 0 && (flags & RENAME_NOREPLACE) != 0) {
        errno = g_noReplaceError;
        return -1;
    }
    using Rename = int (*)(int, const char*, int, const char*, unsigned);
    static const Rename next = reinterpret_cast<Rename>(::dlsym(RTLD_NEXT, "renameat2"));
    return next(fromDir, from, toDir, to, flags);
}

// Lets a test put another file at a name just before a save opens it.
extern "C" int openat(int dir, const char* name, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? static_cast<mode_t>(va_arg(args, int)) : 0;
    va_end(args);
    if (g_beforeOpenForWriting && (flags & O_ACCMODE) == O_RDWR)
        g_beforeOpenForWriting(name);
    using Open = int (*)(int, const char*, int, ...);
    static const Open next = reinterpret_cast<Open>(::dlsym(RTLD_NEXT, "openat"));
    return next(dir, name, flags, mode);
}

// Lets a test see what a save makes lasting, and when.
extern "C" int fsync(int fd)
{
    if (g_beforeFsync)
        g_beforeFsync(fd);
    struct stat st {};
    if (g_folderFsyncError != 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = g_folderFsyncError;
        return -1;
    }
    using Fsync = int (*)(int);
    static const Fsync next = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    return next(fd);
}

// Lets a test see the mode of the file a save writes while it writes it.
extern "C" ssize_t write(int fd, const void* buf, size_t n)
{
    struct stat st {};
    if ((g_writtenModes || g_failingInode || g_crashInode) && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (st.st_ino == g_failingInode) {
            errno = EIO;
            return -1;
        }
        if (st.st_ino == g_crashInode) {
            using Write = ssize_t (*)(int, const void*, size_t);
            static const Write next = reinterpret_cast<Write>(::dlsym(RTLD_NEXT, "write"));
            const size_t now = std::min<size_t>(n, static_cast<size_t>(std::max(g_crashAfter, 0LL)));
            g_crashAfter -= static_cast<long long>(next(fd, buf, now));
            if (g_crashAfter <= 0)
                ::_exit(42);
        }
        if (g_writtenModes)
            g_writtenModes->push_back(static_cast<int>(st.st_mode & 07777));
    }
    using Write = ssize_t (*)(int, const void*, size_t);
    static const Write next = reinterpret_cast<Write>(::dlsym(RTLD_NEXT, "write"));
    return next(fd, buf, n);
}

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

// A file of more than one name is written in place, for all its names, its
// old content first kept in a copy beside it. A failed write puts the old
// bytes back and removes the copy; when even that fails, or when the program
// dies in the middle, the copy keeps them under a name that tells whose they
// are, with the file's mode; one that dies while the copy is made leaves the
// file untouched and no copy under that name. A file put at the name after the save judged
// the one there is not written; nor is a file beyond the file-size limit.
// An old file larger than the memory is no reason to fail.
TEST(FileIOTest, AFileOfTwoNamesIsWrittenInPlaceAndKeptOnFailure)
{
    const fs::path dir = FreshFolder("inplace");
    const std::string p = (dir / "project.zkdr").string();
    const std::string other = (dir / "other.zkdr").string();
    const std::string copy = (dir / "project (old content).zkdr").string();
    const std::vector<BYTE> old(3000, 4);
    const std::vector<BYTE> fresh(5000, 6);
    std::vector<BYTE> cut = old;  // what a write that dies at byte 2000 leaves
    std::fill_n(cut.begin(), 2000, BYTE{6});
    const std::string noSpace = "Cannot write \"" + p + "\": No space left on device";
    enum Cut { kNone, kFault, kFaultAndNoPutBack, kCrash, kCrashInCopy, kSwapped, kSizeLimit, kHuge };
    const struct {
        Cut cut;
        std::vector<BYTE> atPath;  // empty: anything but the old bytes
        std::string told;          // empty: saved
        bool kept;
    } rows[] = {
        {kNone, fresh, "", false},
        {kFault, old, noSpace, false},
        {kFaultAndNoPutBack, {}, noSpace + ". Its old content could not be put back; it is kept in \"" + copy + "\".",
         true},
        {kCrash, cut, "", true},
        {kCrashInCopy, old, "", false},
        {kSwapped, {9}, "Cannot write \"" + p + "\": another file took its place while it was being saved.", false},
        {kSizeLimit, old, "Cannot write \"" + p + "\": File too large", false},
        {kHuge, fresh, "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cut);
        fs::remove_all(dir);
        fs::create_directories(dir);
        FileIO::WriteFileSafely(p, old);
        fs::permissions(p, static_cast<fs::perms>(0640));
        fs::create_hard_link(p, other);
        if (row.cut == kHuge) {
            // Sparse: beyond the computer's memory, on no disk space.
            const off_t memory = static_cast<off_t>(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE);
            ASSERT_EQ(::truncate(p.c_str(), memory + (off_t{1} << 30)), 0);
        }
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0);
        std::string told;
        const auto save = [&] {
            try {
                FileIO::WriteFileSafely(p, fresh);
            } catch (const CFileException& e) {
                told = e.what();
            }
        };
        if (row.cut == kCrash || row.cut == kCrashInCopy) {
            const pid_t child = ::fork();
            if (child == 0) {
                (row.cut == kCrash ? g_crashInode : g_crashCopyingInode) = st.st_ino;
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
            const rlimit before = limit;
            if (row.cut == kSizeLimit)
                limit.rlim_cur = 4000;
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
            FileIO::SetWriteFaultForTesting(row.cut == kFault || row.cut == kFaultAndNoPutBack ? 1000 : -1);
            g_failingCopyInode = row.cut == kFaultAndNoPutBack ? st.st_ino : 0;
            g_noReplaceError = row.cut == kFaultAndNoPutBack ? EINVAL : 0;  // the copy named all the same
            if (row.cut == kSwapped) {
                FileIO::WriteFileSafely((dir / "put.zkdr").string(), {9});
                g_beforeOpenForWriting = [&, put = false](const char*) mutable {
                    if (!std::exchange(put, true))
                        fs::rename(dir / "put.zkdr", p);
                };
            }
            save();
            g_beforeOpenForWriting = nullptr;
            g_failingCopyInode = 0;
            g_noReplaceError = 0;
            FileIO::SetWriteFaultForTesting(-1);
            ::setrlimit(RLIMIT_FSIZE, &before);
        }
        EXPECT_EQ(told, row.told);
        if (row.atPath.empty())
            EXPECT_NE(FileIO::ReadWholeFile(p), old);
        else
            EXPECT_EQ(FileIO::ReadWholeFile(p), row.atPath);
        EXPECT_EQ(FileIO::ReadWholeFile(other), row.cut == kSwapped ? old : FileIO::ReadWholeFile(p));
        if (row.kept) {
            EXPECT_EQ(FileIO::FindKeptCopies(p), std::vector<std::string>{copy});
            EXPECT_EQ(FileIO::ReadWholeFile(copy), old);
            EXPECT_EQ(ModeOf(copy), 0640);
        } else {
            EXPECT_EQ(FileIO::FindKeptCopies(p), std::vector<std::string>{});
            if (row.cut != kCrashInCopy) {  // which leaves the part copied under a hidden name
                EXPECT_EQ(Entries(dir), (std::vector<std::string>{"other.zkdr", "project.zkdr"}));
            }
        }
    }
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

// A link in a sticky folder that others may write, at any hop of a chain, is
// followed only when it is the saver's (or the folder owner's); else the save
// is refused, naming the link, and writes nothing. A file another user put
// there is not saved over either, of one name or of two.
TEST(FileIOTest, ALinkPlantedInASharedStickyFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link another owner needs the superuser";
    const fs::path dir = FreshFolder("planted");
    fs::create_directories(dir / "shared");
    fs::permissions(dir / "shared", static_cast<fs::perms>(01777));
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
                                                 testing::HasSubstr(" in a sticky folder that others may write"))));
        EXPECT_EQ(FileIO::ReadWholeFile(file.string()), std::vector<BYTE>{BYTE(c.followed ? 7 : 1)});
    }
    EXPECT_FALSE(fs::exists(dir / "made.zkdr"));
}

}  // namespace
