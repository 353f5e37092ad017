#pragma once
// The system calls of the file tests' program, answered as a test asks:
// failures, crashes and the steps of a save (see SystemHooks.cpp).

#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace TestHooks {

// Called with the descriptor of every fsync this test program makes, just
// before it is made.
extern std::function<void(int)> g_beforeFsync;
// When not 0, the error of every fsync of a folder.
extern int g_folderFsyncError;
// When set, the error (0: none) of the fsync of each file, by its status.
extern std::function<int(const struct stat&)> g_fsyncError;
// When set, gets the mode of the plain file of every write.
extern std::vector<int>* g_writtenModes;
// When not 0, every copy between files into this inode fails.
extern ino_t g_failingCopyInode;
// When not 0, every copy between files out of this inode fails.
extern ino_t g_failingCopySource;
// When not 0, every copy between files answers this error.
extern int g_copyError;
// When not negative, a copy between files answers an end at this offset.
extern off64_t g_copyEndsAt;
// When not 0, the program ends half-way through a copy out of this inode.
extern ino_t g_crashCopyingInode;
// When not 0, the error of every rename that may not replace.
extern int g_noReplaceError;
// When not 0, the error of every link.
extern int g_linkError;
// When set, the system makes no file without a name.
extern bool g_noUnnamedFiles;
// When not 0, the program ends once g_crashAfter bytes have been written
// to the file of this inode.
extern ino_t g_crashInode;
extern long long g_crashAfter;
// Called with the name of every file opened for reading and writing.
extern std::function<void(const char*)> g_beforeOpenForWriting;
// When set, gets the steps of a save of the file of inode g_stepsInode.
extern std::vector<std::string>* g_steps;
extern ino_t g_stepsInode;

// When not 0, the error of every fsetxattr this test program makes.
extern int g_fsetxattrError;
// When set, gets the mode of the file of every fsetxattr, just before it.
extern std::vector<int>* g_listModes;
// When not 0, the error of every getxattr and fgetxattr.
extern int g_getxattrError;
// When set, there is no /proc: getxattr through it finds nothing.
extern bool g_noProc;
// Called with the path of every getxattr.
extern std::function<void(const char*)> g_beforeGetxattr;

}  // namespace TestHooks
