#pragma once
// The owner, group, mode and access list a saved file is to have: read from
// the file it replaces (or, for a new file, from what its folder gives one)
// and given to the file written.

#include <string>
#include <sys/types.h>
#include <vector>

struct stat;

namespace FileIO {

// What a file is to have: its owner and group (-1: this user's), mode and
// access list as the system stores it (empty: none). With a list, the
// mode's rights are those of the list.
struct Attributes {
    uid_t uid = static_cast<uid_t>(-1);
    gid_t gid = static_cast<gid_t>(-1);
    mode_t mode = 0;
    std::vector<char> list;
};

// Reads the access list named name ("system.posix_acl_access" or
// "system.posix_acl_default") of the file or folder held by fd, which path
// names; empty when it has none or the file system keeps none. A descriptor
// held for naming only is asked through its entry under /proc or, where
// there is no /proc, through a descriptor of path opened for reading that
// holds the same file; only a file this user may not read is asked by path,
// as long as path still names the file held. False, errno set, when the
// list cannot be read.
bool ReadAccessList(int fd, const std::string& path, const char* name, std::vector<char>& list);

// The attributes of the file a save replaces (held by fd, named by path,
// with the status old), or for a new file (old null; fd and path are its
// folder's) those the system gives one: 0666 less the umask, or the folder's
// default access list with those rights. False, errno set, when a list
// cannot be read.
bool WantedAttributes(int fd, const std::string& path, const struct stat* old, Attributes& wanted);

// Gives the file held by fd the attributes wanted, as far as this user may,
// widening no one's rights on the way. False, with the message naming path in
// why, when the mode or an access list that the file system keeps cannot be
// set.
bool GiveAttributes(int fd, Attributes wanted, const std::string& path, std::string& why);

// Takes every execute right away, in the mode and in the list.
void DropExecuteRights(Attributes& wanted);

// Gives the user uid, by an entry of his own in the list, the rights the
// owner's entry gives (or the mode's owner bits, where there is no list),
// for a copy that another user is to own; no one else's rights grow.
void GiveUserTheOwnersRights(Attributes& wanted, uid_t uid);

}  // namespace FileIO
