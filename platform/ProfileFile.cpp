#include "platform/ProfileFile.h"

#include "platform/FileIO.h"
#include "platform/Numbers.h"

#include <cctype>
#include <exception>
#include <sstream>
#include <vector>

namespace {

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// False when the file cannot be read; a pipe or a device in its place is
// not read at all (a pipe would wait for a writer).
bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::vector<BYTE> bytes;
    try {
        bytes = FileIO::ReadWholeFile(path);
    } catch (const std::exception&) {
        return false;
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

// The section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    const size_t close = t.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

}  // namespace

namespace ProfileFile {

int GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                         const std::string& path)
{
    std::vector<std::string> lines;
    if (!ReadLines(path, lines))
        return defaultValue;
    bool inSection = false;
    for (const std::string& line : lines) {
        std::string name;
        if (SectionName(line, name)) {
            inSection = EqualNoCase(name, section);
            continue;
        }
        if (!inSection)
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (EqualNoCase(Trim(line.substr(0, eq)), key))
            return Numbers::Atoi(Trim(line.substr(eq + 1)));
    }
    return defaultValue;
}

bool WritePrivateProfileSection(const std::string& section, const std::string& block, const std::string& path)
{
    std::vector<std::string> lines;
    ReadLines(path, lines);  // a missing file starts empty

    std::vector<std::string> entries;
    {
        std::istringstream in(block);
        std::string line;
        while (std::getline(in, line))
            if (!Trim(line).empty())
                entries.push_back(Trim(line));
    }

    std::vector<std::string> out;
    bool written = false;
    bool skipping = false;
    for (const std::string& line : lines) {
        std::string name;
        if (SectionName(line, name)) {
            skipping = false;
            if (EqualNoCase(name, section)) {
                if (!written) {
                    out.push_back("[" + section + "]");
                    out.insert(out.end(), entries.begin(), entries.end());
                    written = true;
                }
                skipping = true;  // the old lines of the section (and any repeat of it) go
                continue;
            }
        }
        if (!skipping)
            out.push_back(line);
    }
    if (!written) {
        out.push_back("[" + section + "]");
        out.insert(out.end(), entries.begin(), entries.end());
    }

    // Written beside the file under a name of its own and renamed over it,
    // so that a failed write leaves the old file whole and another running
    // instance writing at the same time cannot mix its lines into this one.
    std::string text;
    for (const std::string& line : out)
        text += line + "\r\n";
    try {
        FileIO::WriteFileSafely(path, std::vector<BYTE>(text.begin(), text.end()));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

}  // namespace ProfileFile
