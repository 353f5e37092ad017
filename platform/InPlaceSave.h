#pragma once
// Saving over a file in place, for a file that must stay the file it is
// (another's, or one of several names): its old content is first kept in a
// copy on disk, so that neither a failure nor a crash in the middle of the
// write loses it.

#include "platform/Types.h"

#include <filesystem>
#include <string>
#include <vector>

struct stat;

namespace FileIO {

// Writes bytes over the file name in the folder held by dir (folder is the
// folder's path, path the name the save was asked for). judged is the status
// of the file the save judged: a file found there that is another (put there
// meanwhile) is refused. Before the first byte goes over the file, its old
// bytes are copied to a new file, the kept copy, which is flushed to the disk
// with its folder: beside the file when the folder takes a new file (and can
// be synced), else in the user's data folder. The copy gives no one a right
// the file does not give. Then the file is written, cut to size and flushed,
// and the copy removed. A copy that cannot be made refuses the save with the
// file untouched; a failed write puts the old bytes back from the copy, and
// when that fails the message names the copy. Throws CFileException.
void WriteInPlace(int dir, const std::filesystem::path& folder, const std::string& name, const std::string& path,
                  const struct stat& judged, const std::vector<BYTE>& bytes);

}  // namespace FileIO
