#pragma once
// Conversions between the UTF-8 text the program holds in memory and the
// encodings found on file: Windows-1252 (the "ANSI" code page of project and
// speaker-data files) and UTF-16LE.

#include <string>
#include <string_view>

namespace TextEncoding {

// True when s is well-formed UTF-8.
bool IsValidUtf8(std::string_view s);

// Converts UTF-8 to Windows-1252. Returns false (out unspecified) when a
// character has no Windows-1252 form or s is not valid UTF-8.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);

// Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves
// undefined map to the C1 control characters of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 <-> UTF-16. Invalid input becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Text from a file of unknown encoding: kept when it is valid UTF-8, else
// taken as Windows-1252.
std::string FileTextToUtf8(std::string_view bytes);

// Number of characters (code points) in a UTF-8 string.
std::size_t CountCharacters(std::string_view utf8);

}  // namespace TextEncoding
