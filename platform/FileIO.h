#pragma once
// Whole-file reading and safe whole-file writing.

#include "platform/Types.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace FileIO {

// Reads the whole file; throws CFileException when it cannot be opened or
// read.
std::vector<BYTE> ReadWholeFile(const std::string& path);

// Writes the bytes beside the target under a temporary name, flushes them to
// the disk and only then renames the temporary file over the target; a
// failure removes the temporary file, leaves any existing target untouched
// and throws CFileException. A target that CanReplaceFile refuses (a
// read-only file, a folder that cannot be written) is not touched either.
void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes);

// For tests: make the next writes fail after the given number of bytes
// (a negative value turns the fault off).
void SetWriteFaultForTesting(long long failAfterBytes);

bool FileExists(const std::string& path);

// True when this user may write path (a file or a folder) by its permission
// bits: the write bit of the class the user falls in (owner, group, others)
// is set and the system agrees (a read-only mount says no). The superuser,
// whom the system lets write anything, still needs a write bit, so that a
// file marked read-only stays so for everyone. False when path is missing.
bool IsWritableByPermissionBits(const std::string& path);

// True when a save may replace or create the file at path: its folder can
// be written and the file, when it is there, can be written too.
bool CanReplaceFile(const std::string& path);

}  // namespace FileIO
