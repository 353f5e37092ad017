// Whether a user who is not the superuser may save: the system's answer
// (with access lists) decides, judged from a child process that has dropped
// to the unprivileged user "nobody" and group "nogroup".

#include "platform/ArchiveException.h"
#include "platform/FileIO.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dlfcn.h>
#include <endian.h>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <iostream>
#include <linux/posix_acl.h>
#include <linux/posix_acl_xattr.h>
#include <map>
#include <pwd.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// When not 0, the error of every fsetxattr this test program makes.
int g_fsetxattrError = 0;
// When set, gets the mode of the file of every fsetxattr, just before it.
std::vector<int>* g_listModes = nullptr;
// When not 0, the error of every getxattr and fgetxattr.
int g_getxattrError = 0;
// When set, there is no /proc: getxattr through it finds nothing.
bool g_noProc = false;
// A group of nobody's besides his own.
constexpr gid_t kTeam = 50;

// Gives path an access list (or the one named name): owner, owning group
// and others keep the given rights (r=4, w=2, x=1) and the user uid gets
// userRights. False when the file system keeps no access lists.
bool GrantUser(const fs::path& path, uid_t uid, unsigned userRights, unsigned owner, unsigned group, unsigned others,
               const char* name = "system.posix_acl_access")
{
    struct Entry {
        unsigned tag, rights;
        unsigned id;
    };
    const unsigned none = ACL_UNDEFINED_ID;
    const Entry entries[] = {{ACL_USER_OBJ, owner, none},
                             {ACL_USER, userRights, uid},
                             {ACL_GROUP_OBJ, group, none},
                             {ACL_MASK, userRights | group, none},
                             {ACL_OTHER, others, none}};
    std::vector<unsigned char> value(sizeof(posix_acl_xattr_header) + sizeof entries / sizeof entries[0] *
                                                                          sizeof(posix_acl_xattr_entry));
    posix_acl_xattr_header header{};
    header.a_version = htole32(POSIX_ACL_XATTR_VERSION);
    std::memcpy(value.data(), &header, sizeof header);
    std::size_t at = sizeof header;
    for (const Entry& e : entries) {
        posix_acl_xattr_entry x{};
        x.e_tag = htole16(static_cast<std::uint16_t>(e.tag));
        x.e_perm = htole16(static_cast<std::uint16_t>(e.rights));
        x.e_id = htole32(e.id);
        std::memcpy(value.data() + at, &x, sizeof x);
        at += sizeof x;
    }
    return ::setxattr(path.c_str(), name, value.data(), value.size(), 0) == 0;
}

struct Case {
    const char* name;  // a file, or "folder/new.zkdr" for a file to be made in a folder
    uid_t owner;       // of the file, or of the folder for a new file
    gid_t group;
    int mode;
    int aclUserRights;  // -1: no access list
    bool writable;      // for nobody in nogroup
};

// What the child found: per case, its judgement and whether the save went
// through.
struct Finding {
    bool judged = false;
    bool saved = false;
};

std::map<std::string, Finding> JudgeAs(uid_t uid, gid_t gid, const fs::path& dir, const std::vector<Case>& cases)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string out;
        ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        if (::setgroups(1, &kTeam) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0 && ::geteuid() == uid) {
            for (const Case& c : cases) {
                const std::string path = (dir / c.name).string();
                const bool judged = FileIO::CanReplaceFile(path);
                bool saved = true;
                try {
                    FileIO::WriteFileSafely(path, {7});
                } catch (const CFileException&) {
                    saved = false;
                }
                out += std::string(c.name) + " " + (judged ? "1" : "0") + (saved ? "1" : "0") + "\n";
            }
        }
        const bool sent = ::write(pipeFds[1], out.data(), out.size()) == static_cast<ssize_t>(out.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::map<std::string, Finding> found;
    std::istringstream lines(text);
    std::string name, flags;
    while (lines >> name >> flags)
        found[name] = {flags[0] == '1', flags[1] == '1'};
    return found;
}

