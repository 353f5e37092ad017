#pragma once
// Whole-file reading and safe whole-file writing.

#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace FileIO {

// Reads the whole file, no more than the size it had when opened (see
// OpenPlainFile); throws CFileException when it cannot be opened or read,
// and when it is too large to hold in memory (larger than the computer's
// memory, or more than can be allocated).
std::vector<BYTE> ReadWholeFile(const std::string& path);

// Reads the first count bytes of a plain file (fewer when it is shorter);
// throws CFileException as ReadWholeFile does.
std::vector<BYTE> ReadFileHead(const std::string& path, std::size_t count);

// Opens a plain file for reading and returns its descriptor and its size.
// The open does not wait (a pipe would wait for its writer), and anything
// but a plain file (a folder, a device or a pipe has no size and may never
// end) is refused: throws CFileException then, as when it cannot be opened.
int OpenPlainFile(const std::string& path, std::uint64_t& size);

// Saves the bytes to path. A target that is a symbolic link (or a chain of
// them) is written where the link leads, and the link stays; a link in a
// folder that others may write (sticky or not) is followed only when it
// belongs to this user or to the folder's owner, else the save is refused,
// and so is a file there that belongs to neither. The folder of the file is opened once
// and every step acts in it, though it be renamed or replaced meanwhile.
//
// Usually the bytes are written beside the target under a temporary name
// that only this user may read or write, flushed to the disk, and the
// temporary file is renamed over the target; the folder is then synced. The
// file written aside gets its final attributes just before the rename,
// widening no one's rights on the way: a new file the usual mode (0666 less
// the umask, or what the folder's default access list gives); a replaced one
// its owner, group, mode and access list. A group that cannot be kept gets
// no rights (neither its mode bits nor its entry in the list), and an access
// list that cannot be set fails the save, unless the file system keeps none:
// the group then gets the rights of its entry. A failure before the rename
// removes the temporary file, leaves any existing target untouched and
// throws CFileException with the system's reason; once the rename is done
// the save has succeeded, even when the folder then does not take a sync.
// The copies earlier saves in place kept of the file replaced then go.
//
// An existing file that this user could not give its owner and group (a
// user who is not the superuser saving another's file, or his own of a group
// he is not in), or that has more than one link, is written in place
// instead, so that it keeps its owner, group, mode, access list and links,
// and its folder need not take new files: its old bytes are first kept in a
// copy on disk, which stays where a failure or a crash would lose them (see
// InPlaceSave.h). The file written is the file judged.
//
// A target that CanReplaceFile refuses (a read-only file, a folder that
// cannot be written, no plain file, a link or file as above) is not touched
// either. A write beyond the file-size limit fails as any other, as long as
// the program ignores SIGXFSZ (which would end it), as main does.
void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes);

// For tests: make the next saves' writes of the new bytes fail after the
// given number of bytes (a negative value turns the fault off).
void SetWriteFaultForTesting(long long failAfterBytes);

bool FileExists(const std::string& path);

// True when this user may write path (a file, or a folder that can take new
// names). The system's own answer decides, which knows access lists and
// read-only mounts; for the superuser, whom the system lets write anything,
// the file also needs a write bit, so that a file marked read-only stays so
// for everyone. False when path is missing.
bool IsWritable(const std::string& path);

// True when a save may replace or create the file at path (where its links
// lead, as WriteFileSafely follows them): the file, when it is there, is a
// plain file that can be written, and not one that another user put in a
// folder others may write; its folder can be written, unless the file is to be
// written in place (as another user's file is), which it must then also be
// readable for.
bool CanReplaceFile(const std::string& path);

}  // namespace FileIO
