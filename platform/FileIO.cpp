#include "platform/FileIO.h"

#include "platform/ArchiveException.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <endian.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/posix_acl.h>
#include <linux/posix_acl_xattr.h>
#include <random>
#include <stdexcept>
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

fs::path FolderOf(const std::string& path)
{
    fs::path dir = fs::path(path).parent_path();
    return dir.empty() ? fs::path(".") : dir;
}

// The system's guard against links planted in shared folders: a link that
// lies in a sticky folder others may write (as the system's temporary
// folder) is followed only when it belongs to this user or to the folder's
// owner. Applied here whatever the system's own setting, since a save
// follows links itself.
bool MayFollowLink(const std::string& link, const struct stat& st)
{
    struct stat folder {};
    if (::stat(FolderOf(link).c_str(), &folder) != 0)
        return false;
    const mode_t shared = S_ISVTX | S_IWOTH;
    return (folder.st_mode & shared) != shared || st.st_uid == ::geteuid() || st.st_uid == folder.st_uid;
}

// The file a write to path reaches: path itself or, when path is a symbolic
// link, the end of its chain of links (a relative link text counts from the
// folder the link lies in). The end need not exist. False, with the reason
// in why, for a chain that does not end and for a link that MayFollowLink
// refuses at any hop.
bool FollowLinks(const std::string& path, std::string& target, std::string& why)
{
    std::string current = path;
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = current;
            return true;
        }
        if (!MayFollowLink(current, st)) {
            why = "Cannot write \"" + path + "\": " +
                  (current == path ? std::string("it is a link") : "the link \"" + current + "\" it leads to") +
                  " in a sticky folder that others may write, and it belongs neither to you nor to the folder's "
                  "owner.";
            return false;
        }
        std::error_code ec;
        const fs::path text = fs::read_symlink(current, ec);
        if (ec) {
            errno = ec.value();
            why = ErrnoText("Cannot write", path);
            return false;
        }
        // Joined as text, not tidied: ".." after a linked folder must be
        // taken by the system the way it takes the link itself.
        current = text.is_absolute() ? text.string() : (fs::path(current).parent_path() / text).string();
    }
    errno = ELOOP;
    why = ErrnoText("Cannot write", path);
    return false;
}

// Creates a new, empty file beside the target under a name not used yet:
// "." + the target's name + "." + six random letters, the target's name
// shortened so that the whole stays within the longest name the folder
// allows. Only its owner may read or write it until GiveAttributes gives it
// its final mode. Returns the open descriptor and the name, or -1 with errno
// set.
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
        const int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

constexpr char kAccessList[] = "system.posix_acl_access";

// An access list as the system stores it: a version word, then per entry a
// tag, the rights and an id, little-endian. Calls f(tag, rights) for each
// entry; f may change the rights.
template <class F>
void ForEachEntry(std::vector<char>& list, F f)
{
    constexpr std::size_t kEntry = sizeof(posix_acl_xattr_entry);
    for (std::size_t at = sizeof(posix_acl_xattr_header); at + kEntry <= list.size(); at += kEntry) {
        posix_acl_xattr_entry e {};
        std::memcpy(&e, list.data() + at, kEntry);
        unsigned rights = le16toh(e.e_perm);
        f(le16toh(e.e_tag), rights);
        e.e_perm = htole16(static_cast<std::uint16_t>(rights));
        std::memcpy(list.data() + at, &e, kEntry);
    }
}

// The list named name of path (empty when it has none). False, errno set,
// when it cannot be read.
bool ReadList(const std::string& path, const char* name, std::vector<char>& list)
{
    list.clear();
    for (int attempt = 0; attempt < 10; ++attempt) {
        const ssize_t size = ::getxattr(path.c_str(), name, nullptr, 0);
        if (size < 0)
            return errno == ENODATA || errno == ENOTSUP;
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::getxattr(path.c_str(), name, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)  // grown meanwhile: ask again
            return false;
    }
    return false;
}

