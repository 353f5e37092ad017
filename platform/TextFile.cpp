#include "platform/TextFile.h"

#include "platform/ArchiveException.h"
#include "platform/FileIO.h"
#include "platform/TextEncoding.h"

#include <unistd.h>

CStdioFile::~CStdioFile()
{
    Close();
}

CStdioFile::CStdioFile(CStdioFile&& other) noexcept
{
    *this = std::move(other);
}

CStdioFile& CStdioFile::operator=(CStdioFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_file = other.m_file;
        other.m_file = nullptr;
        m_text = std::move(other.m_text);
        m_textPos = other.m_textPos;
        m_fromText = other.m_fromText;
        m_tooLong = other.m_tooLong;
        m_atEnd = other.m_atEnd;
        m_lines = other.m_lines;
        m_fileSize = other.m_fileSize;
        m_fileRead = other.m_fileRead;
        m_path = std::move(other.m_path);
    }
    return *this;
}

bool CStdioFile::Open(const std::string& path)
{
    Close();
    m_path = path;
    int fd = -1;
    std::uint64_t size = 0;
    try {
        fd = FileIO::OpenPlainFile(path, size);
    } catch (const CFileException&) {
        return false;
    }
    m_file = ::fdopen(fd, "rb");
    if (m_file == nullptr) {
        ::close(fd);
        return false;
    }
    m_fileSize = size;
    return true;
}

void CStdioFile::OpenText(std::string text)
{
    Close();
    m_text = std::move(text);
    m_textPos = 0;
    m_fromText = true;
}

void CStdioFile::Close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_fromText = false;
    m_text.clear();
    m_textPos = 0;
    m_tooLong = false;
    m_atEnd = false;
    m_lines = 0;
    m_fileSize = 0;
    m_fileRead = 0;
}

bool CStdioFile::IsOpen() const
{
    return m_file != nullptr || m_fromText;
}

std::uint64_t CStdioFile::RemainingBytes() const
{
    if (m_fromText)
        return m_text.size() - m_textPos;
    return m_fileRead < m_fileSize ? m_fileSize - m_fileRead : 0;
}

int CStdioFile::GetChar()
{
    if (m_fromText)
        return m_textPos < m_text.size() ? static_cast<unsigned char>(m_text[m_textPos++]) : EOF;
    const int c = m_file ? std::getc(m_file) : EOF;
    if (c != EOF)
        ++m_fileRead;
    return c;
}

bool CStdioFile::ReadString(std::string& line)
{
    line.clear();
    if (!IsOpen() || m_tooLong)
        return false;
    int c = GetChar();
    if (c == EOF) {
        m_atEnd = true;
        return false;
    }
    std::string raw;
    while (c != EOF && c != '\n') {
        if (raw.size() >= kMaxLineLength) {
            m_tooLong = true;
            return false;
        }
        raw.push_back(static_cast<char>(c));
        c = GetChar();
    }
    if (!raw.empty() && raw.back() == '\r')
        raw.pop_back();
    line = TextEncoding::FileTextToUtf8(raw);
    ++m_lines;
    return true;
}
