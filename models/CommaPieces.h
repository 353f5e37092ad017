#pragma once
// Cutting an import-file line at every ",": the pieces in order, empty ones
// included ("a,,b" gives "a", "", "b"; an empty line gives one empty piece).

#include <string_view>
#include <vector>

inline std::vector<std::string_view> SplitCommaPieces(std::string_view line)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            pieces.push_back(line.substr(start));
            return pieces;
        }
        pieces.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}
