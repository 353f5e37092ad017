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
// and throws CFileException.
void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes);

// For tests: make the next writes fail after the given number of bytes
// (a negative value turns the fault off).
void SetWriteFaultForTesting(long long failAfterBytes);

bool FileExists(const std::string& path);

}  // namespace FileIO
