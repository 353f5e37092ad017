#include "platform/InPlaceSave.h"

#include "platform/ArchiveException.h"
#include "platform/FileAttributes.h"
#include "platform/FileDescriptor.h"
#include "platform/FileIOInternal.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace FileIO {
namespace {

namespace fs = std::filesystem;

// On a kept copy: "<inode> <save>", the inode of the file it was made of and
// the mark of that file's last finished save ("-": none). It tells the
// copies this program made from files that only bear such a name.
constexpr char kCopyMark[] = "user.kadrel.kept";
// On a saved file: a mark new with every save that ends.
constexpr char kSaveMark[] = "user.kadrel.save";

constexpr char kOldContent[] = " (old content";

// The bytes moved at a time where the system cannot copy between files
// itself, and compared at a time.
constexpr std::size_t kChunk = 1 << 20;

// The random part of a hidden name: "." + name + "." + six letters.
constexpr std::size_t kHiddenExtra = 8;

// The name of a kept copy of the file name, at most nameMax bytes:
// "room (old content 2026-12-07 21.04.33).zkdr" for the tag
// "2026-12-07 21.04.33", "room (old content).zkdr" for none; the name's stem
// shortened where it must be.
std::string KeptCopyName(const std::string& name, const std::string& tag, std::size_t nameMax)
{
    const fs::path p(name);
    const std::string tail = kOldContent + (tag.empty() ? "" : " " + tag) + ")" + p.extension().string();
    return FirstBytes(FirstBytes(p.stem().string(), nameMax > tail.size() ? nameMax - tail.size() : 1) + tail,
                      nameMax);
}

// True when entry is the name of a kept copy of the file name, with any tag
// (the names of earlier versions, "(old content)" and "(old content 2)",
// among them).
bool IsKeptCopyName(const std::string& entry, const std::string& name, std::size_t nameMax)
{
    const std::string end = ")" + fs::path(name).extension().string();
    if (entry.size() <= end.size() || entry.compare(entry.size() - end.size(), end.size(), end) != 0)
        return false;
    const std::size_t marker = std::strlen(kOldContent);
    for (std::size_t at = entry.find(kOldContent); at != std::string::npos; at = entry.find(kOldContent, at + 1)) {
        const std::size_t tagEnd = entry.size() - end.size();
        if (at + marker > tagEnd)
            break;
        const std::string tag = entry.substr(at + marker, tagEnd - at - marker);
        if (tag.empty() ? entry == KeptCopyName(name, "", nameMax)
                        : tag[0] == ' ' && entry == KeptCopyName(name, tag.substr(1), nameMax))
            return true;
    }
    return false;
}

// The name a copy is made under where the system cannot make a file without
// a name: "." + that + "." + six letters.
std::string HiddenCopyStem(const std::string& name, std::size_t nameMax)
{
    return KeptCopyName(name, "", nameMax - kHiddenExtra);
}

bool IsHiddenCopyName(const std::string& entry, const std::string& name, std::size_t nameMax)
{
    return entry.size() > kHiddenExtra && entry[0] == '.' && entry[entry.size() - 7] == '.' &&
           entry.compare(1, entry.size() - kHiddenExtra, HiddenCopyStem(name, nameMax)) == 0;
}

// The tags a copy made at time t tries, in turn: its date and time, then
// with a number, then with random letters, so that names in use never stop
// a save.
std::vector<std::string> CopyTags(std::time_t t)
{
    std::tm local {};
    char when[32] = "";
    if (::localtime_r(&t, &local))
        std::strftime(when, sizeof when, "%Y-%m-%d %H.%M.%S", &local);
    std::vector<std::string> tags{when};
    for (int n = 2; n <= 9; ++n)
        tags.push_back(std::string(when) + " " + std::to_string(n));
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int n = 0; n < 100; ++n) {
        std::string tag = std::string(when) + " ";
        for (int i = 0; i < 6; ++i)
            tag += kLetters[pick(random)];
        tags.push_back(tag);
    }
    return tags;
}