TEST(WritePermission, AUserWhoIsNotTheSuperuserIsJudgedByTheSystem)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "dropping to nobody needs the superuser";
    const passwd* nobody = ::getpwnam("nobody");
    const group* nogroup = ::getgrnam("nogroup");
    const uid_t user = nobody ? nobody->pw_uid : 65534;
    const gid_t grp = nogroup ? nogroup->gr_gid : 65534;

    const fs::path dir = fs::temp_directory_path() / ("kadrel-permissions-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::permissions(dir, static_cast<fs::perms>(0755));

    // Files lie in a folder anyone may write, so that only the file decides;
    // a new file's folder decides alone.
    std::vector<Case> cases = {
        {"files/group-rw.zkdr", 0, grp, 0664, -1, true},
        {"files/group-r.zkdr", 0, grp, 0644, -1, false},
        {"files/others-rw.zkdr", 0, 0, 0646, -1, true},
        {"files/others-rw-group-r.zkdr", 0, grp, 0646, -1, false},  // the group's bits hold for its members
        {"files/other-group-rw.zkdr", 0, 0, 0664, -1, false},
        {"files/own-r.zkdr", user, grp, 0444, -1, false},
        {"files/own-rw.zkdr", user, grp, 0644, -1, true},
        {"files/list-rw.zkdr", 0, 0, 0644, 6, true},
        {"files/list-r.zkdr", 0, 0, 0666, 4, false},
        {"files/users-list.zkdr", 0, 100, 0660, 6, true},
        {"files/own-team.zkdr", user, kTeam, 0664, -1, true},
        {"group-rwx/new.zkdr", 0, grp, 0775, -1, true},
        {"group-rx/new.zkdr", 0, grp, 0755, -1, false},
        {"others-rwx/new.zkdr", 0, 0, 0757, -1, true},
        {"others-rwx-group-rx/new.zkdr", 0, grp, 0757, -1, false},
        {"others-rw/new.zkdr", 0, 0, 0776, -1, false},  // a folder that cannot be searched takes no new name
        {"list-rwx/new.zkdr", 0, 0, 0755, 7, true},
        {"sticky/root.zkdr", 0, 0, 0666, -1, true},  // written in place: the folder allows no replacing
        {"sticky/own.zkdr", user, grp, 0644, -1, true},
        {"sticky/link.zkdr", user, grp, 0644, -1, true},  // nobody's link to own.zkdr
        {"sticky/planted.zkdr", 1234, grp, 0666, -1, false},  // another's, where anyone may put a file
        {"drop/new.zkdr", 0, 0, 0733, -1, true},               // a folder that cannot be listed
        {"closed/shared.zkdr", 0, 0, 0660, 6, true},  // in a folder he may not write: the copy goes to his data
    };
    fs::create_directories(dir / "files");
    fs::permissions(dir / "files", static_cast<fs::perms>(0777));
    fs::create_directories(dir / "sticky");
    fs::permissions(dir / "sticky", static_cast<fs::perms>(01777));
    fs::create_directories(dir / "closed");
    fs::create_directories(dir / "data");
    ASSERT_EQ(::chown((dir / "data").c_str(), user, grp), 0);
    bool listsKept = true;
    for (const Case& c : cases) {
        const fs::path p = dir / c.name;
        const bool isNew = p.filename() == "new.zkdr";
        const fs::path target = isNew ? p.parent_path() : p;
        if (isNew) {
            fs::create_directories(target);
        } else if (p.filename() == "link.zkdr") {
            fs::create_symlink("own.zkdr", p);
            ASSERT_EQ(::lchown(p.c_str(), user, grp), 0);
            continue;
        } else {
            FileIO::WriteFileSafely(p.string(), {1, 2});
        }
        ASSERT_EQ(::chown(target.c_str(), c.owner, c.group), 0) << c.name;
        fs::permissions(target, static_cast<fs::perms>(c.mode));
        if (c.aclUserRights >= 0) {
            const unsigned mode = static_cast<unsigned>(c.mode);
            listsKept = listsKept &&
                        GrantUser(target, user, static_cast<unsigned>(c.aclUserRights), (mode >> 6) & 7, (mode >> 3) & 7,
                                  mode & 7);
        }
    }
    fs::permissions(dir / "closed", static_cast<fs::perms>(0770));
    listsKept = listsKept && GrantUser(dir / "closed", user, 5, 7, 7, 0);
    if (!listsKept) {
        std::erase_if(cases, [](const Case& c) { return c.aclUserRights >= 0; });
        std::cout << "[   NOTE   ] " << dir << " keeps no access lists: those cases are left out\n";
    }

    const auto attributes = [](const fs::path& p) {
        std::vector<char> list(256);
        const ssize_t n = ::getxattr(p.c_str(), "system.posix_acl_access", list.data(), list.size());
        list.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        struct stat st {};
        ::stat(p.c_str(), &st);
        return std::tuple{st.st_uid, st.st_gid, st.st_mode, list};
    };
    std::map<std::string, std::tuple<uid_t, gid_t, mode_t, std::vector<char>>> before;
    for (const Case& c : cases)
        before[c.name] = attributes(dir / c.name);

    const std::map<std::string, Finding> found = JudgeAs(user, grp, dir, cases);
    ASSERT_EQ(found.size(), cases.size());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = dir / c.name;
        const Finding f = found.at(c.name);
        EXPECT_EQ(f.judged, c.writable);
        EXPECT_EQ(f.saved, c.writable);
        if (c.writable) {
            EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{7}));
            // A replaced file keeps its owner, group, mode and list, whoever
            // saves it; a new one gets no list.
            if (p.filename() == "new.zkdr")
                EXPECT_TRUE(std::get<3>(attributes(p)).empty());
            else
                EXPECT_EQ(attributes(p), before[c.name]);
        } else if (p.filename() == "new.zkdr") {
            EXPECT_FALSE(fs::exists(p));
        } else {
            EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{1, 2}));
        }
    }
    // The old content kept while a file was written in place went when the
    // new was on the disk.
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        EXPECT_EQ(entry.path().string().find("(old content"), std::string::npos) << entry.path();
    if (listsKept) {
        EXPECT_TRUE(fs::is_directory(dir / "data/Kadrel/kept" / fs::canonical(dir / "closed").relative_path()));
    }
    fs::remove_all(dir);
}

