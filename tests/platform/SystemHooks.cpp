// The test program's own versions of the system calls a save makes: each
// asks the hook a test set and otherwise calls the system's.

#include "SystemHooks.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace TestHooks {

// Called with the descriptor of every fsync this test program makes, just
// before it is made.
std::function<void(int)> g_beforeFsync;
// When not 0, the error of every fsync of a folder.
int g_folderFsyncError = 0;
// When set, the error (0: none) of the fsync of each file, by its status.
std::function<int(const struct stat&)> g_fsyncError;
// When set, gets the mode of the plain file of every write.
std::vector<int>* g_writtenModes = nullptr;
// When not 0, every copy between files into this inode fails.
ino_t g_failingCopyInode = 0;
// When not 0, every copy between files out of this inode fails.
ino_t g_failingCopySource = 0;
// When not 0, every copy between files answers this error.
int g_copyError = 0;
// When not negative, a copy between files answers an end at this offset.
off64_t g_copyEndsAt = -1;
// When not 0, the program ends half-way through a copy out of this inode.
ino_t g_crashCopyingInode = 0;
// When not 0, the error of every rename that may not replace.
int g_noReplaceError = 0;
// When not 0, the error of every link.
int g_linkError = 0;
// When set, the system makes no file without a name.
bool g_noUnnamedFiles = false;
// When not 0, the program ends once g_crashAfter bytes have been written
// to the file of this inode.
ino_t g_crashInode = 0;
long long g_crashAfter = 0;
// Called with the name of every file opened for reading and writing.
std::function<void(const char*)> g_beforeOpenForWriting;
// When set, gets the steps of a save of the file of inode g_stepsInode.
std::vector<std::string>* g_steps = nullptr;
ino_t g_stepsInode = 0;

// When not 0, the error of every fsetxattr this test program makes.
int g_fsetxattrError = 0;
// When set, gets the mode of the file of every fsetxattr, just before it.
std::vector<int>* g_listModes = nullptr;
// When not 0, the error of every getxattr and fgetxattr.
int g_getxattrError = 0;
// When set, there is no /proc: getxattr through it finds nothing.
bool g_noProc = false;
// Called with the path of every getxattr.
std::function<void(const char*)> g_beforeGetxattr;

}  // namespace TestHooks

using namespace TestHooks;

namespace {

void Step(const char* step)
{
    if (g_steps && (g_steps->empty() || g_steps->back() != step))
        g_steps->push_back(step);
}

}  // namespace

// Lets a test fail the copy of a file's bytes, or end it early.
extern "C" ssize_t copy_file_range(int in, off64_t* inOff, int out, off64_t* outOff, size_t n, unsigned flags)
{
    struct stat to {};
    struct stat from {};
    ::fstat(out, &to);
    ::fstat(in, &from);
    if ((g_failingCopyInode != 0 && to.st_ino == g_failingCopyInode) ||
        (g_failingCopySource != 0 && from.st_ino == g_failingCopySource) || g_copyError != 0) {
        errno = g_copyError != 0 ? g_copyError : EIO;
        return -1;
    }
    using Copy = ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned);
    static const Copy next = reinterpret_cast<Copy>(::dlsym(RTLD_NEXT, "copy_file_range"));
    if (g_copyEndsAt >= 0) {
        if (*inOff >= g_copyEndsAt)
            return 0;
        n = std::min<size_t>(n, static_cast<size_t>(g_copyEndsAt - *inOff));
    }
    if (g_crashCopyingInode != 0 && from.st_ino == g_crashCopyingInode) {
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

extern "C" int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    if (g_linkError != 0) {
        errno = g_linkError;
        return -1;
    }
    using Link = int (*)(int, const char*, int, const char*, int);
    static const Link next = reinterpret_cast<Link>(::dlsym(RTLD_NEXT, "linkat"));
    const int done = next(fromDir, from, toDir, to, flags);
    if (done == 0 && std::strstr(to, "(old content"))
        Step("name copy");
    return done;
}

extern "C" int unlinkat(int dir, const char* name, int flags)
{
    using Unlink = int (*)(int, const char*, int);
    static const Unlink next = reinterpret_cast<Unlink>(::dlsym(RTLD_NEXT, "unlinkat"));
    if (std::strstr(name, "(old content"))
        Step("remove copy");
    return next(dir, name, flags);
}

