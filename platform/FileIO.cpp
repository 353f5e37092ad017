#include "platform/FileIO.h"

#include "platform/ArchiveException.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>

namespace FileIO {
namespace {

namespace fs = std::filesystem;

std::atomic<long long> g_failAfter{-1};

// As many links as the system itself follows in one path.
constexpr int kMaxLinkHops = 40;

std::string ErrnoText(const std::string& what, const std::string& path)
{
    return what + " \"" + path + "\": " + std::strerror(errno);
}

// The file a write to path reaches: path itself or, when path is a symbolic
// link, the end of its chain of links (a relative link text counts from the
// folder the link lies in). The end need not exist. False (errno ELOOP) for
// a chain that does not end.
bool FollowLinks(const std::string& path, std::string& target)
{
    std::string current = path;
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = current;
            return true;
        }
        std::error_code ec;
        const fs::path text = fs::read_symlink(current, ec);
        if (ec) {
            errno = ec.value();
            return false;
        }
        // Joined as text, not tidied: ".." after a linked folder must be
        // taken by the system the way it takes the link itself.
        current = text.is_absolute() ? text.string() : (fs::path(current).parent_path() / text).string();
    }
    errno = ELOOP;
    return false;
}

fs::path FolderOf(const std::string& path)
{
    fs::path dir = fs::path(path).parent_path();
    return dir.empty() ? fs::path(".") : dir;
}

// Creates a new, empty file beside the target under a name not used yet:
// "." + the target's name + "." + six random letters, the target's name
// shortened so that the whole stays within the longest name the folder
// allows. The mode is 0666 less the umask, as for any new file. Returns the
// open descriptor and the name, or -1 with errno set.
int CreateTemporaryBeside(const fs::path& dir, const std::string& name, std::string& tmpPath)
{
    long nameMax = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = NAME_MAX;
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t kRandomLength = 6;
    const std::size_t room = static_cast<std::size_t>(std::max<long>(nameMax, 16)) - 2 - kRandomLength;
    std::size_t keep = std::min(name.size(), room);
    // Never cut a multi-byte character in two.
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;

    thread_local std::mt19937_64 random{std::random_device{}() ^ (static_cast<unsigned long long>(::getpid()) << 32)};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string hidden = "." + name.substr(0, keep) + ".";
        for (std::size_t i = 0; i < kRandomLength; ++i)
            hidden += kLetters[pick(random)];
        tmpPath = (dir / hidden).string();
        const int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Gives the new file the owner, group and mode of the file it replaces, as
// far as this user may: the superuser keeps both owners, another user the
// group when a member of it. The mode is set after the owners, since a change
// of owner clears the set-id bits.
void TakeOverOwnerAndMode(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && now.st_gid != old.st_gid) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
    }
    ::fchmod(fd, old.st_mode & 07777);
}

// Gives the new file the access list of the file it replaces, when that has
// one (its mode holds only a summary of the list).
void TakeOverAccessList(int fd, const std::string& target)
{
    static const char kName[] = "system.posix_acl_access";
    const ssize_t size = ::getxattr(target.c_str(), kName, nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> value(static_cast<std::size_t>(size));
    const ssize_t got = ::getxattr(target.c_str(), kName, value.data(), value.size());
    if (got > 0)
        ::fsetxattr(fd, kName, value.data(), static_cast<std::size_t>(got), 0);
}

// Makes the folder's new entry last: without this a crash soon after the
// rename may bring back the old file, or none. A folder that cannot be
// opened or that does not take a sync is left as it is.
void SyncFolder(const fs::path& dir, const std::string& path)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0 && error != EINVAL && error != ENOTSUP) {
        errno = error;
        throw CFileException(path, ErrnoText("Cannot write", path));
    }
}

// The sticky bit of a folder (as on /tmp) lets only the owners of the
// folder and of the file replace it.
bool StickyFolderForbids(const struct stat& folder, const struct stat& file)
{
    const uid_t uid = ::geteuid();
    return (folder.st_mode & S_ISVTX) != 0 && uid != 0 && uid != folder.st_uid && uid != file.st_uid;
}