// An access list the saved file cannot be given fails the save, the old file
// kept; a file system that keeps none gives the group its entry's rights.
TEST(WritePermission, AnAccessListThatCannotBeGivenFailsTheSave)
{
    const fs::path dir = fs::temp_directory_path() / ("kadrel-lists-" + std::to_string(::getpid()));
    const fs::path p = dir / "project.zkdr";
    fs::create_directories(dir);
    for (const int error : {EDQUOT, EOPNOTSUPP}) {
        SCOPED_TRACE(error);
        FileIO::WriteFileSafely(p.string(), {1, 2});
        fs::permissions(p, static_cast<fs::perms>(0640));
        if (!GrantUser(p, 65534, 6, 6, 4, 0))
            GTEST_SKIP() << dir << " keeps no access lists";
        const bool kept = error == EDQUOT;
        const auto save = [&] { FileIO::WriteFileSafely(p.string(), {7}); };
        g_fsetxattrError = error;
        if (kept)
            EXPECT_THAT(save, testing::ThrowsMessage<CFileException>(testing::StrEq(
                                  "Cannot set the access list of \"" + p.string() + "\": Disk quota exceeded")));
        else
            EXPECT_NO_THROW(save());
        g_fsetxattrError = 0;
        EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (kept ? std::vector<BYTE>{1, 2} : std::vector<BYTE>{7}));
        EXPECT_EQ(static_cast<int>(fs::status(p).permissions()), kept ? 0660 : 0640);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    }
    fs::remove_all(dir);
}

