#pragma once
// Saving over a file in place, for a file that must stay the file it is
// (another's, or one of several names): its old content is first kept in a
// copy on disk, so that neither a failure nor a crash in the middle of the
// write loses it. The copies a save left when it was cut off are found on
// opening, and removed once a later save of the file has ended.

#include "platform/Types.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

struct stat;

namespace FileIO {

// Writes bytes over the file name in the folder held by dir (folder is the
// folder's path, path the name the save was asked for). judged is the status
// of the file the save judged: a file found there that is another (put there
// meanwhile) is refused. Before the first byte goes over the file, its old
// bytes are copied whole to a new file, the kept copy, flushed to the disk
// and only then given its name: beside the file when the folder takes a new
// file, else in the user's data folder (see FindKeptCopies). The copy is the
// saver's; it gives no one a right the file does not give, and gives the
// file's owner hers. Then the file is cut to nothing, written and flushed,
// and the copy removed with those earlier saves left. A copy that cannot be made
// refuses the save with the file untouched; a failed write puts the old
// bytes back from the copy, and when they are not back whole the message
// names the copy. Throws CFileException.
void WriteInPlace(int dir, const std::filesystem::path& folder, const std::string& name, const std::string& path,
                  const struct stat& judged, const std::vector<BYTE>& bytes);

// Marks the file held by fd, whose new bytes are on the disk, as saved
// whole: from then on no copy an earlier save of it kept is named on
// opening. A file system that keeps no such mark is left as it is.
void MarkFinishedSave(int fd);

// Removes the kept copies that saves of the file (inode ino) named name in
// the folder held by dir (folder its path) left, beside it and in the
// user's data folder, and this user's parts of copies that were never
// finished. Only files a save made (by their mark) are removed.
void RemoveEarlierCopies(int dir, const std::filesystem::path& folder, const std::string& name, ino_t ino);

// A kept copy of a file's old content, as the open names it.
struct KeptCopyFound {
    std::string path;
    std::string owner;  // by name: the saver, or the file's owner where the superuser saved
    std::time_t made;
};

// The kept copies of the old content of the file at path (where its links
// lead) that saves written in place left when they were cut off, newest
// first: "<stem> (old content <date> <time>).<extension>" beside it, or in
// the user's data folder at "Kadrel/kept/<the file's folder>". Only copies
// made of this file since its last finished save are named, that begin
// with head (not empty, so that neither is an empty file) and whose bytes
// the file does not hold; in a folder others may write, only those of this
// user, the file's owner or the folder's owner. Each folder is read once.
std::vector<KeptCopyFound> FindKeptCopies(const std::string& path, std::string_view head);

}  // namespace FileIO
