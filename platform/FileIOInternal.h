#pragma once
// Helpers shared by the files that read and save whole files: messages
// with the system's reason, writing a whole buffer, judging a name.

#include "platform/Types.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

struct stat;

namespace FileIO {

// what + " \"" + path + "\": " + the text of errno.
std::string ErrnoText(const std::string& what, const std::string& path);

// The folder of path ("." for a bare name).
std::filesystem::path FolderOf(const std::string& path);

// Writes all of data from the descriptor's offset. failAfter >= 0 makes the
// write fail (no space left) after so many bytes. False, errno set, on
// failure.
bool WriteAll(int fd, const std::vector<BYTE>& data, long long failAfter = -1);

// The byte after which the writes of new bytes fail, for tests (-1: none).
long long WriteFaultForTesting();

// The longest name the folder held by dir takes, in bytes (at least 16).
std::size_t NameMax(int dir);

// The first bytes of text, at most max of them, not cutting a multi-byte
// character in two.
std::string FirstBytes(const std::string& text, std::size_t max);

// True when both are the status of one file (device and inode).
bool IsSameFile(const struct stat& a, const struct stat& b);

// "Cannot write "<path>": " + reason: every refusal of a save.
std::string CannotWriteText(const std::string& path, const std::string& reason);

// The refusal of a save whose file was replaced after it was judged.
std::string TookItsPlaceText(const std::string& path);

// The refusal of a save that would write into a file or follow a link that
// someone else may have put in a folder others may write; what names it ("it
// lies", "it is a link", ...).
std::string PlantedText(const std::string& path, const std::string& what);

// The refusal of a save in place whose old content cannot be kept.
std::string NoKeptCopyText(const std::string& path, const std::string& folder, const std::string& reason);

// True when others may write the folder of status folder (sticky or not):
// there a name may belong to anyone.
bool IsSharedFolder(const struct stat& folder);

// Creates a new, empty file in the folder held by dir under a name not used
// yet: "." + name + "." + six random letters, name shortened so that the
// whole stays within the longest name the folder allows. Only its owner may
// read or write it. Returns the descriptor, open for reading and writing,
// and the name, or -1 with errno set.
int CreateTemporaryBeside(int dir, const std::string& name, std::string& hidden);

// True when this user may write name in the folder held by dir (a file, or
// a folder that can take new names; "." is the folder itself), as
// IsWritable judges a path. False, errno set, otherwise.
bool IsWritableAt(int dir, const char* name);

}  // namespace FileIO
