#include "platform/FileIO.h"

#include "platform/ArchiveException.h"
#include "platform/FileAttributes.h"
#include "platform/FileDescriptor.h"
#include "platform/FileIOInternal.h"
#include "platform/InPlaceSave.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace FileIO {

namespace fs = std::filesystem;

namespace {

std::atomic<long long> g_failAfter{-1};

// As many links as the system itself follows in one path.
constexpr int kMaxLinkHops = 40;

// True when a file or link owned by uid, in the folder of status folder,
// was not planted there by someone else: the folder is not one others may
// write, or it belongs to this user or to the folder's owner. The system's
// own guard against planted names (which it applies in sticky folders),
// applied here to every save whatever the system's setting, since a save
// follows links and writes into files itself.
bool IsOwnedHere(uid_t uid, const struct stat& folder)
{
    return !IsSharedFolder(folder) || uid == ::geteuid() || uid == folder.st_uid;
}

// A link is followed only when it was not planted (IsOwnedHere).
bool MayFollowLink(const std::string& link, const struct stat& st)
{
    struct stat folder {};
    return ::stat(FolderOf(link).c_str(), &folder) == 0 && IsOwnedHere(st.st_uid, folder);
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
            why = PlantedText(path, current == path ? std::string("it is a link")
                                                    : "the link \"" + current + "\" it leads to");
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

// Opens the folder a save acts in. One that may be written and searched but
// not read is held for naming only (it then takes no sync).
int OpenFolder(const fs::path& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 || errno != EACCES ? fd : ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
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

// Whether the file name in the folder held by dir may be replaced or
// created; path names it in messages. judged, when given, is the status of
// the file the save found there: another file there now is refused. False
// with the reason in why (the system's, as a name too long, a read-only file
// system, no permission; or a file planted in a shared folder).
bool CanReplaceTarget(int dir, const std::string& name, const std::string& path, const struct stat* judged,
                      std::string& why)
{
    const auto refuse = [&](const std::string& text) {
        why = text;
        return false;
    };
    if (name.empty()) {
        errno = EISDIR;
        return refuse(ErrnoText("Cannot write", path));
    }
    struct stat file {};
    const bool exists = ::fstatat(dir, name.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return refuse(ErrnoText("Cannot write", path));
    if (judged && (!exists || !IsSameFile(file, *judged)))
        return refuse(TookItsPlaceText(path));
    if (!exists)
        return IsWritableAt(dir, ".") || refuse(ErrnoText("Cannot write", path));
    if (!S_ISREG(file.st_mode))
        return refuse("Cannot replace \"" + path + "\": it is no plain file.");
    struct stat folder {};
    if (::fstat(dir, &folder) != 0 || !IsWritableAt(dir, name.c_str()))
        return refuse(ErrnoText("Cannot write", path));
    if (!IsOwnedHere(file.st_uid, folder))
        return refuse(PlantedText(path, "it lies"));
    // Written in place, its old bytes are copied first, and the folder is not
    // asked to take a new name. Any other file is replaced by its owner or the
    // superuser, which needs the folder's write right.
    if (WritesInPlace(file))
        return ::faccessat(dir, name.c_str(), R_OK, 0) == 0 || refuse(ErrnoText("Cannot write", path));
    return IsWritableAt(dir, ".") || refuse(ErrnoText("Cannot write", path));
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

int CreateTemporaryBeside(int dir, const std::string& name, std::string& hidden)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t kRandomLength = 6;
    const std::string kept = FirstBytes(name, NameMax(dir) - 2 - kRandomLength);

    thread_local std::mt19937_64 random{std::random_device{}() ^ (static_cast<unsigned long long>(::getpid()) << 32)};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        hidden = "." + kept + ".";
        for (std::size_t i = 0; i < kRandomLength; ++i)
            hidden += kLetters[pick(random)];
        const int fd = ::openat(dir, hidden.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

std::string ErrnoText(const std::string& what, const std::string& path)
{
    return what + " \"" + path + "\": " + std::strerror(errno);
}

std::string CannotWriteText(const std::string& path, const std::string& reason)
{
    return "Cannot write \"" + path + "\": " + reason;
}

std::string PlantedText(const std::string& path, const std::string& what)
{
    return CannotWriteText(path, what + " in a folder that others may write, and it belongs neither to you nor to the "
                                        "folder's owner.");
}

std::string NoKeptCopyText(const std::string& path, const std::string& folder, const std::string& reason)
{
    return CannotWriteText(path, "a copy of its old content could not be kept in \"" + folder + "\": " + reason);
}

bool IsSharedFolder(const struct stat& folder)
{
    return (folder.st_mode & S_IWOTH) != 0;
}

fs::path FolderOf(const std::string& path)
{
    fs::path dir = fs::path(path).parent_path();
    return dir.empty() ? fs::path(".") : dir;
}

bool WriteAll(int fd, const std::vector<BYTE>& data, long long failAfter)
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

std::size_t NameMax(int dir)
{
    const long max = ::fpathconf(dir, _PC_NAME_MAX);
    return static_cast<std::size_t>(std::max<long>(max > 0 ? max : NAME_MAX, 16));
}

std::string FirstBytes(const std::string& text, std::size_t max)
{
    std::size_t keep = std::min(text.size(), max);
    while (keep > 0 && keep < text.size() && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
        --keep;
    return text.substr(0, keep);
}

bool IsSameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string TookItsPlaceText(const std::string& path)
{
    return CannotWriteText(path, "another file took its place while it was being saved.");
}

long long WriteFaultForTesting()
{
    return g_failAfter.load();
}

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

int OpenPlainFile(const std::string& path, std::uint64_t& size)
{
    // A terminal named by the user must not become this program's own.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
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
    const FileDescriptor fd(OpenPlainFile(path, size));
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
    const FileDescriptor fd(OpenPlainFile(path, size));
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
    const FileDescriptor dir(OpenFolder(folder));
    if (dir < 0)
        throw CFileException(path, errno == ENOENT
                                       ? CannotWriteText(path, "its folder \"" + folder.string() + "\" does not exist.")
                                       : ErrnoText("Cannot write", path));

    const FileDescriptor oldFile(::openat(dir, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat old {};
    const bool replacing = oldFile >= 0;
    if (!replacing && errno != ENOENT)
        throw CFileException(path, ErrnoText("Cannot write", path));
    if (replacing && (::fstat(oldFile, &old) != 0 || !S_ISREG(old.st_mode)))
        throw CFileException(path, "Cannot replace \"" + path + "\": it is no plain file.");
    // The rename would replace a read-only file (it needs only the folder's
    // permission): refuse as a write into that file would.
    if (!CanReplaceTarget(dir, name, path, replacing ? &old : nullptr, why))
        throw CFileException(path, why);
    if (replacing && WritesInPlace(old)) {
        WriteInPlace(dir, folder, name, path, old, bytes);
        return;
    }
    Attributes wanted;
    if (!WantedAttributes(replacing ? int(oldFile) : int(dir), replacing ? target : folder.string(),
                          replacing ? &old : nullptr, wanted))
        throw CFileException(path, ErrnoText("Cannot read the access list of", path));

    std::string tmp;
    FileDescriptor fd(CreateTemporaryBeside(dir, name, tmp));
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
    MarkFinishedSave(fd);
    if (::fsync(fd) != 0 || fd.Close() != 0)
        fail(ErrnoText("Cannot write", path));
    if (::renameat(dir, tmp.c_str(), dir, name.c_str()) != 0)
        fail(ErrnoText("Cannot replace", path));
    // Makes the folder's new entry last: without this a crash soon after the
    // rename may bring back the old file, or none. The save has been done:
    // a folder that takes no sync is left as it is.
    [[maybe_unused]] const int ignored = ::fsync(dir);
    if (replacing)
        RemoveEarlierCopies(dir, folder, name, old.st_ino);
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
    const FileDescriptor dir(OpenFolder(FolderOf(target)));
    return dir >= 0 && CanReplaceTarget(dir, fs::path(target).filename().string(), path, nullptr, why);
}

}  // namespace FileIO