// The mark named key of the file held by fd. False, errno set, when it has
// none (ENODATA), the file system keeps none (ENOTSUP) or it cannot be read.
bool ReadMark(int fd, const char* key, std::string& value)
{
    char text[128];
    const ssize_t n = ::fgetxattr(fd, key, text, sizeof text);
    if (n < 0)
        return false;
    value.assign(text, static_cast<std::size_t>(n));
    return true;
}

// The mark of the last finished save of the file held by fd, "-" for none.
std::string SaveMarkOf(int fd)
{
    std::string mark;
    return ReadMark(fd, kSaveMark, mark) && !mark.empty() ? mark : "-";
}

std::string CopyMark(ino_t ino, const std::string& save)
{
    return std::to_string(ino) + " " + save;
}

// True when a copy's mark names the file of inode ino; save gets the mark of
// that file's last finished save it names.
bool MarkNamesFile(const std::string& mark, ino_t ino, std::string& save)
{
    const std::size_t space = mark.find(' ');
    if (space == std::string::npos || mark.compare(0, space, std::to_string(ino)) != 0)
        return false;
    save = mark.substr(space + 1);
    return true;
}

// Calls f with each name in the folder held by dir, read once. A folder
// that cannot be read has none.
void ForEachName(int dir, const std::function<void(const std::string&)>& f)
{
    const int fd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* list = ::fdopendir(fd);
    if (!list) {
        ::close(fd);
        return;
    }
    while (const dirent* e = ::readdir(list))
        f(e->d_name);
    ::closedir(list);
}

// The folder of the user's own data: $XDG_DATA_HOME, or ~/.local/share.
bool UserDataFolder(fs::path& out)
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        out = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home == '/')
        out = fs::path(home) / ".local" / "share";
    else
        return false;
    return true;
}

// The folder's absolute path without links, as far as it exists.
fs::path CanonicalFolder(const fs::path& folder)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(folder, ec);
    if (ec)
        return folder;
    fs::path canonical = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal() : canonical;
}

// Flushes the folder held by fd to the disk; a folder that takes no sync
// (some network and user-space file systems) is left as it is.
bool SyncFolder(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
}

