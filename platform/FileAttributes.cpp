#include "platform/FileAttributes.h"

#include "platform/FileDescriptor.h"
#include "platform/FileIOInternal.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <endian.h>
#include <fcntl.h>
#include <fstream>
#include <linux/posix_acl.h>
#include <linux/posix_acl_xattr.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>

namespace FileIO {
namespace {

constexpr char kAccessList[] = "system.posix_acl_access";

// An access list as the system stores it: a version word, then per entry a
// kind (tag), the rights and an id, little-endian.
struct Entry {
    unsigned tag;
    unsigned rights;
    std::uint32_t id;
};

std::vector<Entry> Entries(const std::vector<char>& list)
{
    std::vector<Entry> out;
    constexpr std::size_t kEntry = sizeof(posix_acl_xattr_entry);
    for (std::size_t at = sizeof(posix_acl_xattr_header); at + kEntry <= list.size(); at += kEntry) {
        posix_acl_xattr_entry e {};
        std::memcpy(&e, list.data() + at, kEntry);
        out.push_back({le16toh(e.e_tag), le16toh(e.e_perm), le32toh(e.e_id)});
    }
    return out;
}

std::vector<char> ListOf(std::vector<Entry> entries)
{
    // The system takes the entries ordered by kind, and by id within one.
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return std::tie(a.tag, a.id) < std::tie(b.tag, b.id); });
    posix_acl_xattr_header header {};
    header.a_version = htole32(POSIX_ACL_XATTR_VERSION);
    std::vector<char> list(sizeof header + entries.size() * sizeof(posix_acl_xattr_entry));
    std::memcpy(list.data(), &header, sizeof header);
    std::size_t at = sizeof header;
    for (const Entry& e : entries) {
        posix_acl_xattr_entry x {};
        x.e_tag = htole16(static_cast<std::uint16_t>(e.tag));
        x.e_perm = htole16(static_cast<std::uint16_t>(e.rights));
        x.e_id = htole32(e.id);
        std::memcpy(list.data() + at, &x, sizeof x);
        at += sizeof x;
    }
    return list;
}

// Calls f(tag, rights) for each entry of the list; f may change the rights.
template <class F>
void ForEachEntry(std::vector<char>& list, F f)
{
    std::vector<Entry> entries = Entries(list);
    for (Entry& e : entries)
        f(e.tag, e.rights);
    if (!list.empty())
        list = ListOf(std::move(entries));
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

// Asks the system for the list of the file held by fd: the descriptor
// itself, or, for one held for naming only, its entry under /proc; without
// /proc, a descriptor of path opened for reading when it holds the same
// file, and only where the file may not be read, path itself when it still
// names that file.
ssize_t GetList(int fd, const std::string& path, const char* name, void* value, std::size_t size)
{
    const ssize_t n = ::fgetxattr(fd, name, value, size);
    if (n >= 0 || errno != EBADF)
        return n;
    const std::string entry = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t viaProc = ::getxattr(entry.c_str(), name, value, size);
    if (viaProc >= 0 || errno != ENOENT)
        return viaProc;
    struct stat held {};
    if (::fstat(fd, &held) != 0)
        return -1;
    // A folder may be named through a linked folder; the file is the end of
    // its links. The device and inode decide.
    const int noLinks = S_ISDIR(held.st_mode) ? 0 : O_NOFOLLOW;
    const FileDescriptor opened(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | noLinks));
    if (opened < 0 && errno != EACCES)
        return -1;
    struct stat named {};
    if ((opened >= 0 ? ::fstat(opened, &named) : ::stat(path.c_str(), &named)) != 0)
        return -1;
    if (!IsSameFile(held, named)) {
        errno = ESTALE;
        return -1;
    }
    return opened >= 0 ? ::fgetxattr(opened, name, value, size) : ::getxattr(path.c_str(), name, value, size);
}

}  // namespace

bool ReadAccessList(int fd, const std::string& path, const char* name, std::vector<char>& list)
{
    list.clear();
    for (int attempt = 0; attempt < 10; ++attempt) {
        const ssize_t size = GetList(fd, path, name, nullptr, 0);
        if (size < 0)
            return errno == ENODATA || errno == ENOTSUP;
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = GetList(fd, path, name, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)  // grown meanwhile: ask again
            return false;
    }
    return false;
}

bool WantedAttributes(int fd, const std::string& path, const struct stat* old, Attributes& wanted)
{
    if (old) {
        wanted.uid = old->st_uid;
        wanted.gid = old->st_gid;
        wanted.mode = old->st_mode & 07777;
        return ReadAccessList(fd, path, kAccessList, wanted.list);
    }
    wanted.mode = NewFileMode();
    if (!ReadAccessList(fd, path, "system.posix_acl_default", wanted.list))
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

// As far as this user may: the superuser keeps both owners, another user the
// group when a member of it. A group that cannot be kept gets no rights (the
// group bits, or the list's entry of the owning group), so that they do not
// pass to this user's group. At no step does the file give anyone a right
// the final one does not: its mode first keeps the owner's rights alone,
// then come the owners, then the list (which sets the rights of the mode),
// and last the mode, since a change of owner clears the set-id bits. A list
// the file system keeps none of gives the owning group the rights of its
// entry; any other failure to set the list fails, so that the mask of the
// mode never stands for the group.
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

void DropExecuteRights(Attributes& wanted)
{
    wanted.mode &= ~static_cast<mode_t>(S_IXUSR | S_IXGRP | S_IXOTH);
    ForEachEntry(wanted.list, [](unsigned, unsigned& rights) { rights &= 06; });
}

void GiveUserTheOwnersRights(Attributes& wanted, uid_t uid)
{
    const unsigned none = ACL_UNDEFINED_ID;
    std::vector<Entry> entries = Entries(wanted.list);
    if (entries.empty())
        entries = {{ACL_USER_OBJ, (wanted.mode >> 6) & 07u, none},
                   {ACL_GROUP_OBJ, (wanted.mode >> 3) & 07u, none},
                   {ACL_OTHER, wanted.mode & 07u, none}};
    // The rights of the group class are capped by the mask (without one, the
    // owning group's entry is the whole class): each entry keeps no more than
    // it had through it, so that the wider mask the new entry may need gives
    // no one else more.
    const auto rightsOf = [&](unsigned tag) {
        const auto e = std::find_if(entries.begin(), entries.end(), [&](const Entry& x) { return x.tag == tag; });
        return e == entries.end() ? 0u : e->rights;
    };
    const bool masked = std::any_of(entries.begin(), entries.end(), [](const Entry& e) { return e.tag == ACL_MASK; });
    const unsigned mask = rightsOf(masked ? ACL_MASK : ACL_GROUP_OBJ);
    const unsigned owner = rightsOf(ACL_USER_OBJ);
    std::erase_if(entries, [&](const Entry& e) { return e.tag == ACL_MASK || (e.tag == ACL_USER && e.id == uid); });
    unsigned groupClass = owner;
    for (Entry& e : entries) {
        if (e.tag == ACL_USER || e.tag == ACL_GROUP || e.tag == ACL_GROUP_OBJ) {
            e.rights &= mask;
            groupClass |= e.rights;
        }
    }
    entries.push_back({ACL_USER, owner, static_cast<std::uint32_t>(uid)});
    entries.push_back({ACL_MASK, groupClass, none});
    wanted.list = ListOf(std::move(entries));
    wanted.mode = (wanted.mode & ~static_cast<mode_t>(S_IRWXG)) | static_cast<mode_t>(groupClass << 3);
}

}  // namespace FileIO
