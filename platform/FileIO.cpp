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
#include <utility>

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

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    operator int() const { return m_fd; }
    // Closes it now, with the system's answer.
    int Close() { return ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

// Opens the folder a save acts in. One that may be written and searched but
// not read is held for naming only (it then takes no sync).
int OpenFolder(const fs::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 || errno != EACCES ? fd : ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

// Creates a new, empty file in the folder dir under a name not used yet:
// "." + the target's name + "." + six random letters, the target's name
// shortened so that the whole stays within the longest name the folder
// allows. Only its owner may read or write it until GiveAttributes gives it
// its final mode. Returns the open descriptor and the name, or -1 with errno
// set.
int CreateTemporaryBeside(int dir, const std::string& name, std::string& hidden)
{
    long nameMax = ::fpathconf(dir, _PC_NAME_MAX);
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
        hidden = "." + name.substr(0, keep) + ".";
        for (std::size_t i = 0; i < kRandomLength; ++i)
            hidden += kLetters[pick(random)];
        const int fd = ::openat(dir, hidden.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Reads from fd into data until it is full or the file ends and keeps what
// was read; throws CFileException, naming path, when a read fails.
void ReadInto(int fd, const std::string& path, std::vector<BYTE>& data)
{
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw CFileException(path, ErrnoText("Cannot read", path));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
}

// Writes all of data from the descriptor's offset. failAfter >= 0 makes the
// write fail (no space left) after so many bytes. False, errno set, on
// failure.
bool WriteAll(int fd, const std::vector<BYTE>& data, long long failAfter = -1)
{
    std::size_t written = 0;
    while (written < data.size()) {
        std::size_t chunk = data.size() - written;
        if (failAfter >= 0) {
            if (static_cast<long long>(written) >= failAfter) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(failAfter - static_cast<long long>(written)));
        }
        const ssize_t n = ::write(fd, data.data() + written, chunk);
        if (n < 0 && errno != EINTR)
            return false;
        written += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
    }
    return true;
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

// The list named name of the file or folder held by fd (empty when it has
// none, or when the file system keeps none). The descriptor may be one held
// for naming only, which the system reads through its entry under /proc.
// False, errno set, when it cannot be read.
bool ReadList(int fd, const char* name, std::vector<char>& list)
{
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
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
// mode and access list (empty: none). With a list, the mode's rights are
// those of the list.
struct Attributes {
    uid_t uid = static_cast<uid_t>(-1);
    gid_t gid = static_cast<gid_t>(-1);
    mode_t mode = 0;
    std::vector<char> list;
};

// The attributes of the file a save replaces (held by fd), or, for a new
// file (fd holds its folder), those the system gives one: 0666 less the
// umask, or the folder's default access list with those rights as the
// system applies it (the umask then does not count).
bool WantedAttributes(int fd, const struct stat* old, Attributes& wanted)
{
    if (old) {
        wanted.uid = old->st_uid;
        wanted.gid = old->st_gid;
        wanted.mode = old->st_mode & 07777;
        return ReadList(fd, kAccessList, wanted.list);
    }
    wanted.mode = NewFileMode();
    if (!ReadList(fd, "system.posix_acl_default", wanted.list))
        return false;
    bool masked = false;
    ForEachEntry(wanted.list, [&](unsigned tag, unsigned&) { masked = masked || tag == ACL_MASK; });
    if (!wanted.list.empty())
        wanted.mode = 0;
    const unsigned groupClass = masked ? ACL_MASK : ACL_GROUP_OBJ;
    ForEachEntry(wanted.list, [&](unsigned tag, unsigned& rights) {
        const int shift = tag == ACL_USER_OBJ ? 6 : tag == groupClass ? 3 : tag == ACL_OTHER ? 0 : -1;
        if (shift >= 0) {
            rights &= 06;
            wanted.mode |= static_cast<mode_t>(rights) << shift;
        }
    });
    return true;
}

// True when this user belongs to the group.
bool IsMember(gid_t gid)
{
    if (gid == ::getegid())
        return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int n = ::getgroups(static_cast<int>(groups.size()), groups.data());
    return n > 0 && std::find(groups.begin(), groups.begin() + n, gid) != groups.begin() + n;
}

// A file written aside and renamed over the old one would lose its owner or
// group when this user cannot give them (a user who is not the superuser
// saving another's file, or his own of a group he is not in), and would cut
// the file's other names off it: such a file is written in place.
bool WritesInPlace(const struct stat& file)
{
    if (file.st_nlink > 1)
        return true;
    const uid_t uid = ::geteuid();
    return uid != 0 && (file.st_uid != uid || !IsMember(file.st_gid));
}

// Gives the file written aside its final owner, group, mode and access list,
// as far as this user may: the superuser keeps both owners, another user the
// group when a member of it. A group that cannot be kept gets no rights (the
// group bits, or the list's entry of the owning group), so that they do not
// pass to this user's group. At no step does the file give anyone a right
// the final one does not: its mode first keeps the owner's rights alone,
// then come the owners, then the list (which sets the rights of the mode),
// and last the mode, since a change of owner clears the set-id bits. A list
// the file system keeps none of gives the owning group the rights of its
// entry; any other failure to set the list fails (false, with the message
// in why), so that the mask of the mode never stands for the group.
bool GiveAttributes(int fd, Attributes wanted, const std::string& path, std::string& why)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        why = ErrnoText("Cannot write", path);
        return false;
    }
    if (::fchmod(fd, now.st_mode & wanted.mode & S_IRWXU) != 0) {
        why = ErrnoText("Cannot set the mode of", path);
        return false;
    }
    if (wanted.uid != static_cast<uid_t>(-1) && (now.st_uid != wanted.uid || now.st_gid != wanted.gid)) {
        if (::fchown(fd, wanted.uid, wanted.gid) != 0 && now.st_gid != wanted.gid) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), wanted.gid);
        }
        if (::fstat(fd, &now) == 0 && now.st_gid != wanted.gid) {
            if (wanted.list.empty())
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
    } else if (::fsetxattr(fd, kAccessList, wanted.list.data(), wanted.list.size(), 0) != 0) {
        if (errno != ENOTSUP) {
            why = ErrnoText("Cannot set the access list of", path);
            return false;
        }
        wanted.mode &= ~static_cast<mode_t>(S_IRWXG);
        ForEachEntry(wanted.list, [&](unsigned tag, unsigned& rights) {
            if (tag == ACL_GROUP_OBJ)
                wanted.mode |= static_cast<mode_t>(rights & 07) << 3;
        });
    }
    if (::fchmod(fd, wanted.mode) != 0) {
        why = ErrnoText("Cannot set the mode of", path);
        return false;
    }
    return true;
}

// IsWritable for name in the folder held by dir.
bool IsWritableAt(int dir, const char* name)
{
    // A folder takes new names only when it can also be searched.
    struct stat st {};
    if (::fstatat(dir, name, &st, 0) != 0 || ::faccessat(dir, name, S_ISDIR(st.st_mode) ? W_OK | X_OK : W_OK, 0) != 0)
        return false;
    if (::geteuid() != 0)
        return true;
    // The system lets the superuser write anything on a writable mount:
    // here the write bits decide, so that a file marked read-only stays so.
    const mode_t bits = st.st_uid == 0 ? S_IWUSR : (S_IWUSR | S_IWGRP | S_IWOTH);
    if ((st.st_mode & bits) != 0)
        return true;
    errno = EACCES;
    return false;
}

// Whether the file name in the folder held by dir may be replaced or
// created. False with errno set to the system's reason (name too long,
// read-only file system, no permission).
bool CanReplaceTarget(int dir, const std::string& name)
{
    if (name.empty()) {
        errno = EISDIR;
        return false;
    }
    if (!IsWritableAt(dir, "."))
        return false;
    struct stat file {};
    if (::fstatat(dir, name.c_str(), &file, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISREG(file.st_mode)) {
        errno = S_ISDIR(file.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    if (!IsWritableAt(dir, name.c_str()))
        return false;
    // Written in place, its old bytes are read first, to be put back. Any
    // other file is replaced by its owner or the superuser, whom a sticky
    // folder (as /tmp) does not stop.
    return !WritesInPlace(file) || ::faccessat(dir, name.c_str(), R_OK, 0) == 0;
}

// Writes the old bytes of a file that could not be written in place, and
// could not be put back, to a new file beside it, with the old file's
// attributes as far as this user may give them. Returns its name, or an
// empty one when that fails too.
std::string KeepCopyBeside(int dir, const std::string& name, int file, const struct stat& old,
                           const std::vector<BYTE>& bytes)
{
    std::string copy;
    Descriptor fd(CreateTemporaryBeside(dir, name, copy));
    if (fd < 0)
        return {};
    Attributes wanted{old.st_uid, old.st_gid, static_cast<mode_t>(old.st_mode & 07777), {}};
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        ::unlinkat(dir, copy.c_str(), 0);
        return {};
    }
    // A list that cannot be read leaves the copy its owner's alone.
    std::string why;
    if (ReadList(file, kAccessList, wanted.list) && GiveAttributes(fd, wanted, copy, why))
        [[maybe_unused]] const int ignored = ::fsync(fd);
    return copy;
}

// Writes bytes over the file name of the folder held by dir, keeping the
// file itself with its owner, group, mode, access list and links. Its old
// bytes are read first; a failure puts them back, or, when that fails too,
// leaves them in a copy beside it that the message names.
void WriteInPlace(int dir, const fs::path& folder, const std::string& name, const std::string& path,
                  const std::vector<BYTE>& bytes)
{
    Descriptor fd(::openat(dir, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat old {};
    if (fd < 0 || ::fstat(fd, &old) != 0)
        throw CFileException(path, ErrnoText("Cannot write", path));
    if (!S_ISREG(old.st_mode))
        throw CFileException(path, "Cannot replace \"" + path + "\": it is no plain file.");
    std::vector<BYTE> kept(static_cast<std::size_t>(old.st_size));
    ReadInto(fd, path, kept);
    const auto writeOver = [&](const std::vector<BYTE>& data, long long failAfter) {
        return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, data, failAfter) &&
               ::ftruncate(fd, static_cast<off_t>(data.size())) == 0 && ::fsync(fd) == 0;
    };
    if (writeOver(bytes, g_failAfter.load()))
        return;
    const std::string reason = ErrnoText("Cannot write", path);
    if (writeOver(kept, -1))
        throw CFileException(path, reason);
    const std::string copy = KeepCopyBeside(dir, name, fd, old, kept);
    throw CFileException(path, reason + ". Its old content could not be put back" +
                                   (copy.empty() ? "." : "; it is kept in \"" + (folder / copy).string() + "\"."));
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
    const Descriptor fd(OpenPlainFile(path, size));
    std::vector<BYTE> data;
    try {
        if (size > MemoryBytes())
            throw std::length_error("larger than the memory");
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::exception&) {
        throw CFileException(path, "Cannot read \"" + path + "\": the file is too large to hold in memory.");
    }
    ReadInto(fd, path, data);
    return data;
}

std::vector<BYTE> ReadFileHead(const std::string& path, std::size_t count)
{
    std::uint64_t size = 0;
    const Descriptor fd(OpenPlainFile(path, size));
    std::vector<BYTE> head(static_cast<std::size_t>(std::min<std::uint64_t>(count, size)));
    ReadInto(fd, path, head);
    return head;
}

void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::string target;
    std::string why;
    if (!FollowLinks(path, target, why))
        throw CFileException(path, why);
    // Every step names its files in the folder opened here, so that a folder
    // renamed or replaced meanwhile does not split the save between two.
    const fs::path folder = FolderOf(target);
    const std::string name = fs::path(target).filename().string();
    const Descriptor dir(OpenFolder(folder));
    if (dir < 0)
        throw CFileException(path, errno == ENOENT ? "Cannot write \"" + path + "\": its folder \"" + folder.string() +
                                                         "\" does not exist."
                                                   : ErrnoText("Cannot write", path));

    const Descriptor oldFile(::openat(dir, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat old {};
    const bool replacing = oldFile >= 0;
    if (!replacing && errno != ENOENT)
        throw CFileException(path, ErrnoText("Cannot write", path));
    if (replacing && (::fstat(oldFile, &old) != 0 || !S_ISREG(old.st_mode)))
        throw CFileException(path, "Cannot replace \"" + path + "\": it is no plain file.");
    // The rename would replace a read-only file (it needs only the folder's
    // permission): refuse as a write into that file would.
    if (!CanReplaceTarget(dir, name))
        throw CFileException(path, ErrnoText("Cannot write", path));
    if (replacing && WritesInPlace(old)) {
        WriteInPlace(dir, folder, name, path, bytes);
        return;
    }
    Attributes wanted;
    if (!WantedAttributes(replacing ? int(oldFile) : int(dir), replacing ? &old : nullptr, wanted))
        throw CFileException(path, ErrnoText("Cannot read the access list of", path));

    std::string tmp;
    Descriptor fd(CreateTemporaryBeside(dir, name, tmp));
    if (fd < 0)
        throw CFileException(path, ErrnoText("Cannot create a file beside", path));
    const auto fail = [&](const std::string& msg) {
        ::unlinkat(dir, tmp.c_str(), 0);
        throw CFileException(path, msg);
    };
    if (!WriteAll(fd, bytes, g_failAfter.load()))
        fail(ErrnoText("Cannot write", path));
    if (!GiveAttributes(fd, wanted, path, why))
        fail(why);
    if (::fsync(fd) != 0 || fd.Close() != 0)
        fail(ErrnoText("Cannot write", path));
    if (::renameat(dir, tmp.c_str(), dir, name.c_str()) != 0)
        fail(ErrnoText("Cannot replace", path));
    // Makes the folder's new entry last: without this a crash soon after the
    // rename may bring back the old file, or none. The save has been done:
    // a folder that takes no sync is left as it is.
    [[maybe_unused]] const int ignored = ::fsync(dir);
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
    return IsWritableAt(AT_FDCWD, path.c_str());
}

bool CanReplaceFile(const std::string& path)
{
    std::string target;
    std::string why;
    if (!FollowLinks(path, target, why))
        return false;
    const Descriptor dir(OpenFolder(FolderOf(target)));
    return dir >= 0 && CanReplaceTarget(dir, fs::path(target).filename().string());
}

}  // namespace FileIO
