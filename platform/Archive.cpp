#include "platform/Archive.h"

#include "platform/FileIO.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

template <class T>
void PutLittleEndian(std::vector<BYTE>& out, T value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i) {
        out.push_back(static_cast<BYTE>(value & 0xFF));
        value = static_cast<T>(value >> 8);
    }
}

}  // namespace

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(std::vector<BYTE> bytes) : m_mode(load), m_data(std::move(bytes)) {}

CArchive CArchive::FromFile(const std::string& path)
{
    return CArchive(FileIO::ReadWholeFile(path));
}

void CArchive::ThrowFormat(const std::string& what)
{
    throw CArchiveException(CArchiveException::badSchema, what);
}

void CArchive::ThrowExplained(const std::string& reason)
{
    throw CArchiveException(CArchiveException::badSchema, reason, true);
}

void CArchive::ThrowEndOfFile()
{
    throw CArchiveException(CArchiveException::endOfFile, "Unexpected end of file.");
}

void CArchive::Need(std::size_t count) const
{
    if (m_mode != load)
        throw CArchiveException(CArchiveException::writeOnly, "The archive is not open for reading.");
    if (count > m_data.size() - m_pos)
        ThrowEndOfFile();
}

void CArchive::CheckCount(std::uint64_t count, std::uint64_t recordSize) const
{
    const std::uint64_t remaining = m_data.size() - m_pos;
    if (recordSize == 0)
        recordSize = 1;
    if (count > remaining / recordSize)
        ThrowFormat("A count in the file is larger than the data that follows it.");
}

void CArchive::ReserveUnread(std::uint64_t bytes, std::uint64_t allowance, const std::string& reason)
{
    const std::uint64_t limit = std::max<std::uint64_t>(allowance, m_data.size());
    if (bytes > limit || m_unread > limit - bytes) {
        if (!reason.empty())
            ThrowExplained(reason);
        ThrowFormat("The file describes more data than it holds.");
    }
    m_unread += bytes;
}

// --- storing ---------------------------------------------------------------

CArchive& CArchive::operator<<(WORD w)
{
    PutLittleEndian(m_data, static_cast<std::uint32_t>(w), 2);
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw)
{
    PutLittleEndian(m_data, dw, 4);
    return *this;
}

CArchive& CArchive::operator<<(std::int32_t i)
{
    PutLittleEndian(m_data, static_cast<std::uint32_t>(i), 4);
    return *this;
}

CArchive& CArchive::operator<<(double d)
{
    std::uint64_t bits;
    static_assert(sizeof bits == sizeof d);
    std::memcpy(&bits, &d, sizeof bits);
    PutLittleEndian(m_data, bits, 8);
    return *this;
}

void CArchive::Write(const void* data, std::size_t count)
{
    if (m_mode != store)
        throw CArchiveException(CArchiveException::readOnly, "The archive is not open for writing.");
    const BYTE* p = static_cast<const BYTE*>(data);
    m_data.insert(m_data.end(), p, p + count);
}

void CArchive::WriteStringLength(std::uint64_t n)
{
    if (n < 255) {
        m_data.push_back(static_cast<BYTE>(n));
    } else if (n < 0xFFFE) {
        m_data.push_back(0xFF);
        PutLittleEndian(m_data, static_cast<std::uint32_t>(n), 2);
    } else if (n < 0xFFFFFFFFull) {
        m_data.push_back(0xFF);
        PutLittleEndian(m_data, std::uint32_t{0xFFFF}, 2);
        PutLittleEndian(m_data, static_cast<std::uint32_t>(n), 4);
    } else {
        m_data.push_back(0xFF);
        PutLittleEndian(m_data, std::uint32_t{0xFFFF}, 2);
        PutLittleEndian(m_data, std::uint32_t{0xFFFFFFFF}, 4);
        PutLittleEndian(m_data, n, 8);
    }
}

CArchive& CArchive::operator<<(const std::string& s)
{
    if (m_mode != store)
        throw CArchiveException(CArchiveException::readOnly, "The archive is not open for writing.");
    std::string ansi;
    if (TextEncoding::Utf8ToCp1252(s, ansi)) {
        WriteStringLength(ansi.size());
        Write(ansi.data(), ansi.size());
    } else {
        // Characters outside the code page: the 16-bit form keeps them all.
        const std::u16string wide = TextEncoding::Utf8ToUtf16(s);
        m_data.push_back(0xFF);
        PutLittleEndian(m_data, std::uint32_t{0xFFFE}, 2);
        WriteStringLength(wide.size());
        for (char16_t c : wide)
            PutLittleEndian(m_data, static_cast<std::uint32_t>(c), 2);
    }
    return *this;
}

// --- loading ---------------------------------------------------------------

void CArchive::Read(void* data, std::size_t count)
{
    Need(count);
    if (count)
        std::memcpy(data, m_data.data() + m_pos, count);
    m_pos += count;
}

std::size_t CArchive::ReadSome(void* data, std::size_t count)
{
    if (m_mode != load)
        throw CArchiveException(CArchiveException::writeOnly, "The archive is not open for reading.");
    const std::size_t n = std::min(count, m_data.size() - m_pos);
    if (n)
        std::memcpy(data, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

WORD CArchive::ReadWord()
{
    Need(2);
    const WORD w = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return w;
}

DWORD CArchive::ReadDword()
{
    Need(4);
    DWORD v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | m_data[m_pos + static_cast<std::size_t>(i)];
    m_pos += 4;
    return v;
}

std::int32_t CArchive::ReadInt()
{
    return static_cast<std::int32_t>(ReadDword());
}

double CArchive::ReadDouble()
{
    Need(8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | m_data[m_pos + static_cast<std::size_t>(i)];
    m_pos += 8;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::uint64_t CArchive::ReadStringLength(bool& utf16)
{
    utf16 = false;
    BYTE b = 0;
    Read(&b, 1);
    if (b < 0xFF)
        return b;
    WORD w = ReadWord();
    if (w == 0xFFFE) {
        // The 16-bit form: its own length prefix follows.
        utf16 = true;
        Read(&b, 1);
        if (b < 0xFF)
            return b;
        w = ReadWord();
    }
    if (w < 0xFFFF)
        return w;
    const DWORD dw = ReadDword();
    if (dw < 0xFFFFFFFFu)
        return dw;
    const std::uint64_t lo = ReadDword();
    const std::uint64_t hi = ReadDword();
    return lo | (hi << 32);
}

std::string CArchive::ReadString()
{
    bool utf16 = false;
    const std::uint64_t n = ReadStringLength(utf16);
    const std::uint64_t bytes = utf16 ? n * 2 : n;
    if ((utf16 && n > std::numeric_limits<std::uint64_t>::max() / 2) || bytes > Remaining())
        ThrowEndOfFile();
    const std::size_t count = static_cast<std::size_t>(bytes);
    const BYTE* p = m_data.data() + m_pos;
    std::string result;
    if (utf16) {
        std::u16string wide(static_cast<std::size_t>(n), u'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        result = TextEncoding::Utf16ToUtf8(wide);
    } else {
        result = TextEncoding::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p), count));
    }
    m_pos += count;
    return result;
}

CArchive& CArchive::operator>>(WORD& w)
{
    w = ReadWord();
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    dw = ReadDword();
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& i)
{
    i = ReadInt();
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    d = ReadDouble();
    return *this;
}

CArchive& CArchive::operator>>(std::string& s)
{
    s = ReadString();
    return *this;
}