// A new file under a folder's default list gets what the system gives any
// new file there (the list with the mode 0666 applied), whatever the umask.
TEST(WritePermission, ANewFileInAFolderWithADefaultListGetsWhatTheSystemGives)
{
    const fs::path dir = fs::temp_directory_path() / ("kadrel-default-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    if (!GrantUser(dir, 65534, 7, 7, 5, 5, "system.posix_acl_default"))
        GTEST_SKIP() << dir << " keeps no access lists";
    // The file written aside is its owner's alone until it has its list.
    std::vector<int> modes;
    g_listModes = &modes;
    const mode_t mask = ::umask(077);
    ::close(::open((dir / "system.zkdr").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
    FileIO::WriteFileSafely((dir / "saved.zkdr").string(), {1});
    ::umask(022);
    FileIO::WriteFileSafely((dir / "shut.zkdr").string(), {1});
    GrantUser(dir / "shut.zkdr", 65534, 6, 6, 0, 0);
    FileIO::WriteFileSafely((dir / "shut.zkdr").string(), {2});
    // A project without a list does not take the folder's.
    FileIO::WriteFileSafely((dir / "plain.zkdr").string(), {1});
    ::removexattr((dir / "plain.zkdr").c_str(), "system.posix_acl_access");
    FileIO::WriteFileSafely((dir / "plain.zkdr").string(), {2});
    ::umask(mask);
    g_listModes = nullptr;
    EXPECT_EQ(modes, std::vector<int>(4, 0600));
    const auto attributes = [](const fs::path& p) {
        std::vector<char> list(256);
        const ssize_t n = ::getxattr(p.c_str(), "system.posix_acl_access", list.data(), list.size());
        list.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return std::pair{static_cast<int>(fs::status(p).permissions()), list};
    };
    EXPECT_EQ(attributes(dir / "saved.zkdr"), attributes(dir / "system.zkdr"));
    EXPECT_EQ(attributes(dir / "saved.zkdr").first, 0664);
    EXPECT_TRUE(attributes(dir / "plain.zkdr").second.empty());
    // A default list that gives others nothing: not the umask's 0644's read.
    fs::create_directories(dir / "shut");
    GrantUser(dir / "shut", 65534, 7, 7, 6, 0, "system.posix_acl_default");
    ::umask(022);
    ::close(::open((dir / "shut/system.zkdr").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
    FileIO::WriteFileSafely((dir / "shut/saved.zkdr").string(), {1});
    ::umask(mask);
    EXPECT_EQ(attributes(dir / "shut/saved.zkdr"), attributes(dir / "shut/system.zkdr"));
    EXPECT_EQ(attributes(dir / "shut/saved.zkdr").first, 0660);
    fs::remove_all(dir);
}

// A file system that keeps no access lists answers "not supported" when
// asked for one, and when one is set or removed: new and existing files are
// saved there all the same. Without /proc a list is read by path and kept.
TEST(WritePermission, SavesWhereNoAccessListsAreKept)
{
    const fs::path p = fs::temp_directory_path() / ("kadrel-nolists-" + std::to_string(::getpid()) + ".zkdr");
    const auto listOf = [&] {
        std::vector<char> list(256);
        const ssize_t n = ::getxattr(p.c_str(), "system.posix_acl_access", list.data(), list.size());
        list.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return list;
    };
    for (const bool noProc : {false, true}) {
        SCOPED_TRACE(noProc ? "no /proc" : "no lists");
        fs::remove(p);
        g_noProc = noProc;
        g_getxattrError = g_fsetxattrError = noProc ? 0 : ENOTSUP;
        EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {1}));
        const bool listed = noProc && GrantUser(p, 65534, 6, 6, 4, 0);
        const std::vector<char> list = listOf();
        EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {2}));
        g_noProc = false;
        g_getxattrError = g_fsetxattrError = 0;
        EXPECT_EQ(FileIO::ReadWholeFile(p.string()), std::vector<BYTE>{2});
        if (listed) {
            EXPECT_EQ(listOf(), list);
        }
    }
    EXPECT_TRUE(fs::remove(p));
}

}  // namespace

// Lets a test answer as a file system that keeps no access lists, or as a
// system without /proc.
extern "C" ssize_t getxattr(const char* path, const char* name, void* value, size_t size)
{
    using Get = ssize_t (*)(const char*, const char*, void*, size_t);
    static const Get next = reinterpret_cast<Get>(::dlsym(RTLD_NEXT, "getxattr"));
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
    if (g_listModes && ::fstat(fd, &st) == 0)
        g_listModes->push_back(static_cast<int>(st.st_mode & 07777));
    if (g_fsetxattrError == 0)
        return next(fd, name, value, size, flags);
    errno = g_fsetxattrError;
    return -1;
}