// Lets a test put another file at a name just before a save opens it, and
// answer as a file system that makes no file without a name.
extern "C" int openat(int dir, const char* name, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const bool unnamed = (flags & O_TMPFILE) == O_TMPFILE;
    const mode_t mode = (flags & O_CREAT) || unnamed ? static_cast<mode_t>(va_arg(args, int)) : 0;
    va_end(args);
    if (unnamed && g_noUnnamedFiles) {
        errno = EOPNOTSUPP;
        return -1;
    }
    if (g_beforeOpenForWriting && (flags & O_ACCMODE) == O_RDWR)
        g_beforeOpenForWriting(name);
    using Open = int (*)(int, const char*, int, ...);
    static const Open next = reinterpret_cast<Open>(::dlsym(RTLD_NEXT, "openat"));
    return next(dir, name, flags, mode);
}

// Lets a test see what a save makes lasting, and when, and fail it.
extern "C" int fsync(int fd)
{
    if (g_beforeFsync)
        g_beforeFsync(fd);
    struct stat st {};
    ::fstat(fd, &st);
    Step(S_ISDIR(st.st_mode) ? "sync folder" : st.st_ino == g_stepsInode ? "sync file" : "sync copy");
    const int error = g_fsyncError ? g_fsyncError(st) : S_ISDIR(st.st_mode) ? g_folderFsyncError : 0;
    if (error != 0) {
        errno = error;
        return -1;
    }
    using Fsync = int (*)(int);
    static const Fsync next = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    return next(fd);
}

// Lets a test see the mode of the file a save writes while it writes it.
extern "C" ssize_t write(int fd, const void* buf, size_t n)
{
    using Write = ssize_t (*)(int, const void*, size_t);
    static const Write next = reinterpret_cast<Write>(::dlsym(RTLD_NEXT, "write"));
    struct stat st {};
    if ((g_writtenModes || g_crashInode || g_steps) && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (st.st_ino == g_stepsInode)
            Step("write file");
        if (st.st_ino == g_crashInode) {
            const size_t now = std::min<size_t>(n, static_cast<size_t>(std::max(g_crashAfter, 0LL)));
            g_crashAfter -= static_cast<long long>(next(fd, buf, now));
            if (g_crashAfter <= 0)
                ::_exit(42);
        }
        if (g_writtenModes)
            g_writtenModes->push_back(static_cast<int>(st.st_mode & 07777));
    }
    return next(fd, buf, n);
}

// Lets a test answer as a file system that keeps no access lists, or as a
// system without /proc.
extern "C" ssize_t getxattr(const char* path, const char* name, void* value, size_t size)
{
    using Get = ssize_t (*)(const char*, const char*, void*, size_t);
    static const Get next = reinterpret_cast<Get>(::dlsym(RTLD_NEXT, "getxattr"));
    if (g_beforeGetxattr)
        g_beforeGetxattr(path);
    if (g_noProc && std::strncmp(path, "/proc/", 6) == 0)
        return errno = ENOENT, -1;
    return g_getxattrError == 0 ? next(path, name, value, size) : (errno = g_getxattrError, -1);
}

extern "C" ssize_t fgetxattr(int fd, const char* name, void* value, size_t size)
{
    using Get = ssize_t (*)(int, const char*, void*, size_t);
    static const Get next = reinterpret_cast<Get>(::dlsym(RTLD_NEXT, "fgetxattr"));
    return g_getxattrError == 0 ? next(fd, name, value, size) : (errno = g_getxattrError, -1);
}

extern "C" int fremovexattr(int fd, const char* name)
{
    using Remove = int (*)(int, const char*);
    static const Remove next = reinterpret_cast<Remove>(::dlsym(RTLD_NEXT, "fremovexattr"));
    return g_fsetxattrError == 0 ? next(fd, name) : (errno = g_fsetxattrError, -1);
}

// Lets a test refuse the access list of a saved file.
extern "C" int fsetxattr(int fd, const char* name, const void* value, size_t size, int flags)
{
    using Set = int (*)(int, const char*, const void*, size_t, int);
    static const Set next = reinterpret_cast<Set>(::dlsym(RTLD_NEXT, "fsetxattr"));
    struct stat st {};
    if (g_listModes && std::strcmp(name, "system.posix_acl_access") == 0 && ::fstat(fd, &st) == 0)
        g_listModes->push_back(static_cast<int>(st.st_mode & 07777));
    if (g_fsetxattrError == 0)
        return next(fd, name, value, size, flags);
    errno = g_fsetxattrError;
    return -1;
}