// 0666 less the umask: the mode of a new file. The umask is read from the
// process's status, since setting it to read it back is not safe while other
// threads create files; only a system without that line is asked so.
mode_t NewFileMode()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// What the saved file is to have: its owner and group (-1: this user's),
// mode and access list (empty: none).
struct Attributes {
    uid_t uid = static_cast<uid_t>(-1);
    gid_t gid = static_cast<gid_t>(-1);
    mode_t mode = 0;
    std::vector<char> list;
};

// The attributes of the file a save replaces, or, for a new file, those the
// system gives one: 0666 less the umask, or the folder's default access list
// with those rights as the system applies it (the umask then does not count).
bool WantedAttributes(const std::string& target, const struct stat* old, Attributes& wanted)
{
    if (old) {
        wanted.uid = old->st_uid;
        wanted.gid = old->st_gid;
        wanted.mode = old->st_mode & 07777;
        return ReadList(target, kAccessList, wanted.list);
    }
    wanted.mode = NewFileMode();
    if (!ReadList(FolderOf(target).string(), "system.posix_acl_default", wanted.list))
        return false;
    bool masked = false;
    ForEachEntry(wanted.list, [&](unsigned tag, unsigned&) { masked = masked || tag == ACL_MASK; });
    ForEachEntry(wanted.list, [&](unsigned tag, unsigned& rights) {
        if (tag == ACL_USER_OBJ || tag == ACL_OTHER || tag == (masked ? ACL_MASK : ACL_GROUP_OBJ))
            rights &= 06;
    });
    return true;
}

// Gives the file written aside its final owner, group, mode and access list,
// as far as this user may: the superuser keeps both owners, another user the
// group when a member of it. A group that cannot be kept gets no rights (the
// group bits, or the list's entry of the owning group), so that they do not
// pass to this user's group. The mode is set after the owners, since a
// change of owner clears the set-id bits, and the list after the mode, which
// it sets again from its own entries. A list the file system keeps none of
// gives the owning group the rights of its entry; any other failure to set
// the list fails (false, with the message in why), so that the mask of the
// mode never stands for the group.
bool GiveAttributes(int fd, Attributes wanted, const std::string& path, std::string& why)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        why = ErrnoText("Cannot write", path);
        return false;
    }
    if (wanted.uid != static_cast<uid_t>(-1) && (now.st_uid != wanted.uid || now.st_gid != wanted.gid)) {
        if (::fchown(fd, wanted.uid, wanted.gid) != 0 && now.st_gid != wanted.gid) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), wanted.gid);
        }
        if (::fstat(fd, &now) == 0 && now.st_gid != wanted.gid) {
            wanted.mode &= ~static_cast<mode_t>(S_IRWXG);
            ForEachEntry(wanted.list, [](unsigned tag, unsigned& rights) {
                if (tag == ACL_GROUP_OBJ)
                    rights = 0;
            });
        }
    }
    if (wanted.list.empty()) {
        // The folder's default list made one for the file written aside.
        if (::fremovexattr(fd, kAccessList) != 0 && errno != ENODATA && errno != ENOTSUP) {
            why = ErrnoText("Cannot set the access list of", path);
            return false;
        }
        if (::fchmod(fd, wanted.mode) != 0) {
            why = ErrnoText("Cannot set the mode of", path);
            return false;
        }
        return true;
    }
    if (::fchmod(fd, wanted.mode) != 0) {
        why = ErrnoText("Cannot set the mode of", path);
        return false;
    }
    if (::fsetxattr(fd, kAccessList, wanted.list.data(), wanted.list.size(), 0) == 0)
        return true;
    if (errno != ENOTSUP) {
        why = ErrnoText("Cannot set the access list of", path);
        return false;
    }
    mode_t group = 0;
    ForEachEntry(wanted.list, [&](unsigned tag, unsigned& rights) {
        if (tag == ACL_GROUP_OBJ)
            group = static_cast<mode_t>(rights & 07) << 3;
    });
    if (::fchmod(fd, (wanted.mode & ~static_cast<mode_t>(S_IRWXG)) | group) != 0) {
        why = ErrnoText("Cannot set the mode of", path);
        return false;
    }
    return true;
}