// Opens the folder where the user's data keeps the copies of files in
// folder (an absolute path without links): "Kadrel/kept/<folder>" beneath
// the data folder, so that the place tells whose copies they are. Each level
// is opened without following a link and must be this user's alone (his,
// and no one else may write it); with create, missing levels are made for
// him alone, each synced into the level above. Returns the descriptor, or
// -1 with the level that failed in place (empty: there is no data folder)
// and the reason in why.
int OpenKeptFolder(const fs::path& folder, bool create, fs::path& place, std::string& why)
{
    if (!UserDataFolder(place))
        return -1;
    const auto failed = [&] {
        why = std::strerror(errno);
        return -1;
    };
    if (create) {
        fs::path at;
        for (const fs::path& part : place) {
            at /= part;
            if (::mkdir(at.c_str(), 0700) == 0) {
                const FileDescriptor above(::open(at.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
                if (above >= 0)
                    SyncFolder(above);
            } else if (errno != EEXIST) {
                place = at;
                return failed();
            }
        }
    }
    FileDescriptor level(::open(place.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (level < 0)
        return failed();
    for (const fs::path& part : fs::path("Kadrel") / "kept" / folder.relative_path()) {
        place /= part;
        if (create && ::mkdirat(level, part.c_str(), 0700) == 0)
            SyncFolder(level);
        else if (create && errno != EEXIST)
            return failed();
        FileDescriptor next(::openat(level, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat st {};
        if (next < 0 && (errno == ELOOP || errno == ENOTDIR)) {
            why = "it is a link or no folder";
            return -1;
        }
        if (next < 0 || ::fstat(next, &st) != 0)
            return failed();
        if (st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
            why = st.st_uid != ::geteuid() ? "it belongs to another user" : "others may write it";
            return -1;
        }
        level = std::move(next);
    }
    return level.Release();
}

// Copies length bytes at offset from one file to the other, by the system
// where it can, else through a buffer. A copy the system ends before the
// length (some file systems do) goes on through the buffer; a file that
// ends sooner fails, ENODATA.
bool CopyRange(int from, int to, off_t offset, off_t length)
{
    off_t in = offset;
    off_t out = offset;
    const off_t end = offset + length;
    while (in < end) {
        const auto most = static_cast<std::size_t>(std::min<off_t>(end - in, off_t{1} << 30));
        const ssize_t n = ::copy_file_range(from, &in, to, &out, most, 0);
        if (n > 0 || (n < 0 && errno == EINTR))
            continue;
        if (n < 0 && errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF)
            return false;
        break;
    }
    std::vector<BYTE> buffer;
    while (in < end) {
        buffer.resize(static_cast<std::size_t>(std::min<off_t>(end - in, kChunk)));
        const ssize_t got = ::pread(from, buffer.data(), buffer.size(), in);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            errno = got == 0 ? ENODATA : errno;
            return false;
        }
        for (ssize_t put = 0; put < got;) {
            const ssize_t n = ::pwrite(to, buffer.data() + put, static_cast<std::size_t>(got - put), in + put);
            if (n < 0 && errno != EINTR)
                return false;
            put += std::max<ssize_t>(n, 0);
        }
        in += got;
    }
    return true;
}

// Makes the file held by to a copy of the first size bytes of the file held
// by from (to is empty, or cut to nothing first). Holes stay holes. False,
// errno set, on failure, and when from holds fewer bytes (ENODATA).
bool CopyFile(int from, int to, off_t size)
{
    if (::ftruncate(to, 0) != 0)
        return false;
    for (off_t at = 0; at < size;) {
        off_t data = ::lseek(from, at, SEEK_DATA);
        if (data < 0 && errno == ENXIO) {
            // Nothing but a hole up to the end, or the file ends here.
            struct stat st {};
            if (::fstat(from, &st) != 0 || st.st_size < size) {
                errno = ENODATA;
                return false;
            }
            break;
        }
        if (data < 0)
            data = at;
        if (data >= size)
            break;
        off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0 || hole > size)
            hole = size;
        if (!CopyRange(from, to, data, hole - data))
            return false;
        at = hole;
    }
    return ::ftruncate(to, size) == 0;
}

// True when both files hold the same bytes.
bool SameBytes(int a, int b)
{
    struct stat sa {};
    struct stat sb {};
    if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0 || sa.st_size != sb.st_size)
        return false;
    std::vector<BYTE> x(kChunk);
    std::vector<BYTE> y(kChunk);
    for (off_t at = 0; at < sa.st_size;) {
        const std::size_t n = static_cast<std::size_t>(std::min<off_t>(sa.st_size - at, kChunk));
        const auto whole = static_cast<ssize_t>(n);
        if (::pread(a, x.data(), n, at) != whole || ::pread(b, y.data(), n, at) != whole ||
            std::memcmp(x.data(), y.data(), n) != 0)
            return false;
        at += static_cast<off_t>(n);
    }
    return true;
}

// The old content of a file written in place, on disk.
struct KeptCopy {
    FileDescriptor fd;
    FileDescriptor ownFolder;  // the data folder's, when the copy lies there
    int folder = -1;
    std::string name;  // in folder: its name, or while it is made its hidden one
    fs::path path;

    // Removes the copy's name, as long as it names the copy.
    void Remove() const
    {
        struct stat named {};
        struct stat held {};
        if (!name.empty() && ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            ::fstat(fd, &held) == 0 && IsSameFile(named, held))
            ::unlinkat(folder, name.c_str(), 0);
    }
};

// True when the copy may lie beside the file: the folder (held by dir) takes
// a new file and can be synced, which a folder held for naming only cannot.
bool CopyFitsBeside(int dir)
{
    const int flags = ::fcntl(dir, F_GETFL);
    return flags >= 0 && (flags & O_PATH) == 0 && IsWritableAt(dir, ".");
}

// Gives the file without a name held by fd the name kept in the folder held
// by folder. False, errno set, on failure (EEXIST: the name is in use).
bool LinkUnnamed(int fd, int folder, const std::string& kept)
{
    const std::string entry = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, entry.c_str(), folder, kept.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != ENOENT)
        return false;
    // Without /proc, the system links a file that its maker opened.
    return ::linkat(fd, "", folder, kept.c_str(), AT_EMPTY_PATH) == 0;
}

// Gives the whole copy (without a name, or under its hidden one) the first
// free name of a kept copy of the file name; a file that has one of those
// names is not replaced. False, errno set, on failure.
bool NameKeptCopy(KeptCopy& copy, bool unnamed, const std::string& name, std::size_t nameMax, std::time_t made)
{
    for (const std::string& tag : CopyTags(made)) {
        const std::string kept = KeptCopyName(name, tag, nameMax);
        bool named = false;
        if (unnamed) {
            named = LinkUnnamed(copy.fd, copy.folder, kept);
        } else {
            named = ::renameat2(copy.folder, copy.name.c_str(), copy.folder, kept.c_str(), RENAME_NOREPLACE) == 0;
            if (!named && (errno == EINVAL || errno == ENOSYS)) {
                // A file system that cannot rename without replacing: a
                // second name, then the first one removed.
                named = ::linkat(copy.folder, copy.name.c_str(), copy.folder, kept.c_str(), 0) == 0;
                if (named)
                    ::unlinkat(copy.folder, copy.name.c_str(), 0);
            }
        }
        if (named) {
            copy.name = kept;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

// Keeps the old content of the file held by file (status old) in a new
// copy, flushed to the disk with its folder. Throws CFileException, having
// removed what it made, when the copy cannot be made.
void MakeKeptCopy(int dir, const fs::path& folder, const std::string& name, const std::string& path, int file,
                  const struct stat& old, KeptCopy& copy)
{
    fs::path place = folder;
    copy.folder = dir;
    if (!CopyFitsBeside(dir)) {
        std::string why;
        copy.ownFolder = FileDescriptor(OpenKeptFolder(CanonicalFolder(folder), true, place, why));
        if (copy.ownFolder < 0 && place.empty())
            throw CFileException(path, CannotWriteText(path, "its folder takes no new file, and there is no data "
                                                             "folder of yours to keep a copy of its old content in."));
        if (copy.ownFolder < 0)
            throw CFileException(path, NoKeptCopyText(path, place.string(), why));
        copy.folder = copy.ownFolder;
    }
    const auto fail = [&](const std::string& why) {
        copy.Remove();
        throw CFileException(path, NoKeptCopyText(path, place.string(), why));
    };
    const auto failed = [&] { fail(std::strerror(errno)); };
    // The copy is made without a name and given one only when whole and on
    // the disk, so that a crash meanwhile leaves nothing; where the file
    // system cannot do that, under a hidden name that the next save of the
    // file removes.
    const std::size_t nameMax = NameMax(copy.folder);
    copy.fd = FileDescriptor(::openat(copy.folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    const bool unnamed = copy.fd >= 0;
    if (!unnamed) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            failed();
        copy.fd = FileDescriptor(CreateTemporaryBeside(copy.folder, HiddenCopyStem(name, nameMax), copy.name));
        if (copy.fd < 0)
            failed();
    }
    const std::string mark = CopyMark(old.st_ino, SaveMarkOf(file));
    if (::fsetxattr(copy.fd, kCopyMark, mark.data(), mark.size(), 0) != 0 && errno != ENOTSUP)
        failed();
    if (!CopyFile(file, copy.fd, old.st_size)) {
        if (errno == ENODATA)
            fail("the file grew shorter while it was copied");
        failed();
    }
    // The copy is this user's; it gets the file's group, mode and list as
    // far as he may give them, no execute right, and for the file's owner
    // the rights she has. A list that cannot be read leaves it this user's
    // alone.
    Attributes wanted{old.st_uid, old.st_gid, static_cast<mode_t>(old.st_mode & 0777), {}};
    if (!ReadAccessList(file, path, "system.posix_acl_access", wanted.list))
        wanted = Attributes{static_cast<uid_t>(-1), static_cast<gid_t>(-1),
                            static_cast<mode_t>(old.st_mode & 0700), {}};
    else if (::geteuid() != 0 && ::geteuid() != old.st_uid)
        GiveUserTheOwnersRights(wanted, old.st_uid);
    DropExecuteRights(wanted);
    std::string why;
    GiveAttributes(copy.fd, wanted, place.string(), why);
    // It was made when it became whole: its time and its name say so.
    timespec times[2] = {{0, UTIME_OMIT}, {}};
    ::clock_gettime(CLOCK_REALTIME, &times[1]);
    ::futimens(copy.fd, times);
    if (::fsync(copy.fd) != 0 || !NameKeptCopy(copy, unnamed, name, nameMax, times[1].tv_sec) ||
        !SyncFolder(copy.folder))
        failed();
    copy.path = place / copy.name;
}

// Puts the old content back from the copy and flushes it.
bool PutBack(const KeptCopy& copy, int file, off_t size)
{
    return CopyFile(copy.fd, file, size) && ::fsync(file) == 0;
}

// The copies and copy parts that saves of the file (inode ino) named name
// left in the folder held by dir: those whose mark says so; parts only of
// this user. Calls f with each one's name.
void ForEachEarlierCopy(int dir, const std::string& name, ino_t ino, const std::function<void(const std::string&)>& f)
{
    const std::size_t nameMax = NameMax(dir);
    ForEachName(dir, [&](const std::string& entry) {
        const bool part = IsHiddenCopyName(entry, name, nameMax);
        if (!part && !IsKeptCopyName(entry, name, nameMax))
            return;
        const FileDescriptor fd(
            ::openat(dir, entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat st {};
        std::string mark;
        std::string save;
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (part && st.st_uid != ::geteuid()) ||
            !ReadMark(fd, kCopyMark, mark) || !MarkNamesFile(mark, ino, save))
            return;
        struct stat named {};
        if (::fstatat(dir, entry.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && IsSameFile(named, st))
            f(entry);
    });
}

std::string UserName(uid_t uid)
{
    std::vector<char> buffer(4096);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return found->pw_name;
    return std::to_string(uid);
}

}  // namespace

void WriteInPlace(int dir, const fs::path& folder, const std::string& name, const std::string& path,
                  const struct stat& judged, const std::vector<BYTE>& bytes)
{
    // The file is opened once, and it must be the file judged (a plain file).
    FileDescriptor fd(::openat(dir, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat old {};
    if (fd < 0 || ::fstat(fd, &old) != 0)
        throw CFileException(path, ErrnoText("Cannot write", path));
    if (!IsSameFile(old, judged))
        throw CFileException(path, TookItsPlaceText(path));

    KeptCopy copy;
    MakeKeptCopy(dir, folder, name, path, fd, old, copy);

    // The file is cut to nothing first: a write cut off then leaves the
    // start of the new bytes, which no load takes for a whole project, not
    // the new start on the old rest, which one might.
    const auto writeOver = [&] {
        return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 &&
               WriteAll(fd, bytes, WriteFaultForTesting()) && ::fsync(fd) == 0;
    };
    if (writeOver()) {
        // A kept copy saved over is a copy no longer, and loses its mark.
        ::fremovexattr(fd, kCopyMark);
        MarkFinishedSave(fd);
        copy.Remove();
        RemoveEarlierCopies(dir, folder, name, old.st_ino);
        return;
    }
    const std::string reason = ErrnoText("Cannot write", path);
    const bool putBack = PutBack(copy, fd, old.st_size);
    const bool whole = SameBytes(copy.fd, fd);
    if (putBack && whole) {
        copy.Remove();
        throw CFileException(path, reason);
    }
    const std::string where = "\"" + copy.path.string() + "\".";
    if (whole)
        throw CFileException(path, reason + ". Its old content is also kept in " + where);
    throw CFileException(path, reason + ". Its old content could not be put back; it is kept in " + where);
}

void MarkFinishedSave(int fd)
{
    static const char kDigits[] = "0123456789abcdef";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string mark;
    for (std::uint64_t n = random(); mark.size() < 16; n >>= 4)
        mark += kDigits[n & 15];
    ::fsetxattr(fd, kSaveMark, mark.data(), mark.size(), 0);
}

void RemoveEarlierCopies(int dir, const fs::path& folder, const std::string& name, ino_t ino)
{
    ForEachEarlierCopy(dir, name, ino, [&](const std::string& entry) { ::unlinkat(dir, entry.c_str(), 0); });
    fs::path place;
    std::string why;
    const FileDescriptor own(OpenKeptFolder(CanonicalFolder(folder), false, place, why));
    if (own >= 0)
        ForEachEarlierCopy(own, name, ino, [&](const std::string& entry) { ::unlinkat(own, entry.c_str(), 0); });
}

std::vector<KeptCopyFound> FindKeptCopies(const std::string& path, std::string_view head)
{
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(fs::absolute(path, ec), ec);
    struct stat file {};
    if (ec || target.filename().empty() || ::stat(target.c_str(), &file) != 0)
        return {};
    const std::string name = target.filename().string();
    // The file's last finished save; unknown ("") when its mark cannot be
    // read, as for a file this user may not read.
    const FileDescriptor held(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    std::string save;
    if (held >= 0 && !ReadMark(held, kSaveMark, save))
        save = errno == ENODATA || errno == ENOTSUP ? "-" : "";

    std::vector<KeptCopyFound> found;
    const auto look = [&](int dir, const fs::path& place, bool own) {
        struct stat folder {};
        if (dir < 0 || ::fstat(dir, &folder) != 0)
            return;
        const std::size_t nameMax = NameMax(dir);
        ForEachName(dir, [&](const std::string& entry) {
            if (!IsKeptCopyName(entry, name, nameMax))
                return;
            const FileDescriptor fd(
                ::openat(dir, entry.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
            struct stat st {};
            if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
                static_cast<std::size_t>(st.st_size) < head.size())
                return;
            // Where anyone may put a file, only these users' files count.
            const uid_t me = ::geteuid();
            const bool trusted = st.st_uid == me || (!own && (!IsSharedFolder(folder) || st.st_uid == file.st_uid ||
                                                              st.st_uid == folder.st_uid));
            if (!trusted)
                return;
            std::string mark;
            std::string madeAfter;
            if (ReadMark(fd, kCopyMark, mark)) {
                if (!MarkNamesFile(mark, file.st_ino, madeAfter) || (!save.empty() && madeAfter != save))
                    return;
            } else if (errno != ENOTSUP) {
                return;  // no copy a save made; on a file system without marks the name tells
            }
            std::string start(head.size(), '\0');
            if (::pread(fd, start.data(), start.size(), 0) != static_cast<ssize_t>(start.size()) || start != head)
                return;
            // A file that holds the copy's bytes was not written over.
            if (held >= 0 && SameBytes(fd, held))
                return;
            found.push_back({(place / entry).string(), UserName(st.st_uid), st.st_mtime});
        });
    };
    const FileDescriptor beside(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    look(beside, target.parent_path(), false);
    fs::path place;
    std::string why;
    const FileDescriptor own(OpenKeptFolder(target.parent_path(), false, place, why));
    look(own, place, true);
    std::stable_sort(found.begin(), found.end(), [](const KeptCopyFound& a, const KeptCopyFound& b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return found;
}

}  // namespace FileIO
