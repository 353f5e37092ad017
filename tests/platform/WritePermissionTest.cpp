// Whether a user who is not the superuser may save: the system's answer
// (with access lists) decides, judged from a child process that has dropped
// to the unprivileged user "nobody" and group "nogroup".

#include "platform/ArchiveException.h"
#include "platform/FileIO.h"
#include "platform/InPlaceSave.h"

#include "SystemHooks.h"

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
#include <fstream>
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

using namespace TestHooks;

namespace {

namespace fs = std::filesystem;

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
    int aclUserRights;     // -1: no access list
    bool writable;         // for nobody in nogroup
    bool noProc = false;   // saved as where there is no /proc
    bool cutOff = false;   // the save's flush of the file fails: the copy of its old content stays
};

// What the child found: per case, its judgement, whether the save went
// through and what it told.
struct Finding {
    bool judged = false;
    bool saved = false;
    std::string told;
};

// Runs f in a child process that has dropped to the user uid of group gid
// (and of the team), with its data folder in data, and returns what f
// returned ("" where the drop failed).
std::string AsUser(uid_t uid, gid_t gid, const fs::path& data, const std::function<std::string()>& f)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string out;
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        if (::setgroups(1, &kTeam) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0 && ::geteuid() == uid)
            out = f();
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
    return text;
}

std::map<std::string, Finding> JudgeAs(uid_t uid, gid_t gid, const fs::path& dir, const std::vector<Case>& cases,
                                       const char* data = "data")
{
    const std::string text = AsUser(uid, gid, dir / data, [&] {
        std::string out;
        for (const Case& c : cases) {
            const std::string path = (dir / c.name).string();
            const bool judged = FileIO::CanReplaceFile(path);
            bool saved = true;
            std::string told;
            g_noProc = c.noProc;
            struct stat st {};
            if (c.cutOff && ::stat(path.c_str(), &st) == 0)
                g_fsyncError = [ino = st.st_ino](const struct stat& f) { return f.st_ino == ino ? EIO : 0; };
            try {
                FileIO::WriteFileSafely(path, {7});
            } catch (const CFileException& e) {
                saved = false;
                told = e.what();
            }
            g_noProc = false;
            g_fsyncError = nullptr;
            out += std::string(c.name) + "\t" + (judged ? "1" : "0") + (saved ? "1" : "0") + "\t" + told + "\n";
        }
        return out;
    });
    std::map<std::string, Finding> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos || line.size() < tab + 4)
            continue;
        found[line.substr(0, tab)] = {line[tab + 1] == '1', line[tab + 2] == '1', line.substr(tab + 4)};
    }
    return found;
}

