#pragma once
// Settings files of "[section]" headers and "key=value" lines, read and
// written with the semantics of the classic private-profile functions:
// section and key names compare without regard to case, a missing file or
// key gives the default, and writing a section replaces all of its lines.

#include <string>

namespace ProfileFile {

// The integer value of key in section: leading blanks, an optional sign
// and decimal digits (the rest of the value is ignored; no digits give 0).
// A missing file, section or key gives defaultValue.
int GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                         const std::string& path);

// Replaces the lines of section with the lines of block (one entry per
// line, "key=value"); a missing section is appended at the end and a
// missing file is created. Returns false when the file cannot be written;
// the file is then left as it was.
bool WritePrivateProfileSection(const std::string& section, const std::string& block, const std::string& path);

}  // namespace ProfileFile
