#pragma once
// Line-by-line reading of a text file: each call gives one line without its
// end ("\r\n" or "\n") and false at the end of the file. Lines come back as
// UTF-8 (a file that is not UTF-8 is taken as Windows-1252).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class CStdioFile {
public:
    // A line longer than this ends reading (ReadString returns false and
    // LineTooLong() is true): no speaker-data line comes near it.
    static constexpr std::size_t kMaxLineLength = 16u * 1024u * 1024u;

    CStdioFile() = default;
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    CStdioFile(CStdioFile&& other) noexcept;
    CStdioFile& operator=(CStdioFile&& other) noexcept;

    // Opens a regular file; false for anything else (a folder, a device or
    // a pipe has no size and may never end).
    bool Open(const std::string& path);
    // Reads from text held in memory instead of a file.
    void OpenText(std::string text);
    void Close();
    bool IsOpen() const;

    bool ReadString(std::string& line);
    bool LineTooLong() const { return m_tooLong; }
    // True once a read found no line left.
    bool AtEnd() const { return m_atEnd; }
    // Bytes of the file not read yet.
    std::uint64_t RemainingBytes() const;
    // Number of lines returned so far.
    std::size_t LineNumber() const { return m_lines; }
    const std::string& GetFilePath() const { return m_path; }

private:
    int GetChar();

    std::FILE* m_file = nullptr;
    std::string m_text;
    std::size_t m_textPos = 0;
    bool m_fromText = false;
    bool m_tooLong = false;
    bool m_atEnd = false;
    std::size_t m_lines = 0;
    std::uint64_t m_fileSize = 0;
    std::uint64_t m_fileRead = 0;
    std::string m_path;
};
