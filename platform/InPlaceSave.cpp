#include "platform/InPlaceSave.h"

#include "platform/AccessLists.h"
#include "platform/ArchiveException.h"
#include "platform/FileDescriptor.h"
#include "platform/FileIO.h"
#include "platform/FileIOInternal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIO {
namespace {

namespace fs = std::filesystem;

// How many kept copies of one file may lie side by side.
constexpr int kMaxKeptCopies = 100;

// The bytes moved at a time where the system cannot copy between files
// itself, and compared at a time.
constexpr std::size_t kChunk = 1 << 20;

// The name of the n-th kept copy (from 1) of the file name, at most nameMax
// bytes: "room (old content).zkdr", "room (old content 2).zkdr", the name's
// stem shortened where it must be.
std::string KeptCopyName(const std::string& name, int n, std::size_t nameMax)
{
    const fs::path p(name);
    const std::string extension = p.extension().string();
    const std::string tag = n == 1 ? " (old content)" : " (old content " + std::to_string(n) + ")";
    const std::size_t fixed = tag.size() + extension.size();
    return FirstBytes(p.stem().string(), nameMax > fixed ? nameMax - fixed : 1) + tag + extension;
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

// Where the user's data folder keeps the copies of files in folder (an
// absolute path without links): beneath "Kadrel/kept", at the folder's own
// path, so that the place tells whose copies they are.
bool KeptCopiesFolder(const fs::path& folder, fs::path& out)
{
    fs::path data;
    if (!UserDataFolder(data))
        return false;
    out = data / "Kadrel" / "kept" / folder.relative_path();
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

// Makes the folder and those above it that are missing, each for this user
// alone.
bool MakePrivateFolders(const fs::path& folder)
{
    fs::path at;
    for (const fs::path& part : folder) {
        at /= part;
        if (::mkdir(at.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// Copies length bytes at offset from one file to the other, by the system
// where it can, else through a buffer.
bool CopyRange(int from, int to, off_t offset, off_t length)
{
    off_t in = offset;
    off_t out = offset;
    const off_t end = offset + length;
    while (in < end) {
        const auto most = static_cast<std::size_t>(std::min<off_t>(end - in, off_t{1} << 30));
        const ssize_t n = ::copy_file_range(from, &in, to, &out, most, 0);
        if (n > 0)
            continue;
        if (n == 0)
            return true;  // the file ended sooner
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF)
            return false;
        // Between file systems the system may not copy: through a buffer.
        std::vector<BYTE> buffer;
        while (in < end) {
            buffer.resize(static_cast<std::size_t>(std::min<off_t>(end - in, kChunk)));
            const ssize_t got = ::pread(from, buffer.data(), buffer.size(), in);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return got == 0;
            buffer.resize(static_cast<std::size_t>(got));
            if (::lseek(to, in, SEEK_SET) != in || !WriteAll(to, buffer))
                return false;
            in += got;
        }
        return true;
    }
    return true;
}

// Makes the file held by to a copy of the first size bytes of the file held
// by from (to is empty, or cut to nothing first). Holes stay holes. False,
// errno set, on failure.
bool CopyFile(int from, int to, off_t size)
{
    if (::ftruncate(to, 0) != 0)
        return false;
    for (off_t at = 0; at < size;) {
        off_t data = ::lseek(from, at, SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            break;  // nothing but a hole up to the end
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
    std::string name;
    fs::path path;

    void Remove() const { ::unlinkat(folder, name.c_str(), 0); }
};

// True when the copy may lie beside the file: the folder (held by dir) takes
// a new file and can be synced, which a folder held for naming only cannot.
bool CopyFitsBeside(int dir)
{
    const int flags = ::fcntl(dir, F_GETFL);
    return flags >= 0 && (flags & O_PATH) == 0 && IsWritableAt(dir, ".");
}

// Gives the whole copy, made under the name hidden in the folder held by
// folder, the first free name of a kept copy of the file name; a file that
// has one of those names is not replaced. False, errno set, on failure.
bool NameKeptCopy(int folder, const std::string& name, std::size_t nameMax, std::string& hidden)
{
    for (int n = 1; n <= kMaxKeptCopies; ++n) {
        const std::string kept = KeptCopyName(name, n, nameMax);
        bool named = ::renameat2(folder, hidden.c_str(), folder, kept.c_str(), RENAME_NOREPLACE) == 0;
        if (!named && (errno == EINVAL || errno == ENOSYS)) {
            // A file system that cannot rename without replacing: a second
            // name, then the first one removed.
            named = ::linkat(folder, hidden.c_str(), folder, kept.c_str(), 0) == 0;
            if (named)
                ::unlinkat(folder, hidden.c_str(), 0);
        }
        if (named) {
            hidden = kept;
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
        const fs::path canonical = CanonicalFolder(folder);
        if (!KeptCopiesFolder(canonical, place))
            throw CFileException(path, "Cannot write \"" + path +
                                           "\": its folder takes no new file and there is no data folder of yours "
                                           "to keep a copy of its old content in.");
        if (!MakePrivateFolders(place) ||
            (copy.ownFolder = FileDescriptor(::open(place.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))) < 0)
            throw CFileException(path, ErrnoText("Cannot write \"" + path + "\": a copy of its old content could not "
                                                 "be kept in",
                                                 place.string()));
        copy.folder = copy.ownFolder;
    }
    const auto fail = [&](bool made) {
        const std::string text =
            ErrnoText("Cannot write \"" + path + "\": a copy of its old content could not be kept in", place.string());
        if (made)
            copy.Remove();
        throw CFileException(path, text);
    };
    // The copy is made under a hidden name and takes the name looked for
    // on opening only when whole, so that a crash while it is made leaves no
    // copy named as the old content (the file is then untouched).
    const std::size_t nameMax = NameMax(copy.folder);
    copy.fd = FileDescriptor(CreateTemporaryBeside(copy.folder, KeptCopyName(name, 1, nameMax), copy.name));
    if (copy.fd < 0)
        fail(false);
    if (!CopyFile(file, copy.fd, old.st_size))
        fail(true);
    // The copy is this user's; it gets the file's group, mode and list as
    // far as he may give them, and no execute right. A list that cannot be
    // read leaves it this user's alone.
    Attributes wanted{old.st_uid, old.st_gid, static_cast<mode_t>(old.st_mode & 0666), {}};
    if (!ReadAccessList(file, path, "system.posix_acl_access", wanted.list))
        wanted = Attributes{static_cast<uid_t>(-1), static_cast<gid_t>(-1),
                            static_cast<mode_t>(old.st_mode & 0600), {}};
    std::string why;
    GiveAttributes(copy.fd, wanted, (place / copy.name).string(), why);
    if (::fsync(copy.fd) != 0 || !NameKeptCopy(copy.folder, name, nameMax, copy.name) || ::fsync(copy.folder) != 0)
        fail(true);
    copy.path = place / copy.name;
}

// Puts the old content back from the copy and flushes it.
bool PutBack(const KeptCopy& copy, int file, off_t size)
{
    return CopyFile(copy.fd, file, size) && ::fsync(file) == 0;
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

    const auto writeOver = [&] {
        return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes, WriteFaultForTesting()) &&
               ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    };
    if (writeOver()) {
        copy.Remove();
        return;
    }
    const std::string reason = ErrnoText("Cannot write", path);
    if (PutBack(copy, fd, old.st_size)) {
        copy.Remove();
        throw CFileException(path, reason);
    }
    const std::string where = "\"" + copy.path.string() + "\".";
    if (SameBytes(copy.fd, fd))
        throw CFileException(path, reason + ". Its old content is also kept in " + where);
    throw CFileException(path, reason + ". Its old content could not be put back; it is kept in " + where);
}

std::vector<std::string> FindKeptCopies(const std::string& path)
{
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(fs::absolute(path, ec), ec);
    if (ec || target.filename().empty())
        return {};
    const std::string name = target.filename().string();
    std::vector<fs::path> places{target.parent_path()};
    if (fs::path data; KeptCopiesFolder(target.parent_path(), data))
        places.push_back(data);
    std::vector<std::string> found;
    for (const fs::path& place : places) {
        const FileDescriptor folder(::open(place.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (folder < 0)
            continue;
        const std::size_t max = NameMax(folder);
        for (int n = 1; n <= kMaxKeptCopies; ++n) {
            const std::string copy = KeptCopyName(name, n, max);
            struct stat st {};
            if (::fstatat(folder, copy.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
                found.push_back((place / copy).string());
        }
    }
    return found;
}

}  // namespace FileIO