// Makes the folder's new entry last: without this a crash soon after the
// rename may bring back the old file, or none. It comes after the rename,
// when the save has been done: a folder that cannot be opened or synced is
// left as it is.
void SyncFolder(const fs::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    [[maybe_unused]] const int ignored = ::fsync(fd);
    ::close(fd);
}

// The sticky bit of a folder (as on /tmp) lets only the owners of the
// folder and of the file replace it.
bool StickyFolderForbids(const struct stat& folder, const struct stat& file)
{
    const uid_t uid = ::geteuid();
    return (folder.st_mode & S_ISVTX) != 0 && uid != 0 && uid != folder.st_uid && uid != file.st_uid;
}

// False with errno set to the system's reason (name too long, read-only
// file system, no permission).
bool CanReplaceTarget(const std::string& target)
{
    const fs::path dir = FolderOf(target);
    struct stat folder {};
    if (!IsWritable(dir.string()) || ::stat(dir.c_str(), &folder) != 0)
        return false;
    struct stat file {};
    if (::lstat(target.c_str(), &file) != 0)
        return errno == ENOENT;
    if (!S_ISREG(file.st_mode)) {
        errno = S_ISDIR(file.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    if (!IsWritable(target))
        return false;
    if (StickyFolderForbids(folder, file)) {
        errno = EACCES;
        return false;
    }
    return true;
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

namespace {

// Reads into data until it is full or the file ends, keeps what was read and
// closes fd; throws CFileException when a read fails.
void ReadAndClose(int fd, const std::string& path, std::vector<BYTE>& data)
{
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
}

// The computer's memory in bytes (no bound when the system does not say).
std::uint64_t MemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

}  // namespace

std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::uint64_t size = 0;
    const int fd = OpenPlainFile(path, size);
    std::vector<BYTE> data;
    try {
        if (size > MemoryBytes())
            throw std::length_error("larger than the memory");
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::exception&) {
        ::close(fd);
        throw CFileException(path, "Cannot read \"" + path + "\": the file is too large to hold in memory.");
    }
    ReadAndClose(fd, path, data);
    return data;
}

std::vector<BYTE> ReadFileHead(const std::string& path, std::size_t count)
{
    std::uint64_t size = 0;
    const int fd = OpenPlainFile(path, size);
    std::vector<BYTE> head(static_cast<std::size_t>(std::min<std::uint64_t>(count, size)));
    ReadAndClose(fd, path, head);
    return head;
}

void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::string target;
    std::string why;
    if (!FollowLinks(path, target, why))
        throw CFileException(path, why);
    const fs::path dir = FolderOf(target);

    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        throw CFileException(path, "Cannot replace \"" + path + "\": it is no plain file.");
    // The rename would replace a read-only file (it needs only the folder's
    // permission): refuse as a write into that file would. A missing folder
    // is left to fail below with its own reason.
    std::error_code ec;
    if ((replacing || fs::is_directory(dir, ec)) && !CanReplaceTarget(target))
        throw CFileException(path, ErrnoText("Cannot write", path));
    Attributes wanted;
    if (!WantedAttributes(target, replacing ? &old : nullptr, wanted))
        throw CFileException(path, ErrnoText("Cannot read the access list of", path));

    std::string tmp;
    const int fd = CreateTemporaryBeside(dir, fs::path(target).filename().string(), tmp);
    if (fd < 0)
        throw CFileException(path, ErrnoText("Cannot create a file beside", path));

    auto fail = [&](const std::string& msg) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw CFileException(path, msg);
    };

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
    if (!GiveAttributes(fd, wanted, path, why))
        fail(why);
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
    SyncFolder(dir);
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
    if ((st.st_mode & bits) != 0)
        return true;
    errno = EACCES;
    return false;
}

bool CanReplaceFile(const std::string& path)
{
    std::string target;
    std::string why;
    return FollowLinks(path, target, why) && CanReplaceTarget(target);
}

}  // namespace FileIO