bool CanReplaceTarget(const std::string& target)
{
    const fs::path dir = FolderOf(target);
    struct stat folder {};
    if (!IsWritable(dir.string()) || ::stat(dir.c_str(), &folder) != 0)
        return false;
    struct stat file {};
    if (::lstat(target.c_str(), &file) != 0)
        return errno == ENOENT;
    return S_ISREG(file.st_mode) && IsWritable(target) && !StickyFolderForbids(folder, file);
}

}  // namespace

int OpenPlainFile(const std::string& path, std::uint64_t& size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw CFileException(path, ErrnoText("Cannot open", path));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const std::string text = ErrnoText("Cannot open", path);
        ::close(fd);
        throw CFileException(path, text);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw CFileException(path, "Cannot open \"" + path + "\": it is no plain file.");
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::uint64_t size = 0;
    const int fd = OpenPlainFile(path, size);
    std::vector<BYTE> data;
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (...) {
        ::close(fd);
        throw;
    }
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::string text = ErrnoText("Cannot read", path);
            ::close(fd);
            throw CFileException(path, text);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    data.resize(got);
    return data;
}

void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::string target;
    if (!FollowLinks(path, target))
        throw CFileException(path, ErrnoText("Cannot write", path));
    const fs::path dir = FolderOf(target);

    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        throw CFileException(path, "Cannot replace \"" + path + "\": it is no plain file.");
    // The rename would replace a read-only file (it needs only the folder's
    // permission): refuse as a write into that file would. A missing folder
    // is left to fail below with its own reason.
    std::error_code ec;
    if ((replacing || fs::is_directory(dir, ec)) && !CanReplaceTarget(target)) {
        errno = EACCES;
        throw CFileException(path, ErrnoText("Cannot write", path));
    }

    std::string tmp;
    const int fd = CreateTemporaryBeside(dir, fs::path(target).filename().string(), tmp);
    if (fd < 0)
        throw CFileException(path, ErrnoText("Cannot create a file beside", path));

    auto fail = [&](const std::string& msg) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw CFileException(path, msg);
    };

    if (replacing) {
        TakeOverOwnerAndMode(fd, old);
        TakeOverAccessList(fd, target);
    }

    std::size_t written = 0;
    const long long failAfter = g_failAfter.load();
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (failAfter >= 0) {
            if (static_cast<long long>(written) >= failAfter) {
                errno = ENOSPC;
                fail(ErrnoText("Cannot write", path));
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(failAfter - static_cast<long long>(written)));
        }
        const ssize_t n = ::write(fd, bytes.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(ErrnoText("Cannot write", path));
        }
        written += static_cast<std::size_t>(n);
    }
    if (failAfter >= 0 && static_cast<long long>(bytes.size()) > failAfter) {
        errno = ENOSPC;
        fail(ErrnoText("Cannot write", path));
    }
    if (::fsync(fd) != 0)
        fail(ErrnoText("Cannot write", path));
    if (::close(fd) != 0) {
        const std::string msg = ErrnoText("Cannot write", path);
        ::unlink(tmp.c_str());
        throw CFileException(path, msg);
    }
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        const std::string msg = ErrnoText("Cannot replace", path);
        ::unlink(tmp.c_str());
        throw CFileException(path, msg);
    }
    SyncFolder(dir, path);
}

void SetWriteFaultForTesting(long long failAfterBytes)
{
    g_failAfter.store(failAfterBytes);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool IsWritable(const std::string& path)
{
    // A folder takes new names only when it can also be searched.
    std::error_code ec;
    const int wanted = fs::is_directory(path, ec) ? (W_OK | X_OK) : W_OK;
    if (::access(path.c_str(), wanted) != 0)
        return false;
    if (::geteuid() != 0)
        return true;
    // The system lets the superuser write anything on a writable mount:
    // here the write bits decide, so that a file marked read-only stays so.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    const mode_t bits = st.st_uid == 0 ? S_IWUSR : (S_IWUSR | S_IWGRP | S_IWOTH);
    return (st.st_mode & bits) != 0;
}

bool CanReplaceFile(const std::string& path)
{
    std::string target;
    return FollowLinks(path, target) && CanReplaceTarget(target);
}

}  // namespace FileIO
