#pragma once
// Building expected record bytes by hand: little-endian words, doubles and
// short strings appended one by one (shared by the model test programs).

#include "platform/Types.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class CGolden {
public:
    CGolden& W(std::uint16_t v)
    {
        bytes.push_back(static_cast<BYTE>(v & 0xFF));
        bytes.push_back(static_cast<BYTE>(v >> 8));
        return *this;
    }
    CGolden& I(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(u >> (8 * i)));
        return *this;
    }
    CGolden& D(double v)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<BYTE>(bits >> (8 * i)));
        return *this;
    }
    // A string of fewer than 255 single-byte characters.
    CGolden& S(const std::string& s)
    {
        bytes.push_back(static_cast<BYTE>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    CGolden& Append(const std::vector<BYTE>& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    std::vector<BYTE> bytes;
};
