#pragma once
// Helpers shared by the files that read and save whole files: messages
// with the system's reason, writing a whole buffer, judging a name.

#include "platform/Types.h"

#include <filesystem>
#include <string>
#include <vector>

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

// True when this user may write name in the folder held by dir (a file, or
// a folder that can take new names; "." is the folder itself), as
// IsWritable judges a path. False, errno set, otherwise.
bool IsWritableAt(int dir, const char* name);

}  // namespace FileIO
