#include "platform/DocStrings.h"

std::string CDocStrings::Get(Index index) const
{
    int field = 0;
    size_t start = 0;
    while (field < index) {
        const size_t nl = m_text.find('\n', start);
        if (nl == std::string::npos)
            return std::string();
        start = nl + 1;
        ++field;
    }
    const size_t end = m_text.find('\n', start);
    return m_text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::vector<std::string> CDocStrings::GetExtensions() const
{
    std::vector<std::string> out;
    const std::string ext = Get(filterExt);
    size_t start = 0;
    while (start <= ext.size()) {
        const size_t semi = ext.find(';', start);
        std::string one = ext.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        if (!one.empty()) {
            if (one.front() != '.')
                one.insert(one.begin(), '.');
            out.push_back(one);
        }
        if (semi == std::string::npos)
            break;
        start = semi + 1;
    }
    return out;
}

std::string CDocStrings::MakeFilter() const
{
    const std::string name = Get(filterName);
    const std::vector<std::string> exts = GetExtensions();
    if (name.empty() || exts.empty())
        return std::string();
    std::string patterns;
    for (const std::string& e : exts) {
        if (!patterns.empty())
            patterns += ' ';
        patterns += "*" + e;
    }
    return name + " (" + patterns + ")";
}

std::string CDocStrings::MakeUntitledTitle(int n) const
{
    std::string name = Get(docName);
    if (name.empty())
        name = "Untitled";
    return name + std::to_string(n);
}