// The entries (kind, id, rights) of a file's access list.
std::vector<std::tuple<unsigned, unsigned, unsigned>> ListEntries(const fs::path& p)
{
    std::vector<char> list(1024);
    const ssize_t n = ::getxattr(p.c_str(), "system.posix_acl_access", list.data(), list.size());
    std::vector<std::tuple<unsigned, unsigned, unsigned>> out;
    for (std::size_t at = sizeof(posix_acl_xattr_header); n > 0 && at + sizeof(posix_acl_xattr_entry) <= std::size_t(n);
         at += sizeof(posix_acl_xattr_entry)) {
        posix_acl_xattr_entry e {};
        std::memcpy(&e, list.data() + at, sizeof e);
        out.emplace_back(le16toh(e.e_tag), le32toh(e.e_id), le16toh(e.e_perm));
    }
    return out;
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
        {"drop/shared.zkdr", 0, 0, 0666, -1, true},            // the copy goes to his data
        {"closed/shared.zkdr", 0, 0, 0660, 6, true},  // in a folder he may not write: the copy goes to his data
        {"open/report.zkdr", 1234, grp, 0666, -1, false},      // another's, where anyone may put a file
        {"team/colleague.zkdr", 1234, kTeam, 0660, -1, true},  // a sticky folder of the team alone
        {"team/plan.zkdr", 1234, kTeam, 0660, -1, true, false, true},  // of two names, his copy hers to keep
        {"files/own-w.zkdr", user, grp, 0200, 2, true, true},  // his, which he may not read, without /proc
        {"private/plan.zkdr", 1234, 1234, 0770, 6, true, false, true},  // hers, in her folder he may write
    };
    fs::create_directories(dir / "files");
    fs::permissions(dir / "files", static_cast<fs::perms>(0777));
    fs::create_directories(dir / "sticky");
    fs::permissions(dir / "sticky", static_cast<fs::perms>(01777));
    fs::create_directories(dir / "closed");
    fs::create_directories(dir / "open");
    fs::permissions(dir / "open", static_cast<fs::perms>(0777));
    fs::create_directories(dir / "team");
    ASSERT_EQ(::chown((dir / "team").c_str(), 0, kTeam), 0);
    fs::permissions(dir / "team", static_cast<fs::perms>(01770));
    fs::create_directories(dir / "private");
    ASSERT_EQ(::chown((dir / "private").c_str(), 1234, 1234), 0);
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
            if (p.filename() == "plan.zkdr" && p.parent_path().filename() == "team")
                fs::create_hard_link(p, dir / "team/plan.link");
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
    fs::permissions(dir / "private", static_cast<fs::perms>(0700));
    listsKept = listsKept && GrantUser(dir / "private", user, 7, 7, 0, 0);
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
        EXPECT_EQ(f.saved, c.writable && !c.cutOff) << f.told;
        if (c.writable && !c.cutOff) {
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
    EXPECT_EQ(found.at("open/report.zkdr").told,
              "Cannot write \"" + (dir / "open/report.zkdr").string() +
                  "\": it lies in a folder that others may write, and it belongs neither to you nor to the folder's "
                  "owner.");

    // The copy of her project that his cut-off save kept is his, and gives
    // her the rights the file gave her (no one any execute right, his group
    // nothing of her group's); she reads it, and her open names it as his.
    const auto damage = [](const fs::path& file) {
        // What a crash in the middle of the write leaves (the save put the
        // old bytes back).
        std::fstream(file, std::ios::in | std::ios::out | std::ios::binary).write("\1\3", 2);
    };
    if (listsKept) {
        const fs::path plan = dir / "private/plan.zkdr";
        damage(plan);
        fs::path copy;
        for (const auto& e : fs::directory_iterator(dir / "private"))
            if (e.path().filename().string().rfind("plan (old content ", 0) == 0)
                copy = e.path();
        ASSERT_FALSE(copy.empty());
        EXPECT_THAT(found.at("private/plan.zkdr").told,
                    testing::EndsWith("Its old content is also kept in \"" + copy.string() + "\"."));
        struct stat st {};
        ASSERT_EQ(::stat(copy.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, user);
        EXPECT_EQ(st.st_gid, grp);
        EXPECT_EQ(st.st_mode & 07777, 0660u);
        const unsigned none = ACL_UNDEFINED_ID;
        EXPECT_EQ(ListEntries(copy), (std::vector<std::tuple<unsigned, unsigned, unsigned>>{
                                         {ACL_USER_OBJ, none, 6},
                                         {ACL_USER, 1234, 6},
                                         {ACL_USER, user, 6},
                                         {ACL_GROUP_OBJ, none, 0},
                                         {ACL_MASK, none, 6},
                                         {ACL_OTHER, none, 0}}));
        const std::string seen = AsUser(1234, 1234, dir / "data", [&] {
            const std::vector<FileIO::KeptCopyFound> kept = FileIO::FindKeptCopies(plan.string(), "\1\2");
            std::string read;
            try {
                read = FileIO::ReadWholeFile(copy.string()) == std::vector<BYTE>{1, 2} ? "read" : "other bytes";
            } catch (const CFileException& e) {
                read = e.what();
            }
            return read + " " + (kept.size() == 1 && kept[0].path == copy.string() ? kept[0].owner : "not named");
        });
        EXPECT_EQ(seen, "read nobody");
        fs::remove(copy);
    }
    // His copy of a file of the team lies where she may not remove it (a
    // sticky folder); her open names it until her save of the file ends, and
    // no longer after it.
    {
        const fs::path plan = dir / "team/plan.zkdr";
        damage(plan);
        const std::string seen = AsUser(1234, 1234, dir / "data", [&] {
            const std::size_t before = FileIO::FindKeptCopies(plan.string(), "\1\2").size();
            FileIO::WriteFileSafely(plan.string(), {1, 2, 3});
            return std::to_string(before) + " " + std::to_string(FileIO::FindKeptCopies(plan.string(), "\1\2").size());
        });
        EXPECT_EQ(seen, "1 0");
        for (const auto& e : fs::directory_iterator(dir / "team"))
            if (e.path().filename().string().rfind("plan (old content ", 0) == 0)
                fs::remove(e.path());
    }
    // A data folder whose levels are not his alone keeps no copy: one that
    // another user made first, a link (to his own), one that others may
    // write. The save is refused and says why, the file untouched.
    if (listsKept) {
        const fs::path shared = dir / "closed/shared.zkdr";
        const struct {
            const char* data;
            const char* level;
            const char* why;
        } chains[] = {
            {"data-root", "Kadrel", "it belongs to another user"},
            {"data-link", "Kadrel", "it is a link or no folder"},
            {"data-open", "Kadrel/kept", "others may write it"},
        };
        for (const auto& c : chains) {
            SCOPED_TRACE(c.data);
            const fs::path data = dir / c.data;
            fs::create_directories(data);
            ASSERT_EQ(::chown(data.c_str(), user, grp), 0);
            if (std::string(c.data) == "data-root") {
                fs::create_directories(data / "Kadrel/kept");
            } else if (std::string(c.data) == "data-link") {
                fs::create_directory_symlink(dir / "data/Kadrel", data / "Kadrel");
                ASSERT_EQ(::lchown((data / "Kadrel").c_str(), user, grp), 0);
            } else {
                fs::create_directories(data / "Kadrel/kept");
                for (const char* level : {"Kadrel", "Kadrel/kept"})
                    ASSERT_EQ(::chown((data / level).c_str(), user, grp), 0);
                fs::permissions(data / "Kadrel", static_cast<fs::perms>(0700));
                fs::permissions(data / "Kadrel/kept", static_cast<fs::perms>(0777));
            }
            FileIO::WriteFileSafely(shared.string(), {1, 2});
            const Case saved = *std::find_if(cases.begin(), cases.end(),
                                             [](const Case& x) { return std::string(x.name) == "closed/shared.zkdr"; });
            const std::map<std::string, Finding> refused = JudgeAs(user, grp, dir, {saved}, c.data);
            ASSERT_EQ(refused.count(saved.name), 1u);
            EXPECT_TRUE(refused.at(saved.name).judged);
            EXPECT_EQ(refused.at(saved.name).told, "Cannot write \"" + shared.string() +
                                                       "\": a copy of its old content could not be kept in \"" +
                                                       (data / c.level).string() + "\": " + c.why);
            EXPECT_EQ(FileIO::ReadWholeFile(shared.string()), (std::vector<BYTE>{1, 2}));
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
    const fs::path other = fs::temp_directory_path() / ("kadrel-other-" + std::to_string(::getpid()) + ".zkdr");
    const auto listOf = [&] {
        std::vector<char> list(256);
        const ssize_t n = ::getxattr(p.c_str(), "system.posix_acl_access", list.data(), list.size());
        list.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return list;
    };
    // Without /proc, the list is read from the file judged, not from the
    // file at its name when it is read (another put there meanwhile).
    enum Row { kNoLists, kNoProc, kNoProcAndSwapped };
    for (const Row row : {kNoLists, kNoProc, kNoProcAndSwapped}) {
        SCOPED_TRACE(row);
        fs::remove(p);
        g_getxattrError = g_fsetxattrError = row == kNoLists ? ENOTSUP : 0;
        EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {1}));
        const bool listed = row != kNoLists && GrantUser(p, 65534, 6, 6, 4, 0);
        const std::vector<char> list = listOf();
        if (row == kNoProcAndSwapped) {
            FileIO::WriteFileSafely(other.string(), {9});
            if (!GrantUser(other, 1234, 7, 6, 6, 6))
                continue;
            g_beforeGetxattr = [&](const char* path) {
                if (p == path && fs::exists(other))
                    fs::rename(other, p);
            };
        }
        g_noProc = row != kNoLists;
        EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {2}));
        g_noProc = false;
        g_beforeGetxattr = nullptr;
        g_getxattrError = g_fsetxattrError = 0;
        EXPECT_EQ(FileIO::ReadWholeFile(p.string()), std::vector<BYTE>{2});
        if (listed) {
            EXPECT_EQ(listOf(), list);
        }
    }
    EXPECT_TRUE(fs::remove(p));
    fs::remove(other);
}

}  // namespace
