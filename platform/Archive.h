#pragma once
// The archive every record of the project file goes through: little-endian
// WORD, DWORD, int, double, raw bytes and length-prefixed strings with no tags
// or counts. Storing fills a memory buffer (which the caller writes to a file);
// loading reads from a memory buffer and never reads past its end.

#include "platform/ArchiveException.h"
#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CArchive {
public:
    enum Mode { store, load };

    // An archive that stores into an empty buffer.
    CArchive();
    // An archive that loads from the given bytes.
    explicit CArchive(std::vector<BYTE> bytes);
    // An archive that loads the whole file; throws CFileException.
    static CArchive FromFile(const std::string& path);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // --- storing -------------------------------------------------------
    CArchive& operator<<(WORD w);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(std::int32_t i);
    CArchive& operator<<(double d);
    // Text is UTF-8 in memory. A string whose characters all exist in
    // Windows-1252 is written in that code page; any other string is written
    // in the UTF-16 form that every reader of the format accepts.
    CArchive& operator<<(const std::string& s);
    CArchive& operator<<(const char* s) { return *this << std::string(s); }
    // No silent conversions: every value must name its primitive.
    template <class T> CArchive& operator<<(T) = delete;
    void Write(const void* data, std::size_t count);
    // The length prefix alone, as written before a string of n characters.
    void WriteStringLength(std::uint64_t n);

    // --- loading -------------------------------------------------------
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(std::int32_t& i);
    CArchive& operator>>(double& d);
    CArchive& operator>>(std::string& s);
    template <class T> CArchive& operator>>(T&) = delete;
    // Reads exactly count bytes or throws endOfFile.
    void Read(void* data, std::size_t count);
    // Reads up to count bytes and returns how many there were.
    std::size_t ReadSome(void* data, std::size_t count);

    WORD ReadWord();
    DWORD ReadDword();
    std::int32_t ReadInt();
    double ReadDouble();
    std::string ReadString();
    // The length prefix of a string alone, in characters; utf16 tells
    // whether two bytes follow for each.
    std::uint64_t ReadStringLength(bool& utf16);

    // Bytes not yet read (loading) and bytes written so far (storing).
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    std::size_t Position() const { return m_pos; }
    std::size_t Size() const { return m_data.size(); }

    // Throws a format error when count records of recordSize bytes cannot
    // lie in what remains; called before allocating anything for a count
    // taken from the file.
    void CheckCount(std::uint64_t count, std::uint64_t recordSize) const;
    // Counts bytes that records imply but do not carry (a load holds none of
    // them; a later save writes them out) and throws a format error once all
    // those of this archive together would exceed the larger of allowance
    // and the size of the input; one that explains itself by reason when
    // that is given.
    void ReserveUnread(std::uint64_t bytes, std::uint64_t allowance, const std::string& reason = {});
    // The bytes counted so far, and a new count: a record that is read and
    // dropped (never saved) is counted on its own and then forgotten.
    std::uint64_t UnreadBytes() const { return m_unread; }
    void SetUnreadBytes(std::uint64_t bytes) { m_unread = bytes; }

    // The bytes written so far (storing) or the whole input (loading).
    const std::vector<BYTE>& Buffer() const { return m_data; }
    std::vector<BYTE> TakeBuffer() { return std::move(m_data); }

    [[noreturn]] static void ThrowFormat(const std::string& what);
    // A format error whose reason (a sentence of the string table) the user
    // is shown with the load-error report.
    [[noreturn]] static void ThrowExplained(const std::string& reason);
    [[noreturn]] static void ThrowEndOfFile();

private:
    void Need(std::size_t count) const;

    Mode m_mode;
    std::vector<BYTE> m_data;
    std::size_t m_pos = 0;
    std::uint64_t m_unread = 0;
};
